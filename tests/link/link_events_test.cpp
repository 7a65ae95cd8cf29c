#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "link/link_events.h"

namespace {

using bus::LinkEvents;

TEST(LinkEvents, ListenersComeAndGoEvenWhileBeingCalledAndMayOutliveTheirHub) {
  auto events = std::make_unique<LinkEvents>();
  std::vector<std::string> calls;
  std::optional<LinkEvents::Subscription> late;
  LinkEvents::Subscription second;
  LinkEvents::Subscription first = events->Listen([&](const bus::LinkEvent&) {
    calls.push_back("first");
    second.Cancel();  // the one after it hears nothing of this event
    if (!late) late = events->Listen([&](const bus::LinkEvent&) { calls.push_back("late"); });
  });
  second = events->Listen([&](const bus::LinkEvent&) { calls.push_back("second"); });
  events->Emit(bus::PcTurn{});
  EXPECT_EQ(calls, (std::vector<std::string>{"first"})) << "a listener added now hears the next event";
  events->Emit(bus::PcTurn{});
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "first", "late"}));
  EXPECT_EQ(events->ListenerCount(), 2u);

  LinkEvents::Subscription moved = std::move(first);
  first.Cancel();  // an emptied subscription cancels nothing
  EXPECT_EQ(events->ListenerCount(), 2u);
  moved = {};
  EXPECT_EQ(events->ListenerCount(), 1u);
  events.reset();
  late->Cancel();  // nothing left to cancel, and nothing touched
}

}  // namespace
