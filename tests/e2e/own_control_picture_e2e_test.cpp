// A picture of an own control taken the system's way (PrintWindow) holds the control's retained
// image, pixel for pixel: the driver's pictures compose the own controls so.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "controls/button/gradient_button.h"
#include "platform/win32/control_window.h"
#include "platform/win32/system_colors.h"

namespace kestrune::e2e {
namespace {

TEST(OwnControlPicture, PrintWindowGivesTheRetainedImage) {
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  Win32SystemColors colors;
  PropertyBag saved;
  saved.Write("Caption", std::wstring(L"&Hide"), std::wstring(L"Button"));
  ControlWindow window;
  ControlWindowArgs args;
  args.parent = parent;
  args.bounds = Rect{10, 10, 85, 33};
  args.saved = &saved;
  args.createControl = [&](ControlHost& host, Surface& surface) {
    return std::unique_ptr<OwnControl>(std::make_unique<button::GradientButton>(host, surface, colors, L"Command"));
  };
  ASSERT_TRUE(window.Create(args));
  const GdiSurface& image = *window.DrawingSurface();
  const int width = image.ScaleWidth();
  const int height = image.ScaleHeight();

  // The picture starts in a colour the button never paints: every pixel it keeps was left out.
  HDC picture = ::CreateCompatibleDC(nullptr);
  HBITMAP bitmap = ::CreateBitmap(width, height, 1, 32, nullptr);
  HGDIOBJ old = ::SelectObject(picture, bitmap);
  HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
  const RECT all{0, 0, width, height};
  ::FillRect(picture, &all, magenta);
  ::DeleteObject(magenta);
  EXPECT_TRUE(::PrintWindow(window.Hwnd(), picture, PW_CLIENTONLY));
  int differing = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) differing += ::GetPixel(picture, x, y) != image.GetPixel(x, y);
  EXPECT_EQ(differing, 0) << "of " << width * height << " pixels";

  ::SelectObject(picture, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(picture);
  window.Destroy();
  ::DestroyWindow(parent);
}

}  // namespace
}  // namespace kestrune::e2e
