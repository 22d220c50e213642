#pragma once
// The pixels of a window as its program drew them, taken inside that program by the driver's picture
// hook (window_picture_hook.cpp): no screen grabber and no program outside this driver, so the same
// capture works on Windows and under Wine, and no window that covers it enters the picture.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kestrune::e2e {

struct WindowPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height pixels, three bytes each, rows from the top

  bool Empty() const { return width <= 0 || height <= 0; }
};

// The whole window, frame included, with (0, 0) at its top-left corner; empty when it cannot be read.
// The window's own drawing, with each own control's retained image laid over it where the control
// is seen.
WindowPixels CaptureWindow(HWND hwnd);

// The smallest rectangle that holds every pixel in which a and b differ by more than `tolerance` in
// some colour channel; an empty rectangle when none does. Pictures of different sizes differ
// everywhere: the rectangle then spans the larger one.
RECT DifferenceBox(const WindowPixels& a, const WindowPixels& b, int tolerance);

// The part of the picture inside rect (clipped to the picture).
WindowPixels Cropped(const WindowPixels& pixels, RECT rect);

// Writes the pixels as a PNG file; false when the picture is empty or the file cannot be written.
bool SavePng(const WindowPixels& pixels, const std::wstring& path);

}  // namespace kestrune::e2e
