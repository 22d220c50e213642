// The own controls as a screen reader in another process sees them: through the system's
// accessibility interface, the tab strip is a list of page tabs whose default action switches the
// page, the buttons are push buttons that can be pushed, the monitor reads its figures; the events
// of a keyboard switch reach a listener; a held object fails cleanly once the window is gone; and a
// reader that keeps asking makes the program hold nothing more.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "process_resources.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;

// Spelled out: with static linking the import library's symbol may name an import thunk instead.
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

class Com {
 public:
  Com() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~Com() {
    if (ok_) ::CoUninitialize();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;

 private:
  bool ok_;
};

// A held IAccessible, released when it goes.
class Accessible {
 public:
  explicit Accessible(HWND window) {
    IAccessible* object = nullptr;
    status = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                          reinterpret_cast<void**>(&object));
    object_ = SUCCEEDED(status) ? object : nullptr;
  }
  ~Accessible() {
    if (object_ != nullptr) object_->Release();
  }
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;
  IAccessible* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  long ChildCount() const {
    long count = -1;
    return SUCCEEDED(object_->get_accChildCount(&count)) ? count : -1;
  }
  std::wstring Name(long child = CHILDID_SELF) const { return Read(&IAccessible::get_accName, child); }
  std::wstring Value(long child = CHILDID_SELF) const { return Read(&IAccessible::get_accValue, child); }
  std::wstring Action(long child = CHILDID_SELF) const { return Read(&IAccessible::get_accDefaultAction, child); }
  std::wstring Shortcut(long child = CHILDID_SELF) const { return Read(&IAccessible::get_accKeyboardShortcut, child); }
  long Role(long child = CHILDID_SELF) const { return Number(&IAccessible::get_accRole, child); }
  long State(long child = CHILDID_SELF) const { return Number(&IAccessible::get_accState, child); }
  RECT Location(long child = CHILDID_SELF) const {
    long x = 0, y = 0, w = 0, h = 0;
    if (FAILED(object_->accLocation(&x, &y, &w, &h, Child(child)))) return RECT{};
    return RECT{x, y, x + w, y + h};
  }
  long Selection() const {
    VARIANT v{};
    return object_->get_accSelection(&v) == S_OK && v.vt == VT_I4 ? v.lVal : -1;
  }
  HRESULT DoDefaultAction(long child = CHILDID_SELF) const { return object_->accDoDefaultAction(Child(child)); }

  HRESULT status = E_FAIL;

 private:
  static VARIANT Child(long id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
  }
  std::wstring Read(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long child) const {
    BSTR text = nullptr;
    std::wstring out;
    if ((object_->*get)(Child(child), &text) == S_OK && text != nullptr) out.assign(text, ::SysStringLen(text));
    ::SysFreeString(text);
    return out;
  }
  // A call that fails fails the test: no answer is read as a set of flags (-1 would have them all).
  long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long child) const {
    VARIANT v{};
    const HRESULT hr = (object_->*get)(Child(child), &v);
    if (hr == S_OK && v.vt == VT_I4) return v.lVal;
    ADD_FAILURE() << "child " << child << " answered 0x" << std::hex << hr << " with a variant of kind " << v.vt;
    return 0;
  }
  IAccessible* object_ = nullptr;
};

std::string Narrowed(const wchar_t* text) { return std::string(text, text + std::wcslen(text)); }

std::wstring Trimmed(const std::wstring& caption) {
  const std::size_t first = caption.find_first_not_of(L" \u3000");
  if (first == std::wstring::npos) return {};
  return caption.substr(first, caption.find_last_not_of(L" \u3000") - first + 1);
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.right > inner.left && inner.bottom > inner.top && inner.left >= outer.left &&
         inner.right <= outer.right && inner.top >= outer.top && inner.bottom <= outer.bottom;
}

// A control that stands on one page only, by the name its tab reads.
struct PageMark {
  const wchar_t* tab;
  int id;
};
constexpr PageMark kPageMarks[] = {
    {L"状態", ids::kLabelInfo},
    {L"ソフト設定", ids::kCheckAcceleration},
    {L"加速記録", ids::kListViewHistory},
    {L"について", ids::kLabelHomePage},
};

TEST(Accessibility, StripListsItsPageTabsAndTheirDefaultActionSwitchesThePage) {
  const Com com;
  RunningApp app;
  ASSERT_TRUE(app.Start());
  HWND strip = app.Control(ids::kTabStripMain);
  const Accessible list(strip);
  ASSERT_TRUE(list) << std::hex << list.status;
  EXPECT_EQ(list.Role(), ROLE_SYSTEM_PAGETABLIST);
  const long tabs = list.ChildCount();
  ASSERT_GE(tabs, 4);
  RECT stripRect{};
  ::GetWindowRect(strip, &stripRect);

  // Every tab in turn, as a reader would choose it: the page switches, the tab read its caption as
  // the strip shows it (without the blanks around it), and it alone is selected.
  int marksSeen = 0;
  for (long child = 1; child <= tabs; ++child) {
    SCOPED_TRACE(child);
    const std::wstring shownBefore = Text(strip);
    EXPECT_EQ(list.Role(child), ROLE_SYSTEM_PAGETAB);
    EXPECT_TRUE(list.State(child) & STATE_SYSTEM_SELECTABLE);
    EXPECT_TRUE(Inside(list.Location(child), stripRect));
    EXPECT_EQ(list.Shortcut(child), L"");  // the main window's captions mark no access key
    if (Trimmed(shownBefore) != list.Name(child)) {
      EXPECT_EQ(list.Action(child), L"切り替え");
      EXPECT_FALSE(list.State(child) & STATE_SYSTEM_SELECTED);
      EXPECT_EQ(list.DoDefaultAction(child), S_OK);
      ASSERT_TRUE(WaitFor([&] { return Text(strip) != shownBefore; }));
    }
    EXPECT_EQ(list.Name(child), Trimmed(Text(strip)));
    EXPECT_TRUE(list.State(child) & STATE_SYSTEM_SELECTED);
    EXPECT_EQ(list.Selection(), child);
    for (long other = 1; other <= tabs; ++other)
      EXPECT_TRUE(other == child || !(list.State(other) & STATE_SYSTEM_SELECTED)) << other;
    for (const PageMark& mark : kPageMarks)
      if (list.Name(child) == mark.tab) {
        ++marksSeen;
        EXPECT_TRUE(WaitFor([&] { return app.OnScreen(mark.id); })) << "the page's controls did not appear";
      }
    app.Screenshot(L"reader_tab_" + std::to_wstring(child));
  }
  EXPECT_EQ(marksSeen, 4);
}

TEST(Accessibility, ButtonsArePushButtonsAndPushingHideHidesTheWindow) {
  const Com com;
  RunningApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  const Accessible hide(app.Control(ids::kCommandMini));
  const Accessible exit(app.Control(ids::kCommandExit));
  ASSERT_TRUE(hide && exit);
  for (const Accessible* button : {&hide, &exit}) {
    EXPECT_EQ(button->Role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(button->Action(), L"押す");
    EXPECT_EQ(button->ChildCount(), 0);
    EXPECT_EQ(button->State() & (STATE_SYSTEM_PRESSED | STATE_SYSTEM_UNAVAILABLE), 0);
  }
  EXPECT_EQ(hide.Name(), L"隠す");
  EXPECT_EQ(exit.Name(), L"終了");

  // Pushing "終了" asks first, as a click does; the answer No keeps the program.
  ASSERT_EQ(exit.DoDefaultAction(), S_OK);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"確認してください。")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"終了しますか？");
  PressDialogButton(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L"確認してください。") == nullptr; }));

  ASSERT_EQ(hide.DoDefaultAction(), S_OK);
  EXPECT_TRUE(WaitFor([&] { return !Visible(app.Main()); }));
  EXPECT_TRUE(TrayIconExists(app.Main()));
  EXPECT_TRUE(app.Proc().Running());
  EXPECT_TRUE(hide.State() & STATE_SYSTEM_INVISIBLE);
}

TEST(Accessibility, MonitorReadsFiguresThatChange) {
  const Com com;
  RunningApp app;
  ASSERT_TRUE(app.Start());
  const Accessible monitor(app.Control(ids::kSystemMonitorState));
  ASSERT_TRUE(monitor);
  EXPECT_EQ(monitor.Role(), ROLE_SYSTEM_GRAPHIC);
  // Parked beside the window while the start page is shown, as a stock control scrolled away.
  EXPECT_TRUE(monitor.State() & STATE_SYSTEM_OFFSCREEN);
  ASSERT_TRUE(app.ShowPage(0));
  EXPECT_FALSE(monitor.State() & STATE_SYSTEM_OFFSCREEN);
  const auto figures = [&] {
    const std::wstring name = monitor.Name();
    return name.rfind(L"CPU ", 0) == 0 && name.find(L"、メモリ ") != std::wstring::npos &&
                   name.find(L"、ページファイル ") != std::wstring::npos &&
                   name.find(L"、仮想メモリ ") != std::wstring::npos && name.find(L"、ディスク空き ") != std::wstring::npos
               ? name
               : std::wstring();
  };
  ASSERT_TRUE(WaitFor([&] { return !figures().empty(); })) << "read: " << monitor.Name().size() << " characters";
  const std::wstring first = figures();
  EXPECT_EQ(monitor.Value(), monitor.Name());
  std::wstring later;
  EXPECT_TRUE(WaitFor([&] { return !(later = figures()).empty() && later != first; }));
  std::printf("[reader] monitor figures changed: %zu -> %zu characters\n", first.size(), later.size());
}

// Win events of one process, as an out-of-context listener (this thread) receives them.
struct Heard {
  DWORD event;
  HWND window;
  LONG object;
  LONG child;
};
std::vector<Heard> g_heard;

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  g_heard.push_back({event, window, object, child});
}

// Waits while letting this thread's messages run, through which the events arrive.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kPatience) {
  return WaitFor(
      [&] {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        return condition();
      },
      timeout);
}

bool HeardFor(DWORD event, HWND window, LONG child) {
  for (const Heard& h : g_heard)
    if (h.event == event && h.window == window && h.object == OBJID_CLIENT && h.child == child) return true;
  return false;
}

TEST(Accessibility, AListenerHearsSelectionAndFocusOfAKeyboardSwitch) {
  const Com com;
  RunningApp app;
  ASSERT_TRUE(app.Start());
  HWND strip = app.Control(ids::kTabStripMain);
  const Accessible list(strip);
  ASSERT_TRUE(list);
  g_heard.clear();
  // Without WINEVENT_SKIPOWNPROCESS: Wine 8 delivers nothing to a hook for one process that has it.
  const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, &Listen,
                                               app.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);

  // The reader gives the strip the focus; Ctrl+PageDown is then real input to the window in front.
  ASSERT_TRUE(BringToFront(app.Main()));
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  ASSERT_EQ(list->accSelect(SELFLAG_TAKEFOCUS, self), S_OK);
  ASSERT_TRUE(WaitFor([&] { return ThreadState(app.Main()).hwndFocus == strip; }));
  const long before = list.Selection();
  EXPECT_TRUE(PumpUntil([&] { return HeardFor(EVENT_OBJECT_FOCUS, strip, before); })) << "focus on the strip";

  INPUT keys[4] = {};
  const WORD codes[4] = {VK_CONTROL, VK_NEXT, VK_NEXT, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  ASSERT_EQ(::SendInput(4, keys, sizeof(INPUT)), 4u);
  const long after = before % list.ChildCount() + 1;
  ASSERT_TRUE(WaitFor([&] { return list.Selection() == after; }));
  EXPECT_TRUE(PumpUntil([&] { return HeardFor(EVENT_OBJECT_SELECTION, strip, after); }));
  EXPECT_TRUE(PumpUntil([&] { return HeardFor(EVENT_OBJECT_FOCUS, strip, after); }));
  EXPECT_EQ(list.State(after) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
            STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
  std::printf("[reader] events heard: %zu\n", g_heard.size());
  ::UnhookWinEvent(hook);
}

TEST(Accessibility, AHeldObjectFailsCleanlyOnceTheWindowIsGone) {
  const Com com;
  RunningApp app;
  ASSERT_TRUE(app.Start());
  HWND strip = app.Control(ids::kTabStripMain);
  const Accessible list(strip);
  const Accessible hide(app.Control(ids::kCommandMini));
  ASSERT_TRUE(list && hide);
  ASSERT_EQ(list.Role(), ROLE_SYSTEM_PAGETABLIST);

  // The log-off path closes the window without asking; the process lingers a moment after it.
  ::SendMessageW(app.Main(), WM_QUERYENDSESSION, 0, 0);
  ::PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(strip); }));
  BSTR name = nullptr;
  long count = 0;
  VARIANT self{};
  self.vt = VT_I4;
  const HRESULT whileEnding = list->get_accName(self, &name);
  EXPECT_TRUE(FAILED(whileEnding)) << std::hex << whileEnding;
  EXPECT_EQ(name, nullptr);
  EXPECT_TRUE(FAILED(hide.DoDefaultAction()));
  ASSERT_TRUE(app.Proc().WaitExit(kPatience));
  const HRESULT afterExit = list->get_accChildCount(&count);
  EXPECT_TRUE(FAILED(afterExit)) << std::hex << afterExit;
  std::printf("[reader] calls after the window went: 0x%08lx, after the process ended: 0x%08lx\n",
              static_cast<unsigned long>(whileEnding), static_cast<unsigned long>(afterExit));
}

// Reads everything the controls tell a reader, as a screen reader walking the window does.
int ReadAll(const RunningApp& app) {
  int items = 0;
  for (int id : {ids::kTabStripMain, ids::kCommandMini, ids::kCommandExit, ids::kSystemMonitorState}) {
    const Accessible object(app.Control(id));
    if (!object) continue;
    const long children = object.ChildCount();
    for (long child = 0; child <= children; ++child) {
      if (!object.Name(child).empty() && object.Role(child) > 0) ++items;
      object.State(child);
      object.Location(child);
      object.Action(child);
    }
    object.Selection();
  }
  return items;
}

TEST(Accessibility, AReaderThatKeepsAskingLeavesNoHandleBehind) {
  const Com com;
  RunningApp app;
  ASSERT_TRUE(app.Start());
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.ProcessId());
  ASSERT_NE(process, nullptr);
  HWND strip = app.Control(ids::kTabStripMain);
  const Accessible list(strip);
  ASSERT_TRUE(list);
  const long tabs = list.ChildCount();
  // A round reads every control and switches to the next page through the strip's default action.
  const auto round = [&](int i) {
    const int items = ReadAll(app);
    const std::wstring shown = Text(strip);
    list.DoDefaultAction(i % tabs + 1);
    WaitFor([&] { return Text(strip) != shown; }, 2s);
    return items;
  };
  for (int i = 0; i < 2 * tabs; ++i) round(i);  // every page drawn once, every object made
  const ProcessResources before = RestingProcessResources(process, app.ProcessId(), app.Main());
  int items = 0;
  constexpr int kRounds = 200;
  for (int i = 0; i < kRounds; ++i) items += round(i);
  const ProcessResources after = RestingProcessResources(process, app.ProcessId(), app.Main());
  ::CloseHandle(process);

  std::printf("[reader] %d rounds, %d named items read\n", kRounds, items);
  EXPECT_GE(items, kRounds * (static_cast<int>(tabs) + 3));  // every tab, both buttons and the monitor each time
  for (const auto& [name, b, a] : {std::tuple{L"GDI objects", before.gdiObjects, after.gdiObjects},
                                   std::tuple{L"user objects", before.userObjects, after.userObjects},
                                   std::tuple{L"kernel handles", before.kernelHandles, after.kernelHandles}}) {
    std::printf("[reader] %ls\n", Describe(name, b, a).c_str());
    // A leak in answering a reader shows once per round, two hundred times over; one object the
    // program makes once and keeps (a page drawn in a state the warm-up did not meet) is not one.
    // A figure that cannot be read proves nothing, so it fails the test.
    EXPECT_TRUE(b.available && a.available) << "not counted: " << Narrowed(name);
    EXPECT_LE(std::labs(a.value - b.value), 1) << Narrowed(name);
  }
  EXPECT_TRUE(app.Proc().Running());
}

}  // namespace
}  // namespace kestrune::e2e
