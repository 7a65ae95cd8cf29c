#pragma once
// Qt's own texts (the file and print dialogs, the buttons of a question) in the user's
// language: Turkish from Qt's translations when the system speaks Turkish, Qt's
// English otherwise.

#include <QLocale>
#include <QString>

class QTranslator;

namespace shell {

// Loads Qt's translation for `locale` from `folder` into `translator`. True when one
// was loaded; English, and a system without Qt's translations, load none.
bool LoadQtTranslation(QTranslator& translator, const QLocale& locale, const QString& folder);

// Qt's translations folder of this installation.
QString QtTranslationsFolder();

}  // namespace shell
