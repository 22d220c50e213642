#include "window_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "driver.h"
#include "platform/raster/png_writer.h"
#include "window_picture_block.h"

namespace kestrune::e2e {

namespace {

// The picture hook beside the driver, loaded once; null when it is missing.
HMODULE PictureHook() {
  static const HMODULE hook = [] {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, n < MAX_PATH ? n : 0);
    file = file.substr(0, file.find_last_of(L"\\/") + 1) + L"window_picture.dll";
    return ::LoadLibraryW(file.c_str());
  }();
  return hook;
}

}  // namespace

WindowPixels CaptureWindow(HWND hwnd) {
  WindowPixels pixels;
  RECT rect{};
  if (hwnd == nullptr || !::GetWindowRect(hwnd, &rect)) return pixels;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
      PictureHook() != nullptr ? ::GetProcAddress(PictureHook(), "PictureHookProc") : nullptr));
  if (width <= 0 || height <= 0 || proc == nullptr) return pixels;

  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const std::size_t size = sizeof(PictureHeader) + count * 4;
  HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size),
                                        PictureBlockName(hwnd).c_str());
  if (mapping == nullptr) return pixels;
  auto* header = static_cast<PictureHeader*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, size));
  // The hook runs on the window's own thread for as long as this one message takes.
  HHOOK hook = header != nullptr
                   ? ::SetWindowsHookExW(WH_CALLWNDPROC, proc, PictureHook(), ::GetWindowThreadProcessId(hwnd, nullptr))
                   : nullptr;
  if (hook != nullptr) {
    *header = PictureHeader{width, height, 0};
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(hwnd, PictureMessage(), 0, 0, SMTO_NORMAL, static_cast<UINT>(kPatience.count()), &answer);
    ::UnhookWindowsHookEx(hook);
    if (header->taken == 1) {
      const auto* bgra = reinterpret_cast<const std::uint8_t*>(header + 1);
      pixels.rgb.resize(count * 3);
      for (std::size_t i = 0; i < count; ++i) {
        pixels.rgb[i * 3] = bgra[i * 4 + 2];
        pixels.rgb[i * 3 + 1] = bgra[i * 4 + 1];
        pixels.rgb[i * 3 + 2] = bgra[i * 4];
      }
      pixels.width = width;
      pixels.height = height;
    }
  }
  if (header != nullptr) ::UnmapViewOfFile(header);
  ::CloseHandle(mapping);
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

WindowPixels Cropped(const WindowPixels& pixels, RECT rect) {
  const RECT whole{0, 0, pixels.width, pixels.height};
  WindowPixels part;
  if (!::IntersectRect(&rect, &rect, &whole)) return part;
  part.width = rect.right - rect.left;
  part.height = rect.bottom - rect.top;
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    const auto row = pixels.rgb.begin() + (static_cast<std::ptrdiff_t>(y) * pixels.width + rect.left) * 3;
    part.rgb.insert(part.rgb.end(), row, row + part.width * 3);
  }
  return part;
}

bool SavePng(const WindowPixels& pixels, const std::wstring& path) {
  if (pixels.Empty()) return false;
  const std::vector<std::uint8_t> png =
      EncodePngRgb(pixels.width, pixels.height, std::span<const std::uint8_t>(pixels.rgb));
  WriteFileBytes(path, std::string(png.begin(), png.end()));
  return ReadFileBytes(path).size() == png.size();
}

}  // namespace kestrune::e2e
