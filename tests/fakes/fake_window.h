#pragma once
// The main window, its tray icon, its tab strip and the quick reaction's watch, recorded as an
// ordered call log.
#include <cstdint>
#include <string>
#include <vector>

#include "app/quick_reaction.h"
#include "app/ui.h"

namespace kestrune::testing {

using CallLog = std::vector<std::string>;

class FakeMainWindow : public MainWindowOps {
 public:
  explicit FakeMainWindow(CallLog& log) : log_(log) {}
  void SetTopmost(bool topmost) override {
    log_.push_back(topmost ? "topmost" : "notopmost");
    topmostCalls.push_back(topmost);
  }
  void StartDrag() override { log_.push_back("drag"); }
  bool IsVisible() const override { return visible; }
  void Show() override {
    log_.push_back("show");
    visible = true;
  }
  void Hide() override {
    log_.push_back("hide");
    visible = false;
  }
  void Restore() override { log_.push_back("restore"); }
  void OpenUrl(std::wstring_view url) override {
    log_.push_back("open");
    lastUrl = url;
  }
  void BringToForeground() override { log_.push_back("foreground"); }
  void ShowTrayMenu() override { log_.push_back("menu"); }
  void RequestClose() override { log_.push_back("close"); }
  void AcceptTrayNotifications() override { log_.push_back("accept tray"); }
  void AcceptTaskbarCreated() override { log_.push_back("accept taskbar"); }
  bool visible = true;
  std::wstring lastUrl;
  std::vector<bool> topmostCalls;

 private:
  CallLog& log_;
};

class FakeTray : public TrayIcon {
 public:
  explicit FakeTray(CallLog& log) : log_(log) {}
  bool Add() override {
    log_.push_back("tray+");
    return true;
  }
  bool Delete() override {
    log_.push_back("tray-");
    return true;
  }

 private:
  CallLog& log_;
};

class FakeTabPages : public TabPages {
 public:
  explicit FakeTabPages(CallLog& log) : log_(log) {}
  void CopyTabImages() override { log_.push_back("tab-images"); }
  void SetTabCaption(int index, std::wstring_view caption) override {
    if (captions.size() <= static_cast<std::size_t>(index)) captions.resize(static_cast<std::size_t>(index) + 1);
    captions[static_cast<std::size_t>(index)] = caption;
  }
  void SetActiveTab(int index) override {
    log_.push_back("tab-active");
    active = index;
  }
  void SetActiveTabHeight(int h) override { height = h; }
  std::vector<std::wstring> captions;
  int active = -1;
  int height = 0;

 private:
  CallLog& log_;
};

// The quick reaction's hook and timer: counts what is held, and can refuse either.
class FakeForegroundWatch : public ForegroundWatch {
 public:
  bool StartHook() override { return Acquire(hooks, refuseHook); }
  void StopHook() override { Release(hooks); }
  bool StartTimer() override { return Acquire(timers, refuseTimer); }
  void StopTimer() override { Release(timers); }
  bool SystemDeliversForeground() const override { return delivers; }
  int hooks = 0, timers = 0;  // held now
  bool delivers = false;
  int starts = 0, badStops = 0;
  bool refuseHook = false, refuseTimer = false;

 private:
  bool Acquire(int& held, bool refuse) {
    ++starts;
    if (refuse) return false;
    ++held;
    return true;
  }
  void Release(int& held) {
    if (held == 0) ++badStops;
    else --held;
  }
};

}  // namespace kestrune::testing
