#pragma once
// Drives the real kestrune.exe the way a user or a screen reader would: starts it from a fresh
// folder, finds its windows, clicks its controls with messages and reads back what they show.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kestrune::e2e {

// Paths given by the test runner (environment): the program, the helper and the screenshot folder.
std::wstring ProgramPath();
std::wstring HelperPath();
std::wstring ArtifactDir();

// Polls until condition holds or the timeout passes; true when it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

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

// A dialog box (message box) of a process and its text; pressing one of its buttons by id.
HWND FindMessageBox(DWORD processId, const wchar_t* title);
std::wstring MessageBoxText(HWND box);
void PressDialogButton(HWND box, int buttonId);

// Where a tab of a tab control is, in the control's client pixels.
RECT TabItemRect(HWND tab, int index);

// Cross-process reads of a list view (its messages are not marshalled between processes).
int ListViewRowCount(HWND list);
std::wstring ListViewCell(HWND list, int row, int column);

// Saves the window as it is on screen to <ArtifactDir>\<name>.bmp; the test script converts to PNG.
bool SaveScreenshot(HWND hwnd, const std::wstring& name);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace kestrune::e2e
