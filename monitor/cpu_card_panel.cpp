#include "monitor/cpu_card_panel.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>

#include "link/register_meaning.h"
#include "monitor/back_colour.h"
#include "monitor/fit_text.h"
#include "monitor/locale_separators.h"
#include "monitor/status_label.h"
#include "monitor/twip_label.h"
#include "monitor/twips.h"

namespace monitor {

namespace {

// Wider than 810 twips: a power of 3,118.13 W would not fit in those.
constexpr int kReadingWidth = 1215;

constexpr std::array<int, 4> kDetectorBitLefts = {1440, 1710, 1980, 2250};
constexpr std::array<const char*, 4> kDetectorBitCaptions = {"1", "2", "3", "Y"};

QString Text(const std::string& s) { return QString::fromStdString(s); }

void SetText(QLabel& label, const QString& text) {
  if (label.text() != text) label.setText(text);
}

void ShowLook(const std::optional<bus::StateLook>& look, QLabel& text, StatusLabel& shape) {
  if (!look) return;  // an unknown code keeps what was shown
  SetText(text, QString::fromUtf8(look->text));
  shape.SetBackColour(look->colour);
}

QFont TitleFont(const QFont& base) {
  QFont f = base;
  f.setPointSize(12);
  f.setBold(true);
  return f;
}

}  // namespace

KX7145V1::KX7145V1(const bus::RegisterImage& regs, QWidget* parent)
    : QWidget(parent), m_regs(regs), m_separators(SystemSeparators()) {
  setObjectName(QStringLiteral("KX7145V1"));
  setFixedSize(TwipSize(*this, kWidthTwips, kHeightTwips));
  QFont small = font();
  small.setPointSizeF(7.5);
  setFont(small);

  const auto frame = [this](int index, TwipBox b) {
    auto* f = new QFrame(this);
    f->setObjectName(IndexedName("Shape2", index));
    f->setFrameShape(QFrame::Box);
    PlaceTwips(*f, *this, b.left, b.top, b.width, b.height);
    return f;
  };
  // The group frames first, so that the elements inside them stay on top.
  frame(0, {45, 3330, 3210, 870});
  frame(1, {45, 4230, 3210, 825});

  const auto caption = [this](int index, const char* text, TwipBox b, bool title = false) {
    QLabel* l = AddTwipLabel(*this, IndexedName("CPU_LBL", index), QString::fromUtf8(text), b);
    if (title) l->setFont(TitleFont(font()));
    m_CPU_LBL[static_cast<std::size_t>(index)] = l;
  };
  const auto shape = [this](int index, TwipBox b) {
    m_Shape1[static_cast<std::size_t>(index)] = AddTwipIndicator(*this, IndexedName("Shape1", index), "", b);
  };
  const auto status = [this](int index, TwipBox b) {
    m_Lbl_Status[static_cast<std::size_t>(index)] =
        AddTwipLabel(*this, IndexedName("Lbl_Status", index), "status", b);
  };
  const auto reading = [this](int index, TwipBox b) {
    QLabel* l =
        AddTwipLabel(*this, IndexedName("Lbl_CPU_Regs", index), "XXXX", b, Qt::AlignRight | Qt::AlignVCenter);
    m_Lbl_CPU_Regs[static_cast<std::size_t>(index)] = l;
    return l;
  };

  caption(0, "CPU", {90, 45, 1065, 330}, true);
  shape(0, {90, 315, 225, 330});
  status(0, {405, 360, 960, 225});
  caption(8, "Time", {90, 675, 3210, 240});
  {
    // The controller's clock with the longest weekday names it can send.
    QStringList clocks;
    for (const QString& day : LongWeekdayNames())
      clocks << QStringLiteral("CPU Time= 30.12.2026 23:59:59 ") + day;
    FitFontToTexts(*m_CPU_LBL[8], clocks);
  }
  m_Label1 = AddTwipLabel(*this, "Label1", "Label1", {90, 990, 3165, 240});
  caption(1, "PSU:", {90, 1305, 435, 240});
  SetBackColour(*reading(5, {765, 1260, kReadingWidth, 225}), bus::kWhite);
  caption(2, "Şebeke", {90, 1620, 660, 240});
  reading(3, {765, 1485, kReadingWidth, 225});
  reading(4, {765, 1710, kReadingWidth, 225});
  caption(6, "Güç", {90, 1935, 615, 240});
  reading(6, {765, 1935, kReadingWidth, 225});
  caption(5, "Akım:", {90, 2160, 525, 240});
  reading(8, {765, 2160, kReadingWidth, 225});
  caption(7, "Sıcaklık:", {90, 2385, 750, 240});
  reading(7, {765, 2385, kReadingWidth, 225});

  caption(3, "DEDEKTÖR", {90, 3330, 1695, 330}, true);
  shape(1, {90, 3645, 225, 330});
  status(1, {405, 3690, 960, 225});
  for (std::size_t n = 0; n < 4; ++n) {
    StatusLabel* bit = AddTwipIndicator(*this, IndexedName("Shape_DedBits", static_cast<int>(n)),
                                        QString::fromLatin1(kDetectorBitCaptions[n]),
                                        {kDetectorBitLefts[n], 3690, 240, 240});
    bit->SetBackColour(bus::kBlack);
    // Set once: the caption must read on black and on red alike.
    QPalette light = bit->palette();
    light.setColor(QPalette::WindowText, Qt::white);
    bit->setPalette(light);
    m_Shape_DedBits[n] = bit;
  }
  m_Lbl_Ded_Status = AddTwipLabel(*this, "Lbl_Ded_Status", "", {1440, 3960, 1050, 240});

  caption(4, "GPS", {90, 4230, 750, 330}, true);
  shape(2, {90, 4545, 225, 330});
  status(2, {405, 4590, 2085, 225});
}

void KX7145V1::SetNumberSeparators(const bus::NumberSeparators& separators) {
  m_separators = separators;
  m_shownOnce = false;
}

KX7145V1::Inputs KX7145V1::Read() const {
  Inputs in;
  in.cpu = *this;
  in.detectorState = m_regs.DetectorRegs[bus::detector_word::kState];
  in.detectorBits = m_regs.DetectorRegs[bus::detector_word::kInputs];
  in.gps = m_regs.GpsRegs;
  in.clock = m_regs.CpuClockText;
  return in;
}

void KX7145V1::Refresh() {
  Inputs now = Read();
  const bool all = !m_shownOnce;
  if (!all && now == m_shown) return;

  ShowStates(now, all);
  if (all || now.gps != m_shown.gps) ShowGpsClock(now);
  if (all || now.detectorBits != m_shown.detectorBits) ShowDetectorInputs(now);
  if (all || now.cpu != m_shown.cpu) ShowMeasurements(now, all);
  if (all || now.clock != m_shown.clock) {
    SetText(*m_CPU_LBL[8], QStringLiteral("CPU Time= ") + Text(now.clock));
  }

  m_shown = std::move(now);
  m_shownOnce = true;
}

void KX7145V1::ShowStates(const Inputs& now, bool all) {
  if (all || now.cpu.CpuState != m_shown.cpu.CpuState) {
    ShowLook(bus::RunStateLook(now.cpu.CpuState), *m_Lbl_Status[0], *m_Shape1[0]);
  }
  if (all || now.detectorState != m_shown.detectorState) {
    ShowLook(bus::RunStateLook(now.detectorState), *m_Lbl_Status[1], *m_Shape1[1]);
  }
  const std::int32_t gpsState = now.gps[bus::gps_word::kState];
  if (all || gpsState != m_shown.gps[bus::gps_word::kState]) {
    ShowLook(bus::GpsStateLook(gpsState), *m_Lbl_Status[2], *m_Shape1[2]);
  }
}

void KX7145V1::ShowGpsClock(const Inputs& now) {
  using namespace bus::gps_word;
  const auto two = [&](int k) { return bus::ZeroPadded(now.gps[static_cast<std::size_t>(k)], 2); };
  const std::string line = "GPS Time= " + two(kDay) + "." + two(kMonth) + "." +
                           bus::ZeroPadded(now.gps[kYear], 4) + " " + two(kHour) + ":" + two(kMinute) + ":" +
                           two(kSecond);
  SetText(*m_Label1, Text(line));
}

void KX7145V1::ShowDetectorInputs(const Inputs& now) {
  SetText(*m_Lbl_Ded_Status, QString::number(now.detectorBits));
  // A word that is not an input word leaves the inputs as they were shown.
  if (!bus::DetectorInputsValid(now.detectorBits)) return;
  for (std::size_t n = 0; n < 4; ++n) {
    m_Shape_DedBits[n]->SetBackColour((now.detectorBits >> n) & 1 ? bus::kRed : bus::kBlack);
  }
}

void KX7145V1::ShowMeasurements(const Inputs& now, bool all) {
  const CpuCardFields& f = now.cpu;
  const CpuCardFields& was = m_shown.cpu;
  const auto hundredths = [this](std::int32_t v, const char* unit) {
    return Text(bus::ShortFixedText(v, 2, m_separators) + unit);
  };
  if (all || f.PsuVoltage != was.PsuVoltage) {
    SetText(*m_Lbl_CPU_Regs[5], hundredths(f.PsuVoltage, " V"));
  }
  if (all || f.MainsVoltage != was.MainsVoltage) {
    SetText(*m_Lbl_CPU_Regs[3], hundredths(f.MainsVoltage, " V"));
  }
  if (all || f.MainsFrequency != was.MainsFrequency) {
    SetText(*m_Lbl_CPU_Regs[4], hundredths(f.MainsFrequency, " Hz"));
  }
  if (all || f.MainsVoltage != was.MainsVoltage || f.MainsCurrent != was.MainsCurrent) {
    const std::int64_t power = bus::MainsPowerTenThousandths(f.MainsVoltage, f.MainsCurrent);
    SetText(*m_Lbl_CPU_Regs[6],
            Text(bus::FixedText(bus::RoundedQuotient(power, 100), 2, true, m_separators) + " W"));
  }
  if (all || f.MainsCurrent != was.MainsCurrent) {
    SetText(*m_Lbl_CPU_Regs[8], hundredths(f.MainsCurrent, " A"));
  }
  if (all || f.Temperature != was.Temperature) {
    SetText(*m_Lbl_CPU_Regs[7], QString::number(f.Temperature) + QStringLiteral(" C"));
  }
}

void KX7145V1::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(palette().color(QPalette::Dark), 1));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace monitor
