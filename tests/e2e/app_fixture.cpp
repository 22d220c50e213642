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

void RunningApp::Pick(int comboId, const std::wstring& itemText) {
  HWND combo = Control(comboId);
  const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(itemText.c_str()));
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(main_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void RunningApp::ShowPage(int page) {
  HWND tab = Control(ids::kTabStripMain);
  // WM_NOTIFY carries a pointer, so it must come from inside the program: a click on the tab's
  // centre makes the tab control itself send it.
  const RECT item = TabItemRect(tab, page);
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  // Posted, as real input is: the tab control may wait for the button to come up.
  ::PostMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(tab, WM_LBUTTONUP, 0, at);
  WaitFor([&] { return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == page; }, std::chrono::seconds(3));
  ::SendMessageW(tab, WM_NULL, 0, 0);  // both posted messages have been handled once this returns
}

void RunningApp::Screenshot(const std::wstring& name) {
  ::SetForegroundWindow(main_);
  ::RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
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
