#pragma once
// Drives the real kestrune.exe the way a user or a screen reader would: starts it from a fresh
// folder, finds its windows, clicks its controls with messages and reads back what they show.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::e2e {

// Paths given by the test runner (environment): the program, the helper and the screenshot folder.
std::wstring ProgramPath();
std::wstring HelperPath();
std::wstring ArtifactDir();

// How long a test waits for something that must happen: long enough that running out of it means a
// hang, never a slow machine. Waits that check that something does not happen name their own bound.
inline constexpr std::chrono::milliseconds kPatience = std::chrono::seconds(20);

// Polls until condition holds or the timeout passes; true when it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kPatience);

// Sends the window's thread a message it must answer and waits for the answer. Everything sent to
// that thread before has then been handled, among it the messages through which Wine tells a thread
// that its window lost or won the foreground. False when the window is gone or does not answer.
bool RoundTrip(HWND window);

// What the system holds for the thread of a window: its active and focus windows, its capture and
// whether it runs a window move loop (GUI_INMOVESIZE). Zeroed when it cannot be read.
GUITHREADINFO ThreadState(HWND window);

// Makes `window` the foreground window and confirms it: it is in front and active in its thread, and
// the threads of the window and of the one it replaced have taken the change in (until they have,
// Wine may still move the foreground). `change` makes the change; without it this process calls
// SetForegroundWindow. A change the system undid is brought about again, up to twice; `redone` (when
// given) counts those repeats. False when the window could not be brought to the front.
bool BringToFront(HWND window, int* redone = nullptr, const std::function<void()>& change = nullptr);

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

class Process {
 public:
  Process() = default;
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Start(const std::wstring& exe, const std::wstring& arguments = L"");
  bool Running() const;
  bool WaitExit(std::chrono::milliseconds timeout);
  void Kill();
  DWORD Id() const { return info_.dwProcessId; }
  DWORD ExitCode() const;

 private:
  PROCESS_INFORMATION info_{};
};

// Top-level windows of a process, optionally of one class and/or caption.
HWND FindTopWindow(DWORD processId, const wchar_t* className, const wchar_t* caption = nullptr, bool visibleOnly = false);

std::wstring Text(HWND hwnd);
bool Visible(HWND hwnd);
DWORD PriorityClassOf(DWORD processId);
// What another program (the user, a tool) does to a process's class; false when it could not.
bool SetClass(DWORD processId, DWORD priorityClass);
// The process has the class within the patience.
bool ClassBecomes(DWORD processId, DWORD priorityClass);

// A dialog box (message box) of a process and its text; pressing one of its buttons by id.
HWND FindMessageBox(DWORD processId, const wchar_t* title);
std::wstring MessageBoxText(HWND box);
void PressDialogButton(HWND box, int buttonId);

// Where a tab of a tab control is, in the control's client pixels.
RECT TabItemRect(HWND tab, int index);

// Cross-process reads of a list view (its messages are not marshalled between processes).
int ListViewRowCount(HWND list);
std::wstring ListViewCell(HWND list, int row, int column);
// A column's header text.
std::wstring ListViewHeader(HWND list, int column);
// Selects the row (none: -1) as a click would, so the list view tells its window.
bool SelectListViewRow(HWND list, int row);

// Saves the window as it has drawn itself to <ArtifactDir>\<name>.png.
bool SaveScreenshot(HWND hwnd, const std::wstring& name);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// The raw text after "key=" in [section] of a private-profile file's bytes (up to the line end);
// none when the section or key is missing. Names compare without regard to case, as Windows does.
std::optional<std::string> IniValue(const std::string& bytes, std::string_view section, std::string_view key);

// Text in a code page's bytes, as the program writes its files.
std::string ToCodePage(const std::wstring& text, unsigned codePage);

// A value under HKLM\Software\Microsoft\Windows\CurrentVersion\Run; none when it does not exist.
std::optional<std::wstring> MachineRunValue(const wchar_t* name);
void DeleteMachineRunValue(const wchar_t* name);
// The same under the current user's Run key.
std::optional<std::wstring> UserRunValue(const wchar_t* name);
void DeleteUserRunValue(const wchar_t* name);

// Denies setting values in a Run key (HKLM or HKCU) to everyone, as Windows denies a standard user
// the machine-wide one, for the guard's life; the key's own access list comes back when it goes.
class RunKeyDenied {
 public:
  explicit RunKeyDenied(HKEY root);
  ~RunKeyDenied();
  RunKeyDenied(const RunKeyDenied&) = delete;
  RunKeyDenied& operator=(const RunKeyDenied&) = delete;
  bool Active() const { return active_; }

 private:
  HKEY root_;
  std::vector<BYTE> saved_;
  bool active_ = false;
};

bool Topmost(HWND hwnd);
bool Checked(HWND checkBox);

// A visible dialog of a process that holds a control with the given id (a file dialog's name box).
HWND FindDialogWithControl(DWORD processId, int controlId);

// Whether the shell holds a notification icon for (window, id): modifying nothing succeeds only
// while the icon exists.
bool TrayIconExists(HWND window, UINT id = 0);
bool DeleteTrayIcon(HWND window, UINT id = 0);

// Real input through the system's input queue: moves the pointer and waits until it is there; presses
// or releases the left button.
bool MovePointerTo(POINT screen);
bool PressLeftButton(bool down);
// Moves the pointer to the screen's bottom right corner, away from the test windows: a pointer left
// over a window by an earlier test would show tooltips and hover marks.
bool ParkPointer();

}  // namespace kestrune::e2e
