// The accessibility object in the process that owns it, where a reader holds the object itself
// rather than a proxy: once its window is gone every call answers RPC_E_DISCONNECTED and releasing
// it is safe.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>

#include "controls/button/gradient_button.h"
#include "platform/win32/accessible_object.h"
#include "platform/win32/control_window.h"
#include "platform/win32/win32_system_colors.h"

namespace kestrune::e2e {
namespace {

TEST(AccessibleObject, AnObjectHeldInItsOwnProcessIsDisconnectedWithItsWindow) {
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

  window->Destroy();
  long count = -1;
  EXPECT_EQ(held->get_accName(self, &name), RPC_E_DISCONNECTED);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(held->get_accChildCount(&count), RPC_E_DISCONNECTED);
  EXPECT_EQ(held->accDoDefaultAction(self), RPC_E_DISCONNECTED);
  window.reset();  // the binding is gone too; the object must not reach for it
  VARIANT role{};
  EXPECT_EQ(held->get_accRole(self, &role), RPC_E_DISCONNECTED);
  EXPECT_EQ(held->Release(), 0u) << "the reader held the last reference";
  ::DestroyWindow(parent);
  ::CoUninitialize();
}

}  // namespace
}  // namespace kestrune::e2e
