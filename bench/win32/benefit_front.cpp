// benefit_front: the program in front for scripts/benefit.sh. It shows a window, brings it to the
// front and keeps it there, and measures on the board that benefit_probe.exe made:
//
//   benefit_front.exe --board NAME --kind throughput   one thread works as fast as it can: units of
//                                                      work and its own processor time
//   benefit_front.exe --board NAME --kind responsive   the window's thread wakes every 1 ms through
//                                                      its message wait, as input handling does, and a
//                                                      second thread every 16.7 ms through Sleep's
//                                                      wait, as a frame loop does: how late each woke
//   benefit_front.exe --board NAME --kind child        the window only; its work runs in a child of
//                                                      this same program (--kind renderer), as a
//                                                      browser's renderer does
//
// Runs until its window is closed; a child ends with its parent.
#include <windows.h>

#include <string>

#include "benefit_board.h"

namespace {

using namespace kestrune::benefit;

Board* g_board = nullptr;
volatile bool g_stop = false;
HWND g_window = nullptr;

DWORD WINAPI Worker(LPVOID) {
  std::uint64_t seed = 7;
  for (unsigned units = 0; !g_stop; ++units) {
    seed = WorkUnit(seed);
    g_board->work[kFrontSlot] = g_board->work[kFrontSlot] + 1;
    // Reading the thread's times costs Wine a file read: once every 32 units (a few milliseconds).
    FILETIME created, ended, kernel, user;
    if (units % 32 == 0 && ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user)) {
      const auto time = [](FILETIME t) { return static_cast<LONG64>(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart); };
      g_board->frontCpu = time(kernel) + time(user);
    }
  }
  return static_cast<DWORD>(seed & 1);
}

DWORD WINAPI FrameLoop(LPVOID) {
  WakeLoop(g_board->wakers[kFrame], 1e6 / 60, Wait::Sleep, 20, &g_stop);
  return 0;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      // Kept in front as a user working in it would keep it.
      if (::GetForegroundWindow() != hwnd) {
        g_board->frontLost = g_board->frontLost + 1;
        ::SetForegroundWindow(hwnd);
      }
      return 0;
    case WM_DESTROY:
      ::KillTimer(hwnd, 1);
      g_stop = true;
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HWND ShowFrontWindow(HINSTANCE instance, const std::wstring& kind) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"KestruneBenefitFront";
  if (::RegisterClassW(&wc) == 0) return nullptr;
  const std::wstring title = L"benefit front (" + kind + L")";
  HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 480,
                                320, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return nullptr;
  ::SetForegroundWindow(hwnd);
  ::SetTimer(hwnd, 1, 1000, nullptr);
  return hwnd;
}

// The child of --kind child: the same program, working without a window.
HANDLE StartRenderer(const std::wstring& board) {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring commandLine = L"\"" + std::wstring(path) + L"\" --board " + board + L" --kind renderer";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return nullptr;
  ::CloseHandle(process.hThread);
  return process.hProcess;
}

int RunMessages() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring board = Argument(argc, argv, L"--board");
  const std::wstring kind = Argument(argc, argv, L"--kind");
  g_board = OpenBoard(board, false);
  if (g_board == nullptr) return 2;
  if (kind == L"renderer") {
    Worker(nullptr);
    return 0;
  }
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  g_window = ShowFrontWindow(instance, kind);
  if (g_window == nullptr) return 1;
  int status = 0;
  if (kind == L"throughput") {
    HANDLE worker = ::CreateThread(nullptr, 0, Worker, nullptr, 0, nullptr);
    status = RunMessages();
    ::WaitForSingleObject(worker, 5000);
    ::CloseHandle(worker);
  } else if (kind == L"responsive") {
    HANDLE frames = ::CreateThread(nullptr, 0, FrameLoop, nullptr, 0, nullptr);
    WakeLoop(g_board->wakers[kInput], 1000, Wait::MessagesAndTimer, 1, &g_stop);
    ::WaitForSingleObject(frames, 5000);
    ::CloseHandle(frames);
  } else if (kind == L"child") {
    HANDLE renderer = StartRenderer(board);
    status = renderer != nullptr ? RunMessages() : 1;
    if (renderer != nullptr) {
      ::TerminateProcess(renderer, 0);
      ::WaitForSingleObject(renderer, 5000);
      ::CloseHandle(renderer);
    }
  } else {
    ::DestroyWindow(g_window);
    return 2;
  }
  return status;
}
