#pragma once
// What the measuring programs share: finding Kestrune's shown main window, a clock, and a folder of
// its own per run with a settings file beside the program.
#include <windows.h>

#include <string>

namespace kestrune::probe {

constexpr wchar_t kMainWindowClass[] = L"KestruneMainWindow";

struct Search {
  DWORD processId;
  HWND found;
};

inline BOOL CALLBACK FindShownMainWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !::IsWindowVisible(hwnd)) return TRUE;
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  if (std::wstring(name) != kMainWindowClass) return TRUE;
  search->found = hwnd;
  return FALSE;
}

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

// A folder of its own per run: the settings file beside the program is the program's own.
class RunFolder {
 public:
  RunFolder(const wchar_t* purpose, int run) {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"kestrune-" + purpose + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(run);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~RunFolder() {
    for (const wchar_t* name : {L"kestrune.exe", L"kestrune.ini", L"kestrune.journal"}) ::DeleteFileW(File(name).c_str());
    ::RemoveDirectoryW(path_.c_str());
  }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

// Ends a copy the way a log-off does (no confirmation) and waits for it; a copy that hangs is killed.
inline void EndLikeLogOff(HWND mainWindow, HANDLE process) {
  if (mainWindow != nullptr) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(mainWindow, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ::PostMessageW(mainWindow, WM_CLOSE, 0, 0);
  }
  if (::WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process, 1);
    ::WaitForSingleObject(process, 5000);
  }
}

}  // namespace kestrune::probe
