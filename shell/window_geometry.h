#pragma once
// Where the main window and its child windows stood and how large they were, kept
// between runs in a file of the user's configuration folder (not in kx7140.ini, whose
// layout is fixed). Without a file nothing is remembered.

#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

class QMainWindow;
class QMdiSubWindow;
class QSettings;

namespace shell {

class WindowGeometry {
 public:
  explicit WindowGeometry(const QString& file);
  ~WindowGeometry();

  // Shows the main window where it last stood; the first time at its own size, or
  // maximised when the screen has less room than that.
  void ShowMain(QMainWindow& window) const;
  void SaveMain(const QMainWindow& window);
  // Places a shown child window as it last stood, else with its widget at `inner` (the
  // size the widget asked for), kept inside `area`; from then on its moves and resizes
  // are remembered under `key`.
  void PlaceChild(QMdiSubWindow& sub, const QString& key, const QSize& inner, const QSize& area);

 private:
  std::unique_ptr<QSettings> m_settings;
};

// `wanted` moved and shrunk as little as possible to lie inside a `area` at (0, 0).
QRect KeptInside(const QRect& wanted, const QSize& area);

}  // namespace shell
