#pragma once
// The one way every tab strip operation reports a failure: the error keeps its number and
// description and is raised again under "TabStrip." and the name of the operation where it arose.
#include <exception>
#include <new>
#include <string>
#include <utility>

#include "platform/control_error.h"

namespace kestrune::tabstrip {

inline constexpr char kSourcePrefix[] = "TabStrip.";

inline bool HasTabStripSource(const ControlError& e) {
  return e.Source().rfind(kSourcePrefix, 0) == 0;
}

// Runs body as the operation `op`. An error that already names a tab strip operation passes
// unchanged, so the caller learns where inside the control the failure happened; anything else
// is given this operation's name. Foreign exceptions become numbered control errors too, because
// the host only understands those.
template <typename Body>
decltype(auto) Guarded(const char* op, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (const ControlError& e) {
    if (HasTabStripSource(e)) throw;
    throw e.WithSource(std::string(kSourcePrefix) + op);
  } catch (const std::bad_alloc&) {
    throw ControlError(7, "Out of memory", std::string(kSourcePrefix) + op);
  } catch (const std::exception& e) {
    throw ControlError(5, e.what(), std::string(kSourcePrefix) + op);
  }
}

// Runs the end of an operation even when it fails part-way (a drawing lock, a re-entrancy guard,
// the drawing mode).
template <typename F>
class AtExit {
 public:
  explicit AtExit(F f) : f_(std::move(f)) {}
  ~AtExit() { f_(); }
  AtExit(const AtExit&) = delete;
  AtExit& operator=(const AtExit&) = delete;

 private:
  F f_;
};

// Raises a fresh numbered error from inside a guarded operation.
[[noreturn]] inline void Raise(int number) { throw MakeControlError(number); }
[[noreturn]] inline void Raise(int number, const char* description) {
  throw ControlError(number, description);
}

}  // namespace kestrune::tabstrip
