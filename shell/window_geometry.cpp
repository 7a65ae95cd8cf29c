#include "shell/window_geometry.h"

#include <QEvent>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>

#include <algorithm>

namespace shell {

namespace {

const QString kMain = QStringLiteral("AnaPencere/geometri");

// Writes a child's place into the settings whenever it moves or changes size.
class ChildWatch : public QObject {
 public:
  ChildWatch(QSettings& settings, QString key, QObject* parent)
      : QObject(parent), m_settings(settings), m_key(std::move(key)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
      auto* sub = static_cast<QMdiSubWindow*>(watched);
      if (!sub->isMaximized() && !sub->isMinimized() && sub->isVisible()) {
        m_settings.setValue(m_key, sub->geometry());
      }
    }
    return false;
  }

 private:
  QSettings& m_settings;
  QString m_key;
};

}  // namespace

QRect KeptInside(const QRect& wanted, const QSize& area) {
  QRect r(wanted.topLeft(), wanted.size().boundedTo(area).expandedTo(QSize(1, 1)));
  r.moveLeft(std::clamp(r.left(), 0, std::max(0, area.width() - r.width())));
  r.moveTop(std::clamp(r.top(), 0, std::max(0, area.height() - r.height())));
  return r;
}

WindowGeometry::WindowGeometry(const QString& file) {
  if (!file.isEmpty()) m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

WindowGeometry::~WindowGeometry() = default;

void WindowGeometry::ShowMain(QMainWindow& window) const {
  const bool restored = m_settings && window.restoreGeometry(m_settings->value(kMain).toByteArray());
  if (restored && window.isMaximized()) return window.show();
  const QScreen* screen = window.screen();
  const QRect room = screen ? screen->availableGeometry() : window.geometry();
  // The window's frame needs room too; a screen that cannot take the whole window
  // (a smaller laptop than last time, too) gets it maximised, status bar and all.
  // Without a window manager to maximise it, it still takes the screen's size.
  constexpr int kFrame = 32;
  if (room.width() < window.width() || room.height() < window.height() + kFrame) {
    window.setGeometry(room.adjusted(0, kFrame, 0, 0));
    window.showMaximized();
  } else {
    window.show();
  }
}

void WindowGeometry::SaveMain(const QMainWindow& window) {
  if (m_settings) m_settings->setValue(kMain, window.saveGeometry());
}

void WindowGeometry::PlaceChild(QMdiSubWindow& sub, const QString& key, const QSize& inner,
                                const QSize& area) {
  const QString name = QStringLiteral("Pencereler/") + key;
  QRect place;
  if (m_settings) place = m_settings->value(name).toRect();
  if (!place.isValid()) {
    // The child's own size, and the sub-window's frame around it.
    const QWidget* shown = sub.widget();
    const QSize frame = shown ? sub.size() - shown->size() : QSize();
    place = QRect(sub.pos(), inner + frame.expandedTo(QSize(0, 0)));
  }
  sub.setGeometry(KeptInside(place, area));
  if (m_settings) sub.installEventFilter(new ChildWatch(*m_settings, name, &sub));
}

}  // namespace shell
