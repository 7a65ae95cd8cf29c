#pragma once
// The "Tanımlamalar" tab: the project's free description text.

#include <QWidget>

#include "program/editor_model.h"

class QLineEdit;

namespace program::editors {

class DescriptionPage : public QWidget {
  Q_OBJECT

 public:
  // Character k is stored at image address k and address 0 stays 0, as the project
  // file lays the description out; a 128th character would live only in the model
  // and be lost at the next load, so the box takes 127.
  static constexpr int kMaxChars = 127;

  explicit DescriptionPage(QWidget* parent = nullptr);

  void Show(const EditorModel& model);
  // The box replaces the whole description: a shortened or emptied text leaves
  // nothing of the old one behind.
  void Store(EditorModel& model) const;

 private:
  QLineEdit* m_TXT_Pgm_aciklamasi = nullptr;
};

}  // namespace program::editors
