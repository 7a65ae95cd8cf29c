#include "program/editors/lamp_preset_dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "monitor/traffic_lamp.h"
#include "monitor/twips.h"
#include "program/editors/state_picture.h"
#include "program/signal_state.h"

namespace program::editors {

namespace {

constexpr std::array<const char*, Frm_Edit_Pre1::kChoices> kCaptions = {
    "Kapalı", "Kırmızı", "Sarı", "Kırmızı + Sarı", "Yeşil", "Kırmızı Flas", "Sarı Flas", "Yeşil Flas"};

// Layout, twips.
constexpr int kMargin = 120;
constexpr int kOptionStep = 240;
constexpr int kPictureSide = 210;
constexpr int kOptionLeft = kMargin + kPictureSide + 90;
constexpr int kOptionWidth = 1700;
constexpr int kLampLeft = kOptionLeft + kOptionWidth + 60;
constexpr int kButtonSide = 390;
constexpr int kWidth = kLampLeft + monitor::Trf_Lamp::kWidthTwips + kMargin;
constexpr int kHeight = kMargin + kOptionStep * Frm_Edit_Pre1::kChoices + kMargin;

QString IndexName(const char* name, int i) { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i); }

}  // namespace

Frm_Edit_Pre1::Frm_Edit_Pre1(std::int16_t& CellStateCode, bool& blinkPhase,
                             std::function<void(int)> SetCellPicture, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_CellStateCode(CellStateCode),
      m_blinkPhase(blinkPhase),
      m_SetCellPicture(std::move(SetCellPicture)),
      m_cellCode(CellStateCode) {
  setObjectName(QStringLiteral("Frm_Edit_Pre1"));
  setWindowTitle(QStringLiteral("Seç"));
  setFixedSize(monitor::TwipSize(*this, kWidth, kHeight));

  auto* group = new QButtonGroup(this);
  for (int i = 0; i < kChoices; ++i) {
    const int top = kMargin + kOptionStep * i;
    auto* picture = new QLabel(this);
    picture->setObjectName(IndexName("Image1", i));
    const QRect pr = monitor::TwipRect(*this, kMargin, top, kPictureSide, kPictureSide);
    picture->setGeometry(pr);
    picture->setPixmap(StatePicturePixmap(kEditorStateCodes[static_cast<std::size_t>(i)], pr.height()));
    picture->installEventFilter(this);
    m_Image1[static_cast<std::size_t>(i)] = picture;

    auto* option = new QRadioButton(QString::fromUtf8(kCaptions[static_cast<std::size_t>(i)]), this);
    option->setObjectName(IndexName("Option1", i));
    option->setGeometry(monitor::TwipRect(*this, kOptionLeft, top - 15, kOptionWidth, kOptionStep));
    group->addButton(option, i);
    m_Option1[static_cast<std::size_t>(i)] = option;
  }
  connect(group, &QButtonGroup::idClicked, this, &Frm_Edit_Pre1::Option1Click);

  m_Trf_Lamp1 = new monitor::Trf_Lamp(this);
  m_Trf_Lamp1->setObjectName(QStringLiteral("Trf_Lamp1"));
  m_Trf_Lamp1->move(monitor::TwipRect(*this, kLampLeft, kMargin, 0, 0).topLeft());

  m_Command1 = new QPushButton(QStringLiteral("X"), this);
  m_Command1->setObjectName(QStringLiteral("Command1"));
  m_Command1->setGeometry(monitor::TwipRect(*this, kLampLeft, kHeight - kMargin - kButtonSide,
                                            monitor::Trf_Lamp::kWidthTwips, kButtonSide));
  connect(m_Command1, &QPushButton::clicked, this, &Frm_Edit_Pre1::Command1Click);

  m_Edit_Lambasimtimer = new QTimer(this);
  m_Edit_Lambasimtimer->setObjectName(QStringLiteral("Edit_Lambasimtimer"));
  m_Edit_Lambasimtimer->setInterval(500);
  connect(m_Edit_Lambasimtimer, &QTimer::timeout, this, &Frm_Edit_Pre1::Edit_LambasimtimerTick);
  m_Edit_Lambasimtimer->start();

  // Load: the option of the current code; a code without one becomes "Kapalı".
  const int index = OptionOfCode(m_CellStateCode);
  m_Option1[static_cast<std::size_t>(index)]->setChecked(true);
  Option1Click(index);
}

int Frm_Edit_Pre1::OptionOfCode(int code) {
  const int i = StatePictureIndex(code);
  return i < 0 ? 0 : i;
}

void Frm_Edit_Pre1::Option1Click(int index) {
  if (index < 0 || index >= kChoices) return;
  m_CellStateCode = kEditorStateCodes[static_cast<std::size_t>(index)];
  ShowPreview();
}

void Frm_Edit_Pre1::Image1Click(int index) {
  if (index < 0 || index >= kChoices) return;
  m_Option1[static_cast<std::size_t>(index)]->setChecked(true);
  Option1Click(index);
}

void Frm_Edit_Pre1::Command1Click() {
  if (m_SetCellPicture) m_SetCellPicture(m_CellStateCode);
  close();
}

void Frm_Edit_Pre1::Edit_LambasimtimerTick() {
  m_blinkPhase = !m_blinkPhase;
  ShowPreview();
}

void Frm_Edit_Pre1::ShowPreview() {
  m_Trf_Lamp1->SetState(LitStateCode(static_cast<std::uint8_t>(m_CellStateCode), m_blinkPhase));
}

void Frm_Edit_Pre1::closeEvent(QCloseEvent* event) {
  m_Edit_Lambasimtimer->stop();
  if (m_cancelled) {
    m_CellStateCode = m_cellCode;
  } else if (m_SetCellPicture) {
    m_SetCellPicture(m_CellStateCode);
  }
  event->accept();
}

void Frm_Edit_Pre1::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      m_cancelled = true;
      close();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter: close(); return;
    default: QWidget::keyPressEvent(event);
  }
}

void Frm_Edit_Pre1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    // Clicking elsewhere closes the window; a window that has never been active
    // (still being shown) is not closed.
    if (isActiveWindow()) {
      m_wasActive = true;
    } else if (m_wasActive && isVisible()) {
      QTimer::singleShot(0, this, &QWidget::close);
    }
  }
  QWidget::changeEvent(event);
}

bool Frm_Edit_Pre1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 0; i < kChoices; ++i) {
      if (watched == m_Image1[static_cast<std::size_t>(i)]) {
        Image1Click(i);
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace program::editors
