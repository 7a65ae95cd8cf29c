#pragma once
// Answers every question box that opens while it lives with the named button, the
// way a user would, and counts the questions.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace kxtest {

struct QuestionAnswerer {
  explicit QuestionAnswerer(const char* button) {
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      ++count;
      text = box->text();
      if (auto* b = box->findChild<QPushButton*>(QString::fromLatin1(button))) b->click();
    });
    timer.start();
  }

  int count = 0;
  QString text;  // of the last question
  QTimer timer;
};

}  // namespace kxtest
