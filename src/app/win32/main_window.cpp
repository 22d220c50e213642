#include "app/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>

#include "app/win32/control_ids.h"
#include "app/win32/services.h"
#include "app/win32/start_language.h"
#include "platform/win32/executable_path.h"

namespace kestrune {
namespace {

constexpr wchar_t kClassName[] = L"KestruneMainWindow";
constexpr int kClientWidth = 470;
constexpr int kClientHeight = 352;

}  // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance) : instance_(instance) {}

// The logic objects need the window (the file dialog's owner), so they are made once it exists.
// Before the first text is shown: the tray's tip and every control's caption are in that language.
void Win32MainWindow::ChooseLanguage() {
  services_ = std::make_unique<Win32Services>(codePage_, hwnd_, ExecutableDirectory(), ExecutableBaseName());
  ShowLanguage(StartLanguage(services_->settingsFile));
}

void Win32MainWindow::BuildLogic() {
  const auto check = [this](int id) -> CheckBox& { return Control<Win32CheckBox>(id); };
  const auto combo = [this](int id) -> ComboBox& { return Control<Win32ComboBox>(id); };
  const auto label = [this](int id) -> Win32Label& { return Control<Win32Label>(id); };
  Win32HistoryList& rows = Control<Win32HistoryList>(ids::kListViewHistory);
  history_ = std::make_unique<History>(
      History::Services{rows, clock_, boxes_, services_->dialog, services_->files, codePage_}, std::wstring(kHomePage));
  settings_ = std::make_unique<Settings>(services_->settingsFile, services_->autostart, codePage_);
  languageChooser_ = std::make_unique<LanguageChooser>(combo(ids::kComboLanguage), *settings_, boxes_);
  settingsPage_ = std::make_unique<SettingsPage>(
      SettingsControls{check(ids::kCheckAutoRun), check(ids::kCheckAutoMin), check(ids::kCheckAlwaysTop),
                       check(ids::kCheckAcceleration), check(ids::kCheckRecording), combo(ids::kComboSpeed),
                       combo(ids::kComboRecordCount)},
      *settings_, *this, boxes_, services_->location);
  changes_ = std::make_unique<PriorityChanges>(processes_, services_->journal, &services_->sharedJournal);
  boost_ = std::make_unique<BoostCycle>(processes_, codePage_, *changes_);
  restraint_ = std::make_unique<BackgroundRestraint>(BackgroundRestraint::Services{snapshot_, processes_, *changes_, clock_});
  restraintStatus_ =
      std::make_unique<RestraintStatus>(*restraint_, label(ids::kLabelRestrained), label(ids::kLabelKeptLow), *history_);
  advancedPage_ = std::make_unique<AdvancedPage>(
      AdvancedControls{*this, Control<Win32RuleTable>(ids::kListExclude), combo(ids::kComboRuleFront),
                       combo(ids::kComboRuleBehind), Control<Win32TextBox>(ids::kEditExcludeName)},
      AdvancedParts{*settings_, *boost_, processes_, watch_, boxes_});
  watch_.Setup(hwnd_, ids::kTimerQuick, StaticTimerProc, [this](ProcessId windowOwner) {
    advancedPage_->OnForegroundEvent(windowOwner);
    if (form_) form_->OnQuickLook();
  });
  hook_ = std::make_unique<WindowHook>(*this, tray_);
  form_ = std::make_unique<FormMain>(
      FormControls{label(ids::kLabelInfo), label(ids::kLabelCount), label(ids::kLabelHomePage),
                   label(ids::kLabelNeedHelp), tabs_},
      FormParts{*this, boxes_, *boost_, *history_, *settingsPage_, *settings_, *hook_, *this, tray_});
  form_->AttachAdvanced(*advancedPage_);
  form_->AttachRestraint(*restraintStatus_);
}

Win32MainWindow::~Win32MainWindow() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
  if (tooltip_ != nullptr) ::DestroyWindow(tooltip_);
  fonts_.Destroy();
  if (pageBrush_ != nullptr) ::DeleteObject(pageBrush_);
  for (const auto& [swatch, brush] : swatches_) ::DeleteObject(brush);
  if (historyImages_ != nullptr) ImageList_Destroy(historyImages_);
  if (trayMenu_ != nullptr) ::DestroyMenu(trayMenu_);
  if (icon_ != nullptr) ::DestroyIcon(icon_);
  if (smallIcon_ != nullptr) ::DestroyIcon(smallIcon_);
}

bool Win32MainWindow::Create() {
  dpi_ = InitialDpi(nullptr);
  LoadIcons();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WindowBase::Procedure;
  wc.hInstance = instance_;
  wc.hIcon = icon_;
  wc.hIconSm = smallIcon_;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (::RegisterClassExW(&wc) == 0) return false;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  hwnd_ = ::CreateWindowExW(0, kClassName, std::wstring(kWindowCaption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_,
                            static_cast<WindowBase*>(this));
  if (hwnd_ == nullptr) return false;
  // Started on a screen whose scale is not the system's: made at the screen's from the start.
  if (const int dpi = InitialDpi(hwnd_); dpi != dpi_) {
    dpi_ = dpi;
    RECT rect{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
    ::AdjustWindowRectEx(&rect, style, FALSE, 0);
    RECT now{};
    ::GetWindowRect(hwnd_, &now);
    ReplaceIcons();
    ::SetWindowPos(hwnd_, nullptr, now.left, now.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  boxes_.SetOwner(hwnd_);
  ChooseLanguage();
  tray_.Setup(hwnd_, smallIcon_ != nullptr ? smallIcon_ : icon_);
  if (!CreateControls()) return false;
  BuildLogic();
  ::SetTimer(hwnd_, ids::kTimerMain, 1000, StaticTimerProc);

  // Focus marks stay hidden until the keyboard is used.
  ShowFocusMarks(false);
  form_->Load();
  languageChooser_->Load();
  // Start-minimised hides the window through the hook before it is ever shown.
  if (!hiddenToTray_) ::ShowWindow(hwnd_, SW_SHOW);
  ::UpdateWindow(hwnd_);
  return true;
}

LRESULT CALLBACK Win32MainWindow::StaticHookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<Win32MainWindow*>(WindowBase::FromHwnd(hwnd));
  const WNDPROC previous = self->previousProc_;
  return self->hook_->Handle({message, wParam, lParam}, [&](const WindowMessage& m) {
    return ::CallWindowProcW(previous, hwnd, m.message, m.wParam, m.lParam);
  });
}

void CALLBACK Win32MainWindow::StaticTimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  auto* self = static_cast<Win32MainWindow*>(WindowBase::FromHwnd(hwnd));
  if (self != nullptr && self->hwnd_ == hwnd) self->HandleWindowMessage(WM_TIMER, id, 0);
}

LRESULT Win32MainWindow::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (form_ == nullptr) return ::DefWindowProcW(hwnd_, message, wParam, lParam);  // still being created
  switch (message) {
    case WM_TIMER:
      if (wParam == ids::kTimerMain) form_->BoostAndRestrain();
      if (wParam == ids::kTimerQuick) form_->OnQuickLook();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      if (IsSelectionChange(lParam, ids::kListExclude)) advancedPage_->OnRuleSelected();
      break;
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush = OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      form_->OnBackgroundMouseDown();
      return 0;
    case WM_MOUSEMOVE:
      form_->OnBackgroundMouseMove();
      return 0;
    case WM_NEXTDLGCTL:
      // An own control's arrow keys ask for the next or previous control, as in a dialog.
      if (LOWORD(lParam) != FALSE)
        ::SetFocus(reinterpret_cast<HWND>(wParam));
      else
        MoveFocus(wParam == 0);
      return TRUE;
    case WM_UPDATEUISTATE:
      return UpdateUiState(wParam, lParam);
    case WM_QUERYUISTATE:
      return (::DefWindowProcW(hwnd_, message, wParam, lParam) & ~UISF_HIDEFOCUS) | (focusHidden_ ? UISF_HIDEFOCUS : 0);
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus(false);
      } else if (HIWORD(wParam) == 0 && lastFocus_ != nullptr) {
        RememberFocus(true);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      // The rectangle Windows suggests keeps the window where the user put it, at the new size.
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ENDSESSION:
      // The hook has set the shutdown flag: closing now asks nothing.
      if (wParam != FALSE) ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      if (form_->QueryUnload()) ::DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      ::KillTimer(hwnd_, ids::kTimerMain);
      if (tooltip_ != nullptr) ::DestroyWindow(tooltip_);
      tooltip_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32MainWindow::OnCommand(int id, int code) {
  if (const ControlRow* row = ControlRowOf(id)) {
    if (RunsHandler(row->kind, code)) row->onNotify.Run(Logic());
    return;
  }
  switch (id) {
    case ids::kToolbarClear:
    case ids::kToolbarSave: {
      // The history tells its buttons apart by caption, as the user reads them.
      wchar_t caption[64] = {};
      ::SendMessageW(::GetDlgItem(hwnd_, ids::kToolbarSpeedMain), TB_GETBUTTONTEXTW, static_cast<WPARAM>(id),
                     reinterpret_cast<LPARAM>(caption));
      history_->OnToolbarButtonClick(caption);
      return;
    }
    case ids::kMenuMainScreen: form_->OnMenuMainScreen(); return;
    case ids::kMenuUpdate: form_->OnMenuUpdate(); return;
    case ids::kMenuExit: form_->OnMenuExit(); return;
    default: return;
  }
}

CheckBox& Win32MainWindow::Of(Setting flag) {
  for (const ControlRow& row : MainWindowControls())
    if (row.onNotify.mirrors == flag) return Control<Win32CheckBox>(row.id);
  throw std::logic_error("no check box mirrors this flag");
}

Win32Label* Win32MainWindow::LinkOf(HWND control) {
  const ControlRow* row = ControlRowOf(::GetDlgCtrlID(control));
  return row != nullptr && row->kind == ControlKind::Link ? &Control<Win32Label>(row->id) : nullptr;
}

HBRUSH Win32MainWindow::OnColorStatic(HDC dc, HWND control) {
  if (const Win32Label* link = LinkOf(control)) {
    ::SetTextColor(dc, link->TextColor());
    ::SetBkColor(dc, kPageColor);
    return pageBrush_;
  }
  for (const auto& [swatch, brush] : swatches_)
    if (control == swatch) return brush;
  if (const ControlRow* row = ControlRowOf(::GetDlgCtrlID(control)); row != nullptr && row->page != kBesidePages) {
    // Labels and check boxes on a page take the page's colour, as drawn by the strip.
    ::SetBkColor(dc, kPageColor);
    return pageBrush_;
  }
  return nullptr;
}

LRESULT CALLBACK Win32MainWindow::ChildSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                    UINT_PTR id, DWORD_PTR data) {
  auto* self = reinterpret_cast<Win32MainWindow*>(data);
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, ChildSubclassProc, id);
  return self->HandleChildMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32MainWindow::HandleChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Win32Label* link = LinkOf(child)) {
    if (message == WM_MOUSEMOVE) form_->OnLinkMouseMove(*link);
    if (message == WM_SETCURSOR) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
  } else if (message == WM_ERASEBKGND && child == ::GetDlgItem(hwnd_, ids::kToolbarSpeedMain)) {
    RECT rect{};
    ::GetClientRect(child, &rect);
    ::FillRect(reinterpret_cast<HDC>(wParam), &rect, pageBrush_);
    return TRUE;
  }
  return ::DefSubclassProc(child, message, wParam, lParam);
}

}  // namespace kestrune
