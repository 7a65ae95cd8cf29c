#pragma once
// Every event of a link as one short line of text, in order, so that a test can
// compare the story the link told with the one it expects.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_events.h"

namespace kxtest {

inline std::string Describe(const bus::LinkEvent& event) {
  using namespace bus;
  if (std::holds_alternative<PcTurn>(event)) return "turn";
  if (const auto* e = std::get_if<FrameWritten>(&event)) {
    return "written " + std::to_string(e->request) + " " + std::string(e->frame);
  }
  if (const auto* e = std::get_if<CommandSent>(&event)) return "sent " + std::to_string(e->code);
  if (const auto* e = std::get_if<TransferEnded>(&event)) {
    static const char* const kKinds[] = {"none", "download", "system", "upload", "log", "verify"};
    return std::string(e->completed ? "completed " : "abandoned ") + kKinds[static_cast<int>(e->kind)] + " " +
           std::to_string(e->blocksDone) + "/" + std::to_string(e->blocksTotal);
  }
  // Lines heard, words stored and a transfer's progress: no test tells them apart yet.
  return "event " + std::to_string(event.index());
}

struct EventRecorder {
  explicit EventRecorder(bus::LinkEvents& events)
      : subscription(events.Listen([this](const bus::LinkEvent& e) { lines.push_back(Describe(e)); })) {}

  // The lines that begin with one of the prefixes, in order.
  std::vector<std::string> Of(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> out;
    for (const std::string& line : lines)
      if (std::ranges::any_of(prefixes, [&](std::string_view p) { return line.starts_with(p); }))
        out.push_back(line);
    return out;
  }

  std::vector<std::string> lines;
  bus::LinkEvents::Subscription subscription;
};

}  // namespace kxtest
