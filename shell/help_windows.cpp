#include "shell/help_windows.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "kx_build_info.h"

namespace shell {

QWidget* MakeUserGuideWindow(QWidget* parent) {
  auto* window = new QWidget(parent, Qt::Window);
  window->setObjectName(QStringLiteral("KullanimKilavuzu"));
  window->setWindowTitle(QStringLiteral("Kullanım Kılavuzu"));
  window->setAttribute(Qt::WA_DeleteOnClose);
  auto* text = new QTextBrowser(window);
  text->setObjectName(QStringLiteral("KilavuzMetni"));
  // Links within the guide stay here; a web address opens in the system browser.
  text->setOpenExternalLinks(true);
  text->setSource(QUrl(QStringLiteral("qrc:/help/kullanim-kilavuzu.html")));
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text);
  window->resize(760, 640);
  return window;
}

QString AboutText(const QString& settingsFile) {
  const QString build =
      QStringLiteral(KX_BUILD_COMMIT) + (QStringLiteral(KX_BUILD_TYPE).isEmpty()
                                             ? QString()
                                             : QStringLiteral(", ") + QStringLiteral(KX_BUILD_TYPE));
  return QStringLiteral(
             "KX7140 Servis Programı\n"
             "Sürüm: %1\n"
             "Derleme: %2\n"
             "Qt: %3 (derlendiği sürüm %4)\n"
             "Ayar dosyası: %5")
      .arg(QStringLiteral(KX_VERSION), build, QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR),
           settingsFile);
}

QWidget* MakeAboutWindow(const QString& settingsFile, QWidget* parent) {
  auto* window = new QWidget(parent, Qt::Dialog);
  window->setObjectName(QStringLiteral("Hakkinda"));
  window->setWindowTitle(QStringLiteral("Hakkında"));
  window->setAttribute(Qt::WA_DeleteOnClose);
  auto* label = new QLabel(AboutText(settingsFile), window);
  label->setObjectName(QStringLiteral("HakkindaMetni"));
  // The settings path is worth copying into a file manager.
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* close = new QPushButton(QStringLiteral("Kapat"), window);
  close->setObjectName(QStringLiteral("Kapat"));
  QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(label);
  layout->addWidget(close, 0, Qt::AlignRight);
  return window;
}

}  // namespace shell
