#include "shell/qt_language.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace shell {

bool LoadQtTranslation(QTranslator& translator, const QLocale& locale, const QString& folder) {
  if (locale.language() != QLocale::Turkish) return false;
  // "qt_tr" gathers qtbase and the other modules' texts; qtbase alone where it is missing.
  return translator.load(locale, QStringLiteral("qt"), QStringLiteral("_"), folder) ||
         translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder);
}

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

}  // namespace shell
