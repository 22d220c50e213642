#pragma once
#include "platform/file_dialog.h"
#include "platform/types.h"

namespace kestrune {

// The platform's file-open dialog, owned by the main window once it exists. It is an open dialog so
// that, as before, no overwrite question is asked; without OFN_FILEMUSTEXIST a new name may be typed.
class Win32FileDialog : public FileDialog {
 public:
  void SetOwner(WindowHandle owner) { owner_ = owner; }
  FileDialogResult Show(const FileDialogOptions& options) override;

 private:
  WindowHandle owner_ = 0;
};

}  // namespace kestrune
