#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "editor_fixture.h"
#include "program/editors/time_table_entry.h"

namespace {

using kxtest::EditorTest;
using program::editors::Program_EDIT;

struct ProgramEditor : EditorTest {
  QLineEdit& Sure() const { return Find<QLineEdit>("TXT_Sure"); }
  // Types into the duration box of a cell, then clicks the cell below it.
  void TypeDuration(int step, const QString& text) {
    Click(Grid(), step - 1, 0);
    QTest::keyClicks(&Sure(), text);
    Click(Grid(), step, 3);
  }
};

TEST_F(ProgramEditor, OpensOnProgram1WithNinetyEightStepsAndItsControls) {
  model->PgmGroups[2][98][0] = 77;
  Program_EDIT& e = Open();
  EXPECT_EQ(e.windowTitle(), "Program Editor/p/a.prj");
  const auto& combo = ProgramList();
  ASSERT_EQ(combo.count(), 12);
  EXPECT_EQ(combo.currentText(), "Program1");
  EXPECT_EQ(combo.itemText(0), "System Flas");
  EXPECT_EQ(combo.itemText(10), "Yaya Gecidi Prg.");
  EXPECT_EQ(combo.itemText(11), "Dedektör Uygulamasi");
  EXPECT_EQ(e.CurrentRecord(), 2);

  QAbstractItemModel& m = *Grid().model();
  EXPECT_EQ(m.rowCount(), 98);
  EXPECT_EQ(m.columnCount(), 33);
  EXPECT_EQ(m.headerData(0, Qt::Vertical).toString(), "Adim: 1");
  EXPECT_EQ(m.headerData(97, Qt::Vertical).toString(), "Adim: 98");
  EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "Süre (sn)");
  EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "Grup-1");
  EXPECT_EQ(m.headerData(32, Qt::Horizontal).toString(), "Grup-32");
  EXPECT_EQ(Cell(98, 0), "77");

  const auto& tabs = Find<QTabWidget>("SSTab1");
  EXPECT_EQ(tabs.tabText(0), "Tanımlamalar");
  EXPECT_EQ(tabs.tabText(3), "Haftalık Program Tablosu");
  EXPECT_EQ(tabs.tabText(tabs.currentIndex()), "Programlar");
  EXPECT_FALSE(Find<QGroupBox>("Frm_Ded_Pgm").isVisible());
  EXPECT_FALSE(Sure().isVisible());
  EXPECT_FALSE(Find<program::editors::Zaman_tablo_edit1>("ZTE_1").isVisible());
  EXPECT_EQ(Find<QLabel>("Label2").text(), "Programlama - 2 ...");
  EXPECT_EQ(Find<QPushButton>("BTN_Simulasyon").toolTip(), "Simulasyon yapar");
  EXPECT_FALSE(Find<QPushButton>("BTN_CPU_PC").isEnabled());
  EXPECT_EQ(Find<QPushButton>("BTN_PC_CPU").toolTip(), "İşlemciye yükle");
  EXPECT_FALSE(flags.SimActive);
}

TEST_F(ProgramEditor, FlashRecordsShowOneStepAndPhasesSurviveASave) {
  model->PgmGroups[17][1][0] = 17;
  model->PgmGroups[11][1][0] = 11;
  Program_EDIT& e = Open();
  e.SelectRecord(0);
  EXPECT_EQ(Grid().model()->rowCount(), 1);
  EXPECT_EQ(Grid().model()->columnCount(), 33);

  auto& combo1 = ProgramList();
  combo1.setCurrentIndex(11);
  auto& phases = Find<QComboBox>("Combo2");
  EXPECT_TRUE(Find<QGroupBox>("Frm_Ded_Pgm").isVisible());
  EXPECT_EQ(phases.currentText(), "FAZ 01");
  EXPECT_EQ(e.CurrentRecord(), 11);
  EXPECT_EQ(Cell(1, 0), "11");
  phases.setCurrentIndex(6);
  EXPECT_EQ(e.CurrentRecord(), 17);
  EXPECT_EQ(Grid().model()->rowCount(), 98);
  Find<QPushButton>("BTN_Kaydet").click();
  EXPECT_EQ(Find<QLineEdit>("Text2").text(), "Save");
  EXPECT_EQ(e.CurrentRecord(), 17);
  EXPECT_EQ(phases.currentText(), "FAZ 07");
  EXPECT_EQ(Cell(1, 0), "17");
  combo1.setCurrentIndex(10);
  EXPECT_FALSE(Find<QGroupBox>("Frm_Ded_Pgm").isVisible());
}

TEST_F(ProgramEditor, DurationBoxLiesOnItsCellAndTakesOnlyBytes) {
  model->PgmGroups[2][1][0] = 5;
  Open();
  Click(Grid(), 0, 0);
  ASSERT_TRUE(Sure().isVisible());
  EXPECT_EQ(Sure().geometry(), Grid().visualRect(Grid().model()->index(0, 0)));
  EXPECT_EQ(Sure().text(), "5");
  EXPECT_EQ(Sure().selectedText(), "5");

  for (const char* bad : {"300", "-1", "otuz"}) {
    TypeDuration(1, QString::fromUtf8(bad));
    EXPECT_EQ(Cell(1, 0), "5") << bad;
    EXPECT_FALSE(Sure().isVisible());
  }
  TypeDuration(1, QStringLiteral("42"));
  EXPECT_EQ(Cell(1, 0), "42");
  // Typed, then saved without leaving the cell: the save keeps it.
  Click(Grid(), 1, 0);
  QTest::keyClicks(&Sure(), QStringLiteral("9"));
  editor->DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmGroups[2][1][0], 42);
  EXPECT_EQ(model->PgmGroups[2][2][0], 9);
  EXPECT_EQ((*image)[program::ProgramRecordBase(2) + 0x141], 9);
}

TEST_F(ProgramEditor, AnotherProgramKeepsTheEditsAndNoDurationLeaksAcross) {
  model->PgmGroups[2][1][0] = 5;
  model->PgmGroups[3][1][0] = 9;
  Program_EDIT& e = Open();
  TypeDuration(1, QStringLiteral("30"));
  EXPECT_EQ(Cell(1, 0), "30");
  Click(Grid(), 0, 0);  // the box now holds "30"
  e.SelectRecord(3);
  // Leaving Program2's first duration cell must not write Program1's box into it.
  Click(Grid(), 4, 4);
  EXPECT_EQ(Cell(1, 0), "9");
  e.SelectRecord(2);
  EXPECT_EQ(Cell(1, 0), "30");
  EXPECT_EQ((*image)[program::ProgramRecordBase(2) + 0x140], 0) << "in the model, not yet in the image";
}

TEST_F(ProgramEditor, StatePicturesAreDrawnAndOtherCodesShowTheirNumber) {
  const int codes[] = {0, 1, 2, 3, 4, 9, 10, 12, 5};
  for (int i = 0; i < 9; ++i)
    model->PgmGroups[2][1][static_cast<std::size_t>(i + 1)] = static_cast<std::uint8_t>(codes[i]);
  Open();
  Grid().setCurrentIndex(Grid().model()->index(5, 0));  // no frame over the cells looked at
  const QImage shot = Grid().viewport()->grab().toImage();
  auto at = [&](int column, int dx, int dy) {
    const QRect r = Grid().visualRect(Grid().model()->index(0, column));
    return QColor(shot.pixel(r.center() + QPoint(dx, dy)));
  };
  EXPECT_EQ(at(1, 0, 0), QColor(0, 0, 0));
  EXPECT_EQ(at(2, 0, 0), QColor(255, 0, 0));
  EXPECT_EQ(at(3, 0, 0), QColor(255, 255, 0));
  EXPECT_EQ(at(4, 0, -4), QColor(255, 0, 0));
  EXPECT_EQ(at(4, 0, 4), QColor(255, 255, 0));
  EXPECT_EQ(at(5, 0, 0), QColor(0, 255, 0));
  for (auto [column, lit] :
       {std::pair{6, QColor(255, 0, 0)}, {7, QColor(255, 255, 0)}, {8, QColor(0, 255, 0)}}) {
    const QRect r = Grid().visualRect(Grid().model()->index(0, column));
    int litPixels = 0;
    int darkPixels = 0;
    for (int dx = -5; dx <= 5; ++dx) {
      const QColor c(shot.pixel(r.center() + QPoint(dx, 0)));
      litPixels += c == lit;
      darkPixels += c == QColor(0, 0, 0);
    }
    EXPECT_GT(litPixels, 0) << column;
    EXPECT_GT(darkPixels, 0) << column;
  }
  // Code 5 has no picture: its number on white.
  EXPECT_EQ(Cell(1, 9), "5");
  EXPECT_EQ(at(9, -Grid().columnWidth(9) / 2 + 4, 0), QColor(255, 255, 255));
}

TEST_F(ProgramEditor, WaitingStepColoursItsRowHeaderAndIsStoredAsShown) {
  model->PgmSettings[2][0] = 5;
  model->PgmSettings[3][0] = 200;
  model->PgmSettings[3][1] = 40;
  Program_EDIT& e = Open();
  QAbstractItemModel& m = *Grid().model();
  EXPECT_EQ(m.headerData(4, Qt::Vertical, Qt::BackgroundRole).value<QColor>(), QColor(128, 0, 0));
  EXPECT_FALSE(m.headerData(3, Qt::Vertical, Qt::BackgroundRole).isValid());
  EXPECT_EQ(Find<QSpinBox>("UpDown_BeklemeAdimi").value(), 5);

  e.SelectRecord(3);
  for (int r = 0; r < m.rowCount(); ++r)
    ASSERT_FALSE(m.headerData(r, Qt::Vertical, Qt::BackgroundRole).isValid());
  EXPECT_EQ(Find<QSpinBox>("UpDown_BeklemeAdimi").value(), 97);
  e.DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmSettings[3][0], 97) << "what the spinner shows";
  EXPECT_EQ(model->PgmSettings[3][1], 40);

  e.SelectRecord(11);
  Find<QSpinBox>("UpDown_BeklemeAdimi").setValue(7);
  Find<QSpinBox>("UpDown_BeklemeSuresi").setValue(30);
  e.DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmSettings[11][0], 7);
  EXPECT_EQ((*image)[program::ProgramRecordBase(11) + 0x101], 30);
  EXPECT_EQ(m.headerData(6, Qt::Vertical, Qt::BackgroundRole).value<QColor>(), QColor(128, 0, 0));
}

TEST_F(ProgramEditor, NameBoxShowsAndStoresAllSixteenCharacters) {
  const char name[] = "KAVSAK-GUNEY-016";
  for (int k = 0; k < 16; ++k)
    model->PgmNames[2][static_cast<std::size_t>(k + 1)] = static_cast<std::uint8_t>(name[k]);
  model->PgmNames[3][1] = 'X';
  model->PgmNames[3][2] = 'Y';
  Program_EDIT& e = Open();
  auto& text1 = Find<QLineEdit>("Text1");
  EXPECT_EQ(text1.text(), "KAVSAK-GUNEY-016");
  text1.setText(QStringLiteral("Şehir"));
  e.DegisiklikleriKaydet();
  EXPECT_EQ(text1.text(), "Şehir");
  EXPECT_EQ((*image)[program::ProgramRecordBase(2)], 0xDE);  // Ş in Windows-1254
  EXPECT_EQ((*image)[program::ProgramRecordBase(2) + 5], 0);
  EXPECT_EQ((*image)[program::ProgramRecordBase(2) + 15], 0);

  // Characters the controller cannot store are not let in.
  text1.clear();
  kxtest::TypeText(&text1, QStringLiteral("A€B✓"));
  EXPECT_EQ(text1.text(), "A€B");

  e.SelectRecord(3);
  text1.clear();
  e.DegisiklikleriKaydet();
  EXPECT_EQ(text1.text(), "");
  EXPECT_EQ(model->PgmNames[3][1], 0);
  EXPECT_EQ(model->PgmNames[3][2], 0);
}

TEST_F(ProgramEditor, ClearEmptiesTheShownProgramOnlyFromItsOwnTab) {
  for (int k = 1; k <= 16; ++k) model->PgmNames[11][static_cast<std::size_t>(k)] = 'N';
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
  EXPECT_TRUE(e.isEnabled());
  EXPECT_EQ(Cell(3, 0), "0");
  EXPECT_EQ(Find<QLineEdit>("Text1").text(), "");
  for (int k = 1; k <= 16; ++k) EXPECT_EQ(model->PgmNames[11][static_cast<std::size_t>(k)], 0);
  EXPECT_EQ(model->PgmGroups[11][99][7], 0);
  EXPECT_EQ(model->PgmGroups[12][3][0], 6);
  EXPECT_EQ(model->PgmSettings[11][0], 4);
  EXPECT_EQ(Find<QComboBox>("Combo2").currentText(), "FAZ 01");
  // The image changes only at the save.
  EXPECT_EQ((*image)[program::ProgramRecordBase(11)], 0);
}

}  // namespace
