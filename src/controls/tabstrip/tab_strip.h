#pragma once
// TabStrip: an owner-drawn strip of tabs that is also a container. Contained controls carry no
// tab number: a control belongs to a tab by how far its Left is parked from the page
// (see ShiftTabControls). Drawing goes to the control's retained Surface.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/tabstrip/message_hook.h"
#include "controls/tabstrip/tab_colors.h"
#include "controls/tabstrip/tab_strip_events.h"
#include "controls/tabstrip/tab_strip_platform.h"
#include "platform/color.h"
#include "platform/control_host.h"
#include "platform/font.h"
#include "platform/own_control.h"
#include "platform/picture.h"
#include "platform/surface.h"
#include "platform/types.h"

namespace kestrune::tabstrip {

enum TabStyle : std::int32_t { kTabbedDialog = 0, kPropertyPages = 1 };
enum PictureAlign : std::int32_t {
  kPicTabLeft = 0,
  kPicTabRight = 1,
  kPicCaptionLeft = 2,
  kPicCaptionRight = 3,
};
enum PictureSize : std::int32_t { kPicSmall = 0, kPicLarge = 1 };

struct TabRecord {
  Rect ControlBoxRect{};
  std::wstring Caption;
  Rect TabRect{};
  bool Enabled = true;
  std::int32_t AccessKey = 0;
  Picture TabPicture{};
  friend bool operator==(const TabRecord&, const TabRecord&) = default;
};

// Access character of a caption: the upper-cased character after the last single "&" ("&&" is a
// literal ampersand); 0 when there is none, also when the "&" is the caption's last character.
std::int32_t AccessKeyOf(std::wstring_view caption);
// The caption as measured for the text-width layouts: "&&" reduced to "&", and, when an "&"
// remains, the last character dropped (the mark does not take up room when drawn).
std::wstring MeasuredCaption(std::wstring_view caption);

class TabStrip : public OwnControl {
 public:
  static constexpr int kHoverTimerId = 0;

  TabStrip(ControlHost& host, Surface& surface, const SystemColors& systemColors,
           TabStripPlatform& platform, TabStripEvents* events = nullptr);

  // --- OwnControl ---------------------------------------------------------------------------
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
  // Screen readers (and WM_GETTEXT) read the strip as its active tab's caption.
  std::wstring Text() const override {
    return activeTab_ >= 0 && activeTab_ < static_cast<int>(tabs_.size()) ? tabs_[static_cast<std::size_t>(activeTab_)].Caption
                                                                           : std::wstring();
  }
  void OnLostFocus() override;
  bool WantsArrowKeys() const override { return true; }
  void OnTimer(int timerId) override;
  void OnRawMessage(bool before, const RawMessage& message) override;

  // --- Properties ---------------------------------------------------------------------------
  int ActiveTab() const { return activeTab_; }
  void SetActiveTab(int tab);
  int LastActiveTab() const { return lastActiveTab_; }
  int TabCount() const { return tabCount_; }
  void SetTabCount(int count);

  OleColor ActiveTabBackEndColor() const { return activeTabBackEndColor_; }
  void SetActiveTabBackEndColor(OleColor c);
  OleColor ActiveTabBackStartColor() const { return activeTabBackStartColor_; }
  void SetActiveTabBackStartColor(OleColor c);
  OleColor ActiveTabForeColor() const { return activeTabForeColor_; }
  void SetActiveTabForeColor(OleColor c);
  int ActiveTabHeight() const { return activeTabHeight_; }
  void SetActiveTabHeight(int h);
  OleColor BottomRightInnerBorderColor() const { return bottomRightInnerBorderColor_; }
  void SetBottomRightInnerBorderColor(OleColor c);
  OleColor DisabledTabBackColor() const { return disabledTabBackColor_; }
  void SetDisabledTabBackColor(OleColor c);
  OleColor DisabledTabForeColor() const { return disabledTabForeColor_; }
  void SetDisabledTabForeColor(OleColor c);
  OleColor FocusedColor() const { return focusedColor_; }
  void SetFocusedColor(OleColor c);
  OleColor HoverColor() const { return hoverColor_; }
  void SetHoverColor(OleColor c);
  OleColor InActiveTabBackEndColor() const { return inActiveTabBackEndColor_; }
  void SetInActiveTabBackEndColor(OleColor c);
  OleColor InActiveTabBackStartColor() const { return inActiveTabBackStartColor_; }
  void SetInActiveTabBackStartColor(OleColor c);
  OleColor InActiveTabForeColor() const { return inActiveTabForeColor_; }
  void SetInActiveTabForeColor(OleColor c);
  int InActiveTabHeight() const { return inActiveTabHeight_; }
  void SetInActiveTabHeight(int h);
  OleColor OuterBorderColor() const { return outerBorderColor_; }
  void SetOuterBorderColor(OleColor c);
  OleColor TabStripBackColor() const { return tabStripBackColor_; }
  void SetTabStripBackColor(OleColor c);
  OleColor TopLeftInnerBorderColor() const { return topLeftInnerBorderColor_; }
  void SetTopLeftInnerBorderColor(OleColor c);
  const Font& ActiveTabFont() const { return activeTabFont_; }
  void SetActiveTabFont(const Font& f);
  const Font& InActiveTabFont() const { return inActiveTabFont_; }
  void SetInActiveTabFont(const Font& f);
  int PictureAlign() const { return pictureAlign_; }
  void SetPictureAlign(int v);
  int PictureSize() const { return pictureSize_; }
  void SetPictureSize(int v);
  int TabStyle() const { return tabStyle_; }
  void SetTabStyle(int v);
  int TabTheme() const { return tabTheme_; }
  void SetTabTheme(int v);
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool v);
  bool UseControlBox() const { return useControlBox_; }
  void SetUseControlBox(bool v);
  bool UseFocusedColor() const { return useFocusedColor_; }
  void SetUseFocusedColor(bool v);
  bool UseMaskColor() const { return useMaskColor_; }
  void SetUseMaskColor(bool v);
  bool UseMouseWheelScroll() const { return useMouseWheelScroll_; }
  void SetUseMouseWheelScroll(bool v);
  bool UseThemeDetection() const { return useThemeDetection_; }
  void SetUseThemeDetection(bool v);
  int XRadius() const { return xRadius_; }
  void SetXRadius(int v);
  int YRadius() const { return yRadius_; }
  void SetYRadius(int v);

  // Properties of the control's own surface (window).
  OleColor BackColor() const { return backColor_; }
  void SetBackColor(OleColor c);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  OleColor ForeColor() const { return foreColor_; }
  void SetForeColor(OleColor c);
  OleColor PictureMaskColor() const { return pictureMaskColor_; }
  void SetPictureMaskColor(OleColor c);
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
  // A copy of one tab record; assigning replaces it whole.
  TabRecord AryTabs(int index) const;
  void SetAryTabs(int index, const TabRecord& record);

  // --- Methods ------------------------------------------------------------------------------
  void InsertTab(int index, std::wstring_view caption);
  void RemoveTab(int index);
  // -1 in any of the last six arguments means "not given".
  void AddControl(PlaceableControl* control, std::int64_t window, int left, int top, int width,
                  int height, int tab);
  // images[k] is picture k + 1 of the image list.
  void CopyTabImagesFromImageList(const std::vector<Picture>& images);
  void RemoveTabImages(int index, bool removeAll);
  void Refresh();
  std::wstring Version(int unused = 0) const;
  std::wstring ShowFileOpenDialog(WindowHandle owner, std::wstring_view initialDirectory,
                                  std::wstring_view filter);
  void ShiftTabControls(int newTab);
  void Teardown();

  // Colours and themes.
  Rgb GetRGBFromOLE(OleColor color) const;
  bool IsWinXP() const;
  std::wstring GetThemeInfo() const;
  void ResetColorsToDefault();
  void ResetAllColors();

  // Drawing (public so a host can draw parts on demand).
  void pDrawMe();
  void DrawBackground();
  void DrawBackgroundTabbedDialog();
  void DrawBackgroundPropertyPages();
  void DrawTabs();
  void DrawTabsTabbedDialog();
  void DrawTabsPropertyPages();
  void Cls();
  void APILine(int x1, int y1, int x2, int y2, OleColor color);
  void APIRectangle(int x, int y, int width, int height, OleColor color);
  void APIFillRectByCoords(int x, int y, int width, int height, OleColor color);
  void pFillCurvedGradientR(const Rect& r, OleColor start, OleColor end, int radius, bool left,
                            bool right);
  void pFillCurvedSolidR(const Rect& r, OleColor color, int radius, bool left, bool right);
  void DrawControlBox(int state, int index);
  void ShowHideFocus();
  void pShowHideFocus();
  void pDrawOverXOred();
  void pDrawOnMouseOverTabbed();
  void pDrawOnMouseOverProperty();
  void TimerEvent();
  // The reactions to the hooked messages of the strip's window and of its form.
  void SubclassProc(bool before, const RawMessage& message);
  void InstallHooks();
  const MessageHookTable& Hooks() const { return hooks_; }
  void ScrollTabs(int direction);

  // Read-only views of the state, for hosts and tests.
  bool IsFocused() const { return isFocused_; }
  bool HoverDrawn() const { return hoverDrawn_; }
  int HoverTab() const { return hoverTab_; }
  void SetHoverTab(int tab) { hoverTab_ = tab; }
  const Rect& HoverRect() const { return hoverRect_; }
  int ParkOffset() const { return parkOffset_; }
  bool InitCompleted() const { return initCompleted_; }
  int IconSize() const { return iconSize_; }

 private:
  struct DrawCache {
    int activeTab = 0, activeTabHeight = 0, inActiveTabHeight = 0, width = 0, height = 0;
    int tabCount = 0;
    bool isFocused = false;
    OleColor outerBorder = 0, activeFore = 0, activeStart = 0, activeEnd = 0, inActiveFore = 0,
             inActiveStart = 0, inActiveEnd = 0, hover = 0, disabledBack = 0, disabledFore = 0;
  };
  enum class Renderer { T1, T2, T3, T4, T5, T6, T7 };

  // Store a persisted value, then redraw and notify as its setter does.
  template <typename T>
  void StoreProperty(const char* name, T& field, const T& value, bool redraw = true);
  void Notify(const char* key) { host_.PropertyChanged(key); }

  void pHandleTabCount();
  void pAssignAccessKeys();
  void pComputeParkOffset();
  void ApplyThemeColors();
  int TabOfControl(int left) const;
  void CheckIndex(int index) const;
  void pSwitchTo(int tab);

  // Rendering helpers.
  void pGetCachedProperties();
  int StripHeight() const;
  void pLayoutTabs(Renderer renderer);
  void DrawTabFace(Renderer renderer, int i);
  void DrawTabLines(Renderer renderer, int i);
  void DrawTabContent(Renderer renderer, int i);
  Rect FocusRectOf(Renderer renderer, int i, const Rect& caption);
  Rect CaptionRect(Renderer renderer, int i, int* pictureX, int* pictureY, int* pictureEdge);
  void pPaintPicture(const Picture& picture, int left, int top, int width, int height);
  void SetSurfaceBackColor(OleColor c);
  void DrawFrame(int style);
  Renderer TabRenderer() const;
  void pFillCurvedGradient(int left, int top, int right, int bottom, OleColor start, OleColor end,
                           int radius, bool leftFlag, bool rightFlag);
  void pFillCurvedSolid(int left, int top, int right, int bottom, OleColor color, int radius,
                        bool leftFlag, bool rightFlag);

  // Overlay helpers.
  void pDrawOverXOredTabbed();
  void pDrawOverXOredProperty();
  void DrawOneControlBox(const Rect& box, OleColor start, OleColor end);
  void ShowHideFocusForm(const char* op);
  void HoverCornerPixels(const Rect& hover, OleColor highlight, int corner);

  // Interaction helpers.
  void pHandleMouseDown(float x, float y);
  void pHandleMouseMove(float x, float y);
  void HookMouseMove();
  void HookControlBoxPress(bool press);
  void ControlBoxTrack(int tab);
  void SetHoverTimer(unsigned intervalMs);

  ControlHost& host_;
  Surface& surface_;
  const SystemColors& systemColors_;
  TabStripPlatform& platform_;
  TabStripEvents* events_;
  TabStripEvents noEvents_;
  TabStripEvents& Events() { return events_ ? *events_ : noEvents_; }

  std::vector<TabRecord> tabs_;
  bool initCompleted_ = false;
  bool switchCancel_ = false;
  bool backgroundPass_ = false;
  bool hoverDrawn_ = false;
  bool refreshing_ = false;
  bool showFocusRect_ = true;
  bool useControlBox_ = false;
  bool useFocusedColor_ = true;
  bool useMaskColor_ = true;
  bool useMouseWheelScroll_ = true;
  bool useThemeDetection_ = false;
  int pictureAlign_ = 0;
  int pictureSize_ = 0;
  int tabStyle_ = 0;
  int tabTheme_ = 0;
  bool isFocused_ = false;
  int activeTab_ = 0;
  OleColor activeTabBackEndColor_ = 0x8000000F;
  OleColor activeTabBackStartColor_ = 0x8000000F;
  OleColor activeTabForeColor_ = 0x80000012;
  int activeTabHeight_ = 20;
  OleColor bottomRightInnerBorderColor_ = 0x80000010;
  OleColor disabledTabBackColor_ = 0x80000010;
  OleColor disabledTabForeColor_ = 0x80000014;
  OleColor focusedColor_ = 0xEE8269;
  std::uint32_t hdc_ = 0;
  OleColor hoverColor_ = 0x3BC7FF;
  WindowHandle hwnd_ = 0;
  int iconSize_ = 16;
  OleColor inActiveTabBackEndColor_ = 0x8000000F;
  OleColor inActiveTabBackStartColor_ = 0x8000000F;
  OleColor inActiveTabForeColor_ = 0x80000012;
  int inActiveTabHeight_ = 22;
  int lastActiveTab_ = 0;
  int hoverTab_ = 0;
  int parkOffset_ = 10000;
  OleColor outerBorderColor_ = 0x80000015;
  int tabCount_ = 3;
  OleColor tabStripBackColor_ = 0x8000000F;
  OleColor topLeftInnerBorderColor_ = 0x80000014;
  int xRadius_ = 10;
  int yRadius_ = 10;
  Font activeTabFont_{};
  Font inActiveTabFont_{};
  Point cursorPos_{};
  DrawCache cache_{};
  Rect hoverRect_{};
  bool mouseInside_ = false;
  bool inControlBox_ = false;
  bool moving_ = false;
  // The binding reports only whether a raw message came from the strip's own window or from the
  // form, so the hook table keys the two windows by those roles.
  static constexpr WindowHandle kOwnWindowKey = 1;
  static constexpr WindowHandle kFormWindowKey = 2;
  MessageHookTable hooks_;

  // The surface's own properties.
  OleColor backColor_ = 0x8000000F;
  bool enabled_ = true;
  OleColor foreColor_ = 0;
  OleColor pictureMaskColor_ = 0xC0C0C0;
  Rgb penColor_ = 0;          // current pen and text colour of the surface
  Rgb fillColor_ = 0;         // current fill colour
  bool fillSolid_ = false;    // fill style solid (true) or transparent
  std::wstring accessKeys_;   // the surface's access-key list
};

}  // namespace kestrune::tabstrip
