#pragma once
// A complete link over a fake port, with its own shared tables.

#include <gtest/gtest.h>

#include <memory>

#include "fakes.h"
#include "link/controller_link.h"

namespace kxtest {

struct LinkFixture : ::testing::Test {
  FakePort port;
  FakeClock clock;
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::ViewFlags flags;
  program::ProgramImage image{};
  program::EditorModel model;
  std::unique_ptr<bus::ControllerLink> ctl =
      std::make_unique<bus::ControllerLink>(port, clock, bus::LinkTables{regs, shared, flags, image, model});

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
    if (port.written.size() == before) return {};
    return port.written.back();
  }
  void Hear(const std::string& line) { port.Receive(line); }
  const bus::LinkDisplay& show() const { return ctl->Display(); }
};

}  // namespace kxtest
