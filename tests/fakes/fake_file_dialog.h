#pragma once
#include <functional>
#include <string>

#include "platform/file_dialog.h"

namespace kestrune::testing {

// A file dialog that answers as scripted and remembers how it was set up.
class FakeFileDialog : public FileDialog {
 public:
  FileDialogResult Show(const FileDialogOptions& options) override {
    ++shows;
    lastOptions = options;
    if (onShow) onShow();
    return answer;
  }

  FileDialogResult answer{true, L"C:\\logs\\history.txt", L""};
  FileDialogOptions lastOptions;
  std::function<void()> onShow;  // runs while the dialog is open, as the modal loop would run ticks
  int shows = 0;
};

}  // namespace kestrune::testing
