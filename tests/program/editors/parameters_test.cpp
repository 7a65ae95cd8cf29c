#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "editor_fixture.h"

namespace {

using kxtest::EditorTest;

struct ParametersTab : EditorTest {
  QCheckBox& Rule(int i) const { return Find<QCheckBox>(QStringLiteral("Kural_CHK_%1").arg(i).toLatin1()); }
  QCheckBox& Group(int i) const {
    return Find<QCheckBox>(QStringLiteral("Chk_Flaman_Kopugu_%1").arg(i).toLatin1());
  }
  QString Label(const char* name) const { return Find<QLabel>(name).text(); }
  int Word(std::size_t n) const { return (*image)[0x80 + 2 * n] * 256 + (*image)[0x81 + 2 * n]; }
};

TEST_F(ParametersTab, OutOfRangeValuesAreShownAndStoredCorrected) {
  model->ParamWords[0] = 0;
  model->ParamWords[2] = 230;
  model->ParamWords[7] = 31;
  model->ParamWords[9] = 5;
  Open();
  EXPECT_EQ(Label("LBL_Kart_Sayisi"), "1");
  EXPECT_EQ(Label("LBL_220VAyar_0"), "215");
  EXPECT_EQ(Label("LBL_220VAyar_1"), "225");
  EXPECT_EQ(Label("LBL_24VAyar_1"), "30");
  EXPECT_EQ(Label("Lbl_FlasSuresi"), "1");
  editor->DegisiklikleriKaydet();
  EXPECT_EQ(Word(0), 1);
  EXPECT_EQ(Word(2), 215);
  EXPECT_EQ(Word(9), 1);

  model->ParamWords[0] = 12;
  Open();
  EXPECT_EQ(Label("LBL_Kart_Sayisi"), "8");
  // The value labels follow their spinners.
  Find<QSpinBox>("UpDown_Kart_Sayisi").stepBy(-3);
  EXPECT_EQ(Label("LBL_Kart_Sayisi"), "5");
  Find<QSpinBox>("UpDown_HzAyar_1").setValue(54);
  EXPECT_EQ(Label("LBL_HzAyar_1"), "54");
  editor->DegisiklikleriKaydet();
  EXPECT_EQ(Word(0), 5);
  EXPECT_EQ(Word(5), 54);
}

TEST_F(ParametersTab, RuleSwitchesFollowTheMasterSwitchButKeepTheirValues) {
  model->ParamWords[1] = 0x85;
  Open();
  EXPECT_EQ(Rule(0).text(), "Besleme Gerilimi");
  EXPECT_EQ(Rule(3).toolTip(), "3:Şebeke gerilimi kontrolu ON/OFF");
  EXPECT_EQ(Rule(7).text(), "Kuralları Devreye al");
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Rule(i).isChecked(), i == 0 || i == 2 || i == 7) << i;
    EXPECT_TRUE(Rule(i).isEnabled()) << i;
  }
  QTest::mouseClick(&Rule(7), Qt::LeftButton);
  EXPECT_FALSE(Rule(7).isChecked());
  EXPECT_TRUE(Rule(7).isEnabled());
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(Rule(i).isEnabled()) << i;
  editor->DegisiklikleriKaydet();
  EXPECT_EQ(Word(1), 0x05);

  model->ParamWords[1] = 0x02;
  Open();
  EXPECT_FALSE(Rule(1).isEnabled());
  EXPECT_TRUE(Rule(1).isChecked());
}

TEST_F(ParametersTab, FilamentGroupsAreABytePerGroupAndUnusedWordsAreCleared) {
  model->ParamWords[30] = 0x1234;
  model->ParamWords[8] = 1;
  Open();
  EXPECT_EQ(Group(0).text(), "Grup-01");
  EXPECT_EQ(Group(31).text(), "Grup-32");
  EXPECT_TRUE(Find<QCheckBox>("Tanimlama1_CHK_0").isChecked());
  Group(0).setChecked(true);
  Group(3).setChecked(true);
  Find<QCheckBox>("Tanimlama1_CHK_1").setChecked(true);
  editor->DegisiklikleriKaydet();
  EXPECT_EQ(Word(10), 0x0100);
  EXPECT_EQ(Word(11), 0x0001);
  for (std::size_t a = 0x94; a < 0xB4; ++a) EXPECT_EQ((*image)[a], a == 0x94 || a == 0x97) << a;
  EXPECT_EQ(Word(8), 3);
  EXPECT_EQ(Word(30), 0);
}

TEST_F(ParametersTab, DescriptionStartsAtAddressOneAndReplacesTheWholeText) {
  const char text[] = "Atatürk Bulvarı kavşağı";
  (*image)[1] = 'E';
  for (int i = 2; i < 100; ++i) (*image)[static_cast<std::size_t>(i)] = 'x';
  LoadImage();
  Open();
  auto& box = Find<QLineEdit>("TXT_Pgm_aciklamasi");
  EXPECT_EQ(box.maxLength(), 127);
  EXPECT_EQ(box.text().size(), 99);
  box.setText(QString::fromUtf8(text));
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((*image)[0], 0);
  EXPECT_EQ((*image)[1], 'A');
  EXPECT_EQ((*image)[5], 0xFC);   // ü
  EXPECT_EQ((*image)[23], 0xFD);  // ı
  for (std::size_t a = 24; a < 128; ++a) ASSERT_EQ((*image)[a], 0) << a;

  box.clear();
  editor->DegisiklikleriKaydet();
  for (std::size_t a = 0; a < 128; ++a) ASSERT_EQ((*image)[a], 0) << a;

  box.setText(QString(130, QLatin1Char('k')));
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((*image)[127], 'k');
  program::UnpackProgramImage(*image, *model);
  EXPECT_EQ(model->ProjectText[128], 0);
}

}  // namespace
