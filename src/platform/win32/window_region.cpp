#include "platform/win32/window_region.h"

namespace kestrune::win32 {

bool ApplyWindowRegion(HWND hwnd, const WindowRegion& region) {
  // The plain rectangle needs no region at all, which also keeps a growing window from being clipped
  // to its old size until the next shape arrives.
  if (region.cutouts.empty()) return ::SetWindowRgn(hwnd, nullptr, TRUE) != 0;

  HRGN shape = ::CreateRectRgn(0, 0, region.width, region.height);
  if (shape == nullptr) return false;
  for (const Rect& r : region.cutouts) {
    HRGN cut = ::CreateRectRgn(r.left, r.top, r.right, r.bottom);
    const int result = cut != nullptr ? ::CombineRgn(shape, shape, cut, RGN_DIFF) : ERROR;
    if (cut != nullptr) ::DeleteObject(cut);
    if (result == ERROR) {
      ::DeleteObject(shape);
      return false;
    }
  }
  // Once set, the window owns the region: the system deletes it when a new shape replaces it or the
  // window is destroyed, so it must not be deleted here.
  if (::SetWindowRgn(hwnd, shape, TRUE) == 0) {
    ::DeleteObject(shape);
    return false;
  }
  return true;
}

}  // namespace kestrune::win32
