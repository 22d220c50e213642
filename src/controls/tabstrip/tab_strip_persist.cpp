// Reading and writing the persisted property set. Keys and their order are part of the saved
// forms' format: keep them as they are.
#include <string>

#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_error.h"

namespace kestrune::tabstrip {

namespace {

std::string IndexedKey(const char* name, int index) {
  return std::string(name) + std::to_string(index) + ")";
}

// Colours, numbers and enumerations are stored as 32-bit integers.
std::int32_t AsStored(OleColor c) { return static_cast<std::int32_t>(c); }
OleColor ReadColor(const PropertyBag& bag, const char* key, OleColor def) {
  return static_cast<OleColor>(bag.Read<std::int32_t>(key, AsStored(def)));
}
void WriteColor(PropertyBag& bag, const char* key, OleColor value, OleColor def) {
  bag.Write<std::int32_t>(key, AsStored(value), AsStored(def));
}

}  // namespace

void TabStrip::Load(const PropertyBag& bag) {
  Guarded("UserControl_ReadProperties", [&] {
    const Font ambientFont = host_.AmbientFont();
    // Stored directly: no setter runs, nothing is notified or drawn.
    activeTab_ = bag.Read<std::int32_t>("ActiveTab", 0);
    useControlBox_ = bag.Read<bool>("UseControlBox", false);
    showFocusRect_ = bag.Read<bool>("ShowFocusRect", true);
    useFocusedColor_ = bag.Read<bool>("UseFocusedColor", true);
    useMaskColor_ = bag.Read<bool>("UseMaskColor", true);
    useMouseWheelScroll_ = bag.Read<bool>("UseMouseWheelScroll", true);
    useThemeDetection_ = bag.Read<bool>("UseThemeDetection", false);
    pictureAlign_ = bag.Read<std::int32_t>("PictureAlign", 0);
    pictureSize_ = bag.Read<std::int32_t>("PictureSize", 0);
    tabStyle_ = bag.Read<std::int32_t>("TabStyle", 0);
    tabTheme_ = bag.Read<std::int32_t>("TabTheme", 0);
    activeTabBackEndColor_ = ReadColor(bag, "ActiveTabBackEndColor", 0x8000000F);
    activeTabBackStartColor_ = ReadColor(bag, "ActiveTabBackStartColor", 0x8000000F);
    activeTabForeColor_ = ReadColor(bag, "ActiveTabForeColor", 0x80000012);
    activeTabHeight_ = bag.Read<std::int32_t>("ActiveTabHeight", 20);
    bottomRightInnerBorderColor_ = ReadColor(bag, "BottomRightInnerBorderColor", 0x80000010);
    disabledTabBackColor_ = ReadColor(bag, "DisabledTabBackColor", 0x80000010);
    disabledTabForeColor_ = ReadColor(bag, "DisabledTabForeColor", 0x80000014);
    focusedColor_ = ReadColor(bag, "FocusedColor", 0xEE8269);
    hoverColor_ = ReadColor(bag, "HoverColor", 0x3BC7FF);
    inActiveTabBackEndColor_ = ReadColor(bag, "InActiveTabBackEndColor", 0x8000000F);
    inActiveTabBackStartColor_ = ReadColor(bag, "InActiveTabBackStartColor", 0x8000000F);
    inActiveTabForeColor_ = ReadColor(bag, "InActiveTabForeColor", 0x80000012);
    inActiveTabHeight_ = bag.Read<std::int32_t>("InActiveTabHeight", 22);
    outerBorderColor_ = ReadColor(bag, "OuterBorderColor", 0x80000015);
    const std::int32_t count = bag.Read<std::int32_t>("TabCount", 3);
    if (count <= 0) Raise(errnum::kInvalidPropertyValue);
    tabCount_ = count;
    tabStripBackColor_ = ReadColor(bag, "TabStripBackColor", host_.AmbientBackColor());
    topLeftInnerBorderColor_ = ReadColor(bag, "TopLeftInnerBorderColor", 0x80000014);
    xRadius_ = bag.Read<std::int32_t>("XRadius", 10);
    yRadius_ = bag.Read<std::int32_t>("YRadius", 10);
    activeTabFont_ = bag.Read<Font>("ActiveTabFont", ambientFont);
    inActiveTabFont_ = bag.Read<Font>("InActiveTabFont", ambientFont);
    backColor_ = ReadColor(bag, "BackColor", 0x8000000F);
    enabled_ = bag.Read<bool>("Enabled", true);
    host_.SetWindowEnabled(enabled_);
    foreColor_ = ReadColor(bag, "ForeColor", 0);
    penColor_ = GetRGBFromOLE(foreColor_);
    pictureMaskColor_ = ReadColor(bag, "PictureMaskColor", 0xC0C0C0);

    // A saved active tab outside the tabs would make every redraw fail; it selects tab 0, as
    // setting such a value does.
    if (activeTab_ < 0 || activeTab_ >= tabCount_) activeTab_ = 0;
    pComputeParkOffset();
    // The host restores contained controls where they were saved, so the distance is zero; the
    // pass still lets pending messages run once per control.
    ShiftTabControls(activeTab_);

    tabs_.assign(static_cast<std::size_t>(tabCount_), TabRecord{});
    for (int i = 0; i < tabCount_; ++i) {
      TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
      const std::wstring index = std::to_wstring(i);
      tab.Caption = bag.Read<std::wstring>(IndexedKey("TabCaption(", i), L"Tab" + index);
      tab.Enabled = bag.Read<bool>(IndexedKey("TabEnabled(", i), true);
      tab.AccessKey = bag.Read<std::int32_t>(IndexedKey("TabAccessKey(", i), 0);
      tab.TabPicture = bag.Read<Picture>(IndexedKey("TabPicture(", i), Picture{});
    }
    pAssignAccessKeys();
    if (host_.UserMode()) InstallHooks();
  });
}

void TabStrip::Save(PropertyBag& bag) {
  Guarded("UserControl_WriteProperties", [&] {
    const Font ambientFont = host_.AmbientFont();
    bag.Write<std::int32_t>("TabCount", tabCount_, 3);
    for (int i = 0; i < tabCount_; ++i) {
      const TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
      bag.Write<std::wstring>(IndexedKey("TabCaption(", i), tab.Caption, L"Tab" + std::to_wstring(i));
      bag.Write<bool>(IndexedKey("TabEnabled(", i), tab.Enabled, true);
      bag.Write<std::int32_t>(IndexedKey("TabAccessKey(", i), tab.AccessKey, 0);
      bag.Write<Picture>(IndexedKey("TabPicture(", i), tab.TabPicture, Picture{});
    }
    bag.Write<std::int32_t>("ActiveTab", activeTab_, 0);
    WriteColor(bag, "ActiveTabBackEndColor", activeTabBackEndColor_, 0x8000000F);
    WriteColor(bag, "ActiveTabBackStartColor", activeTabBackStartColor_, 0x8000000F);
    bag.Write<Font>("ActiveTabFont", activeTabFont_, ambientFont);
    WriteColor(bag, "ActiveTabForeColor", activeTabForeColor_, 0x80000012);
    bag.Write<std::int32_t>("ActiveTabHeight", activeTabHeight_, 20);
    WriteColor(bag, "BackColor", backColor_, 0x8000000F);
    WriteColor(bag, "BottomRightInnerBorderColor", bottomRightInnerBorderColor_, 0x80000010);
    WriteColor(bag, "DisabledTabBackColor", disabledTabBackColor_, 0x80000010);
    WriteColor(bag, "DisabledTabForeColor", disabledTabForeColor_, 0x80000014);
    bag.Write<bool>("Enabled", enabled_, true);
    WriteColor(bag, "FocusedColor", focusedColor_, 0xEE8269);
    WriteColor(bag, "ForeColor", foreColor_, 0);
    WriteColor(bag, "HoverColor", hoverColor_, 0x3BC7FF);
    WriteColor(bag, "InActiveTabBackEndColor", inActiveTabBackEndColor_, 0x8000000F);
    WriteColor(bag, "InActiveTabBackStartColor", inActiveTabBackStartColor_, 0x8000000F);
    bag.Write<Font>("InActiveTabFont", inActiveTabFont_, ambientFont);
    WriteColor(bag, "InActiveTabForeColor", inActiveTabForeColor_, 0x80000012);
    bag.Write<std::int32_t>("InActiveTabHeight", inActiveTabHeight_, 22);
    WriteColor(bag, "OuterBorderColor", outerBorderColor_, 0x80000015);
    bag.Write<std::int32_t>("PictureAlign", pictureAlign_, 0);
    WriteColor(bag, "PictureMaskColor", pictureMaskColor_, 0xC0C0C0);
    bag.Write<std::int32_t>("PictureSize", pictureSize_, 0);
    bag.Write<bool>("ShowFocusRect", showFocusRect_, true);
    WriteColor(bag, "TabStripBackColor", tabStripBackColor_, host_.AmbientBackColor());
    bag.Write<std::int32_t>("TabStyle", tabStyle_, 0);
    bag.Write<std::int32_t>("TabTheme", tabTheme_, 0);
    WriteColor(bag, "TopLeftInnerBorderColor", topLeftInnerBorderColor_, 0x80000014);
    bag.Write<bool>("UseControlBox", useControlBox_, false);
    bag.Write<bool>("UseFocusedColor", useFocusedColor_, true);
    bag.Write<bool>("UseMaskColor", useMaskColor_, true);
    bag.Write<bool>("UseMouseWheelScroll", useMouseWheelScroll_, true);
    bag.Write<bool>("UseThemeDetection", useThemeDetection_, false);
    bag.Write<std::int32_t>("XRadius", xRadius_, 10);
    bag.Write<std::int32_t>("YRadius", yRadius_, 10);
  });
}

}  // namespace kestrune::tabstrip
