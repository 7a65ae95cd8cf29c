#pragma once
// The widget tests share one QApplication; whichever fixture needs it first makes it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <stdexcept>
#include <string>

#include "monitor/back_colour.h"
#include "monitor/status_label.h"

namespace kxtest {

inline void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tests";
  static char* argv[] = {name, nullptr};
  // Owned by Qt until the process ends.
  new QApplication(argc, argv);
}

struct ViewTest : ::testing::Test {
  static void SetUpTestSuite() { EnsureApplication(); }
};

// A named child, failing the test when it is missing.
template <typename W = QLabel>
W& Child(const QObject& parent, const QString& name) {
  W* w = parent.findChild<W*>(name);
  if (!w) throw std::runtime_error("no child named " + name.toStdString());
  return *w;
}

inline std::string TextOf(const QLabel& l) { return l.text().toStdString(); }
// The colours the named children's backgrounds are painted in as letters, to compare a
// row of lights at once: R red, G green, Y yellow, W white, K black, - none, ? any other.
inline std::string BackLetters(const QObject& parent, const QStringList& names) {
  std::string v;
  for (const QString& n : names) {
    const QWidget& w = Child<QWidget>(parent, n);
    QColor c = w.autoFillBackground() ? w.palette().color(QPalette::Window) : QColor();
    if (auto* s = qobject_cast<const monitor::StatusLabel*>(&w))
      c = s->HasBackColour() ? monitor::ToQColor(s->BackColour()) : QColor();
    const QRgb known[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(255, 255, 255),
                          qRgb(0, 0, 0)};
    const auto at = std::find(std::begin(known), std::end(known), c.rgb()) - std::begin(known);
    v += c.isValid() ? "RGYWK?"[at] : '-';
  }
  return v;
}
// "Name(0)", "Name(1)", ... the names of a control array.
inline QStringList Indexed(const char* name, int count, int first = 0) {
  QStringList v;
  for (int i = first; i < first + count; ++i) v << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
  return v;
}

}  // namespace kxtest
