// The buffer window's list of the ProgramImage.

#include <QAbstractItemModel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>

#include "monitor/buffer_window.h"
#include "views_app.h"

using namespace kxtest;
using monitor::FRM_Buffer;

namespace {

struct Buffer : ViewTest {
  std::unique_ptr<program::ProgramImage> image = std::make_unique<program::ProgramImage>();
  QListView& List(FRM_Buffer& w) { return Child<QListView>(w, "List1"); }
  std::string Line(FRM_Buffer& w, int row) {
    QAbstractItemModel* m = List(w).model();
    return m->data(m->index(row, 0)).toString().toStdString();
  }
  int Rows(FRM_Buffer& w) { return List(w).model()->rowCount(); }
};

}  // namespace

TEST_F(Buffer, OpensWithTheWholeImage) {
  image->fill(0);
  (*image)[0x0012] = 0xAB;
  FRM_Buffer w(*image);
  EXPECT_EQ(w.windowTitle().toStdString(), "Buffer");
  EXPECT_EQ(Rows(w), 4096);
  EXPECT_EQ(Line(w, 0), "P0000:" + std::string(32, '0'));
  EXPECT_EQ(Line(w, 1), "P0010:0000AB" + std::string(26, '0'));
  EXPECT_EQ(Line(w, 4095), "PFFF0:" + std::string(32, '0'));
  EXPECT_TRUE(List(w).isEnabled());
  EXPECT_EQ(List(w).font().family().toStdString(), "Courier New");
  EXPECT_TRUE(List(w).font().fixedPitch());
  EXPECT_EQ(Child<QPushButton>(w, "Command1").text().toStdString(), "Tazele");
  EXPECT_EQ(Child<QPushButton>(w, "Command2").text().toStdString(), "Yükle");
}

TEST_F(Buffer, ListIsASnapshotUntilTazele) {
  image->fill(0);
  FRM_Buffer w(*image);
  (*image)[0xFFFF] = 0x7E;
  EXPECT_EQ(Line(w, 4095), "PFFF0:" + std::string(32, '0'));
  Child<QPushButton>(w, "Command1").click();
  EXPECT_EQ(Line(w, 4095), "PFFF0:" + std::string(30, '0') + "7E");
  EXPECT_TRUE(Child<QPushButton>(w, "Command1").isEnabled());
}

TEST_F(Buffer, YukleLoadsTheProjectThenFills) {
  image->fill(0);
  FRM_Buffer w(*image);
  int rowsDuringLoad = -1;
  w.ProjectLoad = [&] {
    rowsDuringLoad = Rows(w);
    (*image)[0] = 0x01;
  };
  Child<QPushButton>(w, "Command2").click();
  EXPECT_EQ(rowsDuringLoad, 0) << "the list is cleared before the load";
  EXPECT_EQ(Line(w, 0), "P0000:01" + std::string(30, '0'));

  w.ProjectLoad = nullptr;  // no project loader: the button only refills
  (*image)[0] = 0x02;
  Child<QPushButton>(w, "Command2").click();
  EXPECT_EQ(Line(w, 0), "P0000:02" + std::string(30, '0'));
}

TEST_F(Buffer, ToolbarToggleFollowsTheWindow) {
  FRM_Buffer w(*image);
  QSignalSpy open(&w, &FRM_Buffer::viewOpenChanged);
  w.show();
  w.close();
  ASSERT_EQ(open.count(), 2);
  EXPECT_TRUE(open.at(0).at(0).toBool());
  EXPECT_FALSE(open.at(1).at(0).toBool());
}
