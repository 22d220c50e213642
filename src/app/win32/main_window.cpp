#include "app/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

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
  history_ = std::make_unique<History>(
      History::Services{listViewHistory_, clock_, boxes_, services_->dialog, services_->files, codePage_},
      std::wstring(kHomePage));
  settings_ = std::make_unique<Settings>(services_->settingsFile, services_->autostart, codePage_);
  languageChooser_ = std::make_unique<LanguageChooser>(comboLanguage_, *settings_, boxes_);
  settingsPage_ = std::make_unique<SettingsPage>(
      SettingsControls{checkAutoRun_, checkAutoMin_, checkMostTop_, checkState_, checkEnableRecord_, comboSpeed_,
                       comboAutoCleanCount_},
      *settings_, *this, boxes_, services_->location);
  changes_ = std::make_unique<PriorityChanges>(processes_, services_->journal);
  boost_ = std::make_unique<BoostCycle>(processes_, codePage_, *changes_);
  restraint_ = std::make_unique<BackgroundRestraint>(BackgroundRestraint::Services{snapshot_, processes_, *changes_, clock_});
  restraintStatus_ = std::make_unique<RestraintStatus>(*restraint_, labelRestrained_, *history_);
  advancedPage_ = std::make_unique<AdvancedPage>(
      AdvancedControls{checkRestoreOriginal_, checkRestoreOnStop_, checkInstantReaction_, checkRestrainBackground_, listExclude_,
                       textExcludeName_},
      AdvancedParts{*settings_, *boost_, processes_, watch_, codePage_, boxes_});
  watch_.Setup(hwnd_, ids::kTimerQuick, StaticTimerProc, [this](ProcessId windowOwner) {
    advancedPage_->OnForegroundEvent(windowOwner);
    if (form_) form_->OnQuickLook();
  });
  hook_ = std::make_unique<WindowHook>(*this, tray_);
  form_ = std::make_unique<FormMain>(
      FormControls{checkAutoMin_, checkState_, checkEnableRecord_, comboSpeed_, comboAutoCleanCount_, labelInfo_,
                   labelCount_, labelHomePage_, labelNeedHelp_, tabs_},
      FormParts{*this, boxes_, *boost_, *history_, *settingsPage_, *settings_, *hook_, *this, tray_});
  form_->AttachAdvanced(*advancedPage_);
  form_->AttachRestraint(*restraintStatus_);
}

Win32MainWindow::~Win32MainWindow() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
  if (tooltip_ != nullptr) ::DestroyWindow(tooltip_);
  fonts_.Destroy();
  if (pageBrush_ != nullptr) ::DeleteObject(pageBrush_);
  for (HBRUSH& brush : swatchBrushes_)
    if (brush != nullptr) ::DeleteObject(brush);
  if (historyImages_ != nullptr) ImageList_Destroy(historyImages_);
  if (menu_ != nullptr) ::DestroyMenu(menu_);
  if (icon_ != nullptr) ::DestroyIcon(icon_);
  if (smallIcon_ != nullptr) ::DestroyIcon(smallIcon_);
}

bool Win32MainWindow::Create() {
  icon_ = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(ids::kIconApp), IMAGE_ICON,
                                          ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(ids::kIconApp), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = StaticWindowProc;
  wc.hInstance = instance_;
  wc.hIcon = icon_;
  wc.hIconSm = smallIcon_;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (::RegisterClassExW(&wc) == 0) return false;

  HDC screen = ::GetDC(nullptr);
  dpi_ = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  hwnd_ = ::CreateWindowExW(0, kClassName, std::wstring(kWindowCaption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_, this);
  if (hwnd_ == nullptr) return false;
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

LRESULT CALLBACK Win32MainWindow::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ == nullptr) {
    if (self != nullptr && message == WM_NCCREATE) self->hwnd_ = hwnd;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK Win32MainWindow::StaticHookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32MainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const WNDPROC previous = self->previousProc_;
  return self->hook_->Handle({message, wParam, lParam}, [&](const WindowMessage& m) {
    return ::CallWindowProcW(previous, hwnd, m.message, m.wParam, m.lParam);
  });
}

void CALLBACK Win32MainWindow::StaticTimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  auto* self = reinterpret_cast<Win32MainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr && self->hwnd_ == hwnd) self->HandleMessage(WM_TIMER, id, 0);
}

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (form_ == nullptr) return ::DefWindowProcW(hwnd_, message, wParam, lParam);  // still being created
  switch (message) {
    case WM_TIMER:
      if (wParam == ids::kTimerMain) form_->OnTimerMain();
      if (wParam == ids::kTimerQuick) form_->OnQuickLook();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
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
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32MainWindow::OnCommand(int id, int code) {
  switch (id) {
    case ids::kCommandExit: form_->OnCommandExitClick(); return;
    case ids::kCommandMini: form_->OnCommandMiniClick(); return;
    case ids::kCheckAutoRun: if (code == BN_CLICKED) settingsPage_->OnCheckAutoRunClick(); return;
    case ids::kCheckAutoMin: if (code == BN_CLICKED) settingsPage_->OnCheckAutoMinClick(); return;
    case ids::kCheckMostTop: if (code == BN_CLICKED) settingsPage_->OnCheckMostTopClick(); return;
    case ids::kCheckState: if (code == BN_CLICKED) form_->OnCheckStateClick(); return;
    case ids::kCheckEnableRecord: if (code == BN_CLICKED) settingsPage_->OnCheckEnableRecordClick(); return;
    case ids::kComboSpeed: if (code == CBN_SELCHANGE) settingsPage_->OnComboSpeedClick(); return;
    case ids::kComboLanguage: if (code == CBN_SELCHANGE) languageChooser_->OnComboLanguageClick(); return;
    case ids::kComboAutoCleanCount:
      if (code == CBN_SELCHANGE) settingsPage_->OnComboAutoCleanCountClick();
      return;
    case ids::kLabelHomePage:
    case ids::kLabelNeedHelp:
      if (code == STN_CLICKED) form_->OnLinkClick();
      return;
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
    default: OnAdvancedCommand(id, code); return;
  }
}

bool Win32MainWindow::OnAdvancedCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case ids::kCheckRestoreOriginal: advancedPage_->OnCheckRestoreOriginalClick(); return true;
    case ids::kCheckRestoreOnStop: advancedPage_->OnCheckRestoreOnStopClick(); return true;
    case ids::kCheckInstantReaction: advancedPage_->OnCheckInstantReactionClick(); return true;
    case ids::kCheckRestrainBackground: form_->OnCheckRestrainBackgroundClick(); return true;
    case ids::kCommandAddExclude: advancedPage_->OnAddClick(); return true;
    case ids::kCommandAddLastFront: advancedPage_->OnAddLastFrontClick(); return true;
    case ids::kCommandRemoveExclude: advancedPage_->OnRemoveClick(); return true;
    default: return false;
  }
}

HBRUSH Win32MainWindow::OnColorStatic(HDC dc, HWND control) {
  for (Win32Label* link : {&labelHomePage_, &labelNeedHelp_}) {
    if (control == link->Hwnd()) {
      ::SetTextColor(dc, link->TextColor());
      ::SetBkColor(dc, kPageColor);
      return pageBrush_;
    }
  }
  for (int i = 0; i < 5; ++i)
    if (control == swatches_[i]) return swatchBrushes_[i];
  if (pageControls_.count(control) != 0) {
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
  if (child == labelHomePage_.Hwnd() || child == labelNeedHelp_.Hwnd()) {
    Win32Label& link = child == labelHomePage_.Hwnd() ? labelHomePage_ : labelNeedHelp_;
    if (message == WM_MOUSEMOVE) form_->OnLinkMouseMove(link);
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
