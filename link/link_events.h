#pragma once
// What the link reports as it happens: the PC's turns, every line heard and every
// frame written, the course of each transfer and the commands the controller never
// acknowledges. Windows, kx7140ctl and recorders listen here; none of them infers
// what the link did from its state or from their own controls.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <variant>

#include "link/line_check.h"
#include "link/transfer_kind.h"

namespace bus {

// A frame to address 16 went by: the PC may send one frame now.
struct PcTurn {};

// A line heard on the bus, LF included, and whether it was taken. The text lives
// only for the call; a listener that keeps it copies it.
struct LineReceived {
  std::string_view line;
  LineVerdict verdict;
};

// A frame really left the port (without CR LF), with the request it carried: the
// request code it was built for and, for block transfers, the block address.
struct FrameWritten {
  std::string_view frame;
  std::int16_t request;
  std::int32_t address;
};

// The register image took the words of the device at this bus address.
struct RegistersStored {
  std::int32_t address;
};

// The controller confirmed the clock setting.
struct ClockSetConfirmed {};

// A command the controller never acknowledges (1001-1005, 1006, 1010) went out.
struct CommandSent {
  std::int16_t code;
};

struct TransferStarted {
  TransferKind kind;
  int blocksTotal;
};

struct BlockConfirmed {
  TransferKind kind;
  std::int32_t address;  // start of the block confirmed
  int blocksDone;
  int blocksTotal;
};

// A transfer ended: completed (the last block confirmed and, for a download, its end
// command sent) or abandoned (replaced, link switched off, window closed).
struct TransferEnded {
  TransferKind kind;
  bool completed;
  int blocksDone;
  int blocksTotal;
  std::int64_t elapsedMs;
};

using LinkEvent = std::variant<PcTurn, LineReceived, FrameWritten, RegistersStored, ClockSetConfirmed,
                               CommandSent, TransferStarted, BlockConfirmed, TransferEnded>;

// True when the event says that a triac card's words (bus address 32-39) were stored.
inline bool CardWordsStored(const LinkEvent& event) {
  const auto* stored = std::get_if<RegistersStored>(&event);
  return stored != nullptr && stored->address >= 32 && stored->address <= 39;
}

// The listeners of one link. Listening hands back a subscription; the listener stays
// registered while the subscription lives, and either may go first. A listener may
// subscribe or cancel others while it is being called; new listeners hear from the
// next event on.
class LinkEvents {
 public:
  using Listener = std::function<void(const LinkEvent&)>;

  class Subscription {
   public:
    Subscription() = default;
    ~Subscription() { Cancel(); }
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    void Cancel();

   private:
    friend class LinkEvents;
    struct Registry;
    Subscription(std::weak_ptr<Registry> registry, std::uint64_t id)
        : m_registry(std::move(registry)), m_id(id) {}
    std::weak_ptr<Registry> m_registry;
    std::uint64_t m_id = 0;
  };

  LinkEvents();
  ~LinkEvents();
  LinkEvents(const LinkEvents&) = delete;
  LinkEvents& operator=(const LinkEvents&) = delete;

  [[nodiscard]] Subscription Listen(Listener listener);
  void Emit(const LinkEvent& event);
  std::size_t ListenerCount() const;

 private:
  std::shared_ptr<Subscription::Registry> m_registry;
};

}  // namespace bus
