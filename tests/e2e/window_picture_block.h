#pragma once
// What the driver and its picture hook (window_picture_hook.cpp, loaded into the pictured program)
// agree on: the message that asks for a picture, and the shared block that carries it back.
#include <windows.h>

#include <string>

namespace kestrune::e2e {

// The block starts with this header; width * height pixels follow, four bytes each (blue, green,
// red, unused), rows from the top.
struct PictureHeader {
  LONG width;   // set by the driver: the window's size when it asked
  LONG height;
  LONG taken;   // set by the hook: 1 once the pixels are in the block
};

inline std::wstring PictureBlockName(HWND window) {
  return L"KestruneWindowPicture." + std::to_wstring(reinterpret_cast<ULONG_PTR>(window));
}

// Sent to the window whose picture is wanted; the hook sees it before the window does.
inline UINT PictureMessage() { return ::RegisterWindowMessageW(L"KestruneWindowPicture"); }

}  // namespace kestrune::e2e
