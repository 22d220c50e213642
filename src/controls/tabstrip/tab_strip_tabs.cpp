// Switching tabs (with the contained controls), inserting and removing tabs, placing controls on
// a tab, the tab pictures, and the small utilities the control offers its host.
#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_error.h"

namespace kestrune::tabstrip {

void TabStrip::SetActiveTab(int tab) {
  Guarded("ActiveTab", [&] {
    const int x = model_.ValidIndex(tab) ? tab : 0;
    if (x == model_.activeTab) return;
    bool cancel = false;
    Events().BeforeTabSwitch(x, cancel);
    if (cancel) return;
    ShiftTabControls(x);
    model_.lastActiveTab = model_.activeTab;
    model_.activeTab = x;
    hoverTab_ = x;
    // Drawn here as well as by Refresh: while input holds the redraw guard, this is the only
    // drawing the switch gets.
    DrawPage();
    DrawTabs();
    Notify("ActiveTab");
    Refresh();
    Present();
    host_.RaiseAccessibleEvent(AccessibleEvent::kSelection, x + 1);
    if (isFocused_) host_.RaiseAccessibleEvent(AccessibleEvent::kFocus, x + 1);
    Events().TabSwitch(model_.lastActiveTab);
  });
}

void TabStrip::ShiftTabControls(int newTab) {
  const long long distance = static_cast<long long>(newTab - model_.activeTab) * model_.parkOffset;
  for (ContainedControl* control : host_.ContainedControls()) {
    host_.ProcessPendingMessages();
    try {
      control->SetLeft(static_cast<int>(control->Left() + distance));
    } catch (...) {
      // A control that refuses to move stays where it is; the others still move.
    }
  }
}

void TabStrip::InsertTab(int index, std::wstring_view caption) {
  Guarded("InsertTab", [&] {
    // Checked before anything changes, so a bad index neither grows the strip nor leaves the
    // window's drawing locked.
    if (index < -1 || index > model_.tabCount - 1) Raise(errnum::kSubscriptOutOfRange);
    platform_.LockWindowUpdate(hWnd());
    AtExit unlock([&] { platform_.LockWindowUpdate(0); });
    const int remembered = model_.activeTab;
    SetActiveTab(0);
    for (ContainedControl* control : host_.ContainedControls()) {
      if (model_.TabOfControl(control->Left()) <= index) continue;
      try {
        control->SetLeft(control->Left() - model_.parkOffset);
      } catch (...) {
      }
    }
    SetTabCount(model_.tabCount + 1);
    // Only the captions (and with them the access keys) move; flags and pictures stay in place.
    for (int i = model_.tabCount - 1; i >= index + 2; --i) SetTabCaption(i, TabCaption(i - 1));
    SetTabCaption(index + 1, caption);
    SetActiveTab(remembered > index + 1 ? remembered + 1 : remembered);
  });
  int raised = index;
  Guarded("InsertTab", [&] { Events().TabInsert(raised); });
}

void TabStrip::RemoveTab(int index) {
  if (model_.tabCount == 1) return;
  Guarded("RemoveTab", [&] {
    // Without this check a missing index would silently drop the last tab.
    CheckIndex(index);
    platform_.LockWindowUpdate(hWnd());
    AtExit unlock([&] { platform_.LockWindowUpdate(0); });
    const int remembered = model_.activeTab;
    SetActiveTab(0);
    for (ContainedControl* control : host_.ContainedControls()) {
      const int tab = model_.TabOfControl(control->Left());
      try {
        // The removed tab's controls are parked to the right, where no later switch shows them.
        if (tab == index) control->SetLeft(control->Left() + model_.tabCount * model_.parkOffset);
        else if (tab > index) control->SetLeft(control->Left() + model_.parkOffset);
      } catch (...) {
      }
    }
    for (int i = index + 1; i <= model_.tabCount - 1; ++i) SetTabCaption(i - 1, TabCaption(i));
    SetTabCount(model_.tabCount - 1);
    int next;
    if (remembered == index) next = index == model_.tabCount - 1 ? remembered - 1 : remembered + 1;
    else next = remembered - 1;
    SetActiveTab(next);
  });
  int raised = index;
  Guarded("RemoveTab", [&] { Events().TabRemove(raised); });
}

void TabStrip::AddControl(PlaceableControl* control, std::int64_t window, int left, int top, int width, int height,
                          int tab) {
  // This utility reports nothing to its caller; each failing step is skipped.
  auto attempt = [](auto&& step) {
    try {
      step();
    } catch (...) {
    }
  };
  attempt([&] {
    if (tab != -1 && tab != model_.activeTab) SetActiveTab(tab);
  });
  if (window != -1 && control == nullptr) {
    const auto handle = static_cast<WindowHandle>(window);
    attempt([&] { platform_.SetParent(handle, hWnd()); });
    attempt([&] { platform_.SetWindowPos(handle, left, top, width, height, 0x40); });
    return;
  }
  if (control == nullptr) return;
  attempt([&] { platform_.SetParent(control->Window(), hWnd()); });
  if (left != -1) attempt([&] { control->SetLeft(left); });
  if (top != -1) attempt([&] { control->SetTop(top); });
  if (width != -1) attempt([&] { control->SetWidth(width); });
  if (height != -1) attempt([&] { control->SetHeight(height); });
  attempt([&] { control->SetVisible(true); });
}

void TabStrip::CopyTabImagesFromImageList(const std::vector<Picture>& images) {
  try {
    for (int i = 0; i < model_.tabCount; ++i) {
      Picture& target = model_.Tab(i).picture;
      if (static_cast<std::size_t>(i) >= images.size()) {
        target = Picture{};
        break;
      }
      target = images[static_cast<std::size_t>(i)];
    }
    Refresh();
  } catch (...) {
  }
}

void TabStrip::RemoveTabImages(int index, bool removeAll) {
  try {
    if (index == -1 && removeAll) {
      for (TabRecord& tab : model_.tabs) tab.picture = Picture{};
    } else {
      if (!model_.ValidIndex(index)) return;
      model_.Tab(index).picture = Picture{};
    }
    Refresh();
  } catch (...) {
  }
}

std::wstring TabStrip::VersionText() const {
  return std::to_wstring(1) + L"." + std::to_wstring(0) + L"." + std::to_wstring(85);
}

std::wstring TabStrip::ShowFileOpenDialog(WindowHandle owner, std::wstring_view initialDirectory,
                                          std::wstring_view filter) {
  try {
    OpenFileRequest request;
    request.owner = owner;
    request.title = L"Open File";
    request.initialDirectory = initialDirectory;
    request.maxPathLength = 255;
    if (filter.empty()) {
      request.filters.emplace_back(L"All Files (*.*)", L"*.*");
    } else {
      std::vector<std::wstring> fields;
      std::size_t start = 0;
      while (true) {
        const auto bar = filter.find(L'|', start);
        fields.emplace_back(filter.substr(start, bar == std::wstring_view::npos ? bar : bar - start));
        if (bar == std::wstring_view::npos) break;
        start = bar + 1;
      }
      for (std::size_t i = 0; i < fields.size(); i += 2)
        request.filters.emplace_back(fields[i], i + 1 < fields.size() ? fields[i + 1] : L"");
    }
    return platform_.ShowOpenFileDialog(request);
  } catch (...) {
    return {};
  }
}

}  // namespace kestrune::tabstrip
