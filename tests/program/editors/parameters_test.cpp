#include <QCheckBox>

#include "editor_fixture.h"

namespace {

struct ParametersTab : kxtest::EditorTest {
  QCheckBox& Box(const QString& name) const { return kxtest::Child<QCheckBox>(*editor, name); }
  QCheckBox& Rule(int i) const { return Box(QStringLiteral("Kural_CHK_%1").arg(i)); }
  QString Label(const char* name) const { return Find<QLabel>(name).text(); }
  int Word(std::size_t n) const { return (*image)[0x80 + 2 * n] * 256 + (*image)[0x81 + 2 * n]; }
};

TEST_F(ParametersTab, ValuesAreCorrectedAndSwitchesAndTheProjectTextStoredAsShown) {
  (*image)[1] = 'E';
  std::fill(image->begin() + 2, image->begin() + 100, 'x');
  LoadImage();
  for (auto [word, value] : {std::pair{0, 0}, {1, 0x85}, {2, 230}, {7, 31}, {8, 1}, {9, 5}, {30, 0x1234}})
    model->ParamWords[static_cast<std::size_t>(word)] = value;
  Open();
  EXPECT_EQ((QStringList{Label("LBL_Kart_Sayisi"), Label("LBL_220VAyar_0"), Label("LBL_220VAyar_1"),
                         Label("LBL_24VAyar_1"), Label("Lbl_FlasSuresi")}),
            (QStringList{"1", "215", "225", "30", "1"}));
  // The rule switches follow the master switch (rule 7) but keep their values.
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(Rule(i).isChecked() && Rule(i).isEnabled(), i == 0 || i == 2 || i == 7) << i;
  EXPECT_TRUE(Rule(1).isEnabled());
  QTest::mouseClick(&Rule(7), Qt::LeftButton);
  EXPECT_TRUE(Rule(7).isEnabled());
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(Rule(i).isEnabled()) << i;
  // Filament groups are a byte per group; unused words are cleared.
  EXPECT_TRUE(Box(QStringLiteral("Tanimlama1_CHK_0")).isChecked());
  for (const char* name : {"Chk_Flaman_Kopugu_0", "Chk_Flaman_Kopugu_3", "Tanimlama1_CHK_1"}) {
    Box(QLatin1String(name)).setChecked(true);
  }
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((std::vector<int>{Word(0), Word(1), Word(2), Word(8), Word(9), Word(30)}),
            (std::vector<int>{1, 0x05, 215, 3, 1, 0}));
  for (std::size_t a = 0x94; a < 0xB4; ++a) EXPECT_EQ((*image)[a], a == 0x94 || a == 0x97) << a;

  model->ParamWords[0] = 12;
  model->ParamWords[1] = 0x02;
  Open();
  EXPECT_EQ(Label("LBL_Kart_Sayisi"), "8");
  EXPECT_TRUE(!Rule(1).isEnabled() && Rule(1).isChecked());
  Find<QSpinBox>("UpDown_Kart_Sayisi").stepBy(-3);  // 12 was shown as 8: 5 now
  Find<QSpinBox>("UpDown_HzAyar_1").setValue(54);
  EXPECT_EQ(Label("LBL_HzAyar_1"), "54") << "the value labels follow their spinners";
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((std::vector<int>{Word(0), Word(5)}), (std::vector<int>{5, 54}));

  // The project text starts at address one and replaces the whole text.
  auto& box = Find<QLineEdit>("TXT_Pgm_aciklamasi");
  EXPECT_EQ(box.text().size(), 99);
  box.setText(QStringLiteral("Atatürk Bulvarı kavşağı"));
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((std::vector<int>{(*image)[0], (*image)[1], (*image)[5], (*image)[23]}),
            (std::vector<int>{0, 'A', 0xFC, 0xFD}));  // ü, ı
  for (std::size_t a = 24; a < 128; ++a) ASSERT_EQ((*image)[a], 0) << a;

  box.setText(QString(130, QLatin1Char('k')));
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((*image)[127], 'k');
  program::UnpackProgramImage(*image, *model);
  EXPECT_EQ(model->ProjectText[128], 0);
}

}  // namespace
