// The accessibility object in the process that owns it, where a reader holds the object itself
// rather than a proxy: once its window is gone every call answers RPC_E_DISCONNECTED and releasing
// it is safe.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>

#include "controls/button/gradient_button.h"
#include "platform/win32/accessible_object.h"
#include "platform/win32/control_window.h"
#include "platform/win32/system_colors.h"
#include "platform/win32/system_libraries.h"

namespace kestrune::e2e {
namespace {

TEST(AccessibleObject, AnObjectHeldInItsOwnProcessIsDisconnectedWithItsWindow) {
  // The control, hosted here, reaches oleacc as in the program: through the libraries loaded at start.
  const SystemLibraries libraries;
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  Win32SystemColors colors;
  PropertyBag saved;
  saved.Write("Caption", std::wstring(L"&Hide"), std::wstring(L"Button"));
  auto window = std::make_unique<ControlWindow>();
  ControlWindowArgs args;
  args.parent = parent;
  args.bounds = Rect{10, 10, 85, 33};
  args.saved = &saved;
  args.createControl = [&](ControlHost& host, Surface& surface) {
    return std::unique_ptr<OwnControl>(std::make_unique<button::GradientButton>(host, surface, colors, L"Command"));
  };
  ASSERT_TRUE(window->Create(args));

  IAccessible* held = nullptr;
  ASSERT_EQ(::AccessibleObjectFromWindow(window->Hwnd(), static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                         reinterpret_cast<void**>(&held)),
            S_OK);
  VARIANT self{};
  self.vt = VT_I4;
  BSTR name = nullptr;
  ASSERT_EQ(held->get_accName(self, &name), S_OK);
  EXPECT_STREQ(name, L"Hide");
  ::SysFreeString(name);
  name = nullptr;
  // An empty variant names the object itself, except where a child object is asked for.
  VARIANT empty{};
  empty.vt = VT_EMPTY;
  ASSERT_EQ(held->get_accName(empty, &name), S_OK);
  EXPECT_STREQ(name, L"Hide");
  ::SysFreeString(name);
  name = nullptr;
  VARIANT role{};
  EXPECT_EQ(held->get_accRole(empty, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
  IDispatch* child = nullptr;
  EXPECT_EQ(held->get_accChild(empty, &child), E_INVALIDARG);

  window->Destroy();
  long count = -1;
  EXPECT_EQ(held->get_accName(self, &name), RPC_E_DISCONNECTED);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(held->get_accChildCount(&count), RPC_E_DISCONNECTED);
  EXPECT_EQ(held->accDoDefaultAction(self), RPC_E_DISCONNECTED);
  window.reset();  // the binding is gone too; the object must not reach for it
  EXPECT_EQ(held->get_accRole(self, &role), RPC_E_DISCONNECTED);
  EXPECT_EQ(held->Release(), 0u) << "the reader held the last reference";
  ::DestroyWindow(parent);
  ::CoUninitialize();
}

// A control whose teardown is asked for its object, as a reader answering the events of that
// teardown (the strip selects its first tab and pumps messages) asks.
class AskedWhileGoing : public OwnControl {
 public:
  explicit AskedWhileGoing(HWND& window, LRESULT& answer) : window_(window), answer_(answer) {}
  void InitNew() override {}
  void Load(const PropertyBag&) override {}
  void Save(PropertyBag&) override {}
  void Redraw() override {}
  void OnResize(int, int) override {}
  std::optional<AccessibleDescription> Describe() const override {
    AccessibleDescription d;
    d.self.name = L"Going";
    return d;
  }
  void OnDestroy() override {
    answer_ = ::SendMessageW(window_, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
  }

 private:
  HWND& window_;
  LRESULT& answer_;
};

TEST(AccessibleObject, AControlThatIsGoingAnswersNoReader) {
  const SystemLibraries libraries;
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND hwnd = nullptr;
  LRESULT answer = -1;
  ControlWindow window;
  ControlWindowArgs args;
  args.parent = parent;
  args.bounds = Rect{0, 0, 50, 20};
  args.createControl = [&](ControlHost&, Surface&) {
    return std::unique_ptr<OwnControl>(std::make_unique<AskedWhileGoing>(hwnd, answer));
  };
  ASSERT_TRUE(window.Create(args));
  hwnd = window.Hwnd();
  IAccessible* live = nullptr;
  ASSERT_EQ(::AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                         reinterpret_cast<void**>(&live)),
            S_OK);
  live->Release();
  window.Destroy();
  EXPECT_EQ(answer, 0) << "an object made during teardown would never be disconnected";
  ::DestroyWindow(parent);
  ::CoUninitialize();
}

}  // namespace
}  // namespace kestrune::e2e
