#include "driver.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace kestrune::e2e {
namespace {

std::wstring Env(const wchar_t* name, const wchar_t* fallback) {
  wchar_t buffer[1024] = {};
  const DWORD n = ::GetEnvironmentVariableW(name, buffer, 1024);
  return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring(fallback);
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

std::wstring ProgramPath() { return Env(L"KESTRUNE_EXE", L"kestrune.exe"); }
std::wstring HelperPath() { return Env(L"KESTRUNE_HELPER", L"helper_window.exe"); }
std::wstring ArtifactDir() { return Env(L"KESTRUNE_ARTIFACTS", L"."); }

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return condition();
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
    ::WaitForSingleObject(info_.hProcess, 5000);
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
  if (process == nullptr) return 0;
  const DWORD result = ::GetPriorityClass(process);
  ::CloseHandle(process);
  return result;
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

bool SaveScreenshot(HWND hwnd, const std::wstring& name) {
  // The X server holds what is really on screen (Wine's own screen reads miss child windows), so
  // the picture is taken there with ImageMagick, started through Wine's bridge to Unix programs.
  const std::wstring unixDir = Env(L"KESTRUNE_ARTIFACTS_UNIX", L"");
  if (unixDir.empty()) return false;
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  std::wstringstream command;
  command << L"start.exe /wait /unix /usr/bin/import -window root -crop " << (rect.right - rect.left) << L"x"
          << (rect.bottom - rect.top) << L"+" << rect.left << L"+" << rect.top << L" " << unixDir << L"/" << name
          << L".png";
  Process import;
  if (!import.Start(L"C:\\windows\\system32\\start.exe", command.str().substr(10))) return false;
  return import.WaitExit(std::chrono::seconds(20));
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

}  // namespace kestrune::e2e
