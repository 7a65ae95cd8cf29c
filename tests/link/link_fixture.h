#pragma once
// A complete link over a fake port, with its own shared tables and a record of
// everything it reported.

#include <gtest/gtest.h>

#include <memory>

#include "event_recorder.h"
#include "fakes.h"
#include "link/controller_link.h"
#include "link/shared_tables.h"

namespace kxtest {

struct LinkFixture : ::testing::Test {
  FakePort port;
  FakeClock clock;
  // The views a test puts beside the link take the same tables.
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  bus::RegisterImage& regs = tables->regs;
  bus::LinkShared& shared = tables->shared;
  program::ProgramImage& image = tables->image;
  program::EditorModel& model = tables->model;
  bus::ViewFlags& flags = tables->flags;
  EventRecorder heard{tables->events};
  std::unique_ptr<bus::ControllerLink> ctl =
      std::make_unique<bus::ControllerLink>(port, clock, tables->ForLink());

  // Link on, port open at the first tick.
  void GoOnline() {
    ctl->cmd_RUN();
    ctl->Timer1Tick();
    ASSERT_TRUE(port.IsOpen());
    port.written.clear();
  }
  // Time moves past the send gap, then one PC turn and an engine tick.
  std::string Turn() {
    const std::size_t before = port.written.size();
    clock.ms += 30;
    port.Receive(PcTurnFrame());
    ctl->Timer1Tick();
    return port.written.size() == before ? std::string() : port.written.back();
  }
  void Hear(const std::string& line) { port.Receive(line); }
  // The controller confirms the block the last frame wrote.
  void AckBlock() {
    const int a = shared.TransferAddress;
    Hear(Frame({0x01, 0xD0, 0x01, 0x04, (a >> 8) & 0xFF, a & 0xFF, 0x00, 0x80}));
  }
  // A program download up to the confirmation of its last block; the end goes next turn.
  void DownloadAllBlocks() {
    ctl->PGM_Download(1);
    Turn();  // the download start
    for (int block = 0; block < static_cast<int>(program::kDownloadEnd) / 128; ++block) {
      Turn();
      AckBlock();
    }
  }
  const bus::LinkDisplay& show() const { return ctl->Display(); }
};

}  // namespace kxtest
