#pragma once
// The small control interfaces the portable form logic talks to. The Win32 window implements
// them with real controls; tests implement them in memory.
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

class CheckBox {
 public:
  virtual ~CheckBox() = default;
  virtual bool Checked() const = 0;
  // Sets the state only; the form runs the change handler itself when the state changes.
  virtual void SetChecked(bool checked) = 0;
};

// A pick-only combo box.
class ComboBox {
 public:
  virtual ~ComboBox() = default;
  virtual void AddItem(std::wstring_view text) = 0;
  virtual int ItemCount() const = 0;
  virtual std::wstring ItemText(int index) const = 0;
  virtual int SelectedIndex() const = 0;  // -1 = none
  virtual void SetSelectedIndex(int index) = 0;
  // The selected item's text, empty when nothing is selected.
  std::wstring Text() const {
    const int i = SelectedIndex();
    return i < 0 ? std::wstring() : ItemText(i);
  }
  // Index of the item with exactly this text, -1 when there is none.
  int FindItem(std::wstring_view text) const {
    for (int i = 0; i < ItemCount(); ++i)
      if (ItemText(i) == text) return i;
    return -1;
  }
};

// A one-line text box.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::wstring Text() const = 0;
  virtual void SetText(std::wstring_view text) = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual std::wstring Caption() const = 0;
  virtual void SetCaption(std::wstring_view text) = 0;
  virtual void SetTooltip(std::wstring_view text) = 0;
};

// A label that acts as a link: hot = underlined red, otherwise plain blue.
class LinkLabel : public Label {
 public:
  virtual void SetHot(bool hot) = 0;
  virtual bool Hot() const = 0;
};

// What the form asks of its own window and the shell.
class MainWindowOps {
 public:
  virtual ~MainWindowOps() = default;
  virtual void SetTopmost(bool topmost) = 0;          // SetWindowPos TOPMOST / NOTOPMOST, no move, no size
  virtual void StartDrag() = 0;                       // the window follows the mouse, as by its caption
  virtual bool IsVisible() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Restore() = 0;                         // back from minimised, where it was
  virtual void OpenUrl(std::wstring_view url) = 0;    // ShellExecute "open"; failures ignored
  virtual void BringToForeground() = 0;               // SetForegroundWindow
  virtual void ShowTrayMenu() = 0;                    // the hidden menu as a pop-up at the mouse
  virtual void RequestClose() = 0;                    // starts the shut-down (and so the confirmation)
  // Lets the shell's messages through the window's message filter: the tray icon's notifications,
  // and "TaskbarCreated" once registered. An elevated copy (the real-time class and other users'
  // processes need administrator rights) would otherwise never hear the shell, which has fewer
  // rights. Failures are ignored.
  virtual void AcceptTrayNotifications() = 0;
  virtual void AcceptTaskbarCreated() = 0;
};

// The page switcher of the main window (the tab strip).
class TabPages {
 public:
  virtual ~TabPages() = default;
  virtual void CopyTabImages() = 0;
  virtual void SetTabCaption(int index, std::wstring_view caption) = 0;
  virtual void SetActiveTab(int index) = 0;
  virtual void SetActiveTabHeight(int height) = 0;
};

// The notification-area icon.
class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual bool Add() = 0;
  virtual bool Delete() = 0;
};

}  // namespace kestrune
