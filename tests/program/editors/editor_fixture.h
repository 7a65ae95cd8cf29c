#pragma once
// The program editor open on heap-held tables of its own (the model is too large for a
// test's stack under the sanitizers), and the cells and boxes the tests reach for.

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <ostream>

#include "link/shared_tables.h"
#include "program/editors/lamp_preset_dialog.h"
#include "program/editors/program_edit.h"
#include "program/editors/time_table_entry.h"
#include "program/memory_map.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"
#include "tests/monitor/views_app.h"
#include "tests/program/model_fixture.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace kxtest {

struct EditorHarness {
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  program::ProgramImage* image = &tables->image;
  program::EditorModel* model = &tables->model;
  bus::ViewFlags& flags = tables->flags;
  std::unique_ptr<program::editors::Program_EDIT> editor;
  QStringList statuses;  // the status line's messages, oldest first

  void LoadImage() {  // as a project load leaves the tables
    program::UnpackProgramImage(*image, *model);
    program::ExpandSteps(*model);
  }
  program::editors::Program_EDIT& Open() {
    editor =
        std::make_unique<program::editors::Program_EDIT>(*model, *image, flags, QStringLiteral("/p/a.prj"));
    QObject::connect(editor.get(), &program::editors::Program_EDIT::statusMessage,
                     [this](const QString& s) { statuses << s; });
    editor->show();
    editor->activateWindow();
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(editor.get());
    return *editor;
  }

  template <typename W>
  W& Find(const char* name) const {
    return Child<W>(*editor, QLatin1String(name));
  }
  // The program list; the weekly entry widget has a list of the same name.
  QComboBox& ProgramList() const {
    return *Child<QWidget>(*editor, QStringLiteral("ProgramlarPage"))
                .findChild<QComboBox*>(QStringLiteral("Combo1"), Qt::FindDirectChildrenOnly);
  }
  QTableView& Grid() const { return Find<QTableView>("MSFlexGrid1"); }
  QTableView& WeekGrid() const { return Find<QTableView>("MSFlexGrid2"); }
  QLineEdit& Sure() const { return Find<QLineEdit>("TXT_Sure"); }
  QString Cell(int step, int column) const {
    return Grid().model()->index(step - 1, column).data().toString();
  }
  void Current(int step, int column) const {
    Grid().setCurrentIndex(Grid().model()->index(step - 1, column));
  }
  QPoint CellCentre(const QTableView& grid, int row, int column) const {
    return grid.visualRect(grid.model()->index(row, column)).center();
  }
  void Click(QTableView& grid, int row, int column, Qt::MouseButton button = Qt::LeftButton) const {
    grid.scrollTo(grid.model()->index(row, column));
    QTest::mouseClick(grid.viewport(), button, {}, CellCentre(grid, row, column));
  }
  void TypeDuration(int step, const QString& text, Qt::Key key = Qt::Key_Return) {
    Click(Grid(), step - 1, 0);
    QTest::keyClicks(&Sure(), text);
    QTest::keyClick(&Sure(), key);
  }
  QListWidgetItem* Warning(const QString& part) const {
    return Find<QListWidget>("LST_Uyarilar").findItems(part, Qt::MatchContains).value(0);
  }
};

struct EditorTest : ::testing::Test, EditorHarness {
  static void SetUpTestSuite() { EnsureApplication(); }
};

}  // namespace kxtest
