#include "app_fixture.h"

#include <commctrl.h>

#include <thread>

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
  if (!process_.Start(exe_)) return false;
  WaitFor([&] { return (main_ = FindTopWindow(process_.Id(), L"KestruneMainWindow")) != nullptr; });
  return main_ != nullptr;
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
  const wchar_t* captions[] = {L" 状態 ", L" ソフト設定 ", L" 加速記録 ", L" について "};
  for (int i = 0; i < 4; ++i)
    if (caption == captions[i]) return i;
  return -1;
}

void RunningApp::ShowPage(int page) {
  // As a keyboard user would: the right arrow moves to the next tab, after the last to the first.
  HWND strip = Control(ids::kTabStripMain);
  // One key at a time: a key that arrives while the strip is still switching is ignored by it.
  for (int step = 0; step < 4 && ActivePage() != page; ++step) {
    const int next = (ActivePage() + 1) % 4;
    ::PostMessageW(strip, WM_KEYDOWN, VK_RIGHT, 1);
    ::PostMessageW(strip, WM_KEYUP, VK_RIGHT, 0xC0000001);
    WaitFor([&] { return ActivePage() == next; }, std::chrono::seconds(3));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  }
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

void RunningApp::Screenshot(const std::wstring& name) {
  // Let a page switch finish moving its controls and everything repaint before the picture.
  ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
  ::RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  SaveScreenshot(main_, name);
}

void RunningApp::EndSession() {
  ::SendMessageW(main_, WM_QUERYENDSESSION, 0, 0);
  ::PostMessageW(main_, WM_CLOSE, 0, 0);
  process_.WaitExit(std::chrono::seconds(10));
}

HelperApp::HelperApp(const std::wstring& title) {
  if (!process_.Start(HelperPath(), L"\"" + title + L"\"")) return;
  WaitFor([&] { return (window_ = FindTopWindow(process_.Id(), L"KestruneTestHelper", nullptr, true)) != nullptr; });
}

void HelperApp::BringToFront() {
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::SetForegroundWindow(window_);
  WaitFor([&] { return ::GetForegroundWindow() == window_; }, std::chrono::seconds(3));
}

}  // namespace kestrune::e2e
