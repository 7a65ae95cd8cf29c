// The buffer window's list of the ProgramImage.

#include <QListView>
#include <QPushButton>

#include "monitor/buffer_lines.h"
#include "monitor/buffer_window.h"
#include "views_app.h"

using namespace kxtest;

namespace {

struct Buffer : ViewTest {
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  program::ProgramImage& image = tables->image;
  monitor::FRM_Buffer window{*tables};
  QAbstractItemModel& Model() { return *Child<QListView>(window, "List1").model(); }
  std::string Line(int row) { return Model().index(row, 0).data().toString().toStdString(); }
  void Click(const char* name) { Child<QPushButton>(window, name).click(); }
};

TEST_F(Buffer, ListsTheImageAsASnapshotRefilledByItsButtons) {
  window.show();
  EXPECT_EQ(Model().rowCount(), 4096);
  image[0x0012] = 0xAB;
  image[0xFFFF] = 0x5C;
  EXPECT_EQ(Line(1), "P0010:" + std::string(32, '0')) << "the list changes only on a button";
  Click("Command1");
  EXPECT_EQ(Line(1), "P0010:0000AB" + std::string(26, '0'));
  EXPECT_EQ(Line(4095), "PFFF0:" + std::string(30, '0') + "5C");

  int rowsDuringLoad = -1;
  window.ProjectLoad = [&] {
    rowsDuringLoad = Model().rowCount();
    image[0] = 0x01;
  };
  Click("Command2");
  EXPECT_EQ(rowsDuringLoad, 0) << "the list is cleared before the load";
  EXPECT_EQ(Line(0), "P0000:01" + std::string(30, '0'));
  window.ProjectLoad = nullptr;  // no loader: the button only refills
  image[0] = 0x02;
  Click("Command2");
  EXPECT_EQ(Line(0), "P0000:02" + std::string(30, '0'));
  // Rows outside the image.
  EXPECT_EQ(monitor::BufferLine(image, -1) + monitor::BufferLine(image, 4096), "");
}

}  // namespace
