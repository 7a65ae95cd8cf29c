#pragma once
// The one file dialog of the main window, which keeps its folder and its last title
// between uses. Tests put a scripted chooser in its place.

#include <QFileDialog>
#include <QString>

#include <optional>

namespace shell {

inline constexpr const char* kProjectPattern = "*.prj";

class ProjectDialog {
 public:
  enum class Kind { Open, Save };
  virtual ~ProjectDialog() = default;
  // The chosen file, or "*.prj" when the user cancelled. Without a title the last
  // one given stays.
  virtual QString Choose(Kind kind, const std::optional<QString>& title) = 0;
  // As Choose, but the title is this choice's only: a later choice without a title
  // shows the one before it.
  virtual QString ChooseOnce(Kind kind, const QString& title) { return Choose(kind, title); }
};

class CommonDialog : public ProjectDialog {
 public:
  CommonDialog(QWidget* parent, const QString& startFolder);
  QString Choose(Kind kind, const std::optional<QString>& title) override;
  QString ChooseOnce(Kind kind, const QString& title) override;

  // Sets the dialog up as Choose shows it: every command starts in the program folder
  // with the file name "*.prj", never on the file chosen last (a "Yeni" there would
  // offer to overwrite the project in hand).
  void Prepare(Kind kind, const std::optional<QString>& title);
  const QFileDialog& Dialog() const { return m_dialog; }

 private:
  QFileDialog m_dialog;
  QString m_startFolder;
};

}  // namespace shell
