#include "program/editors/time_table_entry.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimeEdit>

#include "monitor/twips.h"
#include "program/week_entry_text.h"
#include "program/week_program_codes.h"

namespace program::editors {

Zaman_tablo_edit1::Zaman_tablo_edit1(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Zaman_tablo_edit1"));
  // A fixed size snaps back every resize: the editor sizes the weekly cell from it.
  setFixedSize(monitor::TwipSize(*this, kWidthTwips, kHeightTwips));
  setAutoFillBackground(true);

  m_DTPicker1 = new QTimeEdit(this);
  m_DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
  m_DTPicker1->setDisplayFormat(QStringLiteral("HH:mm"));
  m_DTPicker1->setButtonSymbols(QAbstractSpinBox::NoButtons);
  m_DTPicker1->setAlignment(Qt::AlignCenter);

  m_Combo1 = new QComboBox(this);
  m_Combo1->setObjectName(QStringLiteral("Combo1"));
  m_Combo1->addItem(QStringLiteral("--"));
  for (int i = 1; i <= 8; ++i) m_Combo1->addItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
  m_Combo1->addItems({QStringLiteral("YB"), QStringLiteral("DE"), QStringLiteral("FL")});
  m_Combo1->setCurrentIndex(0);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  row->addWidget(m_DTPicker1, 1);
  row->addWidget(m_Combo1, 1);

  if (auto* edit = m_DTPicker1->findChild<QLineEdit*>()) edit->installEventFilter(this);
  connect(m_Combo1, &QComboBox::currentIndexChanged, this, &Zaman_tablo_edit1::Combo1Click);
  connect(m_DTPicker1, &QTimeEdit::timeChanged, this, &Zaman_tablo_edit1::DTPicker1Change);
}

WeekEntry Zaman_tablo_edit1::Entry() {
  if (m_code && *m_code > kWeekFlash) m_code = kWeekNoProgram;
  WeekEntry entry{static_cast<std::uint8_t>(m_hour), static_cast<std::uint8_t>(m_minute), std::nullopt};
  if (m_code) entry.code = static_cast<std::uint8_t>(*m_code);
  return entry;
}

QString Zaman_tablo_edit1::Text() { return QString::fromStdString(WeekCellText(Entry())); }

void Zaman_tablo_edit1::SetText(const QString& text) {
  const WeekCellParts parts = ParseWeekCellText(text.toStdString());
  WeekEntry entry{parts.hour.value_or(0), parts.minute.value_or(0), parts.code};
  SetEntry(entry);
}

void Zaman_tablo_edit1::SetEntry(const WeekEntry& entry) {
  m_hour = entry.hour;
  m_minute = entry.minute;
  m_code = entry.code ? std::optional<int>(*entry.code) : std::nullopt;

  {
    const QSignalBlocker block(m_DTPicker1);
    const QTime time(m_hour, m_minute);
    m_DTPicker1->setTime(time.isValid() ? time : QTime(0, 0));
  }
  {
    const QSignalBlocker block(m_Combo1);
    int index = -1;
    if (m_code) {
      if (*m_code == kWeekFlash) {
        index = kFlashListIndex;
      } else if (*m_code <= kWeekDetector) {
        index = *m_code;
      } else if (*m_code >= 18) {
        index = 0;  // reads back as "--"
      }
    }
    m_Combo1->setCurrentIndex(index);
  }
}

void Zaman_tablo_edit1::Combo1Click(int index) {
  if (index < 0) return;
  m_code = index < kFlashListIndex ? index : static_cast<int>(kWeekFlash);
}

bool Zaman_tablo_edit1::eventFilter(QObject* watched, QEvent* event) {
  // A click leaves a bare cursor in the picker, and a digit typed there is inserted
  // before the old ones, making a time the picker refuses. With the clicked section
  // selected, typing overwrites it, so "2145" and "21:45" are typed as they are said.
  if (event->type() == QEvent::MouseButtonRelease && watched == m_DTPicker1->findChild<QLineEdit*>()) {
    m_DTPicker1->setSelectedSection(m_DTPicker1->currentSection());
  }
  return QWidget::eventFilter(watched, event);
}

void Zaman_tablo_edit1::DTPicker1Change() {
  const QTime t = m_DTPicker1->time();
  m_hour = t.hour();
  m_minute = t.minute();
}

}  // namespace program::editors
