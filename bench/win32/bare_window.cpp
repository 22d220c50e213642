// The floor of the idle comparison in scripts/idle_cost.sh: a top-level window with a one-second
// timer that reads the foreground window, the least a program that watches it can do. It shows its
// window unless started with the argument "hidden", and runs until closed.
#include <windows.h>

#include <cwchar>

namespace {

HWND g_lastForeground = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      g_lastForeground = ::GetForegroundWindow();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"KestruneBareWindow";
  if (::RegisterClassW(&wc) == 0) return 1;
  const HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"bare window", WS_OVERLAPPEDWINDOW, 40, 40, 480, 320,
                                      nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;
  if (std::wcsstr(commandLine, L"hidden") == nullptr) ::ShowWindow(hwnd, SW_SHOW);
  ::SetTimer(hwnd, 1, 1000, nullptr);
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::KillTimer(hwnd, 1);
  return static_cast<int>(msg.wParam);
}
