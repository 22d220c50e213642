#include "platform/win32/control_window.h"
#include "platform/win32/control_window_input.h"
#include "platform/win32/ui_state.h"

#include <commctrl.h>

#include <cwctype>
#include <exception>

namespace kestrune {

using namespace window_input;

namespace {

constexpr wchar_t kClassName[] = L"KestruneOwnControl";

std::wstring Widen(const char* text) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  out.resize(static_cast<std::size_t>(n - 1));
  return out;
}

bool IsDialogQuestion(UINT message) {
  return message == WM_GETDLGCODE || message == BM_CLICK || message == WM_UPDATEUISTATE || message == WM_QUERYUISTATE;
}

bool IsOwnControlWindow(HWND hwnd) {
  wchar_t name[64] = {};
  return ::GetClassNameW(hwnd, name, 64) > 0 && std::wstring_view(name) == kClassName;
}

}  // namespace

template <typename Call>
bool ControlWindow::Guard(Call call) {
  if (!control_) return false;
  try {
    call();
    return true;
  } catch (const std::exception& e) {
    lastError_ = Widen(e.what());
  } catch (...) {
    lastError_ = L"unexpected failure in an own control";
  }
  return false;
}

bool ControlWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(instance, kClassName, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &WindowBase::Procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kClassName;
  return ::RegisterClassExW(&wc) != 0;
}

ControlWindow::~ControlWindow() { Destroy(); }

bool ControlWindow::Create(const ControlWindowArgs& args) {
  if (hwnd_ != nullptr || !args.createControl) return false;
  args_ = args;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!RegisterWindowClass(instance)) return false;
  const HWND created = ::CreateWindowExW(
      0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, args.bounds.left,
      args.bounds.top, args.bounds.Width(), args.bounds.Height(), args.parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), instance, static_cast<WindowBase*>(this));
  args_.saved = nullptr;  // only valid during creation
  return created != nullptr && loaded_;
}

void ControlWindow::Destroy() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

void ControlWindow::OnCreate() {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  surface_ = std::make_unique<GdiSurface>(client.right, client.bottom, args_.dpi);
  surface_->SetWindow(hwnd_);
  try {
    control_ = args_.createControl(*this, *surface_);
  } catch (const std::exception& e) {
    lastError_ = Widen(e.what());
    return;
  }
  if (!control_) return;
  loaded_ = Guard([&] {
    if (args_.saved != nullptr)
      control_->Load(*args_.saved);
    else
      control_->InitNew();
  });
  // A border applied while loading changes the inner size before the control may hear of resizes.
  if (loaded_ && (surface_->ScaleWidth() != client.right || surface_->ScaleHeight() != client.bottom)) {
    const int w = surface_->ScaleWidth();
    const int h = surface_->ScaleHeight();
    Guard([&] { control_->OnResize(w, h); });
  }
}

LRESULT ControlWindow::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = 0; AccessibilityMessage(message, wParam, lParam, answer)) return answer;
  return HandleMessage(message, wParam, lParam);
}

void ControlWindow::HostActivated() {
  if (control_ && loaded_) Guard([&] { control_->OnHostActivated(); });
}

void ControlWindow::HostColorsChanged() {
  if (control_ && loaded_) Guard([&] { control_->OnHostColorsChanged(); });
}

void ControlWindow::TrackLeave() {
  if (trackingLeave_) return;
  TRACKMOUSEEVENT tme{};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = hwnd_;
  trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
}

LRESULT ControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return loaded_ ? 0 : -1;
    case WM_ERASEBKGND:
      return 1;  // the retained image covers the whole client area
    case WM_PAINT:
    case WM_PRINTCLIENT:
      Paint(message == WM_PRINTCLIENT ? reinterpret_cast<HDC>(wParam) : nullptr);
      return 0;
    case WM_SIZE:
      Resized(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) Guard([&] { control_->OnShow(); });
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      ButtonDown(message, wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      ButtonUp(message, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      TrackLeave();
      Guard([&] { control_->OnMouseMove(ButtonsFromKeys(wParam), ShiftFromKeys(wParam), XOf(lParam), YOf(lParam)); });
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      Guard([&] { control_->OnMouseLeave(); });
      return 0;
    case WM_MOUSEWHEEL:
      Guard([&] {
        control_->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), ShiftFromKeys(GET_KEYSTATE_WPARAM(wParam)));
      });
      return 0;
    case WM_KEYDOWN:
      Guard([&] { control_->OnKeyDown(static_cast<int>(wParam), ShiftNow()); });
      return 0;
    case WM_KEYUP:
      Guard([&] { control_->OnKeyUp(static_cast<int>(wParam), ShiftNow()); });
      return 0;
    case WM_CHAR:
      Guard([&] { control_->OnKeyPress(static_cast<int>(wParam)); });
      return 0;
    case WM_SYSCHAR: {
      const auto key = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(wParam)));
      if (!AcceptsAccessKey(key)) break;
      Guard([&] { control_->OnAccessKeyPress(key); });
      return 0;
    }
    case WM_SETFOCUS:
      Guard([&] { control_->OnGotFocus(); });
      return 0;
    case WM_KILLFOCUS:
      Guard([&] { control_->OnLostFocus(); });
      return 0;
    case WM_TIMER:
      Guard([&] { control_->OnTimer(static_cast<int>(wParam)); });
      return 0;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(ControlText().size());
    case WM_GETTEXT:
      return CopyText(wParam, lParam);
    case WM_DESTROY:
      Destroyed();
      return 0;
    default:
      if (IsDialogQuestion(message)) return DialogMessage(message, wParam, lParam);
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

// The window keeps the state itself (see ui_state.h); the control redraws when its focus mark comes or goes.
LRESULT ControlWindow::UpdateUiState(WPARAM wParam, LPARAM lParam) {
  const bool hidden = FocusHiddenAfter(wParam, focusHidden_);
  const LRESULT result = ::DefWindowProcW(hwnd_, WM_UPDATEUISTATE, wParam, lParam);
  if (hidden == focusHidden_) return result;
  focusHidden_ = hidden;
  if (loaded_) Guard([&] { control_->OnAmbientChanged(); });
  return result;
}

// The dialog manager's questions and the window's UI state.
LRESULT ControlWindow::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      if (!control_) return DLGC_WANTCHARS;
      return DLGC_WANTCHARS | (control_->WantsArrowKeys() ? DLGC_WANTARROWS : 0) |
             (control_->IsPushButton() ? DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON : 0);
    case BM_CLICK:
      Guard([&] { control_->OnClick(); });
      return 0;
    case WM_UPDATEUISTATE:
      return UpdateUiState(wParam, lParam);
    default:  // WM_QUERYUISTATE
      return (::DefWindowProcW(hwnd_, message, wParam, lParam) & ~UISF_HIDEFOCUS) | (focusHidden_ ? UISF_HIDEFOCUS : 0);
  }
}

void ControlWindow::Paint(HDC picture) {
  // A picture of the window (PrintWindow, WM_PRINT) gets the retained image as it stands.
  if (picture != nullptr) {
    if (surface_) surface_->PaintTo(picture);
    return;
  }
  // The control may redraw (and invalidate) here; BeginPaint below validates that again, so a
  // redraw inside paint does not cause an endless stream of paint messages.
  Guard([&] { control_->OnPaint(); });
  PAINTSTRUCT ps{};
  const HDC dc = ::BeginPaint(hwnd_, &ps);
  if (dc != nullptr && surface_) surface_->PaintTo(dc);
  ::EndPaint(hwnd_, &ps);
}

void ControlWindow::Resized(int width, int height) {
  if (!surface_ || (width == surface_->ScaleWidth() && height == surface_->ScaleHeight())) return;
  surface_->Resize(width, height);
  if (loaded_) Guard([&] { control_->OnResize(width, height); });
}

void ControlWindow::ButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
  const int button = ButtonOf(message);
  const bool secondOfDouble = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
  const MouseStep step = clicks_.Press(button, secondOfDouble);
  if (step.takeFocus && ::GetFocus() != hwnd_) ::SetFocus(hwnd_);
  if (step.capture) ::SetCapture(hwnd_);
  if (step.report == MouseStep::Report::DblClick)
    Guard([&] { control_->OnDblClick(); });
  else
    Guard([&] { control_->OnMouseDown(button, ShiftFromKeys(wParam), XOf(lParam), YOf(lParam)); });
}

void ControlWindow::ButtonUp(UINT message, WPARAM wParam, LPARAM lParam) {
  const int button = ButtonOf(message);
  const MouseStep step = clicks_.Release(button, ButtonsFromKeys(wParam));
  if (step.releaseCapture) ::ReleaseCapture();
  Guard([&] { control_->OnMouseUp(button, ShiftFromKeys(wParam), XOf(lParam), YOf(lParam)); });
  if (step.clickIfInside && control_) {
    // Where the pointer is now: the MouseUp handler may have moved or resized the window.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (::PtInRect(&client, pt)) Guard([&] { control_->OnClick(); });
  }
  Guard([&] { control_->OnMouseReleased(button); });
}

std::wstring ControlWindow::ControlText() {
  std::wstring text;
  Guard([&] { text = control_->Text(); });
  return text;
}

LRESULT ControlWindow::CopyText(WPARAM capacity, LPARAM buffer) {
  if (capacity == 0 || buffer == 0) return 0;
  const std::wstring text = ControlText();
  const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(capacity) - 1);
  auto* out = reinterpret_cast<wchar_t*>(buffer);
  text.copy(out, n);
  out[n] = L'\0';
  return static_cast<LRESULT>(n);
}

void ControlWindow::Destroyed() {
  // Going from here on: the control's own teardown may raise events and pump messages (the strip
  // selects its first tab), and a reader answering them must get no new object, which nothing would
  // disconnect and whose window would be gone.
  loaded_ = false;
  ReleaseAccessible();
  Guard([&] { control_->OnDestroy(); });
  for (UINT_PTR id : timers_) ::KillTimer(hwnd_, id);
  timers_.clear();
  control_.reset();
  surface_.reset();
}

bool ControlWindow::AcceptsAccessKey(wchar_t key) const {
  return control_ && loaded_ && key != 0 && accessKeys_.find(key) != std::wstring::npos;
}

bool ControlWindow::TranslateAccessKey(const MSG& msg) {
  if (msg.message != WM_SYSCHAR || msg.hwnd == nullptr) return false;
  struct Search {
    wchar_t key;
    ControlWindow* found;
  } search{static_cast<wchar_t>(std::towlower(static_cast<wint_t>(msg.wParam))), nullptr};
  const HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
  if (root == nullptr) return false;
  ::EnumChildWindows(
      root,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (!IsOwnControlWindow(child) || !::IsWindowVisible(child) || !::IsWindowEnabled(child)) return TRUE;
        auto* window = static_cast<ControlWindow*>(FromHwnd(child));  // every window of the class is one
        if (window != nullptr && window->AcceptsAccessKey(s->key)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return false;
  ControlWindow* target = search.found;
  target->Guard([&] { target->control_->OnAccessKeyPress(search.key); });
  return true;
}

void ControlWindow::SetAmbient(bool userMode, const Font& font, OleColor backColor) {
  args_.userMode = userMode;
  args_.ambientFont = font;
  args_.ambientBackColor = backColor;
  Guard([&] { control_->OnAmbientChanged(); });
}

}  // namespace kestrune
