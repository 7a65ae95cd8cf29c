#include "monitor/registers_panel.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>

#include "link/hex_text.h"
#include "monitor/back_colour.h"
#include "monitor/twip_label.h"
#include "monitor/twips.h"

namespace monitor {

namespace {

constexpr int kColumnStep = 495;
constexpr int kRowStep = 240;
constexpr int kGridTop = 480;
constexpr int kWindowWidth = kColumnStep * Registers_panel::kCards + 60;
constexpr int kWindowHeight = kGridTop + kRowStep * Registers_panel::kWords + 120;

}  // namespace

Registers_panel::Registers_panel(bus::SharedTables& tables, QWidget* parent)
    : QWidget(parent), m_regs(tables.regs), m_flags(tables.flags) {
  setObjectName(QStringLiteral("Registers_panel"));
  setWindowTitle(QStringLiteral(" Triyak Kartları Kontrol Kaydedicileri"));
  // Wide enough that a window frame shows the whole caption beside its buttons.
  QFont titleFont = font();
  titleFont.setBold(true);
  constexpr int kTitleButtons = 120;
  const QSize grid = TwipSize(*this, kWindowWidth, kWindowHeight);
  setFixedSize(
      std::max(grid.width(), QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleButtons),
      grid.height());
  SetBackColour(*this, QColor(224, 224, 224));
  QFont cell = font();
  cell.setPointSizeF(8.25);
  setFont(cell);

  QFont header = font();
  header.setPointSizeF(13.5);
  for (int c = 0; c < kCards; ++c) {
    QLabel* h = AddTwipLabel(*this, IndexedName("LBL_Regs", c), QString::number(c + 1),
                             {150 + kColumnStep * c, 105, 255, 375}, Qt::AlignCenter);
    h->setFont(header);
  }
  for (int k = 0; k < kCards * kWords; ++k) {
    QLabel* l = AddTwipLabel(*this, IndexedName("Lbl_registers", k), QStringLiteral("XXXX"),
                             {kColumnStep * (k / kWords), kGridTop + kRowStep * (k % kWords), 480, 255},
                             Qt::AlignCenter);
    SetBackColour(*l, bus::kWhite);
    m_Lbl_registers[static_cast<std::size_t>(k)] = l;
  }
  m_shown.fill(-1);

  m_Timer1 = new QTimer(this);
  m_Timer1->setObjectName(QStringLiteral("Timer1"));
  m_Timer1->setInterval(100);
  connect(m_Timer1, &QTimer::timeout, this, &Registers_panel::Timer1Tick);
  m_Timer1->start();

  m_flags.RegistersViewDirty = true;
  m_listening = tables.events.Listen([this](const bus::LinkEvent& e) {
    if (bus::CardWordsStored(e)) m_flags.RegistersViewDirty = true;
  });
}

void Registers_panel::Timer1Tick() {
  if (!m_flags.RegistersViewDirty) return;
  for (int card = 0; card < kCards; ++card) {
    const auto& words = m_regs.TriacCardRegs[static_cast<std::size_t>(card)];
    for (int word = 0; word < kWords; ++word) {
      const std::size_t k =
          static_cast<std::size_t>(kWords) * static_cast<std::size_t>(card) + static_cast<std::size_t>(word);
      const std::int32_t value = words[static_cast<std::size_t>(word)];
      if (value == m_shown[k]) continue;
      m_shown[k] = value;
      m_Lbl_registers[k]->setText(QString::fromStdString(bus::WordToHex4(value)));
    }
  }
  m_flags.RegistersViewDirty = false;
}

}  // namespace monitor
