#pragma once
// A scripted desktop: windows owned by processes, each with a title and a priority class.
// Counts every call, tracks open handles, and refuses opens for protected processes.
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/processes.h"

namespace kestrune::testing {

class FakeProcessApi : public ProcessApi {
 public:
  struct Process {
    std::uint32_t priorityClass = priority::kNormal;
    bool protectedFromSet = false;  // opening with set rights fails
    bool hidden = false;            // every open fails
    std::wstring path = L"C:\\Apps\\app.exe";
    std::uint64_t started = 1;      // a new process under a reused id gets another value
    ProcessId parent = 0;           // the process that started it
  };

  void AddProcess(ProcessId id) { processes[id] = Process{}; }
  void AddProcess(ProcessId id, Process process) { processes[id] = process; }
  void AddWindow(WindowHandle window, ProcessId owner, std::wstring title) {
    Window w;
    w.owner = owner;
    w.title = std::move(title);
    windows[window] = w;
  }
  // A child window of another window, with its class (a store app's core window in its frame).
  void AddChild(WindowHandle child, WindowHandle parent, ProcessId owner, std::string className) {
    AddWindow(child, owner, L"");
    windows[child].parent = parent;
    windows[child].className = std::move(className);
  }

  WindowHandle ForegroundWindow() override {
    ++foregroundQueries;
    return failForeground ? 0 : foreground;
  }
  std::wstring WindowTitle(WindowHandle window) override {
    ++titleReads;
    if (failTitle) return std::wstring();
    auto it = windows.find(window);
    return it == windows.end() ? std::wstring() : it->second.title;
  }
  ProcessId WindowProcess(WindowHandle window) override {
    if (failWindowProcess) return 0;
    auto it = windows.find(window);
    return it == windows.end() ? 0 : it->second.owner;
  }
  ProcessId CurrentProcess() override { return self; }
  Handle OpenProcess(std::uint32_t rights, ProcessId id) override {
    ++opens;
    auto it = processes.find(id);
    if (it == processes.end() || it->second.hidden || (rights & refuseRights) != 0) return 0;
    if ((rights & access::kSetInformation) != 0 && it->second.protectedFromSet) return 0;
    const Handle h = nextHandle++;
    open[h] = {id, rights};
    return h;
  }
  bool SetPriorityClass(Handle h, std::uint32_t cls) override {
    ++sets;
    auto it = open.find(h);
    if (failSetPriority || it == open.end() || (it->second.rights & access::kSetInformation) == 0) return false;
    if (onSet) onSet(it->second.id, cls);
    // Windows without the right to the real-time class gives the high class and says it succeeded.
    processes[it->second.id].priorityClass = realtimeGivesHigh && cls == priority::kRealtime ? priority::kHigh : cls;
    return true;
  }
  std::uint32_t GetPriorityClass(Handle h) override {
    auto it = open.find(h);
    return failGetPriority || it == open.end() ? 0 : processes[it->second.id].priorityClass;
  }
  void CloseHandle(Handle h) override {
    ++closes;
    const auto it = open.find(h);
    const ProcessId id = it == open.end() ? 0 : it->second.id;
    if (id == 0) ++badCloses;
    if (open.erase(h) != 0 && onClose) onClose(id);
  }

  std::string WindowClassName(WindowHandle window) override {
    auto it = windows.find(window);
    return it == windows.end() ? std::string() : it->second.className;
  }
  WindowHandle ChildWindowOfClass(WindowHandle parent, std::string_view className) override {
    for (const auto& [handle, w] : windows)
      if (parent != 0 && w.parent == parent && w.className == className) return handle;
    return 0;
  }
  std::wstring ExecutablePath(Handle h) override {
    ++pathReads;
    auto it = open.find(h);
    return it == open.end() ? std::wstring() : processes[it->second.id].path;
  }
  std::uint64_t StartTime(Handle h) override {
    auto it = open.find(h);
    return it == open.end() ? 0 : processes[it->second.id].started;
  }

  bool ReadThrottling(Handle h, Throttling& state) override {
    auto it = open.find(h);
    if (it == open.end() || throttling.count(it->second.id) == 0) return false;
    state = throttling[it->second.id];
    return true;
  }
  bool WriteThrottling(Handle h, const Throttling& state) override {
    auto it = open.find(h);
    if (it == open.end() || throttling.count(it->second.id) == 0 || (it->second.rights & access::kSetInformation) == 0)
      return false;
    throttling[it->second.id] = state;
    return true;
  }

  std::uint32_t ClassOf(ProcessId id) const { return processes.at(id).priorityClass; }

  struct Window {
    ProcessId owner = 0;
    std::wstring title;
    std::string className = "Window";
    WindowHandle parent = 0;
  };
  struct OpenHandle {
    ProcessId id;
    std::uint32_t rights;
  };
  std::map<ProcessId, Process> processes;
  std::map<WindowHandle, Window> windows;
  // The processes whose power throttling this system can read and write (Windows 11), with their state.
  std::map<ProcessId, Throttling> throttling;
  std::map<Handle, OpenHandle> open;
  WindowHandle foreground = 0;
  ProcessId self = 1;
  Handle nextHandle = 0x100;
  // Failures on demand, each as the platform reports it.
  bool failForeground = false;        // no foreground window (0)
  bool failTitle = false;             // the title reads as empty
  bool failWindowProcess = false;     // the owner of a window reads as process 0
  std::uint32_t refuseRights = 0;     // an open asking for any of these rights fails, whatever the process
  bool failSetPriority = false;       // the class is not changed
  bool failGetPriority = false;       // the class reads as 0
  bool realtimeGivesHigh = false;     // a standard user's Windows: real-time is answered with high
  std::function<void(ProcessId, std::uint32_t)> onSet;  // called as a class is about to change
  std::function<void(ProcessId)> onClose;               // called once a handle to the process is closed
  int foregroundQueries = 0, titleReads = 0, opens = 0, sets = 0, closes = 0, badCloses = 0, pathReads = 0;
};

}  // namespace kestrune::testing
