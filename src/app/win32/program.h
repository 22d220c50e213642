#pragma once
// The Windows program: the system's services, the main window and the portable program, built and
// owned here in the order each needs the others, and given back in the reverse order.
#include <windows.h>

#include <memory>

#include "app/program.h"
#include "app/win32/foreground_watch.h"
#include "app/win32/main_window.h"
#include "app/win32/services.h"
#include "platform/win32/clock.h"
#include "platform/win32/code_page.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/process_snapshot.h"
#include "platform/win32/processes.h"

namespace kestrune {

class Win32Program {
 public:
  explicit Win32Program(HINSTANCE instance);
  ~Win32Program();
  Win32Program(const Win32Program&) = delete;
  Win32Program& operator=(const Win32Program&) = delete;

  // Chooses the language, makes the window, builds the program on it, runs the start-up and shows
  // the window unless it went to the tray. False when the window could not be made (reported).
  bool Start();
  // For the message loop, ahead of translation (Win32MainWindow::PreTranslate).
  bool PreTranslate(const MSG& msg) { return window_.PreTranslate(msg); }

 private:
  Win32ProcessApi processes_;
  Win32ProcessSnapshot snapshot_;
  Win32CodePage codePage_;
  Win32Clock clock_;
  Win32MessageBoxes boxes_;
  Win32Services services_;
  Win32MainWindow window_;
  Win32ForegroundWatch watch_;
  std::unique_ptr<Program> program_;  // made once the window exists: it works with its controls
};

}  // namespace kestrune
