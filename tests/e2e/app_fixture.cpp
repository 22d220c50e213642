#include "app_fixture.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>

#include "platform/texts.h"

namespace kestrune::e2e {

RunningApp::RunningApp(const std::string& ini) {
  exe_ = dir_.File(L"kestrune.exe");
  ::CopyFileW(ProgramPath().c_str(), exe_.c_str(), FALSE);
  if (!ini.empty()) WriteFileBytes(dir_.File(L"kestrune.ini"), ini);
}

RunningApp::~RunningApp() {
  process_.Kill();
  // The tray icon of a killed copy would linger; nothing else of it outlives the process.
}

bool RunningApp::Start() {
  // The pointer away from where the window comes up: resting on it, it would bring up tooltips and
  // hover marks of its own accord.
  // Wine now and then refuses a synthesized move for a moment (SendInput answers 0): once more.
  if (!ParkPointer() && (::Sleep(200), !ParkPointer())) {
    std::fprintf(stderr, "kestrune not started: the pointer could not be parked (error %lu)\n", ::GetLastError());
    return false;
  }
  if (!process_.Start(exe_)) {
    std::fprintf(stderr, "kestrune not started: CreateProcess failed (error %lu)\n", ::GetLastError());
    return false;
  }
  // The window exists before its controls do; the tray icon comes at the end of the load step.
  const bool window =
      WaitFor([&] { return (main_ = FindTopWindow(process_.Id(), L"KestruneMainWindow")) != nullptr; });
  const bool icon = window && WaitFor([&] { return TrayIconExists(main_); });
  if (window && icon && RoundTrip(main_)) return true;
  // Which step never came, and whether the program is still there: a start that fails on a machine
  // nobody watches has only this line to go by.
  std::fprintf(stderr, "kestrune did not come up: main window %s, tray icon %s, process %s (exit code 0x%lx)\n",
               window ? "found" : "missing", icon ? "found" : "missing", process_.Running() ? "running" : "gone",
               static_cast<unsigned long>(process_.ExitCode()));
  return false;
}

void RunningApp::Click(int id) { ::SendMessageW(Control(id), BM_CLICK, 0, 0); }

void RunningApp::PressButton(int id) {
  // The program's own buttons take a press and a release of the left button over them.
  HWND button = Control(id);
  RECT rect{};
  ::GetClientRect(button, &rect);
  const LPARAM at = MAKELPARAM(rect.right / 2, rect.bottom / 2);
  ::PostMessageW(button, WM_MOUSEMOVE, 0, at);
  ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(button, WM_LBUTTONUP, 0, at);
}

void RunningApp::Pick(int comboId, const std::wstring& itemText) {
  HWND combo = Control(comboId);
  const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(itemText.c_str()));
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(main_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int RunningApp::ActivePage() const {
  // The strip reads out the active tab's caption.
  const std::wstring caption = Text(Control(ids::kTabStripMain));
  // In either language: the tab captions are the tables' first entries, in page order.
  for (const Language language : {Language::Japanese, Language::English})
    for (int i = 0; i < kPages; ++i)
      if (caption == TextTable(language)[static_cast<std::size_t>(TextId::TabState) + i].text) return i;
  return -1;
}

bool RunningApp::ShowPage(int page) {
  // As a keyboard user would: the right arrow moves to the next tab, after the last to the first.
  HWND strip = Control(ids::kTabStripMain);
  // One key at a time. The strip lets pending messages run while it moves the pages' controls, so a
  // key that came meanwhile would start a second switch inside the first. The caption changes only
  // after the last control has moved, and nothing of the switch lets messages run after that.
  for (int step = 0; step < kPages && ActivePage() != page; ++step) {
    const int next = (ActivePage() + 1) % kPages;
    ::PostMessageW(strip, WM_KEYDOWN, VK_RIGHT, 1);
    ::PostMessageW(strip, WM_KEYUP, VK_RIGHT, static_cast<LPARAM>(0xC0000001));
    if (!WaitFor([&] { return ActivePage() == next; })) return false;
  }
  return ActivePage() == page;
}

bool RunningApp::OnScreen(int id) const {
  // Controls of hidden pages stay visible windows but are parked far outside the window.
  HWND control = Control(id);
  if (!Visible(control)) return false;
  RECT rect{}, client{};
  ::GetWindowRect(control, &rect);
  ::GetClientRect(main_, &client);
  ::MapWindowPoints(main_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT overlap{};
  return ::IntersectRect(&overlap, &rect, &client) != FALSE;
}

WindowPixels RunningApp::Pixels() {
  // Everything painted anew before the picture: the paint messages are sent and answered, and the
  // answer to a later message means the program has been back in its loop and has finished drawing.
  ::RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RoundTrip(main_);
  return CaptureWindow(main_);
}

void RunningApp::Screenshot(const std::wstring& name) {
  // The client area only: the frame is the system's, and Wine draws its buttons without the glyphs
  // Windows shows, so a picture with it would show no window a user has seen.
  RECT window{}, client{};
  ::GetWindowRect(main_, &window);
  ::GetClientRect(main_, &client);
  ::MapWindowPoints(main_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::OffsetRect(&client, -window.left, -window.top);
  EXPECT_TRUE(SavePng(Cropped(Pixels(), client), ArtifactDir() + L"\\" + name + L".png"))
      << "screenshot " << testing::PrintToString(name);
}

void RunningApp::EndSession() {
  ::SendMessageW(main_, WM_QUERYENDSESSION, 0, 0);
  ::PostMessageW(main_, WM_CLOSE, 0, 0);
  process_.WaitExit(kPatience);
}

void RunningApp::Tick() { ::SendMessageW(main_, WM_TIMER, ids::kTimerMain, 0); }

int RunningApp::SwitchCount() const {
  const std::wstring text = ControlText(ids::kLabelCount);
  if (text.empty() || text.size() > 9 || text.find_first_not_of(L"0123456789") != std::wstring::npos) return -1;
  return std::stoi(text);
}

bool MonitorShowsItsGrid(RunningApp& app) {
  RECT window{}, monitor{};
  ::GetWindowRect(app.Main(), &window);
  ::GetWindowRect(app.Control(ids::kSystemMonitorState), &monitor);
  const WindowPixels picture = app.Pixels();
  for (LONG y = monitor.top - window.top; y < monitor.bottom - window.top && y < picture.height; ++y) {
    int run = 0;
    for (LONG x = monitor.left - window.left; x < monitor.right - window.left && x < picture.width; ++x) {
      const std::uint8_t* p = &picture.rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3];
      run = p[0] == 0xE0 && p[1] == 0xE0 && p[2] == 0xE0 ? run + 1 : 0;
      if (run >= 300) return true;
    }
  }
  return false;
}

namespace {
// Name box of the file dialog: the combo box of the Explorer-style dialog, or the older edit box.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;
}  // namespace

HWND WaitForFileDialog(DWORD processId, std::chrono::milliseconds timeout) {
  HWND dialog = nullptr;
  WaitFor(
      [&] {
        dialog = FindDialogWithControl(processId, kFileNameCombo);
        if (dialog == nullptr) dialog = FindDialogWithControl(processId, kFileNameEdit);
        return dialog != nullptr;
      },
      timeout);
  return dialog;
}

void TypeFileName(HWND dialog, const std::wstring& path) {
  HWND box = ::GetDlgItem(dialog, kFileNameCombo);
  if (box == nullptr) box = ::GetDlgItem(dialog, kFileNameEdit);
  ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

HelperApp::HelperApp(const std::wstring& title) : HelperApp(std::vector<std::wstring>{title}) {}

HelperApp::HelperApp(const std::vector<std::wstring>& titles, const HelperOptions& options) {
  std::wstring arguments = options.leading;
  for (const std::wstring& title : titles) arguments += (arguments.empty() ? L"\"" : L" \"") + title + L"\"";
  if (!process_.Start(options.exe.empty() ? HelperPath() : options.exe, arguments)) return;
  for (const std::wstring& title : titles) {
    HWND window = nullptr;
    WaitFor([&] {
      return (window = FindTopWindow(process_.Id(), options.windowClass, title.c_str(), true)) != nullptr;
    });
    windows_.push_back(window);
  }
}

bool HelperApp::BringToFront(std::size_t index, int* redone) {
  const HWND window = Window(index);
  if (window == nullptr) return false;
  static const UINT message = ::RegisterWindowMessageW(L"KestruneTestHelper.BringToFront");
  return e2e::BringToFront(window, redone, [&] {
    DWORD_PTR inFront = 0;
    ::SendMessageTimeoutW(window, message, 0, 0, SMTO_NORMAL, static_cast<UINT>(kPatience.count()), &inFront);
  });
}

}  // namespace kestrune::e2e
