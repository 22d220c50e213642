#include "app/window_hook.h"

namespace kestrune {

std::intptr_t WindowHook::Handle(const WindowMessage& m, const PassOn& passOn) {
  if (m.wParam == msg::kScMinimize) {
    // Let the window minimise first so that restoring later brings it back at its old place.
    const std::intptr_t result = passOn(m);
    window_.Hide();
    return result;
  }
  // Tray notifications are only believed on the tray's own callback message: any other message
  // whose lParam happens to be 0x203 or 0x204 must reach the window untouched.
  if (m.message == msg::kTrayCallback && m.lParam == msg::kLButtonDblClk) {
    if (!window_.IsVisible()) {
      window_.Show();
      window_.SendRestore();
    }
    return 0;
  }
  if (m.message == msg::kTrayCallback && m.lParam == msg::kRButtonDown) {
    if (!window_.IsVisible()) {
      // The window must own the foreground or the pop-up menu would not close when clicked away.
      window_.BringToForeground();
      window_.ShowTrayMenu();
    }
    return 0;
  }
  if (taskbarCreated_ != 0 && m.message == taskbarCreated_) {
    tray_.Add();
    return 0;
  }
  if (m.message == msg::kQueryEndSession || m.message == msg::kEndSession) shutdown_ = true;
  return passOn(m);
}

}  // namespace kestrune
