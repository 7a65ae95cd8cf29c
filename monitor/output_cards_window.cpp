#include "monitor/output_cards_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

#include "link/register_meaning.h"
#include "monitor/cpu_card_panel.h"
#include "monitor/triac_card_panel.h"
#include "monitor/twip_label.h"
#include "monitor/twips.h"

namespace monitor {

namespace {

// The panel's layout puts card 8 at 10305 twips, not at 7 × 1470 = 10290.
constexpr std::array<int, CikisKartlari::kTriacPanels> kPanelLefts = {0,    1470, 2940, 4410,
                                                                      5880, 7350, 8820, 10305};
constexpr int kCpuPanelLeft = 11790;
constexpr int kButtonRowTop = 5190;
constexpr int kButtonHeight = 375;
constexpr int kWindowWidth = kCpuPanelLeft + 3360;
constexpr int kWindowHeight = kButtonRowTop + kButtonHeight + 60;

}  // namespace

CikisKartlari::CikisKartlari(bus::SharedTables& tables, QWidget* parent)
    : QWidget(parent), m_regs(tables.regs), m_flags(tables.flags) {
  setObjectName(QStringLiteral("CikisKartlari"));
  setWindowTitle(QStringLiteral("Cihaz Bilgileri..."));
  setFixedSize(TwipSize(*this, kWindowWidth, kWindowHeight));

  for (int i = 0; i < kTriacPanels; ++i) {
    auto* panel = new Triyak_Karti(this);
    panel->setObjectName(IndexedName("Triyak_Karti1", i));
    panel->move(TwipRect(*this, kPanelLefts[static_cast<std::size_t>(i)], 0, 0, 0).topLeft());
    m_Triyak_Karti1[static_cast<std::size_t>(i)] = panel;
  }
  m_KX7145V11 = new KX7145V1(m_regs, this);
  m_KX7145V11->setObjectName(QStringLiteral("KX7145V11"));
  m_KX7145V11->move(TwipRect(*this, kCpuPanelLeft, 0, 0, 0).topLeft());

  // The two raw views of the same card words open from here.
  m_BTN_Registers = new QPushButton(QStringLiteral("Kaydediciler"), this);
  m_BTN_Registers->setObjectName(QStringLiteral("BTN_Registers"));
  m_BTN_Registers->setToolTip(QStringLiteral("Triyak Kartları Kontrol Kaydedicileri"));
  PlaceTwips(*m_BTN_Registers, *this, kCpuPanelLeft + 90, kButtonRowTop, 1500, kButtonHeight);
  connect(m_BTN_Registers, &QPushButton::clicked, this, &CikisKartlari::registersRequested);

  m_BTN_Lamps = new QPushButton(QStringLiteral("LED Gösterge"), this);
  m_BTN_Lamps->setObjectName(QStringLiteral("BTN_Lamps"));
  m_BTN_Lamps->setToolTip(QStringLiteral("Triyak Kartı LED GÖSTERGE"));
  PlaceTwips(*m_BTN_Lamps, *this, kCpuPanelLeft + 1680, kButtonRowTop, 1500, kButtonHeight);
  connect(m_BTN_Lamps, &QPushButton::clicked, this, &CikisKartlari::lampsRequested);

  // Under the last card, where the button row has room.
  m_BTN_Trends = new QPushButton(QStringLiteral("Eğilimler"), this);
  m_BTN_Trends->setObjectName(QStringLiteral("BTN_Trends"));
  m_BTN_Trends->setToolTip(QStringLiteral("Eğilimler"));
  PlaceTwips(*m_BTN_Trends, *this, kCpuPanelLeft - 1590, kButtonRowTop, 1500, kButtonHeight);
  connect(m_BTN_Trends, &QPushButton::clicked, this, &CikisKartlari::trendsRequested);

  m_listening = tables.events.Listen([this](const bus::LinkEvent& e) {
    if (std::holds_alternative<bus::PcTurn>(e) && m_flags.CardsViewOpen && m_flags.TablesReady) Tazele();
  });
}

// No signal from here: whoever listens may be going away in the same teardown.
CikisKartlari::~CikisKartlari() { m_flags.CardsViewOpen = false; }

Triyak_Karti& CikisKartlari::TriacPanel(int index) {
  return *m_Triyak_Karti1[static_cast<std::size_t>(std::clamp(index, 0, kTriacPanels - 1))];
}

void CikisKartlari::SetNumberSeparators(const bus::NumberSeparators& separators) {
  for (Triyak_Karti* p : m_Triyak_Karti1) p->SetNumberSeparators(separators);
  m_KX7145V11->SetNumberSeparators(separators);
}

void CikisKartlari::Tazele() {
  for (int i = 0; i < kTriacPanels; ++i) {
    Triyak_Karti& p = *m_Triyak_Karti1[static_cast<std::size_t>(i)];
    const bus::TriacCardReading card = bus::ReadTriacCard(m_regs, i);
    p.CardNo = static_cast<std::uint8_t>(i + 1);
    p.CardState = card.state;
    p.ChannelLamps = card.lamps;
    p.ChannelFaults = card.channelFaults;
    p.ChannelCurrent = card.currentMilliamps;
    p.SupplyRaw = card.supplyRaw;
    p.FaultWord = card.faultWord;
    p.Refresh();
  }
  const auto cpuWord = [this](int i) { return m_regs.CpuCardRegs[static_cast<std::size_t>(i)]; };
  KX7145V1& cpu = *m_KX7145V11;
  cpu.CpuState = cpuWord(bus::cpu_word::kState);
  cpu.MainsVoltage = cpuWord(bus::cpu_word::kMainsVoltage);
  cpu.MainsFrequency = cpuWord(bus::cpu_word::kMainsFrequency);
  cpu.PsuVoltage = cpuWord(bus::cpu_word::kPsuVoltage);
  cpu.Temperature = cpuWord(bus::cpu_word::kTemperature);
  cpu.MainsCurrent = cpuWord(bus::cpu_word::kCurrent);
  cpu.Refresh();
}

void CikisKartlari::SetOpen(bool open) { m_flags.CardsViewOpen = open; }

void CikisKartlari::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  SetOpen(true);
}

void CikisKartlari::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) SetOpen(false);
}

}  // namespace monitor
