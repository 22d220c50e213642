#pragma once
// Which window messages reach the tab strip's SubclassProc, before or after the window's own
// procedure. The Win32 binding does the subclassing itself; this table keeps the decisions (the
// two message sets per hooked window, the dispatch order and the order of removal) portable.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/types.h"

namespace kestrune::tabstrip {

// One set of messages: empty, every message (-1), or a list without repeats.
class MessageSet {
 public:
  static constexpr std::int64_t kAllMessages = -1;
  void Add(std::int64_t message);
  bool Contains(std::uint32_t message) const;
  // 0 empty, -1 all, otherwise the number of listed messages.
  int Count() const { return all_ ? -1 : static_cast<int>(messages_.size()); }
  void Clear() {
    all_ = false;
    messages_.clear();
  }

 private:
  bool all_ = false;
  std::vector<std::uint32_t> messages_;
};

namespace hookphase {
constexpr int kAfter = 1;
constexpr int kBefore = 2;
}  // namespace hookphase

class MessageHookTable {
 public:
  struct Entry {
    WindowHandle window = 0;  // 0 marks a free entry
    MessageSet before;
    MessageSet after;
  };

  // Adds an entry for the window (a free entry is reused, the last one first) and returns its index.
  // Hooking a window twice makes a second entry, as wrapping its procedure again would.
  int HookWindow(WindowHandle window);
  // phase: hookphase bits; message -1 means every message.
  void HookMessage(WindowHandle window, std::int64_t message, int phase);
  void UnhookWindow(WindowHandle window);
  // Unhooks every window, last entry first; returns the windows in the order they were released.
  std::vector<WindowHandle> UnhookAll();

  // Runs one message through the hooks of window: the callback before the previous procedure when
  // the before set holds it, the previous procedure unless the callback handled the message, then
  // the callback after it. The callback may change handled and result.
  using Callback = std::function<void(bool before, bool& handled, std::int64_t& result)>;
  std::int64_t Dispatch(WindowHandle window, std::uint32_t message, const Callback& callback,
                        const std::function<std::int64_t()>& previous) const;

  const std::vector<Entry>& Entries() const { return entries_; }
  const Entry* Find(WindowHandle window) const;

 private:
  Entry* FindMutable(WindowHandle window);
  std::vector<Entry> entries_;
};

}  // namespace kestrune::tabstrip
