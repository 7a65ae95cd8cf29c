#pragma once
// The one-line reason for a command line that QCommandLineParser refused, worded as
// kx7140, kx7140ctl and kx7140-sim all word it: "unknown option --x", "missing value
// after '--port'".

#include <QCommandLineParser>

#include <string>

namespace qtlink {

inline std::string OptionError(const QCommandLineParser& parser) {
  const QStringList unknown = parser.unknownOptionNames();
  if (!unknown.isEmpty()) {
    const QString& name = unknown.first();
    return "unknown option " + (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")).toStdString() +
           name.toStdString();
  }
  // "Missing value after '--port'." as a clause of our own line.
  QString text = parser.errorText();
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  if (!text.isEmpty()) text[0] = text[0].toLower();
  return text.toStdString();
}

}  // namespace qtlink
