#include "window_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "driver.h"
#include "platform/raster/png_writer.h"

namespace kestrune::e2e {

WindowPixels CaptureWindow(HWND hwnd) {
  WindowPixels pixels;
  RECT rect{};
  if (hwnd == nullptr || !::GetWindowRect(hwnd, &rect)) return pixels;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return pixels;

  HDC window = ::GetWindowDC(hwnd);
  if (window == nullptr) return pixels;
  HDC memory = ::CreateCompatibleDC(window);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = memory != nullptr ? ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (section != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, section);
    // The window DC reads what the window and its children have drawn, also where another window
    // happens to cover it.
    const bool copied = ::BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY | CAPTUREBLT) != FALSE;
    ::GdiFlush();
    if (copied) {
      const auto* bgra = static_cast<const std::uint8_t*>(bits);
      const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
      pixels.rgb.resize(count * 3);
      for (std::size_t i = 0; i < count; ++i) {
        pixels.rgb[i * 3] = bgra[i * 4 + 2];
        pixels.rgb[i * 3 + 1] = bgra[i * 4 + 1];
        pixels.rgb[i * 3 + 2] = bgra[i * 4];
      }
      pixels.width = width;
      pixels.height = height;
    }
    ::SelectObject(memory, old);
    ::DeleteObject(section);
  }
  if (memory != nullptr) ::DeleteDC(memory);
  ::ReleaseDC(hwnd, window);
  return pixels;
}

RECT DifferenceBox(const WindowPixels& a, const WindowPixels& b, int tolerance) {
  if (a.width != b.width || a.height != b.height) {
    return RECT{0, 0, std::max(a.width, b.width), std::max(a.height, b.height)};
  }
  RECT box{a.width, a.height, 0, 0};
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(a.width) + static_cast<std::size_t>(x)) * 3;
      bool differs = false;
      for (std::size_t c = 0; c < 3 && !differs; ++c) differs = std::abs(a.rgb[at + c] - b.rgb[at + c]) > tolerance;
      if (!differs) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  if (box.right <= box.left) return RECT{};
  return box;
}

bool SavePng(const WindowPixels& pixels, const std::wstring& path) {
  if (pixels.Empty()) return false;
  const std::vector<std::uint8_t> png =
      EncodePngRgb(pixels.width, pixels.height, std::span<const std::uint8_t>(pixels.rgb));
  WriteFileBytes(path, std::string(png.begin(), png.end()));
  return ReadFileBytes(path).size() == png.size();
}

}  // namespace kestrune::e2e
