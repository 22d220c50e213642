#include "controls/tabstrip/message_hook.h"

#include <algorithm>

namespace kestrune::tabstrip {

void MessageSet::Add(std::int64_t message) {
  if (message == kAllMessages) {
    all_ = true;
    return;
  }
  const auto m = static_cast<std::uint32_t>(message);
  if (std::find(messages_.begin(), messages_.end(), m) == messages_.end()) messages_.push_back(m);
}

bool MessageSet::Contains(std::uint32_t message) const {
  return all_ || std::find(messages_.begin(), messages_.end(), message) != messages_.end();
}

int MessageHookTable::HookWindow(WindowHandle window) {
  for (int i = static_cast<int>(entries_.size()) - 1; i >= 0; --i) {
    Entry& e = entries_[static_cast<std::size_t>(i)];
    if (e.window == 0) {
      e = Entry{window, {}, {}};
      return i;
    }
  }
  entries_.push_back(Entry{window, {}, {}});
  return static_cast<int>(entries_.size()) - 1;
}

MessageHookTable::Entry* MessageHookTable::FindMutable(WindowHandle window) {
  // The newest entry of a window wraps the older ones, so it is the one that receives changes.
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (window != 0 && it->window == window) return &*it;
  return nullptr;
}

const MessageHookTable::Entry* MessageHookTable::Find(WindowHandle window) const {
  return const_cast<MessageHookTable*>(this)->FindMutable(window);
}

void MessageHookTable::HookMessage(WindowHandle window, std::int64_t message, int phase) {
  Entry* e = FindMutable(window);
  if (e == nullptr) return;
  if (phase & hookphase::kBefore) e->before.Add(message);
  if (phase & hookphase::kAfter) e->after.Add(message);
}

void MessageHookTable::UnhookWindow(WindowHandle window) {
  if (Entry* e = FindMutable(window)) {
    e->window = 0;
    e->before.Clear();
    e->after.Clear();
  }
}

std::vector<WindowHandle> MessageHookTable::UnhookAll() {
  std::vector<WindowHandle> released;
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (it->window == 0) continue;
    released.push_back(it->window);
    it->window = 0;
    it->before.Clear();
    it->after.Clear();
  }
  return released;
}

std::int64_t MessageHookTable::Dispatch(WindowHandle window, std::uint32_t message, const Callback& callback,
                                        const std::function<std::int64_t()>& previous) const {
  std::int64_t result = 0;
  bool handled = false;
  const Entry* e = Find(window);
  if (e != nullptr && e->before.Contains(message)) callback(true, handled, result);
  if (!handled) result = previous();
  // handled is not reset: the after call sees what the before call decided.
  if (e != nullptr && e->after.Contains(message)) callback(false, handled, result);
  return result;
}

}  // namespace kestrune::tabstrip
