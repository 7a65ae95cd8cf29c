#pragma once
// The buffer window: the whole ProgramImage as 4096 hexadecimal lines. The list is a
// snapshot, taken when the window opens and on its two buttons, not when the image
// changes.

#include <QWidget>
#include <functional>

#include "link/shared_tables.h"
#include "program/program_image.h"

class QListView;
class QPushButton;

namespace monitor {

class BufferLinesModel;

class FRM_Buffer : public QWidget {
  Q_OBJECT

 public:
  // Lists the tables' ProgramImage.
  explicit FRM_Buffer(const bus::SharedTables& tables, QWidget* parent = nullptr);

  // Reads the current project file into the ProgramImage; run by "Yükle" before the
  // list is filled again. Without it "Yükle" only refills the list.
  std::function<void()> ProjectLoad;

  // Rebuilds the list from the ProgramImage.
  void FillList();

 private:
  void Command1Click();
  void Command2Click();

  const program::ProgramImage& m_image;
  BufferLinesModel* m_model = nullptr;
  QListView* m_List1 = nullptr;
  QPushButton* m_Command1 = nullptr;
  QPushButton* m_Command2 = nullptr;
};

}  // namespace monitor
