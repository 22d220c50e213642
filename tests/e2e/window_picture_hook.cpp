// The driver's picture hook, loaded by the system into the program whose window is pictured: it
// takes the picture on that program's own thread, from what the program drew. Read from outside, a
// window is only its place on the screen, where whatever covers it shows instead; here the window's
// own drawing is read, and each own control's retained image is laid over it (WM_PRINTCLIENT), so a
// picture never depends on whether a paint has reached the screen yet.
#include <windows.h>

#include "window_picture_block.h"

namespace {

using kestrune::e2e::PictureHeader;

bool IsOwnControl(HWND hwnd) {
  wchar_t name[32] = {};
  return ::GetClassNameW(hwnd, name, 32) > 0 && ::lstrcmpW(name, L"KestruneOwnControl") == 0;
}

struct Composition {
  HDC picture;
  POINT windowOrigin;  // the pictured window's top-left corner on the screen
};

// Draws the own control's image into the picture, only where the control itself is seen: its
// visible region leaves out whatever stands above it and the part outside its parent.
BOOL CALLBACK ComposeOwnControl(HWND child, LPARAM param) {
  const auto* c = reinterpret_cast<const Composition*>(param);
  if (!IsOwnControl(child) || !::IsWindowVisible(child)) return TRUE;
  HRGN visible = ::CreateRectRgn(0, 0, 0, 0);
  HDC dc = ::GetDC(child);
  const bool seen = dc != nullptr && ::GetRandomRgn(dc, visible, SYSRGN) == 1;  // screen coordinates
  if (dc != nullptr) ::ReleaseDC(child, dc);
  if (seen) {
    ::OffsetRgn(visible, -c->windowOrigin.x, -c->windowOrigin.y);
    POINT client{0, 0};
    ::ClientToScreen(child, &client);
    ::SelectClipRgn(c->picture, visible);
    POINT old{};
    ::SetViewportOrgEx(c->picture, client.x - c->windowOrigin.x, client.y - c->windowOrigin.y, &old);
    ::SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c->picture), PRF_CLIENT);
    ::SetViewportOrgEx(c->picture, old.x, old.y, nullptr);
    ::SelectClipRgn(c->picture, nullptr);
  }
  ::DeleteObject(visible);
  return TRUE;
}

// The window with its frame into `bits` (top-down, 32 bits a pixel); false when it cannot be read.
bool Draw(HWND hwnd, const RECT& rect, void* bits) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC window = ::GetWindowDC(hwnd);
  if (window == nullptr) return false;
  HDC memory = ::CreateCompatibleDC(window);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* section_bits = nullptr;
  HBITMAP section =
      memory != nullptr ? ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &section_bits, nullptr, 0) : nullptr;
  bool drawn = false;
  if (section != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, section);
    // In the program's own process the window DC reads what the program drew into its window.
    drawn = ::BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY) != FALSE;
    Composition composition{memory, POINT{rect.left, rect.top}};
    if (drawn) ::EnumChildWindows(hwnd, &ComposeOwnControl, reinterpret_cast<LPARAM>(&composition));
    ::GdiFlush();
    if (drawn) ::CopyMemory(bits, section_bits, static_cast<SIZE_T>(width) * static_cast<SIZE_T>(height) * 4);
    ::SelectObject(memory, old);
    ::DeleteObject(section);
  }
  if (memory != nullptr) ::DeleteDC(memory);
  ::ReleaseDC(hwnd, window);
  return drawn;
}

void TakePicture(HWND hwnd) {
  HANDLE mapping = ::OpenFileMappingW(FILE_MAP_WRITE, FALSE, kestrune::e2e::PictureBlockName(hwnd).c_str());
  if (mapping == nullptr) return;
  if (auto* header = static_cast<PictureHeader*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
    RECT rect{};
    // The block was sized for the window as the driver saw it: a window resized since is not drawn.
    if (::GetWindowRect(hwnd, &rect) && rect.right - rect.left == header->width &&
        rect.bottom - rect.top == header->height && header->width > 0 && header->height > 0)
      header->taken = Draw(hwnd, rect, header + 1) ? 1 : 0;
    ::UnmapViewOfFile(header);
  }
  ::CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK PictureHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == kestrune::e2e::PictureMessage()) TakePicture(sent->hwnd);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
