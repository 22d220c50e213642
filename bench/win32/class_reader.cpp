// class_reader: the Windows half of the benchmark's scheduler bridge (bench/scheduler_bridge.py).
// It follows the priority class of every process of its Wine server and writes each change to
// standard output, one line each, fields separated by tabs:
//
//   +  pid  start  class  argument...   a process seen for the first time: its start time (100 ns
//                                        units since 1601), class and command line split into its
//                                        arguments, as Wine also gives them to Linux
//   =  pid  class                       the class changed
//   -  pid                              the process ended
//
//   class_reader.exe [--period MS] [--list MS]
//
// The classes are read every --period milliseconds (default 2) from handles kept open; the list of
// processes, which costs the server far more, is taken every --list milliseconds (default 200). The
// command line is read from the process's own parameters block: Wine does not answer the query for
// it (ProcessCommandLineInformation).
#include <windows.h>
#include <shellapi.h>
#include <winternl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/process_snapshot.h"
#include "platform/win32/processes.h"

namespace {

using kestrune::ProcessApi;
using kestrune::ProcessId;

constexpr std::uint32_t kVmRead = 0x10;

struct Followed {
  std::uint64_t started = 0;
  ProcessApi::Handle handle = 0;
  std::uint32_t priorityClass = 0;
  bool seen = false;  // in the last list
};

const char* ClassName(std::uint32_t value) {
  switch (value) {
    case IDLE_PRIORITY_CLASS: return "IDLE";
    case BELOW_NORMAL_PRIORITY_CLASS: return "BELOW_NORMAL";
    case NORMAL_PRIORITY_CLASS: return "NORMAL";
    case ABOVE_NORMAL_PRIORITY_CLASS: return "ABOVE_NORMAL";
    case HIGH_PRIORITY_CLASS: return "HIGH";
    case REALTIME_PRIORITY_CLASS: return "REALTIME";
    default: return "UNKNOWN";
  }
}

std::string Utf8(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  for (char& c : out)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return out;
}

// The command line from the process's parameters block; empty where it cannot be read.
std::wstring CommandLine(ProcessId process) {
  HANDLE handle = ::OpenProcess(PROCESS_QUERY_INFORMATION | kVmRead, FALSE, static_cast<DWORD>(process));
  if (handle == nullptr) return {};
  using Query = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
  static const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  std::wstring text;
  ULONG length = 0;
  if (query(handle, ProcessBasicInformation, &basic, sizeof(basic), &length) >= 0 &&
      ::ReadProcessMemory(handle, basic.PebBaseAddress, &peb, sizeof(peb), nullptr) &&
      ::ReadProcessMemory(handle, peb.ProcessParameters, &parameters, sizeof(parameters), nullptr)) {
    text.resize(parameters.CommandLine.Length / sizeof(wchar_t));
    if (!::ReadProcessMemory(handle, parameters.CommandLine.Buffer, text.data(), parameters.CommandLine.Length, nullptr))
      text.clear();
  }
  ::CloseHandle(handle);
  return text;
}

std::string Arguments(const std::wstring& commandLine) {
  std::string out;
  int count = 0;
  if (wchar_t** arguments = commandLine.empty() ? nullptr : ::CommandLineToArgvW(commandLine.c_str(), &count)) {
    for (int i = 0; i < count; ++i) {
      out += '\t';
      out += Utf8(arguments[i]);
    }
    ::LocalFree(arguments);
  }
  return out;
}

class Reader {
 public:
  // Takes the list: new processes are announced, ended ones let go.
  void List() {
    std::uint64_t now = 0;
    if (!snapshot_.Take(samples_, now)) return;
    for (auto& [process, followed] : followed_) followed.seen = false;
    for (const kestrune::ProcessSample& sample : samples_) {
      if (sample.process == own_ || sample.process == 0) continue;
      auto found = followed_.find(sample.process);
      if (found != followed_.end() && found->second.started != sample.started) {
        End(found);
        found = followed_.end();
      }
      if (found == followed_.end()) {
        Start(sample.process, sample.started);
      } else {
        found->second.seen = true;
      }
    }
    for (auto it = followed_.begin(); it != followed_.end();) {
      auto next = std::next(it);
      if (!it->second.seen) End(it);
      it = next;
    }
  }

  // Reads every followed process's class and announces the changes.
  void Classes() {
    for (auto& [process, followed] : followed_) {
      const std::uint32_t value = api_.GetPriorityClass(followed.handle);
      if (value == 0 || value == followed.priorityClass) continue;
      followed.priorityClass = value;
      std::printf("=\t%lu\t%s\n", static_cast<unsigned long>(process), ClassName(value));
    }
  }

  ~Reader() {
    for (auto& [process, followed] : followed_) api_.CloseHandle(followed.handle);
  }

 private:
  void Start(ProcessId process, std::uint64_t started) {
    const ProcessApi::Handle handle = api_.OpenProcess(kestrune::access::kQueryLimited, process);
    if (handle == 0) return;
    Followed followed{started, handle, api_.GetPriorityClass(handle), true};
    std::printf("+\t%lu\t%llu\t%s%s\n", static_cast<unsigned long>(process), static_cast<unsigned long long>(started),
                ClassName(followed.priorityClass), Arguments(CommandLine(process)).c_str());
    followed_[process] = followed;
  }

  void End(std::map<ProcessId, Followed>::iterator it) {
    std::printf("-\t%lu\n", static_cast<unsigned long>(it->first));
    api_.CloseHandle(it->second.handle);
    followed_.erase(it);
  }

  kestrune::Win32ProcessSnapshot snapshot_;
  kestrune::Win32ProcessApi api_;
  std::vector<kestrune::ProcessSample> samples_;
  std::map<ProcessId, Followed> followed_;
  const ProcessId own_ = ::GetCurrentProcessId();
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  DWORD period = 2, list = 200;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--period") == 0) period = static_cast<DWORD>(_wtoi(argv[i + 1]));
    if (std::wcscmp(argv[i], L"--list") == 0) list = static_cast<DWORD>(_wtoi(argv[i + 1]));
  }
  if (period == 0) period = 1;
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in LF alone
  Reader reader;
  for (ULONGLONG lastList = 0;;) {
    const ULONGLONG now = ::GetTickCount64();
    if (lastList == 0 || now - lastList >= list) {
      reader.List();
      lastList = now;
    }
    reader.Classes();
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) return 0;  // the bridge has gone
    ::Sleep(period);
  }
}
