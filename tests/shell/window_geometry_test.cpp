// Windows come back where the user left them, and never off the screen.

#include <QAbstractButton>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/window_geometry.h"
#include "shell_fixture.h"

namespace {

TEST(KeptInside, MovesAndShrinksAsLittleAsNeeded) {
  const QSize area(800, 600);
  const struct {
    QRect wanted, kept;
  } cases[] = {
      {{10, 20, 300, 200}, {10, 20, 300, 200}},      // inside: untouched
      {{700, 500, 300, 200}, {500, 400, 300, 200}},  // past the corner: moved back
      {{-50, -10, 300, 200}, {0, 0, 300, 200}},      // before the origin
      {{100, 100, 1100, 720}, {0, 0, 800, 600}},     // larger than the area
  };
  for (const auto& c : cases) EXPECT_EQ(shell::KeptInside(c.wanted, area), c.kept) << c.wanted.x();
}

class ChildPlace : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { shelltest::EnsureApplication(); }
  void SetUp() override {
    area.resize(900, 700);
    area.show();
  }
  QMdiSubWindow* Open(shell::WindowGeometry& g, QSize asked) {
    QMdiSubWindow* sub = area.addSubWindow(new QWidget);
    sub->show();
    g.PlaceChild(*sub, QStringLiteral("Deneme"), asked, area.viewport()->size());
    return sub;
  }
  QTemporaryDir dir;
  QMdiArea area;
};

TEST_F(ChildPlace, FirstAtItsOwnSizeThenWhereTheUserLeftItIfThereIsAFile) {
  shell::WindowGeometry none{QString()};
  Open(none, {200, 100})->setGeometry(60, 60, 250, 150);
  shell::WindowGeometry still{QString()};
  EXPECT_EQ(Open(still, {200, 100})->widget()->size(), QSize(200, 100))
      << "without a file nothing is remembered";

  const QString file = dir.filePath("pencereler.ini");
  {
    shell::WindowGeometry g(file);
    QMdiSubWindow* sub = Open(g, {500, 300});
    EXPECT_EQ(sub->widget()->size(), QSize(500, 300)) << "the size the window asked for";
    sub->setGeometry(40, 30, 420, 260);
  }
  shell::WindowGeometry again(file);
  EXPECT_EQ(Open(again, {500, 300})->geometry(), QRect(40, 30, 420, 260));

  area.resize(300, 200);  // a smaller screen next time
  QApplication::processEvents();
  shell::WindowGeometry smaller(file);
  const QRect kept = Open(smaller, {500, 300})->geometry();
  EXPECT_TRUE(QRect(QPoint(0, 0), area.viewport()->size()).contains(kept)) << "kept on the screen";
}

using FieldLaptop = shelltest::MainWindow;

TEST_F(FieldLaptop, TheEditorOpensLargeEnoughForItsTexts) {
  window->resize(1366, 740);
  window->show();
  Open(Project("f.prj"));
  QWidget* editor = window->ChildWidget(shell::Child::Editor);
  ASSERT_NE(editor, nullptr);
  QApplication::processEvents();
  for (QWidget* w : editor->findChildren<QWidget*>()) {
    auto* label = qobject_cast<QLabel*>(w);
    if (w->isVisible() && (label ? !label->wordWrap() : qobject_cast<QAbstractButton*>(w) != nullptr)) {
      EXPECT_GE(w->width(), w->sizeHint().width()) << w->property("text").toString().toStdString();
    }
  }
}

}  // namespace
