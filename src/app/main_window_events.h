#pragma once
// What the main window tells the program: each message it gets, translated once into a named event.
// The Win32 window's one window procedure makes these calls; the program (program.h) answers them.
#include "app/commands.h"
#include "app/ui.h"
#include "platform/types.h"
#include "settings/settings_table.h"

namespace kestrune {

// The tray icon's notifications the program acts on.
enum class TrayClick : unsigned char { DoubleClick, RightButton };

class MainWindowEvents {
 public:
  virtual ~MainWindowEvents() = default;
  virtual void Run(Command command) = 0;
  // The user changed the control of a setting (ticked a box, chose an item).
  virtual void OnSettingChosen(Setting setting) = 0;
  virtual void OnTick() = 0;           // the one-second timer
  virtual void OnQuickLook() = 0;      // the quick reaction's short timer
  // The system told of a new foreground or focus window, owned by this process (0: unknown).
  virtual void OnForegroundEvent(ProcessId windowOwner) = 0;
  virtual void OnMinimised() = 0;      // after the system minimised the window
  virtual void OnTrayClicked(TrayClick click) = 0;
  virtual void OnTaskbarCreated() = 0;  // the shell's taskbar came back: the tray icon is gone
  virtual void OnSessionEnding() = 0;   // the user logs off or the system shuts down
  // The window is asked to close: true when it may (the program has ended), false to keep running.
  virtual bool OnCloseAsked() = 0;
  virtual void OnBackgroundPressed() = 0;      // a mouse button on the window's background or the strip
  virtual void OnBackgroundPointerMoved() = 0;
  virtual void OnPointerOverLink(LinkLabel& link) = 0;
};

}  // namespace kestrune
