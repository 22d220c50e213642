#pragma once
// A scripted desktop: windows owned by processes, each with a title and a priority class.
// Counts every call, tracks open handles, and refuses opens for protected processes.
#include <cstdint>
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
  };

  void AddProcess(ProcessId id) { processes[id] = Process{}; }
  void AddProcess(ProcessId id, Process process) { processes[id] = process; }
  void AddWindow(WindowHandle window, ProcessId owner, std::string title) { windows[window] = {owner, std::move(title)}; }

  WindowHandle ForegroundWindow() override {
    ++foregroundQueries;
    return failForeground ? 0 : foreground;
  }
  std::string WindowTitleAnsi(WindowHandle window) override {
    ++titleReads;
    if (failTitle) return std::string();
    auto it = windows.find(window);
    return it == windows.end() ? std::string() : it->second.title;
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
    processes[it->second.id].priorityClass = cls;
    return true;
  }
  std::uint32_t GetPriorityClass(Handle h) override {
    auto it = open.find(h);
    return failGetPriority || it == open.end() ? 0 : processes[it->second.id].priorityClass;
  }
  void CloseHandle(Handle h) override {
    ++closes;
    if (open.erase(h) == 0) ++badCloses;
  }

  std::uint32_t ClassOf(ProcessId id) const { return processes.at(id).priorityClass; }

  struct Window {
    ProcessId owner;
    std::string title;
  };
  struct OpenHandle {
    ProcessId id;
    std::uint32_t rights;
  };
  std::map<ProcessId, Process> processes;
  std::map<WindowHandle, Window> windows;
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
  int foregroundQueries = 0, titleReads = 0, opens = 0, sets = 0, closes = 0, badCloses = 0;
};

}  // namespace kestrune::testing
