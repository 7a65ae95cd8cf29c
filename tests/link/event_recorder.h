#pragma once
// Every event of a link as one short line of text, in order, so that a test can
// compare the story the link told with the one it expects.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_events.h"

namespace kxtest {

inline const char* KindWord(bus::TransferKind kind) {
  static const char* const kWords[] = {"none", "download", "system", "upload", "log", "verify"};
  return kWords[static_cast<int>(kind)];
}

inline std::string Describe(const bus::LinkEvent& event) {
  using namespace bus;
  const auto count = [](int done, int total) { return std::to_string(done) + "/" + std::to_string(total); };
  if (std::holds_alternative<PcTurn>(event)) return "turn";
  if (const auto* e = std::get_if<LineReceived>(&event)) {
    return e->verdict == LineVerdict::Taken ? "line taken" : "line refused";
  }
  if (const auto* e = std::get_if<FrameWritten>(&event)) {
    return "written " + std::to_string(e->request) + " " + std::string(e->frame);
  }
  if (const auto* e = std::get_if<RegistersStored>(&event)) return "stored " + std::to_string(e->address);
  if (std::holds_alternative<ClockSetConfirmed>(event)) return "clock set";
  if (const auto* e = std::get_if<CommandSent>(&event)) return "sent " + std::to_string(e->code);
  if (const auto* e = std::get_if<TransferStarted>(&event)) {
    return std::string("started ") + KindWord(e->kind) + " " + std::to_string(e->blocksTotal);
  }
  if (const auto* e = std::get_if<BlockConfirmed>(&event)) {
    return std::string("block ") + KindWord(e->kind) + " " + count(e->blocksDone, e->blocksTotal);
  }
  const auto& e = std::get<TransferEnded>(event);
  return std::string(e.completed ? "completed " : "abandoned ") + KindWord(e.kind) + " " +
         count(e.blocksDone, e.blocksTotal);
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
