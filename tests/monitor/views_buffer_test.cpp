// The buffer window's list of the ProgramImage.

#include <QAbstractItemModel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>

#include "monitor/buffer_lines.h"
#include "monitor/buffer_window.h"
#include "views_app.h"

using namespace kxtest;
using monitor::BufferLine;
using monitor::FRM_Buffer;

namespace {

struct Buffer : ViewTest {
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  program::ProgramImage& image = tables->image;
  FRM_Buffer window{*tables};
  QListView& List() { return Child<QListView>(window, "List1"); }
  std::string Line(int row) {
    QAbstractItemModel* m = List().model();
    return m->data(m->index(row, 0)).toString().toStdString();
  }
  int Rows() { return List().model()->rowCount(); }
  void Click(const char* name) { Child<QPushButton>(window, name).click(); }
};

}  // namespace

TEST_F(Buffer, ListsTheImageAsASnapshot) {
  EXPECT_EQ(window.windowTitle().toStdString(), "Buffer");
  EXPECT_EQ(Rows(), 4096);
  EXPECT_EQ(Line(0), "P0000:" + std::string(32, '0'));
  EXPECT_EQ(Line(4095), "PFFF0:" + std::string(32, '0'));
  EXPECT_TRUE(List().isEnabled());
  EXPECT_EQ(List().font().family().toStdString(), "Courier New");
  EXPECT_EQ(Child<QPushButton>(window, "Command1").text().toStdString(), "Tazele");
  EXPECT_EQ(Child<QPushButton>(window, "Command2").text().toStdString(), "Yükle");

  image[0x0012] = 0xAB;
  EXPECT_EQ(Line(1), "P0010:" + std::string(32, '0')) << "the list changes only on a button";
  Click("Command1");
  EXPECT_EQ(Line(1), "P0010:0000AB" + std::string(26, '0'));
  EXPECT_TRUE(Child<QPushButton>(window, "Command1").isEnabled());
}

TEST_F(Buffer, YukleLoadsTheProjectThenFills) {
  int rowsDuringLoad = -1;
  window.ProjectLoad = [&] {
    rowsDuringLoad = Rows();
    image[0] = 0x01;
  };
  Click("Command2");
  EXPECT_EQ(rowsDuringLoad, 0) << "the list is cleared before the load";
  EXPECT_EQ(Line(0), "P0000:01" + std::string(30, '0'));
  window.ProjectLoad = nullptr;  // no loader: the button only refills
  image[0] = 0x02;
  Click("Command2");
  EXPECT_EQ(Line(0), "P0000:02" + std::string(30, '0'));
}

TEST_F(Buffer, ToolbarToggleFollowsTheWindow) {
  QSignalSpy open(&window, &FRM_Buffer::viewOpenChanged);
  window.show();
  window.close();
  ASSERT_EQ(open.count(), 2);
  EXPECT_TRUE(open.at(0).at(0).toBool());
  EXPECT_FALSE(open.at(1).at(0).toBool());
}

TEST(BufferLines, LastByteAndIndexesOutside) {
  program::ProgramImage image{};
  image[0xFFFF] = 0x5C;
  EXPECT_EQ(BufferLine(image, 4095), "PFFF0:" + std::string(30, '0') + "5C");
  EXPECT_EQ(BufferLine(image, -1), "");
  EXPECT_EQ(BufferLine(image, 4096), "");
}
