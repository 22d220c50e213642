#include "app/win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "app/form_main_button_props.h"
#include "app/form_main_monitor_props.h"
#include "app/win32/control_ids.h"
#include "app/win32/services.h"
#include "app/win32/wide.h"

namespace kestrune {
namespace {

constexpr wchar_t kClassName[] = L"KestruneMainWindow";
constexpr int kClientWidth = 470;
constexpr int kClientHeight = 352;
// Page area of the tab control, in 96-dpi pixels of the main window's client area.
constexpr int kPageLeft = 16;
constexpr int kPageTop = 40;
// The pages' background, as the strip's saved look paints it (0x00BBGGRR).
constexpr COLORREF kPageColor = 0x00FBFDFB;

}  // namespace

int Win32MessageBoxes::Show(std::wstring_view text, std::wstring_view title, unsigned flags) {
  return ::MessageBoxW(owner_, std::wstring(text).c_str(), std::wstring(title).c_str(), flags);
}

std::wstring ModuleFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ModuleDirectory() {
  std::wstring path = ModuleFileName();
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);  // keep "C:\" whole
  return path;
}

std::wstring ModuleBaseName() {
  std::wstring name = ModuleFileName();
  name.erase(0, name.find_last_of(L"\\/") + 1);
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return name;
}

Win32MainWindow::Win32MainWindow(HINSTANCE instance) : instance_(instance) {}

// The logic objects need the window (the file dialog's owner), so they are made once it exists.
void Win32MainWindow::BuildLogic() {
  const std::wstring dir = ModuleDirectory();
  services_ = std::make_unique<Win32Services>(codePage_, hwnd_, dir, ModuleBaseName());
  history_ = std::make_unique<History>(
      History::Services{listViewHistory_, comboAutoCleanCount_, clock_, boxes_, services_->dialog, services_->files,
                        codePage_},
      std::wstring(kHomePage));
  recorder_ = std::make_unique<HistoryRecorder>(*history_);
  loader_ = std::make_unique<SettingsLoader>(
      SettingsControls{checkAutoRun_, checkAutoMin_, comboSpeed_, checkEnableRecord_, comboAutoCleanCount_,
                       checkState_, checkMostTop_},
      services_->config, services_->autoRun, codePage_, [this](bool topmost) { SetTopmost(topmost); });
  settings_ = std::make_unique<SettingsBridge>(*loader_, services_->config);
  boost_ = std::make_unique<BoostCycle>(
      processes_, codePage_, BoostControls{checkState_, comboSpeed_, checkEnableRecord_, labelInfo_, labelCount_},
      *recorder_);
  hook_ = std::make_unique<WindowHook>(*this, tray_);
  form_ = std::make_unique<FormMain>(
      FormControls{checkAutoRun_, checkAutoMin_, checkMostTop_, checkState_, checkEnableRecord_, comboSpeed_,
                   comboAutoCleanCount_, labelHomePage_, labelNeedHelp_, tabs_},
      *this, boxes_, *boost_, *settings_, *hook_, *this, tray_);
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
  tray_.Setup(hwnd_, smallIcon_ != nullptr ? smallIcon_ : icon_);
  CreateControls();
  BuildLogic();
  ::SetTimer(hwnd_, ids::kTimerMain, 1000, nullptr);

  form_->Load();
  // Start-minimised hides the window through the hook before it is ever shown.
  if (!hiddenToTray_) ::ShowWindow(hwnd_, SW_SHOW);
  ::UpdateWindow(hwnd_);
  return true;
}

HWND Win32MainWindow::AddControl(int page, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x,
                                 int y, int w, int h, HFONT font) {
  // Controls of the strip's pages start parked as the strip expects with its first page active:
  // page k lies k page-distances to the left.
  const int parked = page > 0 ? page * tabs_.ParkOffset() : 0;
  HWND control = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, Scale(x) - parked, Scale(y),
                                   Scale(w), Scale(h), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   instance_, nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font != nullptr ? font : fonts_.normal), FALSE);
  if (page >= 0) {
    contained_.push_back(std::make_unique<Win32ContainedControl>(control, tabs_.Hwnd()));
    pageControls_.insert(control);
  }
  return control;
}

HWND Win32MainWindow::AddLabel(int page, int id, const wchar_t* text, int x, int y, int w, int h, HFONT font,
                               DWORD extraStyle) {
  return AddControl(page, L"STATIC", text, SS_LEFT | SS_NOPREFIX | extraStyle, id, x, y, w, h, font);
}

void Win32MainWindow::CreateControls() {
  fonts_.Create(dpi_);
  pageBrush_ = ::CreateSolidBrush(kPageColor);
  // Not owned by the main window: a tooltip is always topmost, and under Wine a topmost owned
  // pop-up keeps SetWindowPos(HWND_TOPMOST) from making its owner topmost, so always-on-top
  // would silently fail. Being unowned, it is destroyed with the main window by hand.
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr);

  Font formFont;
  formFont.size = 9.0;
  tabs_.Create(hwnd_, ids::kTabStripMain, {Scale(8), Scale(8), Scale(462), Scale(308)}, formFont,
               {[this] { if (form_) form_->OnBackgroundMouseDown(); },
                [this] { if (form_) form_->OnBackgroundMouseMove(); }},
               [this] {
                 std::vector<ContainedControl*> controls;
                 for (auto& c : contained_) controls.push_back(c.get());
                 return controls;
               });
  commandMini_.Create(hwnd_, ids::kCommandMini, {Scale(300), Scale(318), Scale(376), Scale(344)}, L"CommandMini",
                      CommandMiniProperties(), [this] { if (form_) form_->OnCommandMiniClick(); });
  commandExit_.Create(hwnd_, ids::kCommandExit, {Scale(386), Scale(318), Scale(462), Scale(344)}, L"CommandExit",
                      CommandExitProperties(), [this] { if (form_) form_->OnCommandExitClick(); });

  const int x0 = kPageLeft, y0 = kPageTop;
  // Artwork: the program's icon in the top-right corner of every page.
  const int images[] = {ids::kImage1, ids::kImage2, ids::kImage3, ids::kImage4};
  for (int page = 0; page < 4; ++page) {
    if (page == 2) continue;  // the history page needs its full width for the toolbar
    HWND image = AddControl(page, L"STATIC", L"", SS_ICON | SS_REALSIZEIMAGE, images[page], 414, y0 + 2, 32, 32,
                            nullptr);
    ::SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
  }
  HWND image3 = AddControl(2, L"STATIC", L"", SS_ICON | SS_REALSIZEIMAGE, ids::kImage3, 430, y0 + 6, 16, 16, nullptr);
  ::SendMessageW(image3, STM_SETICON, reinterpret_cast<WPARAM>(smallIcon_), 0);

  // Page 0: state.
  AddLabel(0, ids::kLabel19, L"加速状態", x0 + 4, y0 + 4, 200, 16, fonts_.bold);
  AddLabel(0, ids::kLabel1, L"加速中のプログラム:", x0 + 12, y0 + 26, 132, 16);
  labelInfo_.Attach(AddLabel(0, ids::kLabelInfo, L"まだありません", x0 + 146, y0 + 26, 250, 16, nullptr,
                             SS_ENDELLIPSIS | SS_NOTIFY),
                    tooltip_);
  AddLabel(0, ids::kLabel2, L"加速済のプログラム個数:", x0 + 12, y0 + 46, 132, 16);
  labelCount_.Attach(AddLabel(0, ids::kLabelCount, L"0", x0 + 146, y0 + 46, 100, 16));
  AddLabel(0, ids::kLabel8, L"リアルタイム状態", x0 + 4, y0 + 72, 200, 16, fonts_.bold);
  monitor_.Create(hwnd_, ids::kSystemMonitorState, {Scale(x0 - 2), Scale(y0 + 92), Scale(x0 - 2) + 441, Scale(y0 + 92) + 89},
                  SystemMonitorStateProperties());
  // The monitor stands on page 0 like the stock controls there.
  contained_.push_back(std::make_unique<Win32ContainedControl>(monitor_.Hwnd(), tabs_.Hwnd()));
  const wchar_t* legend[] = {L"CPU", L"メモリ", L"ページファイル", L"仮想メモリ", L"ディスクスペース"};
  const int legendIds[] = {ids::kLabel14, ids::kLabel15, ids::kLabel16, ids::kLabel17, ids::kLabel18};
  const int shapeIds[] = {ids::kShape1, ids::kShape2, ids::kShape3, ids::kShape4, ids::kShape5};
  const COLORREF legendColors[] = {RGB(0, 0xC0, 0), RGB(0xFF, 0xFF, 0), RGB(0xFF, 0, 0), RGB(0, 0, 0xFF),
                                   RGB(0xFF, 0x80, 0xFF)};
  const int legendX[] = {0, 56, 124, 222, 310};
  for (int i = 0; i < 5; ++i) {
    swatchBrushes_[i] = ::CreateSolidBrush(legendColors[i]);
    swatches_[i] = AddControl(0, L"STATIC", L"", 0, shapeIds[i], x0 + legendX[i], y0 + 194, 12, 12, nullptr);
    AddLabel(0, legendIds[i], legend[i], x0 + legendX[i] + 16, y0 + 192, 90, 16);
  }

  // Page 1: settings.
  const DWORD check = WS_TABSTOP | BS_AUTOCHECKBOX;
  const DWORD combo = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
  AddLabel(1, ids::kLabel9, L"一般設定", x0 + 4, y0 + 4, 200, 16, fonts_.bold);
  checkAutoRun_.Attach(AddControl(1, L"BUTTON", L"Windows起動時に起動する", check, ids::kCheckAutoRun, x0 + 20, y0 + 24,
                                  300, 20, nullptr));
  checkAutoMin_.Attach(AddControl(1, L"BUTTON", L"起動する時にトレイアイコンになる", check, ids::kCheckAutoMin, x0 + 20,
                                  y0 + 46, 300, 20, nullptr));
  checkMostTop_.Attach(AddControl(1, L"BUTTON", L"ウィンドウを常に最前面表示する", check, ids::kCheckMostTop, x0 + 20,
                                  y0 + 68, 300, 20, nullptr));
  AddLabel(1, ids::kLabel3, L"加速設定", x0 + 4, y0 + 96, 200, 16, fonts_.bold);
  checkState_.Attach(AddControl(1, L"BUTTON", L"加速を使用する", check, ids::kCheckState, x0 + 20, y0 + 116, 200, 20,
                                nullptr));
  AddLabel(1, ids::kLabel10, L"加速度:", x0 + 20, y0 + 143, 70, 16);
  comboSpeed_.Attach(AddControl(1, L"COMBOBOX", L"", combo, ids::kComboSpeed, x0 + 96, y0 + 139, 120, 200, nullptr));
  AddLabel(1, ids::kLabel6, L"加速記録", x0 + 4, y0 + 170, 200, 16, fonts_.bold);
  checkEnableRecord_.Attach(AddControl(1, L"BUTTON", L"加速使用記録", check, ids::kCheckEnableRecord, x0 + 20,
                                       y0 + 190, 200, 20, nullptr));
  AddLabel(1, ids::kLabel11, L"最大記録数:", x0 + 20, y0 + 217, 70, 16);
  comboAutoCleanCount_.Attach(
      AddControl(1, L"COMBOBOX", L"", combo, ids::kComboAutoCleanCount, x0 + 96, y0 + 213, 120, 200, nullptr));

  // Page 2: history.
  HWND toolbar = AddControl(2, TOOLBARCLASSNAMEW, L"",
                            TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                                TBSTYLE_TOOLTIPS,
                            ids::kToolbarSpeedMain, x0 - 2, y0, 300, 28, nullptr);
  ::SetWindowSubclass(toolbar, ChildSubclassProc, ids::kToolbarSpeedMain, reinterpret_cast<DWORD_PTR>(this));
  ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  ::SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
  TBBUTTON buttons[2] = {};
  const wchar_t* captions[] = {L"記録クリア", L"記録保存"};
  const int images2[] = {STD_DELETE, STD_FILESAVE};
  const int buttonIds[] = {ids::kToolbarClear, ids::kToolbarSave};
  for (int i = 0; i < 2; ++i) {
    buttons[i].iBitmap = images2[i];
    buttons[i].idCommand = buttonIds[i];
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    buttons[i].iString = reinterpret_cast<INT_PTR>(captions[i]);
  }
  ::SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));

  // The window made the image list, so the window releases it, once, when it goes: the list view
  // only borrows it and must not destroy it with itself.
  HWND list = AddControl(2, WC_LISTVIEWW, L"",
                         WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                         ids::kListViewHistory, x0 - 2, y0 + 32, 440, 228, nullptr);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  historyImages_ = ImageList_Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                    ILC_COLOR32 | ILC_MASK, 1, 0);
  ImageList_AddIcon(historyImages_, smallIcon_);
  ListView_SetImageList(list, historyImages_, LVSIL_SMALL);
  const wchar_t* headers[] = {L"NO.", L"時間", L"加速記録", L"加速度"};
  const int widths[] = {60, 80, 287, 96};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(headers[i]);
    column.cx = Scale(widths[i]);
    column.iSubItem = i;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  listViewHistory_.Attach(list);

  // Page 3: about.
  AddLabel(3, ids::kLabel4, L"Kestrune", x0 + 4, y0 + 6, 300, 28, fonts_.title);
  AddLabel(3, ids::kLabel13, L"Version:3.2.4", x0 + 6, y0 + 38, 200, 16);
  AddLabel(3, ids::kLabel7,
           L"システムのパフォーマンスは全面的に15％以上を上げることができます。コンピュータを高速化することができます。",
           x0 + 6, y0 + 64, 420, 32);
  AddLabel(3, ids::kLabel12,
           L"ソフト加速技術を採用しいるので、ハードウェアに影響がないし、システムリソースも消耗しません。ご安心ください。",
           x0 + 6, y0 + 102, 420, 32);
  AddLabel(3, ids::kLabel5, L"Copyright (C) Kestrune Software. All rights reserved.", x0 + 6, y0 + 146, 420, 16);
  labelHomePage_.Attach(AddLabel(3, ids::kLabelHomePage, std::wstring(kHomePage).c_str(), x0 + 6, y0 + 176, 300, 16,
                                 nullptr, SS_NOTIFY));
  labelNeedHelp_.Attach(AddLabel(3, ids::kLabelNeedHelp, L"ご質問がありますか？", x0 + 6, y0 + 200, 200, 16, nullptr,
                                 SS_NOTIFY));
  for (Win32Label* link : {&labelHomePage_, &labelNeedHelp_}) {
    link->SetLinkFonts(fonts_.normal, fonts_.underline);
    ::SetWindowSubclass(link->Hwnd(), ChildSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }

  // The tray menu `mm`, never shown as the window's menu bar.
  menu_ = ::CreatePopupMenu();
  ::AppendMenuW(menu_, MF_STRING, ids::kMenuMainScreen, L"について");
  ::AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu_, MF_STRING, ids::kMenuUpdate, L"ご質問がありますか？");
  ::AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu_, MF_STRING, ids::kMenuExit, L"終了");

  // The page controls stand above the strip, which draws the pages' background.
  ::SetWindowPos(tabs_.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (form_ == nullptr) return ::DefWindowProcW(hwnd_, message, wParam, lParam);  // still being created
  switch (message) {
    case WM_TIMER:
      if (wParam == ids::kTimerMain) form_->OnTimerMain();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
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

void Win32MainWindow::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case ids::kCommandExit: form_->OnCommandExitClick(); return;
    case ids::kCommandMini: form_->OnCommandMiniClick(); return;
    case ids::kCheckAutoRun: if (code == BN_CLICKED) settings_->OnCheckAutoRunClick(); return;
    case ids::kCheckAutoMin: if (code == BN_CLICKED) settings_->OnCheckAutoMinClick(); return;
    case ids::kCheckMostTop: if (code == BN_CLICKED) settings_->OnCheckMostTopClick(); return;
    case ids::kCheckState: if (code == BN_CLICKED) settings_->OnCheckStateClick(); return;
    case ids::kCheckEnableRecord: if (code == BN_CLICKED) settings_->OnCheckEnableRecordClick(); return;
    case ids::kComboSpeed: if (code == CBN_SELCHANGE) settings_->OnComboSpeedClick(); return;
    case ids::kComboAutoCleanCount: if (code == CBN_SELCHANGE) settings_->OnComboAutoCleanCountClick(); return;
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
    default: (void)control; return;
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

void Win32MainWindow::SetTopmost(bool topmost) {
  ::SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32MainWindow::SendMinimizeCommand() { ::SendMessageW(hwnd_, WM_COMMAND, SC_MINIMIZE, 0); }

void Win32MainWindow::StartDrag() {
  ::ReleaseCapture();
  ::SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

bool Win32MainWindow::IsVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }

void Win32MainWindow::Show() {
  hiddenToTray_ = false;
  ::ShowWindow(hwnd_, SW_SHOW);
}

void Win32MainWindow::Hide() {
  hiddenToTray_ = true;
  ::ShowWindow(hwnd_, SW_HIDE);
}

void Win32MainWindow::SendRestore() { ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0); }

void Win32MainWindow::OpenUrl(std::wstring_view url) {
  ::ShellExecuteW(hwnd_, L"open", std::wstring(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32MainWindow::BringToForeground() { ::SetForegroundWindow(hwnd_); }

void Win32MainWindow::ShowTrayMenu() {
  POINT at{};
  ::GetCursorPos(&at);
  ::TrackPopupMenu(menu_, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  // Lets the menu close properly the next time the tray icon is clicked.
  ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void Win32MainWindow::RequestClose() { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

void Win32MainWindow::Install() {
  previousProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32MainWindow::StaticHookProc)));
}

void Win32MainWindow::Remove() {
  if (previousProc_ == nullptr) return;
  ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
  previousProc_ = nullptr;
}

std::uint32_t Win32MainWindow::RegisterTaskbarCreated() { return ::RegisterWindowMessageW(L"TaskbarCreated"); }

void Win32MainWindow::AllowFromShell(std::uint32_t message) {
  // Looked up by name: the per-window filter arrived with Windows 7 and the per-process one with
  // Vista; older systems filter nothing, so there is nothing to allow.
  using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return;
  if (auto perWindow = reinterpret_cast<PerWindow>(
          reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilterEx")))) {
    perWindow(hwnd_, message, kAllow, nullptr);
  } else if (auto perProcess = reinterpret_cast<PerProcess>(
                 reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilter")))) {
    perProcess(message, kAllow);
  }
}

}  // namespace kestrune
