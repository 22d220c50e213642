// "Another application" for the end-to-end tests: one titled top-level window per argument (one
// window titled "Kestrune test helper" without arguments), all on the program's one thread.
// Usage: helper_window.exe "<title>" ["<title>" ...]
//        helper_window.exe --frame "<title>"   one window of class ApplicationFrameWindow, as a store
//                                              app's frame host shows
//        helper_window.exe --core <hwnd>       a child of class Windows.UI.Core.CoreWindow inside that
//                                              window of another process, as the store app itself owns
//        helper_window.exe --spin "<title>" ... the windows, and two more threads that keep two cores
//                                              busy until the registered message
//                                              "KestruneTestHelper.Spin" arrives with wParam 0 (1 resumes);
//                                              two, so that beside other heavy work on the machine the
//                                              spinner still takes well over the quarter of a core a
//                                              background hog is known by
//        helper_window.exe --spin-child "<title>"  the window, and a child of this same executable
//                                              without a window that keeps two cores busy, as a
//                                              browser's video decoder does for its window; the window
//                                              answers the registered message "KestruneTestHelper.Child"
//                                              with the child's process id. The child ends with it.
//        helper_window.exe --spin-in-front "<title>"  the window, and two threads that keep two cores
//                                              busy only while it is in front, as a game does
//
// A window of this program comes to the front when it receives the registered message
// "KestruneTestHelper.BringToFront", from its own thread, as an application does when the user clicks
// it. Between two windows of this same thread the foreground then moves in one step: Wine hands a
// change between threads over through messages, and for that moment no window is in front.
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cwchar>
#include <string>
#include <vector>

namespace {

UINT bringToFront = 0;
UINT spinControl = 0;
UINT childQuery = 0;
int openWindows = 0;
std::atomic<bool> spinning{false};
std::atomic<bool> inFront{true};  // with --spin-in-front: whether the window is in front now
DWORD childId = 0;

DWORD WINAPI Spin(LPVOID) {
  volatile unsigned long long work = 0;
  for (;;) {
    if (spinning.load(std::memory_order_relaxed) && inFront.load(std::memory_order_relaxed))
      work = work + 1;
    else
      ::Sleep(20);
  }
}

void StartSpinners() {
  spinning = true;
  for (int thread = 0; thread < 2; ++thread) ::CloseHandle(::CreateThread(nullptr, 0, Spin, nullptr, 0, nullptr));
}

// Keeps inFront up to date for the window whose handle it is given.
DWORD WINAPI WatchFront(LPVOID window) {
  for (;;) {
    inFront = ::GetForegroundWindow() == static_cast<HWND>(window);
    ::Sleep(20);
  }
}

// The windowless child: busy until its parent ends.
int SpinningChild(DWORD parentId) {
  HANDLE parent = ::OpenProcess(SYNCHRONIZE, FALSE, parentId);
  if (parent == nullptr) return 1;
  StartSpinners();
  ::WaitForSingleObject(parent, INFINITE);
  ::CloseHandle(parent);
  return 0;
}

DWORD StartSpinningChild() {
  wchar_t exe[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --spinning-child " + std::to_wstring(::GetCurrentProcessId());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return 0;
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return info.dwProcessId;
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (bringToFront != 0 && message == bringToFront) {
    ::SetForegroundWindow(hwnd);
    return ::GetForegroundWindow() == hwnd ? 1 : 0;
  }
  if (spinControl != 0 && message == spinControl) {
    spinning = wParam != 0;
    return 1;
  }
  if (childQuery != 0 && message == childQuery) return static_cast<LRESULT>(childId);
  if (message == WM_DESTROY) {
    if (--openWindows == 0) ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<std::wstring> Titles() {
  std::vector<std::wstring> titles;
  int count = 0;
  if (wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) titles.emplace_back(args[i]);
    ::LocalFree(args);
  }
  if (titles.empty()) titles.emplace_back(L"Kestrune test helper");
  return titles;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  bringToFront = ::RegisterWindowMessageW(L"KestruneTestHelper.BringToFront");
  spinControl = ::RegisterWindowMessageW(L"KestruneTestHelper.Spin");
  childQuery = ::RegisterWindowMessageW(L"KestruneTestHelper.Child");
  std::vector<std::wstring> titles = Titles();
  if (titles.size() == 2 && titles[0] == L"--spinning-child")
    return SpinningChild(static_cast<DWORD>(std::wcstoul(titles[1].c_str(), nullptr, 10)));
  const bool spinInFront = titles.size() > 1 && titles[0] == L"--spin-in-front";
  if (titles.size() > 1 && titles[0] == L"--spin") {
    titles.erase(titles.begin());
    StartSpinners();
  } else if (titles.size() > 1 && titles[0] == L"--spin-child") {
    titles.erase(titles.begin());
    childId = StartSpinningChild();
  } else if (spinInFront) {
    titles.erase(titles.begin());
  }
  const bool frame = titles.size() == 2 && titles[0] == L"--frame";
  const bool core = titles.size() == 2 && titles[0] == L"--core";
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = frame ? L"ApplicationFrameWindow" : core ? L"Windows.UI.Core.CoreWindow" : L"KestruneTestHelper";
  ::RegisterClassW(&wc);
  if (core) {
    HWND parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(titles[1].c_str(), nullptr, 16)));
    if (::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 60, parent, nullptr, instance,
                          nullptr) == nullptr) {
      return 1;
    }
    titles.clear();
    ++openWindows;
  }
  if (frame) titles.erase(titles.begin());
  // Right of where the program's window comes up, so that the screenshots show that window whole.
  int offset = 0;
  for (const std::wstring& title : titles) {
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 640 + offset,
                                    40 + offset, 300, 120, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    if (spinInFront && openWindows == 0) {
      inFront = false;
      ::CloseHandle(::CreateThread(nullptr, 0, WatchFront, window, 0, nullptr));
      StartSpinners();
    }
    ++openWindows;
    offset += 30;
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
