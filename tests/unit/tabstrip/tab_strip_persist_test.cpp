#include <gtest/gtest.h>

#include "platform/control_error.h"
#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::Rig;

std::vector<std::string> Keys(const PropertyBag& bag) {
  std::vector<std::string> keys;
  for (const auto& [k, v] : bag.Entries()) keys.push_back(k);
  return keys;
}

// Sets every persisted property away from its default so that Save writes every key.
void ChangeEverything(Rig& rig) {
  TabStrip& s = *rig.strip;
  // Detection on an XP system with a visual style picks (and keeps re-picking) theme 1.
  rig.platform.version = {true, 2, 5, 1, 2600};
  rig.platform.themeColorBuffer = L"NormalColor";
  s.SetUseThemeDetection(true);
  s.SetTabCount(2);
  s.SetTabEnabled(0, false);
  s.SetTabCaption(0, L"&One");
  s.SetTabCaption(1, L"Two");
  s.SetTabEnabled(1, false);
  Picture p;
  p.kind = Picture::Kind::Bitmap;
  p.width = p.height = 1;
  p.pixels = {0x00FF00};
  s.SetTabPicture(0, p);
  s.SetTabPicture(1, p);
  s.SetTab(1, [&] {
    TabRecord r = s.Tab(1);
    r.accessKey = L'T';
    return r;
  }());
  s.SetActiveTab(1);
  s.Set<OleColor>("ActiveTabBackEndColor", 0x01);
  s.Set<OleColor>("ActiveTabBackStartColor", 0x02);
  Font f;
  f.name = L"Arial";
  s.Set<Font>("ActiveTabFont", f);
  s.Set<OleColor>("ActiveTabForeColor", 0x03);
  s.Set<std::int32_t>("ActiveTabHeight", 25);
  s.SetBackColor(0x04);
  s.Set<OleColor>("BottomRightInnerBorderColor", 0x05);
  s.Set<OleColor>("DisabledTabBackColor", 0x06);
  s.Set<OleColor>("DisabledTabForeColor", 0x07);
  s.SetEnabled(false);
  s.Set<OleColor>("FocusedColor", 0x08);
  s.SetForeColor(0x09);
  s.Set<OleColor>("HoverColor", 0x0A);
  s.Set<OleColor>("InActiveTabBackEndColor", 0x0B);
  s.Set<OleColor>("InActiveTabBackStartColor", 0x0C);
  f.name = L"Verdana";
  s.Set<Font>("InActiveTabFont", f);
  s.Set<OleColor>("InActiveTabForeColor", 0x0D);
  s.Set<std::int32_t>("InActiveTabHeight", 19);
  s.Set<OleColor>("OuterBorderColor", 0x0E);
  s.Set<std::int32_t>("PictureAlign", kPicCaptionRight);
  s.Set<OleColor>("PictureMaskColor", 0x0F);
  s.Set<std::int32_t>("PictureSize", kPicLarge);
  s.Set<bool>("ShowFocusRect", false);
  s.Set<OleColor>("TabStripBackColor", 0x10);
  s.Set<std::int32_t>("TabStyle", kPropertyPages);
  s.Set<OleColor>("TopLeftInnerBorderColor", 0x11);
  s.Set<bool>("UseControlBox", true);
  s.Set<bool>("UseFocusedColor", false);
  s.Set<bool>("UseMaskColor", false);
  s.Set<bool>("UseMouseWheelScroll", false);
  s.Set<std::int32_t>("XRadius", 4);
  s.Set<std::int32_t>("YRadius", 6);
}

TEST(TabStripPersistence, SavesEveryKeyInItsOrder) {
  Rig rig;
  TabStrip& s = rig.New();
  ChangeEverything(rig);
  PropertyBag bag;
  s.Save(bag);
  const std::vector<std::string> expected = {
      "TabCount", "TabCaption(0)", "TabEnabled(0)", "TabAccessKey(0)", "TabPicture(0)", "TabCaption(1)",
      "TabEnabled(1)", "TabAccessKey(1)", "TabPicture(1)", "ActiveTab", "ActiveTabBackEndColor",
      "ActiveTabBackStartColor", "ActiveTabFont", "ActiveTabForeColor", "ActiveTabHeight", "BackColor",
      "BottomRightInnerBorderColor", "DisabledTabBackColor", "DisabledTabForeColor", "Enabled", "FocusedColor",
      "ForeColor", "HoverColor", "InActiveTabBackEndColor", "InActiveTabBackStartColor", "InActiveTabFont",
      "InActiveTabForeColor", "InActiveTabHeight", "OuterBorderColor", "PictureAlign", "PictureMaskColor",
      "PictureSize", "ShowFocusRect", "TabStripBackColor", "TabStyle", "TabTheme", "TopLeftInnerBorderColor",
      "UseControlBox", "UseFocusedColor", "UseMaskColor", "UseMouseWheelScroll", "UseThemeDetection", "XRadius",
      "YRadius"};
  EXPECT_EQ(Keys(bag), expected);
  EXPECT_EQ(bag.Read<std::int32_t>("TabAccessKey(1)", 0), L'T');
  EXPECT_EQ(bag.Read<std::int32_t>("TabCount", 0), 2);
  EXPECT_FALSE(bag.Read<bool>("Enabled", true));
}

TEST(TabStripPersistence, DefaultsAreLeftOutAndNewCaptionsAreWritten) {
  Rig rig;
  TabStrip& s = rig.New();
  PropertyBag bag;
  s.Save(bag);
  // "Tab 0" differs from the stored default "Tab0", so the captions of a new control are kept.
  EXPECT_EQ(bag.Read<std::wstring>("TabCaption(0)", L"?"), L"Tab 0");
  EXPECT_FALSE(bag.Contains("TabCount"));
  EXPECT_FALSE(bag.Contains("TabEnabled(0)"));
  EXPECT_FALSE(bag.Contains("XRadius"));
  // Theme 0 differs from the property defaults in the disabled colours, and the bold font.
  EXPECT_TRUE(bag.Contains("DisabledTabBackColor"));
  EXPECT_TRUE(bag.Contains("ActiveTabFont"));
  EXPECT_FALSE(bag.Contains("InActiveTabFont"));
}

TEST(TabStripPersistence, RoundTripRestoresEveryValue) {
  Rig rig;
  TabStrip& s = rig.New();
  ChangeEverything(rig);
  PropertyBag bag;
  s.Save(bag);

  Rig other;
  TabStrip& t = other.Loaded(bag);
  PropertyBag again;
  t.Save(again);
  EXPECT_EQ(Keys(bag), Keys(again));
  for (std::size_t i = 0; i < bag.Entries().size(); ++i)
    EXPECT_EQ(bag.Entries()[i].second, again.Entries()[i].second) << bag.Entries()[i].first;
  EXPECT_EQ(t.TabCaption(0), L"&One");
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_EQ(t.Get<std::int32_t>("TabTheme"), kThemeXP);
  EXPECT_TRUE(t.Get<bool>("UseThemeDetection"));
  EXPECT_EQ(t.Get<OleColor>("OuterBorderColor"), 0x0Eu);
  EXPECT_FALSE(t.TabEnabled(0));
  EXPECT_FALSE(t.TabEnabled(1));
  EXPECT_FALSE(t.TabPicture(1).Empty());
  EXPECT_EQ(t.Get<Font>("ActiveTabFont").name, L"Arial");
  EXPECT_EQ(other.host.accessKeys, L"OT");  // rebuilt from the stored keys, in tab order
  // Loading stores directly: nothing notified, nothing raised, nothing drawn.
  EXPECT_TRUE(other.host.changedKeys.empty());
  EXPECT_TRUE(other.events.log.empty());
  EXPECT_EQ(other.surface.PresentCount(), 0);
}

TEST(TabStripPersistence, MissingKeysGiveDefaultsWithoutASpace) {
  Rig rig;
  PropertyBag bag;
  bag.Set<std::int32_t>("TabCount", 4);
  bag.Set<std::int32_t>("ActiveTab", 9);  // outside the tabs: tab 0, so that the strip can draw
  auto& c = rig.host.AddContained("c", 50, 0);
  TabStrip& s = rig.Loaded(bag);
  EXPECT_EQ(s.TabCount(), 4);
  EXPECT_EQ(s.TabCaption(3), L"Tab3");
  EXPECT_TRUE(s.TabEnabled(3));
  EXPECT_EQ(s.ActiveTab(), 0);
  EXPECT_EQ(s.Get<std::int32_t>("ActiveTabHeight"), 20);
  EXPECT_EQ(s.Get<OleColor>("DisabledTabBackColor"), 0x80000010u);  // no theme set on load
  EXPECT_EQ(c.Left(), 50);                          // the loading pass moves nothing
  EXPECT_EQ(rig.host.pendingMessageCalls, 1);
  EXPECT_TRUE(rig.events.log.empty());
  s.Refresh();
  EXPECT_EQ(s.Tab(0).tabRect.top, 2);  // drawn as the active tab
}

TEST(TabStripPersistence, ABadTabCountFailsTheLoadAndChangesNothing) {
  Rig rig;
  PropertyBag bag;
  bag.Set<std::int32_t>("TabCount", 0);
  bag.Set<std::int32_t>("OuterBorderColor", 0x123);
  bag.Set<std::int32_t>("XRadius", 3);
  try {
    rig.strip->Load(bag);
    ADD_FAILURE() << "expected a failure";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), 380);
    EXPECT_EQ(e.Source(), "TabStrip.Load");
  }
  EXPECT_EQ(rig.strip->TabCount(), 3);
  EXPECT_EQ(rig.strip->Get<OleColor>("OuterBorderColor"), 0x80000015u);
  EXPECT_EQ(rig.strip->Get<std::int32_t>("XRadius"), 10);
}

}  // namespace
}  // namespace kestrune::tabstrip
