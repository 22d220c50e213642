#include "app/tab_order.h"

#include <algorithm>

namespace kestrune {
namespace {

bool Holds(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

bool SameLine(const Rect& first, const Rect& other) {
  if (Holds(first, other) || Holds(other, first)) return false;
  return other.top < first.top + first.Height() / 2;
}

}  // namespace

bool OnOtherPage(const FocusStop& control, int activePage) {
  return control.page != kBesidePages && control.page != activePage;
}

bool Reachable(const FocusStop& control, int activePage) {
  return control.tabStop && control.enabled && control.visible && !OnOtherPage(control, activePage);
}

std::vector<std::size_t> TabOrder(std::span<const FocusStop> controls, int activePage) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (Reachable(controls[i], activePage)) order.push_back(i);
  const auto rect = [&](std::size_t i) -> const Rect& { return controls[i].bounds; };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return rect(a).top != rect(b).top ? rect(a).top < rect(b).top : rect(a).left < rect(b).left;
  });
  // Lines, each sorted from the left.
  auto lineStart = order.begin();
  while (lineStart != order.end()) {
    const Rect& first = rect(*lineStart);
    auto lineEnd = std::next(lineStart);
    while (lineEnd != order.end() && SameLine(first, rect(*lineEnd))) ++lineEnd;
    std::stable_sort(lineStart, lineEnd, [&](std::size_t a, std::size_t b) { return rect(a).left < rect(b).left; });
    lineStart = lineEnd;
  }
  return order;
}

std::optional<std::size_t> NextFocus(std::span<const FocusStop> controls, int activePage,
                                     std::optional<std::size_t> current, bool forward) {
  const std::vector<std::size_t> order = TabOrder(controls, activePage);
  if (order.empty()) return std::nullopt;
  const auto at = current ? std::find(order.begin(), order.end(), *current) : order.end();
  if (at == order.end()) return forward ? order.front() : order.back();
  const std::size_t n = order.size();
  const std::size_t position = static_cast<std::size_t>(at - order.begin());
  return order[forward ? (position + 1) % n : (position + n - 1) % n];
}

}  // namespace kestrune
