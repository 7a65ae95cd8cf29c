#include "monitor/triac_card_panel.h"

#include <QLabel>
#include <QPainter>

#include "link/hex_text.h"
#include "link/register_meaning.h"
#include "monitor/locale_separators.h"
#include "monitor/status_label.h"
#include "monitor/traffic_lamp.h"
#include "monitor/twip_label.h"
#include "monitor/twips.h"

namespace monitor {

namespace {

// Channel and bit numbers are ints in the bus words; the arrays count in sizes.
constexpr std::size_t U(int i) { return static_cast<std::size_t>(i); }

// The fault letters of one channel, in the order of the channel's fault bits.
struct FaultLetter {
  const char* name;
  const char* caption;
  const char* tooltip;
  std::array<int, 4> tops;  // per channel, twips
};
constexpr std::array<FaultLetter, 4> kFaultLetters = {{
    {"Lbl_KirmiziFlaman", "R", "Krımızı Flaman", {1560, 2625, 3690, 4725}},
    {"Lbl_AkimCekilmiyor", "C", "Akım çekilmiyor", {1350, 2415, 3480, 4515}},
    {"LBL_FazTemasi", "P", "Çıkış Hatası", {1155, 2205, 3270, 4305}},
    {"LBL_HatTemasi", "S", "Hat Teması", {945, 1995, 3060, 4095}},
}};
constexpr int kFaultLetterLeft = 510;
constexpr int kFaultLetterSize = 225;

constexpr std::array<int, 4> kCurrentTops = {1590, 2610, 3690, 4740};
constexpr std::array<int, 4> kSensorLefts = {450, 675, 900, 1125};

QString Text(const std::string& s) { return QString::fromStdString(s); }

void SetText(QLabel& label, const QString& text) {
  if (label.text() != text) label.setText(text);
}

}  // namespace

Triyak_Karti::Triyak_Karti(QWidget* parent) : QWidget(parent), m_separators(SystemSeparators()) {
  setObjectName(QStringLiteral("Triyak_Karti"));
  setFixedSize(TwipSize(*this, kWidthTwips, kHeightTwips));
  QFont small = font();
  small.setPointSizeF(7.5);
  setFont(small);

  m_TRY_LBL = AddTwipLabel(*this, "TRY_LBL", "00", {45, 45, 345, 330}, Qt::AlignCenter);
  QFont title = font();
  title.setPointSize(12);
  title.setBold(true);
  m_TRY_LBL->setFont(title);

  m_Lbl_Status = AddTwipLabel(*this, "Lbl_Status", "status", {450, 75, 915, 225});

  m_Shape1 = AddTwipIndicator(*this, "Shape1", "", {90, 495, 225, 330});

  m_Lbl_PSU_Voltage = AddTwipIndicator(*this, "Lbl_PSU_Voltage", "PSU:", {450, 315, 405, 225}, false);
  m_Lbl_PSU_Voltage->ClearBackColour();
  m_Lbl_PSU_Voltage->setToolTip(QStringLiteral("Guç kaynagı gerilimi"));

  m_R9_err_AC = AddTwipIndicator(*this, "R9_err_AC", "AC", {840, 315, 300, 225});
  m_R9_err_AC->setToolTip(QStringLiteral("AC gerilim hattı bağlımı?"));
  m_R9_Err_IO = AddTwipIndicator(*this, "R9_Err_IO", "IO", {1125, 315, 240, 225});
  m_R9_Err_IO->setToolTip(QStringLiteral("Donanımsal Hata Varmı?"));
  for (int n = 0; n < 4; ++n) {
    StatusLabel* s = AddTwipIndicator(*this, IndexedName("R9_err_sensoryok", n),
                                      QStringLiteral("S%1").arg(n + 1), {kSensorLefts[U(n)], 560, 240, 225});
    s->setToolTip(QStringLiteral("Akım Sensoru %1 devrede degil").arg(n + 1));
    m_R9_err_sensoryok[U(n)] = s;
  }

  m_Label1 = AddTwipLabel(*this, "Label1", "Label1", {765, 900, 600, 285}, Qt::AlignCenter);

  for (int c = 0; c < kChannels; ++c) {
    auto* lamp = new Trf_Lamp(this);
    lamp->setObjectName(IndexedName("Trf_Lamp1", c));
    lamp->move(TwipRect(*this, 60, 855 + 1050 * c, 0, 0).topLeft());
    m_Trf_Lamp1[U(c)] = lamp;
    for (std::size_t bit = 0; bit < kFaultLetters.size(); ++bit) {
      const FaultLetter& f = kFaultLetters[bit];
      StatusLabel* letter =
          AddTwipIndicator(*this, IndexedName(f.name, c), QString::fromUtf8(f.caption),
                           {kFaultLetterLeft, f.tops[U(c)], kFaultLetterSize, kFaultLetterSize});
      letter->setToolTip(QString::fromUtf8(f.tooltip));
      m_faultLetters[U(c)][bit] = letter;
    }
    m_Lbl_Akim[U(c)] = AddTwipLabel(*this, IndexedName("Lbl_Akim", c), "A",
                                    {810, kCurrentTops[U(c)], 570, 225}, Qt::AlignRight | Qt::AlignVCenter);
  }
}

void Triyak_Karti::SetNumberSeparators(const bus::NumberSeparators& separators) {
  m_separators = separators;
  m_shownOnce = false;  // every number text is written again at the next refresh
}

void Triyak_Karti::Refresh() {
  const TriacCardFields& now = *this;
  const bool all = !m_shownOnce;
  if (!all && now == m_shown) return;

  if (all || now.CardNo != m_shown.CardNo) SetText(*m_TRY_LBL, Text(bus::ZeroPadded(CardNo, 2)));
  if (all || now.FaultWord != m_shown.FaultWord || now.CardState != m_shown.CardState) {
    ShowCardState();
  }
  for (int c = 0; c < kChannels; ++c) {
    if (all || now.ChannelCurrent[U(c)] != m_shown.ChannelCurrent[U(c)]) ShowCurrent(c);
  }
  if (all || now.ChannelLamps != m_shown.ChannelLamps) ShowLamps();
  if (all || now.ChannelFaults != m_shown.ChannelFaults) ShowFaults();
  if (all || now.SupplyRaw != m_shown.SupplyRaw) ShowSupply();
  if (all || now.FaultWord != m_shown.FaultWord) ShowFaultWord();

  m_shown = now;
  m_shownOnce = true;
}

void Triyak_Karti::ShowCardState() {
  // A state code the panel does not know keeps the previous look, "Error" included.
  const std::optional<bus::StateLook> look = bus::CardStateLook(CardState, FaultWord);
  if (!look) return;
  SetText(*m_Lbl_Status, QString::fromUtf8(look->text));
  m_Shape1->SetBackColour(look->colour);
}

void Triyak_Karti::ShowCurrent(int channel) {
  // mA to amperes with two decimals, halves rounded away from zero.
  const std::int64_t centiamps = bus::RoundedQuotient(ChannelCurrent[U(channel)], 10);
  SetText(*m_Lbl_Akim[U(channel)], Text(bus::FixedText(centiamps, 2, true, m_separators) + " A"));
}

void Triyak_Karti::ShowLamps() {
  for (int c = 0; c < kChannels; ++c) m_Trf_Lamp1[U(c)]->SetState(bus::ChannelNibble(ChannelLamps, c));
}

void Triyak_Karti::ShowFaults() {
  for (int c = 0; c < kChannels; ++c) {
    for (int bit = 0; bit < 4; ++bit) {
      const bool set = bus::HasChannelFault(ChannelFaults, c, static_cast<bus::ChannelFault>(bit));
      m_faultLetters[U(c)][U(bit)]->SetBackColour(set ? bus::kRed : bus::kWhite);
    }
  }
}

void Triyak_Karti::ShowSupply() {
  const std::int64_t volts = bus::RoundedQuotient(bus::CardSupplyHundredths(SupplyRaw), 100);
  SetText(*m_Lbl_PSU_Voltage, Text(bus::FixedText(volts, 0, false, m_separators) + " V"));
  m_Lbl_PSU_Voltage->SetBackColour(bus::CardSupplyGood(SupplyRaw) ? bus::kGreen : bus::kYellow);
}

void Triyak_Karti::ShowFaultWord() {
  SetText(*m_Label1, Text(bus::WordToHex4(FaultWord & 0xFFFF)));
  const auto colour = [this](std::int32_t mask) { return FaultWord & mask ? bus::kRed : bus::kWhite; };
  m_R9_Err_IO->SetBackColour(colour(bus::kCardIoFault));
  m_R9_err_AC->SetBackColour(colour(bus::kCardAcFault));
  for (int n = 0; n < 4; ++n) m_R9_err_sensoryok[U(n)]->SetBackColour(colour(bus::SensorMissingBit(n)));
}

void Triyak_Karti::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(palette().color(QPalette::Dark), 1));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace monitor
