#include "shell/compare_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace shell {

QWidget* MakeCompareWindow(const QString& left, const QString& right,
                           const std::vector<program::ImageDifference>& differences, QWidget* parent) {
  auto* window = new QWidget(parent, Qt::Dialog);
  window->setObjectName(QStringLiteral("Karsilastir"));
  window->setWindowTitle(QStringLiteral("Karşılaştır"));
  window->setAttribute(Qt::WA_DeleteOnClose);
  auto* heading =
      new QLabel(QStringLiteral("%1 -> %2: %3 fark").arg(left, right).arg(differences.size()), window);
  heading->setObjectName(QStringLiteral("LBL_Karsilastir"));
  heading->setWordWrap(true);
  heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* list = new QListWidget(window);
  list->setObjectName(QStringLiteral("LST_Farklar"));
  for (const program::ImageDifference& d : differences) list->addItem(QString::fromStdString(d.text));
  if (differences.empty()) list->addItem(QStringLiteral("Fark yok"));
  auto* close = new QPushButton(QStringLiteral("Kapat"), window);
  close->setObjectName(QStringLiteral("Kapat"));
  QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(heading);
  layout->addWidget(list, 1);
  layout->addWidget(close, 0, Qt::AlignRight);
  window->resize(640, 480);
  return window;
}

}  // namespace shell
