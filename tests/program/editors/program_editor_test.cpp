#include <QGroupBox>
#include <QTabWidget>

#include "editor_fixture.h"
#include "program/editors/state_cell_delegate.h"

namespace {

using program::ProgramRecordBase;
using program::editors::Program_EDIT;
using program::editors::StateCellDelegate;

using ProgramEditor = kxtest::EditorTest;

TEST_F(ProgramEditor, OpensOnProgram1AndFlashRecordsShowOneStepAndWaitingStepsAreStoredAsShown) {
  model->PgmGroups[2][98][0] = 77;
  model->PgmGroups[17][1][0] = 17;
  model->PgmSettings[2][0] = 5;
  model->PgmSettings[3] = {200, 40};
  Program_EDIT& e = Open();
  EXPECT_EQ(std::tuple(Grid().model()->rowCount(), Grid().model()->columnCount(), Cell(98, 0)),
            std::tuple(98, 33, QStringLiteral("77")));
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
  EXPECT_EQ(phases.currentText() + " " + Cell(1, 0), "FAZ 07 17");
  ProgramList().setCurrentIndex(10);
  EXPECT_FALSE(Find<QGroupBox>("Frm_Ded_Pgm").isVisible());

  // The waiting step colours its row header; one out of range is stored as the spinner shows it.
  const auto rowColour = [&](int row) {
    return Grid().model()->headerData(row, Qt::Vertical, Qt::BackgroundRole).value<QColor>();
  };
  e.SelectRecord(2);
  EXPECT_EQ(std::pair(rowColour(4), rowColour(3)), std::pair(QColor(128, 0, 0), QColor()));
  e.SelectRecord(3);
  for (int r = 0; r < Grid().model()->rowCount(); ++r) ASSERT_FALSE(rowColour(r).isValid());
  e.DegisiklikleriKaydet();
  EXPECT_EQ((std::pair<int, int>(model->PgmSettings[3][0], model->PgmSettings[3][1])), std::pair(97, 40))
      << "what the spinner shows";

  e.SelectRecord(11);
  Find<QSpinBox>("UpDown_BeklemeAdimi").setValue(7);
  Find<QSpinBox>("UpDown_BeklemeSuresi").setValue(30);
  e.DegisiklikleriKaydet();
  EXPECT_EQ((std::pair<int, int>(model->PgmSettings[11][0], (*image)[ProgramRecordBase(11) + 0x101])),
            std::pair(7, 30));
  EXPECT_EQ(rowColour(6), QColor(128, 0, 0));
}

TEST_F(ProgramEditor, StatePicturesAreDrawnInTheirLampColoursAndCodesWithoutOneHatched) {
  const int codes[] = {0, 1, 2, 3, 4, 9, 10, 12, 5, 6, 13, 15};
  for (std::size_t i = 0; i < 12; ++i) model->PgmGroups[2][1][i + 1] = static_cast<std::uint8_t>(codes[i]);
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
  // A code the editor never sets is hatched, so that it is not mistaken for a lamp state.
  for (int column = 1; column <= 12; ++column) {
    const QImage cell = shot.copy(Grid().visualRect(Grid().model()->index(0, column)));
    const auto* pixels = reinterpret_cast<const QRgb*>(cell.constBits());
    const auto hatch =
        std::count(pixels, pixels + cell.width() * cell.height(), StateCellDelegate::kOddCodeHatch.rgb());
    EXPECT_EQ(hatch > 20, column > 8) << column;
  }
}

TEST_F(ProgramEditor, DurationsNamesAndClearReachOnlyTheShownProgram) {
  model->PgmGroups[2][1][0] = 5;
  model->PgmGroups[3][1][0] = 9;
  const std::string name = "KAVSAK-GUNEY-016";
  std::copy(name.begin(), name.end(), model->PgmNames[2].begin() + 1);
  model->PgmNames[3][1] = 'X';
  std::fill(model->PgmNames[11].begin() + 1, model->PgmNames[11].end(), 'N');
  model->PgmGroups[11][3][0] = 8;
  model->PgmGroups[11][99][7] = 4;  // not shown, cleared all the same
  model->PgmGroups[12][3][0] = 6;
  model->PgmSettings[11][0] = 4;
  Program_EDIT& e = Open();
  TypeDuration(1, QStringLiteral("300"));  // refused: the cell keeps its 5
  EXPECT_EQ(Cell(1, 0), "5");
  // Stored when the user clicks elsewhere.
  Click(Grid(), 0, 0);
  QTest::keyClicks(&Sure(), QStringLiteral("30"));
  Click(Grid(), 1, 3);
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
  EXPECT_EQ((std::pair<int, int>(model->PgmGroups[2][1][0], (*image)[ProgramRecordBase(2) + 0x141])),
            std::pair(30, 9));

  // The name box shows and stores all sixteen characters.
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

  // Clear empties the shown program, and only from its own tab.
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
  EXPECT_EQ((*image)[ProgramRecordBase(11)], 'N') << "the image changes only at the save";
}

}  // namespace
