#pragma once
// The widget tests share one QApplication; whichever fixture needs it first makes it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QWidget>
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

// The colour the widget's background is painted in; none when it paints no background.
inline QColor Back(const QWidget& w) {
  if (auto* s = qobject_cast<const monitor::StatusLabel*>(&w)) {
    return s->HasBackColour() ? monitor::ToQColor(s->BackColour()) : QColor();
  }
  return w.autoFillBackground() ? w.palette().color(QPalette::Window) : QColor();
}
inline std::string TextOf(const QLabel& l) { return l.text().toStdString(); }

inline const QColor kRedC(255, 0, 0);
inline const QColor kGreenC(0, 255, 0);
inline const QColor kYellowC(255, 255, 0);
inline const QColor kWhiteC(255, 255, 255);
inline const QColor kBlackC(0, 0, 0);

}  // namespace kxtest
