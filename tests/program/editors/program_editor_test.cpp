#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "editor_fixture.h"
#include "program/editors/time_table_entry.h"

namespace {

using program::ProgramRecordBase;
using program::editors::Program_EDIT;

struct ProgramEditor : kxtest::EditorTest {
  QColor RowColour(int row) const {
    return Grid().model()->headerData(row, Qt::Vertical, Qt::BackgroundRole).value<QColor>();
  }
};

TEST_F(ProgramEditor, OpensOnProgram1AndFlashRecordsShowOneStepAndPhasesSurviveASave) {
  model->PgmGroups[2][98][0] = 77;
  model->PgmGroups[17][1][0] = 17;
  Program_EDIT& e = Open();
  EXPECT_EQ(e.windowTitle(), "Program Editor/p/a.prj");
  ASSERT_EQ(ProgramList().count(), 12);
  EXPECT_EQ(e.CurrentRecord(), 2);
  EXPECT_EQ(std::pair(Grid().model()->rowCount(), Grid().model()->columnCount()), std::pair(98, 33));
  EXPECT_EQ(Cell(98, 0), "77");
  EXPECT_FALSE(Find<QGroupBox>("Frm_Ded_Pgm").isVisible() || Sure().isVisible() ||
               Find<program::editors::Zaman_tablo_edit1>("ZTE_1").isVisible());
  EXPECT_FALSE(Find<QPushButton>("BTN_CPU_PC").isEnabled());

  e.SelectRecord(0);
  EXPECT_EQ(Grid().model()->rowCount(), 1);
  ProgramList().setCurrentIndex(11);
  EXPECT_TRUE(Find<QGroupBox>("Frm_Ded_Pgm").isVisible());
  auto& phases = Find<QComboBox>("Combo2");
  phases.setCurrentIndex(6);
  Find<QPushButton>("BTN_Kaydet").click();
  EXPECT_EQ(e.CurrentRecord(), 17);
  EXPECT_EQ(phases.currentText(), "FAZ 07");
  EXPECT_EQ(Cell(1, 0), "17");
  ProgramList().setCurrentIndex(10);
  EXPECT_FALSE(Find<QGroupBox>("Frm_Ded_Pgm").isVisible());
}

TEST_F(ProgramEditor, DurationBoxTakesOnlyBytesAndNoDurationLeaksAcrossPrograms) {
  model->PgmGroups[2][1][0] = 5;
  model->PgmGroups[3][1][0] = 9;
  Program_EDIT& e = Open();
  Click(Grid(), 0, 0);
  ASSERT_TRUE(Sure().isVisible());
  EXPECT_EQ(Sure().selectedText(), "5");
  TypeDuration(1, QStringLiteral("300"));  // refused: the cell keeps its 5
  EXPECT_EQ(Cell(1, 0), "5");
  // Stored when the user clicks elsewhere.
  Click(Grid(), 0, 0);
  QTest::keyClicks(&Sure(), QStringLiteral("30"));
  Click(Grid(), 1, 3);
  EXPECT_EQ(Cell(1, 0), "30");
  Click(Grid(), 0, 0);  // the box now holds "30"
  e.SelectRecord(3);
  // Leaving Program2's first duration cell must not write Program1's box into it.
  Click(Grid(), 4, 4);
  EXPECT_EQ(Cell(1, 0), "9");
  e.SelectRecord(2);
  EXPECT_EQ(Cell(1, 0), "30");
  EXPECT_EQ((*image)[ProgramRecordBase(2) + 0x140], 0) << "in the model, not yet in the image";
  // Typed, then saved without leaving the cell: the save keeps it.
  Click(Grid(), 1, 0);
  QTest::keyClicks(&Sure(), QStringLiteral("9"));
  e.DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmGroups[2][1][0], 30);
  EXPECT_EQ((*image)[ProgramRecordBase(2) + 0x141], 9);
}

// Codes without a picture: StateCell.CodesWithoutAPictureAreHatched.
TEST_F(ProgramEditor, StatePicturesAreDrawnInTheirLampColours) {
  const int codes[] = {0, 1, 2, 3, 4, 9, 10, 12};
  for (std::size_t i = 0; i < 8; ++i) model->PgmGroups[2][1][i + 1] = static_cast<std::uint8_t>(codes[i]);
  Open();
  Current(6, 0);  // no frame over the cells looked at
  const QImage shot = Grid().viewport()->grab().toImage();
  auto at = [&](int column, int dx, int dy = 0) {
    return QColor(shot.pixel(CellCentre(Grid(), 0, column) + QPoint(dx, dy)));
  };
  const QColor black(0, 0, 0), red(255, 0, 0), yellow(255, 255, 0), green(0, 255, 0);
  EXPECT_EQ((std::vector<QColor>{at(1, 0), at(2, 0), at(3, 0), at(4, 0, -4), at(4, 0, 4), at(5, 0)}),
            (std::vector<QColor>{black, red, yellow, red, yellow, green}));
  // Flashing codes: the lamp's colour and dark beside each other.
  for (auto [column, lit] : {std::pair{6, red}, {7, yellow}, {8, green}}) {
    std::vector<QColor> row;
    for (int dx = -5; dx <= 5; ++dx) row.push_back(at(column, dx));
    EXPECT_TRUE(std::count(row.begin(), row.end(), lit) && std::count(row.begin(), row.end(), black))
        << column;
  }
}

TEST_F(ProgramEditor, WaitingStepColoursItsRowHeaderAndIsStoredAsShown) {
  model->PgmSettings[2][0] = 5;
  model->PgmSettings[3][0] = 200;
  model->PgmSettings[3][1] = 40;
  Program_EDIT& e = Open();
  auto& step = Find<QSpinBox>("UpDown_BeklemeAdimi");
  EXPECT_EQ(RowColour(4), QColor(128, 0, 0));
  EXPECT_FALSE(RowColour(3).isValid());

  e.SelectRecord(3);
  for (int r = 0; r < Grid().model()->rowCount(); ++r) ASSERT_FALSE(RowColour(r).isValid());
  e.DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmSettings[3][0], 97) << "what the spinner shows";
  EXPECT_EQ(model->PgmSettings[3][1], 40);

  e.SelectRecord(11);
  step.setValue(7);
  Find<QSpinBox>("UpDown_BeklemeSuresi").setValue(30);
  e.DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmSettings[11][0], 7);
  EXPECT_EQ((*image)[ProgramRecordBase(11) + 0x101], 30);
  EXPECT_EQ(RowColour(6), QColor(128, 0, 0));
}

TEST_F(ProgramEditor, NameBoxShowsAndStoresAllSixteenCharacters) {
  const std::string name = "KAVSAK-GUNEY-016";
  std::copy(name.begin(), name.end(), model->PgmNames[2].begin() + 1);
  model->PgmNames[3][1] = 'X';
  Program_EDIT& e = Open();
  auto& text1 = Find<QLineEdit>("Text1");
  EXPECT_EQ(text1.text(), "KAVSAK-GUNEY-016");
  text1.setText(QStringLiteral("Şehir"));
  e.DegisiklikleriKaydet();
  EXPECT_EQ(text1.text(), "Şehir");
  const auto stored = (*image).begin() + static_cast<std::ptrdiff_t>(ProgramRecordBase(2));
  EXPECT_EQ(
      std::vector<int>(stored, stored + 16),
      (std::vector<int>{0xDE, 'e', 'h', 'i', 'r', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));  // Ş in Windows-1254

  // Characters the controller cannot store are not let in.
  text1.clear();
  for (QChar c : QStringLiteral("A€B✓")) {  // keys QTest's table does not know
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&text1, &key);
  }
  EXPECT_EQ(text1.text(), "A€B");

  e.SelectRecord(3);
  text1.clear();
  e.DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmNames[3][1], 0);
}

TEST_F(ProgramEditor, ClearEmptiesTheShownProgramOnlyFromItsOwnTab) {
  std::fill(model->PgmNames[11].begin() + 1, model->PgmNames[11].end(), 'N');
  model->PgmGroups[11][3][0] = 8;
  model->PgmGroups[11][99][7] = 4;  // not shown, cleared all the same
  model->PgmGroups[12][3][0] = 6;
  model->PgmSettings[11][0] = 4;
  Program_EDIT& e = Open();
  e.SelectRecord(11);
  auto& tabs = Find<QTabWidget>("SSTab1");
  tabs.setCurrentIndex(Program_EDIT::kParametreler);
  e.TemizleClick();
  EXPECT_EQ(Cell(3, 0), "8");
  tabs.setCurrentIndex(Program_EDIT::kProgramlar);
  Find<QPushButton>("BTN_Temizle").click();
  EXPECT_EQ(Cell(3, 0), "0");
  EXPECT_TRUE(
      std::all_of(model->PgmNames[11].begin(), model->PgmNames[11].end(), [](auto b) { return b == 0; }));
  EXPECT_EQ(
      (std::vector<int>{model->PgmGroups[11][99][7], model->PgmGroups[12][3][0], model->PgmSettings[11][0]}),
      (std::vector<int>{0, 6, 4}));
  EXPECT_EQ((*image)[ProgramRecordBase(11)], 0) << "the image changes only at the save";
}

}  // namespace
