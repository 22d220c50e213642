#pragma once
// Keyboard use of the main window: Tab and Shift+Tab by the table's tab order, Ctrl+Tab and
// Ctrl+Shift+Tab between the pages, Enter on a push button, Space and Enter on a toolbar, the focus
// kept on the page shown, and the focus marks, which mouse use hides and the keyboard shows.
#include <windows.h>

#include "app/win32/own_controls.h"

namespace kestrune {

class Win32KeyboardNavigation {
 public:
  void Attach(HWND main, Win32TabStripPages& tabs) {
    main_ = main;
    tabs_ = &tabs;
  }

  // For the message loop, ahead of translation: true when the message was used up.
  bool PreTranslate(const MSG& msg);
  // The next or previous control of the tab order (an own control's arrow keys ask for it).
  void MoveFocus(bool forward);
  // A page switch parked the control that had the focus: the strip takes it.
  void KeepFocusOnPage();
  void ShowFocusMarks(bool show);

  // The main window's messages about its UI state and activation.
  LRESULT UpdateUiState(WPARAM wParam, LPARAM lParam);
  LRESULT QueryUiState(LRESULT systemState) const;
  // WM_ACTIVATE: true when the focus was given back here and the system must not set it.
  bool OnActivate(WPARAM wParam);

 private:
  bool NavigationKey(const MSG& msg);
  void RememberFocus(bool activating);

  HWND main_ = nullptr;
  Win32TabStripPages* tabs_ = nullptr;
  bool focusHidden_ = false;  // UISF_HIDEFOCUS of the window's UI state (see ui_state.h)
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window was deactivated
};

}  // namespace kestrune
