#pragma once
// What the tab strip asks of the window system beyond its host: the drawing lock,
// the resolution, re-parenting of added windows, the open-file dialog and the visual style.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "controls/tabstrip/tab_colors.h"
#include "platform/types.h"

namespace kestrune::tabstrip {

struct OpenFileRequest {
  WindowHandle owner = 0;
  std::wstring title;
  std::wstring initialDirectory;
  std::vector<std::pair<std::wstring, std::wstring>> filters;  // (description, pattern)
  int maxPathLength = 255;
};

class TabStripPlatform : public VisualStyle {
 public:
  virtual std::uint32_t DeviceContext() const = 0;
  // Stops (window != 0) or resumes (0) drawing of a window, as LockWindowUpdate does.
  virtual void LockWindowUpdate(WindowHandle window) = 0;
  // The resolution the strip is drawn at, in dots per inch: its pictures' size follows it.
  virtual int Dpi() const = 0;
  virtual void SetParent(WindowHandle child, WindowHandle parent) = 0;
  virtual void SetWindowPos(WindowHandle window, int x, int y, int cx, int cy, unsigned flags) = 0;
  // Shows the open-file dialog; the chosen path, or empty when the user cancels.
  virtual std::wstring ShowOpenFileDialog(const OpenFileRequest& request) = 0;
};

// A control object handed to AddControl: it has a window of its own and a position to set.
class PlaceableControl {
 public:
  virtual ~PlaceableControl() = default;
  virtual WindowHandle Window() const = 0;
  virtual void SetLeft(int value) = 0;
  virtual void SetTop(int value) = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;
  virtual void SetVisible(bool value) = 0;
};

}  // namespace kestrune::tabstrip
