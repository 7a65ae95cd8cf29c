#include "link/link_events.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace bus {

struct LinkEvents::Subscription::Registry {
  struct Entry {
    std::uint64_t id;
    Listener listener;
    bool active;
  };
  std::vector<Entry> entries;
  // Listeners added while an event is being delivered wait here, so that the list
  // being walked never moves under a running listener.
  std::vector<Entry> arriving;
  std::uint64_t nextId = 1;
  int depth = 0;

  void Settle() {
    std::erase_if(entries, [](const Entry& e) { return !e.active; });
    for (Entry& e : arriving) entries.push_back(std::move(e));
    arriving.clear();
  }
};

LinkEvents::Subscription::Subscription(Subscription&& other) noexcept
    : m_registry(std::move(other.m_registry)), m_id(std::exchange(other.m_id, 0)) {}

LinkEvents::Subscription& LinkEvents::Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    Cancel();
    m_registry = std::move(other.m_registry);
    m_id = std::exchange(other.m_id, 0);
  }
  return *this;
}

void LinkEvents::Subscription::Cancel() {
  const std::shared_ptr<Registry> r = m_registry.lock();
  m_registry.reset();
  if (!r || m_id == 0) return;
  for (auto* list : {&r->entries, &r->arriving}) {
    for (Registry::Entry& e : *list) {
      if (e.id == m_id) e.active = false;
    }
  }
  if (r->depth == 0) r->Settle();
  m_id = 0;
}

LinkEvents::LinkEvents() : m_registry(std::make_shared<Subscription::Registry>()) {}
LinkEvents::~LinkEvents() = default;

LinkEvents::Subscription LinkEvents::Listen(Listener listener) {
  Subscription::Registry& r = *m_registry;
  const std::uint64_t id = r.nextId++;
  (r.depth == 0 ? r.entries : r.arriving).push_back({id, std::move(listener), true});
  return Subscription(m_registry, id);
}

void LinkEvents::Emit(const LinkEvent& event) {
  // Held for the delivery: a listener may drop the last owner of this hub.
  const std::shared_ptr<Subscription::Registry> r = m_registry;
  ++r->depth;
  const std::size_t count = r->entries.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (r->entries[i].active) r->entries[i].listener(event);
  }
  if (--r->depth == 0) r->Settle();
}

std::size_t LinkEvents::ListenerCount() const {
  const auto& r = *m_registry;
  const auto active = [](const Subscription::Registry::Entry& e) { return e.active; };
  return static_cast<std::size_t>(std::count_if(r.entries.begin(), r.entries.end(), active) +
                                  std::count_if(r.arriving.begin(), r.arriving.end(), active));
}

}  // namespace bus
