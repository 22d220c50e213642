#pragma once
// The main window's message hook: minimise goes to the tray, the tray icon's notifications show
// the window or the menu, a re-created taskbar gets the icon back, and log-off is noticed.
#include <cstdint>
#include <functional>

#include "app/ui.h"

namespace kestrune {

namespace msg {
constexpr std::uint32_t kQueryEndSession = 0x11;
constexpr std::uint32_t kEndSession = 0x16;
constexpr std::uint32_t kCommand = 0x111;
constexpr std::uint32_t kSysCommand = 0x112;
constexpr std::uint32_t kTrayCallback = 2025;
constexpr std::uintptr_t kScMinimize = 0xF020;
constexpr std::intptr_t kLButtonDblClk = 0x203;
constexpr std::intptr_t kRButtonDown = 0x204;
}  // namespace msg

struct WindowMessage {
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

class WindowHook {
 public:
  using PassOn = std::function<std::intptr_t(const WindowMessage&)>;

  WindowHook(MainWindowOps& window, TrayIcon& tray) : window_(window), tray_(tray) {}

  // The id of the registered "TaskbarCreated" message; 0 until registered.
  void SetTaskbarCreatedMessage(std::uint32_t id) { taskbarCreated_ = id; }
  bool ShutdownFlag() const { return shutdown_; }
  void ClearShutdownFlag() { shutdown_ = false; }

  // Handles one message; passOn runs the window's previous procedure.
  std::intptr_t Handle(const WindowMessage& m, const PassOn& passOn);

 private:
  MainWindowOps& window_;
  TrayIcon& tray_;
  std::uint32_t taskbarCreated_ = 0;
  bool shutdown_ = false;
};

}  // namespace kestrune
