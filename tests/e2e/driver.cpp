#include "driver.h"

#include <commctrl.h>
#include <sddl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <thread>

#include "window_pixels.h"

namespace kestrune::e2e {
namespace {

std::wstring Env(const wchar_t* name, const wchar_t* fallback) {
  wchar_t buffer[1024] = {};
  const DWORD n = ::GetEnvironmentVariableW(name, buffer, 1024);
  return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring(fallback);
}

std::wstring DriverDir() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring file(path, n < MAX_PATH ? n : 0);
  const std::size_t slash = file.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : file.substr(0, slash);
}

struct FindArgs {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* caption;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM param) {
  auto* args = reinterpret_cast<FindArgs*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != args->processId) return TRUE;
  if (args->visibleOnly && !::IsWindowVisible(hwnd)) return TRUE;
  wchar_t cls[256] = {};
  ::GetClassNameW(hwnd, cls, 256);
  if (args->className != nullptr && std::wstring(cls) != args->className) return TRUE;
  if (args->caption != nullptr && Text(hwnd) != args->caption) return TRUE;
  args->found = hwnd;
  return FALSE;
}

}  // namespace

// Without the environment the driver finds what it needs where the build puts it: the programs
// beside itself in bin, the screenshots in artifacts beside bin. ctest runs it so.
std::wstring ProgramPath() { return Env(L"KESTRUNE_EXE", (DriverDir() + L"\\kestrune.exe").c_str()); }
std::wstring HelperPath() { return Env(L"KESTRUNE_HELPER", (DriverDir() + L"\\helper_window.exe").c_str()); }
std::wstring ArtifactDir() {
  static const std::wstring dir = [] {
    std::wstring path = Env(L"KESTRUNE_ARTIFACTS", (DriverDir() + L"\\..\\artifacts").c_str());
    ::CreateDirectoryW(path.c_str(), nullptr);
    return path;
  }();
  return dir;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  // Looks again after 1 ms, then less and less often (at most every 50 ms): most conditions hold
  // within a few milliseconds, and thousands of soak steps would otherwise spend their time asleep.
  const auto end = std::chrono::steady_clock::now() + timeout;
  auto pause = std::chrono::milliseconds(1);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
  return condition();
}

bool RoundTrip(HWND window) {
  DWORD_PTR answer = 0;
  return window != nullptr &&
         ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(kPatience.count()), &answer) != 0;
}

GUITHREADINFO ThreadState(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  if (thread == 0 || !::GetGUIThreadInfo(thread, &info)) {
    info = GUITHREADINFO{};
    info.cbSize = sizeof(info);
  }
  return info;
}

bool BringToFront(HWND window, int* redone, const std::function<void()>& change) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (attempt > 0 && redone != nullptr) ++*redone;
    const HWND previous = ::GetForegroundWindow();
    if (change) {
      change();
    } else {
      ::SetForegroundWindow(window);
    }
    // Wine moves the foreground between threads through messages to both of them; for a moment no
    // window is in front. Once both threads have answered, nothing of this change is left to come.
    if (!WaitFor([&] { return ::GetForegroundWindow() == window; })) continue;
    RoundTrip(window);
    if (previous != nullptr && previous != window) RoundTrip(previous);
    if (::GetForegroundWindow() == window && ThreadState(window).hwndActive == window) return true;
  }
  return false;
}

TempDir::TempDir() {
  wchar_t base[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  std::wstringstream name;
  name << base << L"kestrune-e2e-" << ::GetCurrentProcessId() << L"-" << ++counter;
  path_ = name.str();
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((path_ + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") ::DeleteFileW((path_ + L"\\" + name).c_str());
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path_.c_str());
}

Process::~Process() {
  Kill();
  if (info_.hProcess != nullptr) ::CloseHandle(info_.hProcess);
  if (info_.hThread != nullptr) ::CloseHandle(info_.hThread);
}

bool Process::Start(const std::wstring& exe, const std::wstring& arguments) {
  // Started again (a program's next start after it ended): the ended process's handles go first.
  if (info_.hProcess != nullptr) ::CloseHandle(info_.hProcess);
  if (info_.hThread != nullptr) ::CloseHandle(info_.hThread);
  info_ = {};
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  const std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                        &info_)) {
    return false;
  }
  ::WaitForInputIdle(info_.hProcess, 10000);
  return true;
}

bool Process::Running() const {
  return info_.hProcess != nullptr && ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::WaitExit(std::chrono::milliseconds timeout) {
  return info_.hProcess != nullptr &&
         ::WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

void Process::Kill() {
  if (Running()) {
    ::TerminateProcess(info_.hProcess, 99);
    // Until it is gone: the next test's copy would otherwise still meet this one's single-instance guard.
    ::WaitForSingleObject(info_.hProcess, static_cast<DWORD>(kPatience.count()));
  }
}

DWORD Process::ExitCode() const {
  DWORD code = 0;
  ::GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND FindTopWindow(DWORD processId, const wchar_t* className, const wchar_t* caption, bool visibleOnly) {
  FindArgs args{processId, className, caption, visibleOnly, nullptr};
  ::EnumWindows(FindProc, reinterpret_cast<LPARAM>(&args));
  return args.found;
}

std::wstring Text(HWND hwnd) {
  wchar_t buffer[2048] = {};
  const LRESULT n = ::SendMessageW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer));
  return std::wstring(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

bool Visible(HWND hwnd) { return ::IsWindowVisible(hwnd) != FALSE; }

DWORD PriorityClassOf(DWORD processId) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (process == nullptr) {
    std::fprintf(stderr, "class of process %lu not read: OpenProcess error %lu\n",
                 static_cast<unsigned long>(processId), static_cast<unsigned long>(::GetLastError()));
    return 0;
  }
  const DWORD result = ::GetPriorityClass(process);
  if (result == 0) {
    const DWORD error = ::GetLastError();
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process, &exitCode);
    std::fprintf(stderr, "class of process %lu not read: GetPriorityClass error %lu, exit code 0x%lx\n",
                 static_cast<unsigned long>(processId), static_cast<unsigned long>(error),
                 static_cast<unsigned long>(exitCode));
  }
  ::CloseHandle(process);
  return result;
}

bool SetClass(DWORD processId, DWORD priorityClass) {
  HANDLE process = ::OpenProcess(PROCESS_SET_INFORMATION, FALSE, processId);
  if (process == nullptr) return false;
  const bool set = ::SetPriorityClass(process, priorityClass) != FALSE;
  ::CloseHandle(process);
  return set;
}

bool ClassBecomes(DWORD processId, DWORD priorityClass) {
  return WaitFor([&] { return PriorityClassOf(processId) == priorityClass; });
}

HWND FindMessageBox(DWORD processId, const wchar_t* title) { return FindTopWindow(processId, L"#32770", title, true); }

std::wstring MessageBoxText(HWND box) {
  // The message is the static control with id 0xFFFF.
  HWND text = ::GetDlgItem(box, 0xFFFF);
  return text != nullptr ? Text(text) : std::wstring();
}

void PressDialogButton(HWND box, int buttonId) {
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, buttonId)));
}

namespace {

// A block of memory inside the list view's process, for messages that carry pointers.
class RemoteBlock {
 public:
  RemoteBlock(HWND owner, std::size_t size) : size_(size) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(owner, &pid);
    process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr) address_ = ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_ != nullptr) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) ::CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  void* Address() const { return address_; }
  bool Write(const void* data, std::size_t n, std::size_t offset = 0) {
    return ::WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, n, nullptr) != FALSE;
  }
  bool Read(void* data, std::size_t n, std::size_t offset = 0) const {
    return ::ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, n, nullptr) != FALSE;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

}  // namespace

RECT TabItemRect(HWND tab, int index) {
  RemoteBlock block(tab, sizeof(RECT));
  RECT rect{};
  if (block.Address() == nullptr) return rect;
  ::SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.Address()));
  block.Read(&rect, sizeof(rect));
  return rect;
}

int ListViewRowCount(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListViewCell(HWND list, int row, int column) {
  constexpr std::size_t kChars = 512;
  RemoteBlock block(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  if (block.Address() == nullptr) return L"<no access>";
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = static_cast<int>(kChars);
  item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(block.Address()) + sizeof(LVITEMW));
  block.Write(&item, sizeof(item));
  const LRESULT n = ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(block.Address()));
  std::wstring text(kChars, L'\0');
  block.Read(text.data(), kChars * sizeof(wchar_t), sizeof(LVITEMW));
  text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return text;
}

std::wstring ListViewHeader(HWND list, int column) {
  constexpr std::size_t kChars = 128;
  RemoteBlock block(list, sizeof(LVCOLUMNW) + kChars * sizeof(wchar_t));
  if (block.Address() == nullptr) return L"<no access>";
  LVCOLUMNW header{};
  header.mask = LVCF_TEXT;
  header.cchTextMax = static_cast<int>(kChars);
  header.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(block.Address()) + sizeof(LVCOLUMNW));
  block.Write(&header, sizeof(header));
  if (::SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(block.Address())) == 0)
    return L"<no column>";
  std::wstring text(kChars, L'\0');
  block.Read(text.data(), kChars * sizeof(wchar_t), sizeof(LVCOLUMNW));
  text.resize(std::wcslen(text.c_str()));
  return text;
}

bool SelectListViewRow(HWND list, int row) {
  RemoteBlock block(list, sizeof(LVITEMW));
  if (block.Address() == nullptr) return false;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = row < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
  block.Write(&item, sizeof(item));
  return ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.Address())) != 0;
}

bool SaveScreenshot(HWND hwnd, const std::wstring& name) {
  return SavePng(CaptureWindow(hwnd), ArtifactDir() + L"\\" + name + L".png");
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD n = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &n, nullptr) && n > 0) bytes.append(buffer, n);
  ::CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::string> IniValue(const std::string& bytes, std::string_view section, std::string_view key) {
  bool inSection = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    const std::string_view line(bytes.data() + start, end - start);
    start = end + 1;
    const std::string_view trimmed = Trimmed(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const std::size_t close = trimmed.find(']');
      inSection = close != std::string_view::npos && SameName(Trimmed(trimmed.substr(1, close - 1)), section);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inSection && equals != std::string_view::npos && SameName(Trimmed(line.substr(0, equals)), key)) {
      return std::string(line.substr(equals + 1));
    }
  }
  return std::nullopt;
}

std::string ToCodePage(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

namespace {

std::optional<std::wstring> RunValue(HKEY root, const wchar_t* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  wchar_t data[1024] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  DWORD type = 0;
  const LONG status = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  std::wstring value(data, size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

void DeleteRunValue(HKEY root, const wchar_t* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  ::RegDeleteValueW(key, name);
  ::RegCloseKey(key);
}

}  // namespace

std::optional<std::wstring> MachineRunValue(const wchar_t* name) { return RunValue(HKEY_LOCAL_MACHINE, name); }
void DeleteMachineRunValue(const wchar_t* name) { DeleteRunValue(HKEY_LOCAL_MACHINE, name); }
std::optional<std::wstring> UserRunValue(const wchar_t* name) { return RunValue(HKEY_CURRENT_USER, name); }
void DeleteUserRunValue(const wchar_t* name) { DeleteRunValue(HKEY_CURRENT_USER, name); }

RunKeyDenied::RunKeyDenied(HKEY root) : root_(root) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, kRunKey, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  DWORD size = 0;
  ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
  saved_.resize(size);
  PSECURITY_DESCRIPTOR denying = nullptr;
  if (size > 0 &&
      ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved_.data(), &size) == ERROR_SUCCESS &&
      ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x6;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                            &denying, nullptr)) {
    active_ = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, denying) == ERROR_SUCCESS;
    ::LocalFree(denying);
  }
  ::RegCloseKey(key);
}

RunKeyDenied::~RunKeyDenied() {
  if (!active_) return;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root_, kRunKey, 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS) return;
  ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved_.data());
  ::RegCloseKey(key);
}

bool Topmost(HWND hwnd) { return (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool Checked(HWND checkBox) { return ::SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

namespace {

struct DialogArgs {
  DWORD processId;
  int controlId;
  HWND found;
};

BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM param) {
  auto* args = reinterpret_cast<DialogArgs*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64] = {};
  ::GetClassNameW(hwnd, cls, 64);
  if (pid == args->processId && ::IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770" &&
      ::GetDlgItem(hwnd, args->controlId) != nullptr) {
    args->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

NOTIFYICONDATAW IconRecord(HWND window, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = window;
  data.uID = id;
  data.uFlags = 0;
  return data;
}

}  // namespace

HWND FindDialogWithControl(DWORD processId, int controlId) {
  DialogArgs args{processId, controlId, nullptr};
  ::EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&args));
  return args.found;
}

bool TrayIconExists(HWND window, UINT id) {
  NOTIFYICONDATAW data = IconRecord(window, id);
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool DeleteTrayIcon(HWND window, UINT id) {
  NOTIFYICONDATAW data = IconRecord(window, id);
  return ::Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

bool MovePointerTo(POINT screen) {
  // Absolute coordinates are normalised to 0..65535 over the primary screen.
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65536 + width / 2) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536 + height / 2) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  if (::SendInput(1, &input, sizeof(input)) != 1) return false;
  return WaitFor([&] {
    POINT at{};
    // The normalised coordinates round: a pixel either way is the same place.
    return ::GetCursorPos(&at) && std::abs(at.x - screen.x) <= 1 && std::abs(at.y - screen.y) <= 1;
  });
}

bool ParkPointer() {
  return MovePointerTo({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
}

bool PressLeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  return ::SendInput(1, &input, sizeof(input)) == 1;
}

}  // namespace kestrune::e2e
