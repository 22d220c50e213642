#pragma once
// TabStrip: an owner-drawn strip of tabs that is also a container. This class ties the pieces
// together as the host sees them: the model (tab_strip_model.h) holds the tabs and properties,
// the layout (tab_layout.h) places them, the painters (painters/) draw them, and the control
// reacts to input and tells the host what changed.
//
// Contained controls carry no tab number: a control belongs to a tab by how far its Left is
// parked from the page (see TabStripModel::TabOfControl).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/tabstrip/painters/tab_canvas.h"
#include "controls/tabstrip/tab_colors.h"
#include "controls/tabstrip/tab_layout.h"
#include "controls/tabstrip/tab_strip_events.h"
#include "controls/tabstrip/tab_strip_model.h"
#include "controls/tabstrip/tab_strip_platform.h"
#include "platform/control_host.h"
#include "platform/own_control.h"
#include "platform/surface.h"

namespace kestrune::tabstrip {

struct PaintContext;

class TabStrip : public OwnControl {
 public:
  static constexpr int kHoverTimerId = 0;

  TabStrip(ControlHost& host, Surface& surface, const SystemColors& systemColors, TabStripPlatform& platform,
           TabStripEvents* events = nullptr);

  // --- OwnControl (tab_strip.cpp, tab_strip_input.cpp) ----------------------------------------
  void InitNew() override;
  void Load(const PropertyBag& bag) override;
  void Save(PropertyBag& bag) override;
  void Redraw() override { Refresh(); }
  void OnPaint() override { Refresh(); }
  void OnShow() override { Refresh(); }
  void OnResize(int width, int height) override;
  void OnDestroy() override { Teardown(); }
  void OnMouseDown(int button, int shift, float x, float y) override;
  void OnMouseMove(int button, int shift, float x, float y) override;
  void OnMouseUp(int button, int shift, float x, float y) override;
  void OnClick() override;
  void OnDblClick() override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyUp(int keyCode, int shift) override;
  void OnKeyPress(int charCode) override;
  void OnAccessKeyPress(wchar_t key) override;
  void OnGotFocus() override;
  void OnLostFocus() override;
  // Whether the host shows focus marks may have changed: the mark follows with a full redraw.
  void OnAmbientChanged() override { Refresh(); }
  // Screen readers (and the window's text) read the strip as its active tab's caption.
  std::wstring Text() const override;
  // A page-tab list of page tabs; the default action of a tab selects it as its access key does.
  std::optional<AccessibleDescription> Describe() const override;
  void DoDefaultAction(long child) override;
  bool WantsArrowKeys() const override { return true; }
  void OnTimer(int timerId) override;
  // Heard only once loaded at run time (tab_strip_hook.cpp).
  void OnMouseWheel(int delta, int shift) override;
  void OnMouseLeave() override;
  void OnMouseReleased(int button) override;
  void OnHostActivated() override;
  void OnHostColorsChanged() override;

  // --- Properties (tab_strip.cpp) ---------------------------------------------------------------
  // Any persisted property by its key (the table in tab_strip_persistence.cpp), T being its
  // member's type (OleColor for a colour, std::int32_t, bool, Font). Set is for the plain ones: it
  // stores, redraws unless the table says not to, and tells the host. The others have setters of
  // their own below, because setting them does more.
  template <typename T>
  void Set(std::string_view key, const T& value);
  template <typename T>
  T Get(std::string_view key) const;

  int ActiveTab() const { return model_.activeTab; }
  // The switch sequence: BeforeTabSwitch (which may veto), the contained controls move, TabSwitch.
  void SetActiveTab(int tab);
  // The next (forward) or previous enabled tab, wrapping, as Ctrl+Page Down and Ctrl+Page Up select
  // it; the host's Ctrl+Tab and Ctrl+Shift+Tab. Raises no key event.
  void SelectNeighbourTab(bool forward);
  int LastActiveTab() const { return model_.lastActiveTab; }
  int TabCount() const { return model_.tabCount; }
  void SetTabCount(int count);

  // Also applies the theme's colour set.
  void SetTabTheme(int v);
  // On: the theme follows the platform's visual style.
  void SetUseThemeDetection(bool v);

  // Properties of the control's own surface (window).
  void SetBackColor(OleColor c);
  void SetEnabled(bool v);
  void SetForeColor(OleColor c);
  void SetFont(const Font& f);
  WindowHandle hWnd();
  std::uint32_t hDC();
  int ScaleWidth() const { return surface_.ScaleWidth(); }
  int ScaleHeight() const { return surface_.ScaleHeight(); }

  // Indexed properties.
  std::wstring TabCaption(int index) const;
  void SetTabCaption(int index, std::wstring_view caption);
  bool TabEnabled(int index) const;
  void SetTabEnabled(int index, bool enabled);
  const Picture& TabPicture(int index) const;
  void SetTabPicture(int index, const Picture& picture);
  // A copy of one tab record; setting replaces it whole.
  TabRecord Tab(int index) const;
  void SetTab(int index, const TabRecord& record);

  // --- Methods (tab_strip_tabs.cpp) -----------------------------------------------------------
  void InsertTab(int index, std::wstring_view caption);
  void RemoveTab(int index);
  // -1 in any of the last six arguments means "not given".
  void AddControl(PlaceableControl* control, std::int64_t window, int left, int top, int width, int height,
                  int tab);
  // images[k] is picture k + 1 of the image list.
  void CopyTabImagesFromImageList(const std::vector<Picture>& images);
  void RemoveTabImages(int index, bool removeAll);
  std::wstring VersionText() const;
  std::wstring ShowFileOpenDialog(WindowHandle owner, std::wstring_view initialDirectory, std::wstring_view filter);
  void ScrollTabs(int direction);
  // Back to tab 0, pictures released, nothing followed any more: what the window's end needs.
  void Teardown();

  // Redraws everything, unless a redraw is already under way; the first one at run time raises
  // AfterCompleteInit.
  void Refresh();

  // Colours and themes.
  Rgb ToRgb(OleColor color) const;
  bool IsWindowsXp() const;
  std::wstring VisualStyleName() const;
  void ApplyThemeColors();
  void ApplyThemeColorsAndRefresh();

  // Marks drawn over the finished strip (tab_strip_drawing.cpp). Each toggles: drawing it again
  // takes it away.
  void ToggleFocusMark();
  // The hover highlight on HoverTab(), which the hover timer then watches.
  void ShowHoverHighlight();
  void ToggleHoverHighlight();
  // state 0 normal, 1 hot, 2 pressed; index -1 draws every tab's box in the normal state.
  void DrawCloseBox(int state, int index);

  // Read-only views of the state, for hosts and tests.
  bool IsFocused() const { return isFocused_; }
  bool HoverDrawn() const { return hoverDrawn_; }
  int HoverTab() const { return hoverTab_; }
  void SetHoverTab(int tab) { hoverTab_ = tab; }
  const Rect& HoverRect() const { return hoverRect_; }
  int ParkOffset() const { return model_.parkOffset; }
  bool InitCompleted() const { return initCompleted_; }
  int IconSize() const;
  bool Watching() const { return watching_; }

 private:
  class SurfaceMeasure : public TextMeasure {
   public:
    explicit SurfaceMeasure(Surface& surface) : surface_(surface) {}
    int Width(const Font& font, std::wstring_view text) override;
    Rect Extent(const Font& font, std::wstring_view text, const Rect& rect, unsigned format) override;

   private:
    Surface& surface_;
  };

  void Notify(const char* key) { host_.PropertyChanged(key); }
  void TakeAmbient();
  void CheckIndex(int index) const;
  void FitTabsToCount();
  void SetSurfaceBackColor(OleColor c);
  void Present();
  void ShiftTabControls(int newTab);

  // The paint pipeline (tab_strip_drawing.cpp).
  void DrawWholeStrip();
  void DrawPage();
  void DrawTabs();
  PaintContext PaintPass(TabLook look);
  void UpdateFocusMark();

  // Interaction (tab_strip_input.cpp).
  void SelectTabAt(float x, float y);
  void StepTab(bool forward);
  // A switch the user asked for (access key, a reader's default action), under the redraw guard.
  void SwitchByUser(int tab);
  void HoverTabAt(float x, float y);
  void SetHoverTimer(unsigned intervalMs);
  void OnHoverTimer();
  void FollowPointer();
  void FollowCloseBoxButton(bool press);
  void TrackCloseBox(int tab);

  ControlHost& host_;
  Surface& surface_;
  const SystemColors& systemColors_;
  TabStripPlatform& platform_;
  TabStripEvents* events_;
  TabStripEvents noEvents_;
  TabStripEvents& Events() { return events_ ? *events_ : noEvents_; }

  TabStripModel model_;
  TabCanvas canvas_;
  SurfaceMeasure measure_;

  // Drawing and interaction state.
  bool initCompleted_ = false;
  bool backgroundPass_ = false;  // the rounded look has drawn its first tab pass
  bool refreshing_ = false;      // re-entrancy guard of Refresh, also held while input switches tabs
  bool hoverDrawn_ = false;      // a hover highlight is shown and the hover timer runs
  bool isFocused_ = false;
  int hoverTab_ = 0;             // the tab under the mouse, or the one with the focus mark
  Rect hoverRect_{};
  Point cursorPos_{};
  bool mouseInside_ = false;
  bool inControlBox_ = false;
  // Loaded at run time: the pointer's entering and leaving, the wheel, the close boxes and the host
  // form are followed, until the teardown.
  bool watching_ = false;
};

}  // namespace kestrune::tabstrip
