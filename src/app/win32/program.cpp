#include "app/win32/program.h"

#include "app/win32/control_ids.h"
#include "app/win32/start_language.h"
#include "platform/win32/executable_path.h"
#include "platform/win32/handles.h"

namespace kestrune {

Win32Program::Win32Program(HINSTANCE instance)
    : services_(codePage_, ExecutableDirectory(), ExecutableBaseName()), window_(instance) {}

Win32Program::~Win32Program() {
  // The window may outlive the program by a moment (a start that failed half-way): it hears of
  // nothing more. The program stops the quick reaction's watch as it goes.
  window_.SetEvents(nullptr);
  program_.reset();
}

bool Win32Program::Start() {
  // Before the first read: Windows' profile functions would not find the first section of a file
  // saved as UTF-8 with its mark.
  services_.profile.RewriteUtf8File();
  // Before the first text is made: the tray's tip and every control's caption are in that language.
  ShowLanguage(StartLanguage(services_.settingsFile));
  if (!window_.Create(boxes_)) return false;
  services_.dialog.SetOwner(ToWindowHandle(window_.Hwnd()));
  watch_.Setup(window_.Hwnd(), ids::kTimerQuick, Win32MainWindow::kForegroundEvent);
  program_ = std::make_unique<Program>(
      ProgramServices{processes_, snapshot_, codePage_, clock_, boxes_, services_.dialog, services_.files,
                      services_.settingsFile, services_.autostart, services_.journal, services_.EarlierJournals(),
                      services_.location},
      window_.Parts(watch_));
  window_.SetEvents(program_.get());
  window_.StartTicking();
  program_->Start();
  window_.ShowUnlessHidden();
  return true;
}

}  // namespace kestrune
