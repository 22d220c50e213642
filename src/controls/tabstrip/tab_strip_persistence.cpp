// The persisted property set: one table of key, member and default for the strip and one for
// each tab record. The keys, their defaults and the order in which they are saved are the saved
// forms' format: keep them as they are.
#include <array>
#include <span>

#include "controls/tabstrip/tab_strip_model.h"
#include "platform/property_table.h"

namespace kestrune::tabstrip {

namespace {

using Entry = PersistedProperty<TabStripModel>;
using TabEntry = PersistedProperty<TabRecord>;

constexpr auto kOwn = Entry::OnSet::kOwnSetter;
constexpr auto kStoreOnly = Entry::OnSet::kStoreOnly;

PropertyValue AmbientFont(const TabStripModel& m) { return m.ambientFont; }
PropertyValue AmbientBackColor(const TabStripModel& m) { return static_cast<std::int32_t>(m.ambientBackColor); }

// Set through the generic Set unless marked: kOwn has a setter of its own, kStoreOnly draws nothing.
// "TabCount" comes first: the tab records are saved right after it, before everything else.
constexpr std::array<Entry, 36> kProperties{{
    {"TabCount", &TabStripModel::tabCount, std::int32_t{3}, kOwn},
    {"ActiveTab", &TabStripModel::activeTab, std::int32_t{0}, kOwn},
    {"ActiveTabBackEndColor", &TabStripModel::activeTabBackEndColor, OleColor{0x8000000F}},
    {"ActiveTabBackStartColor", &TabStripModel::activeTabBackStartColor, OleColor{0x8000000F}},
    {"ActiveTabFont", &TabStripModel::activeTabFont, &AmbientFont},
    {"ActiveTabForeColor", &TabStripModel::activeTabForeColor, OleColor{0x80000012}},
    {"ActiveTabHeight", &TabStripModel::activeTabHeight, std::int32_t{20}},
    {"BackColor", &TabStripModel::backColor, OleColor{0x8000000F}, kOwn},
    {"BottomRightInnerBorderColor", &TabStripModel::bottomRightInnerBorderColor, OleColor{0x80000010}},
    {"DisabledTabBackColor", &TabStripModel::disabledTabBackColor, OleColor{0x80000010}},
    {"DisabledTabForeColor", &TabStripModel::disabledTabForeColor, OleColor{0x80000014}},
    {"Enabled", &TabStripModel::enabled, true, kOwn},
    {"FocusedColor", &TabStripModel::focusedColor, OleColor{0xEE8269}},
    {"ForeColor", &TabStripModel::foreColor, OleColor{0}, kOwn},
    {"HoverColor", &TabStripModel::hoverColor, OleColor{0x3BC7FF}},
    {"InActiveTabBackEndColor", &TabStripModel::inActiveTabBackEndColor, OleColor{0x8000000F}},
    {"InActiveTabBackStartColor", &TabStripModel::inActiveTabBackStartColor, OleColor{0x8000000F}},
    {"InActiveTabFont", &TabStripModel::inActiveTabFont, &AmbientFont},
    {"InActiveTabForeColor", &TabStripModel::inActiveTabForeColor, OleColor{0x80000012}},
    {"InActiveTabHeight", &TabStripModel::inActiveTabHeight, std::int32_t{22}},
    {"OuterBorderColor", &TabStripModel::outerBorderColor, OleColor{0x80000015}},
    {"PictureAlign", &TabStripModel::pictureAlign, std::int32_t{kPicTabLeft}},
    {"PictureMaskColor", &TabStripModel::pictureMaskColor, OleColor{0xC0C0C0}},
    {"PictureSize", &TabStripModel::pictureSize, std::int32_t{kPicSmall}},
    {"ShowFocusRect", &TabStripModel::showFocusRect, true},
    {"TabStripBackColor", &TabStripModel::tabStripBackColor, &AmbientBackColor},
    {"TabStyle", &TabStripModel::tabStyle, std::int32_t{kTabbedDialog}},
    {"TabTheme", &TabStripModel::tabTheme, std::int32_t{0}, kOwn},
    {"TopLeftInnerBorderColor", &TabStripModel::topLeftInnerBorderColor, OleColor{0x80000014}},
    {"UseControlBox", &TabStripModel::useControlBox, false},
    {"UseFocusedColor", &TabStripModel::useFocusedColor, true},
    {"UseMaskColor", &TabStripModel::useMaskColor, true},
    {"UseMouseWheelScroll", &TabStripModel::useMouseWheelScroll, true, kStoreOnly},
    {"UseThemeDetection", &TabStripModel::useThemeDetection, false, kOwn},
    {"XRadius", &TabStripModel::xRadius, std::int32_t{10}},
    {"YRadius", &TabStripModel::yRadius, std::int32_t{10}},
}};
static_assert(DefaultsFitMembers(kProperties));

// A saved caption that is missing reads as "Tab" and the index, without the space a new tab has.
PropertyValue SavedCaptionDefault(const TabRecord&, int index) { return L"Tab" + std::to_wstring(index); }

constexpr std::array<TabEntry, 4> kTabProperties{{
    {"TabCaption(", &TabRecord::caption, &SavedCaptionDefault},
    {"TabEnabled(", &TabRecord::enabled, true},
    {"TabAccessKey(", &TabRecord::accessKey, std::int32_t{0}},
    {"TabPicture(", &TabRecord::picture, std::monostate{}},
}};
static_assert(DefaultsFitMembers(kTabProperties));

constexpr std::span<const Entry> kCount = std::span<const Entry>(kProperties).first(1);
constexpr std::span<const Entry> kAfterTabs = std::span<const Entry>(kProperties).subspan(1);

}  // namespace

std::span<const PersistedProperty<TabStripModel>> TabStripProperties() { return kProperties; }

TabStripModel::TabStripModel() {
  ResetProperties();
  tabs.resize(static_cast<std::size_t>(tabCount));
}

void TabStripModel::ResetProperties() { kestrune::ResetProperties<TabStripModel>(kProperties, *this); }

bool TabStripModel::Load(const PropertyBag& bag) {
  // Read into a copy, so that a refused count leaves the control as it was.
  TabStripModel loaded = *this;
  LoadProperties<TabStripModel>(kProperties, bag, loaded);
  if (loaded.tabCount <= 0) return false;
  *this = std::move(loaded);
  // A saved active tab outside the tabs would make every redraw fail; it selects tab 0, as
  // setting such a value does.
  if (!ValidIndex(activeTab)) activeTab = 0;
  tabs.assign(static_cast<std::size_t>(tabCount), TabRecord{});
  for (int i = 0; i < tabCount; ++i) LoadIndexedProperties<TabRecord>(kTabProperties, i, bag, Tab(i));
  RebuildAccessKeys();
  return true;
}

void TabStripModel::Save(PropertyBag& bag) const {
  SaveProperties(kCount, *this, bag);
  for (int i = 0; i < tabCount; ++i) SaveIndexedProperties<TabRecord>(kTabProperties, i, Tab(i), bag);
  SaveProperties(kAfterTabs, *this, bag);
}

}  // namespace kestrune::tabstrip
