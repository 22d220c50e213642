#include <algorithm>
#include <functional>
#include <stdexcept>

#include "platform/control_error.h"
#include <gtest/gtest.h>

#include "controls/tabstrip/tab_strip.h"
#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::Rig;

void ExpectError(const std::function<void()>& f, int number, const std::string& source) {
  try {
    f();
    ADD_FAILURE() << "no error raised, expected " << number << " from " << source;
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), number);
    EXPECT_EQ(e.Source(), source);
  }
}

TEST(TabStripModel, NewControlTakesDefaultsAndTheClassicColours) {
  Rig rig;
  rig.host.ambientBackColor = 0x00ABCDEF;
  rig.host.ambientFont.name = L"Tahoma";
  TabStrip& s = rig.New();
  EXPECT_EQ(s.TabCount(), 3);
  EXPECT_EQ(s.TabCaption(0), L"Tab 0");
  EXPECT_EQ(s.TabCaption(2), L"Tab 2");
  EXPECT_TRUE(s.TabEnabled(1));
  EXPECT_EQ(s.ActiveTab(), 0);
  EXPECT_EQ(s.Get<std::int32_t>("ActiveTabHeight"), 20);
  EXPECT_EQ(s.Get<std::int32_t>("InActiveTabHeight"), 22);
  EXPECT_EQ(s.Get<OleColor>("TabStripBackColor"), 0x00ABCDEFu);
  EXPECT_EQ(s.Get<Font>("ActiveTabFont").name, L"Tahoma");
  EXPECT_TRUE(s.Get<Font>("ActiveTabFont").bold);
  EXPECT_FALSE(s.Get<Font>("InActiveTabFont").bold);  // the fonts are separate copies
  EXPECT_EQ(s.Get<OleColor>("PictureMaskColor"), 0xC0C0C0u);
  EXPECT_EQ(s.Get<OleColor>("HoverColor"), 0x3BC7FFu);
  EXPECT_EQ(s.Get<OleColor>("FocusedColor"), 0xEE8269u);
  // Theme 0's set is applied over the property defaults: disabled back becomes button face.
  EXPECT_EQ(s.Get<OleColor>("DisabledTabBackColor"), 0x8000000Fu);
  EXPECT_EQ(s.Get<OleColor>("DisabledTabForeColor"), 0x80000015u);
  EXPECT_EQ(s.Get<std::int32_t>("XRadius"), 10);
  EXPECT_TRUE(s.Get<bool>("UseMouseWheelScroll"));
  EXPECT_FALSE(s.Get<bool>("UseControlBox"));
  EXPECT_EQ(s.ParkOffset(), 10000);
  EXPECT_EQ(s.VersionText(), L"1.0.85");
  EXPECT_TRUE(rig.host.changedKeys.empty());
}

TEST(TabStripModel, ParkOffsetFollowsTheControlWidth) {
  Rig rig;
  rig.host.bounds = Rect{0, 0, 12000, 50};
  EXPECT_EQ(rig.New().ParkOffset(), 13000);
  Rig narrow;
  narrow.host.bounds = Rect{0, 0, 10000, 50};
  EXPECT_EQ(narrow.New().ParkOffset(), 10000);
}

TEST(TabStripModel, SettersStoreRedrawAndNotify) {
  Rig rig;
  TabStrip& s = rig.New();
  const int presents = rig.surface.PresentCount();
  s.Set<OleColor>("HoverColor", 0x123456);
  EXPECT_EQ(s.Get<OleColor>("HoverColor"), 0x123456u);
  EXPECT_GT(rig.surface.PresentCount(), presents);
  s.Set<std::int32_t>("ActiveTabHeight", 25);
  s.Set<std::int32_t>("TabStyle", 1);
  ASSERT_GE(rig.host.changedKeys.size(), 3u);
  EXPECT_EQ(rig.host.changedKeys[0], "HoverColor");
  EXPECT_EQ(rig.host.changedKeys.back(), "TabStyle");

  // The wheel flag is stored and notified without a redraw.
  const int before = rig.surface.PresentCount();
  s.Set<bool>("UseMouseWheelScroll", false);
  EXPECT_EQ(rig.surface.PresentCount(), before);
  EXPECT_EQ(rig.host.changedKeys.back(), "UseMouseWheelScroll");

  // A property with a setter of its own, a key the strip does not have and a value of another type
  // are refused and change nothing; Get reads every property.
  const auto notices = rig.host.changedKeys.size();
  EXPECT_THROW(s.Set<std::int32_t>("TabTheme", 1), ControlError);
  EXPECT_THROW(s.Set<std::int32_t>("Hovercolor", 1), ControlError);
  EXPECT_THROW(s.Set<std::int32_t>("HoverColor", 1), ControlError);
  EXPECT_EQ(s.Get<std::int32_t>("TabTheme"), kThemeClassic);
  EXPECT_EQ(s.Get<OleColor>("HoverColor"), 0x123456u);
  EXPECT_EQ(rig.host.changedKeys.size(), notices);
}

TEST(TabStripModel, TabThemeResetsItsColourSetButLeavesOthers) {
  Rig rig;
  TabStrip& s = rig.New();
  s.Set<OleColor>("HoverColor", 0x010203);
  s.Set<OleColor>("FocusedColor", 0x040506);
  s.Set<OleColor>("ActiveTabBackEndColor", 0x0A0B0C);
  s.Set<OleColor>("TopLeftInnerBorderColor", 0x0D0E0F);
  s.SetTabTheme(kThemeRounded);
  EXPECT_EQ(s.Get<OleColor>("ActiveTabBackStartColor"), 0xF8F8F8u);
  EXPECT_EQ(s.Get<OleColor>("OuterBorderColor"), 0x909090u);
  EXPECT_EQ(s.Get<OleColor>("TabStripBackColor"), 0x8000000Fu);
  EXPECT_EQ(s.Get<OleColor>("HoverColor"), 0x010203u);
  EXPECT_EQ(s.Get<OleColor>("FocusedColor"), 0x040506u);
  EXPECT_EQ(s.Get<OleColor>("ActiveTabBackEndColor"), 0x0A0B0Cu);
  EXPECT_EQ(s.Get<OleColor>("TopLeftInnerBorderColor"), 0x0D0E0Fu);
  EXPECT_EQ(rig.host.changedKeys.back(), "TabTheme");

  s.Set<std::int32_t>("PictureSize", kPicLarge);
  s.Set<bool>("UseMaskColor", false);
  s.SetTabTheme(kThemeBeige);
  EXPECT_EQ(s.Get<OleColor>("PictureMaskColor"), 0xFF00FFu);
  EXPECT_EQ(s.Get<std::int32_t>("PictureSize"), kPicSmall);
  EXPECT_TRUE(s.Get<bool>("UseMaskColor"));
  EXPECT_EQ(s.Get<OleColor>("HoverColor"), MakeRgb(26, 52, 122));

  // An unknown theme changes no colour.
  const OleColor outer = s.Get<OleColor>("OuterBorderColor");
  s.SetTabTheme(7);
  EXPECT_EQ(s.Get<OleColor>("OuterBorderColor"), outer);
}

TEST(TabStripModel, ThemeDetection) {
  Rig rig;
  TabStrip& s = rig.New();
  rig.platform.version = {true, 2, 5, 1, 2600};
  rig.platform.themeColorBuffer = L"NormalColor";
  s.SetUseThemeDetection(true);
  EXPECT_EQ(s.Get<std::int32_t>("TabTheme"), kThemeXP);
  EXPECT_EQ(s.Get<OleColor>("OuterBorderColor"), 0x9B9C91u);  // the setter path applies the set

  // Refresh stores the theme only: XP with styles off still counts as a visual style.
  s.Set<OleColor>("OuterBorderColor", 0x111111);
  rig.platform.themeNameOk = false;
  s.Refresh();
  EXPECT_EQ(s.Get<std::int32_t>("TabTheme"), kThemeXP);
  rig.platform.version = {true, 2, 6, 1, 7600};
  s.Refresh();
  EXPECT_EQ(s.Get<std::int32_t>("TabTheme"), kThemeClassic);
  EXPECT_EQ(s.Get<OleColor>("OuterBorderColor"), 0x111111u);
}

TEST(TabStripModel, InvalidValuesRaiseNumberedErrorsWithTheirSource) {
  Rig rig;
  TabStrip& s = rig.New();
  rig.host.changedKeys.clear();
  ExpectError([&] { s.SetTabCount(0); }, 380, "TabStrip.TabCount");
  ExpectError([&] { s.SetTabCount(-3); }, 380, "TabStrip.TabCount");
  EXPECT_EQ(s.TabCount(), 3);
  ExpectError([&] { s.SetTabCaption(3, L"x"); }, 9, "TabStrip.TabCaption");
  ExpectError([&] { s.SetTabCaption(-1, L"x"); }, 9, "TabStrip.TabCaption");
  ExpectError([&] { s.SetTabEnabled(3, false); }, 9, "TabStrip.TabEnabled");
  ExpectError([&] { s.SetTabPicture(5, Picture{}); }, 9, "TabStrip.TabPicture");
  ExpectError([&] { (void)s.TabPicture(-1); }, 9, "TabStrip.TabPicture");
  ExpectError([&] { s.InsertTab(3, L"x"); }, 9, "TabStrip.InsertTab");
  ExpectError([&] { s.InsertTab(-2, L"x"); }, 9, "TabStrip.InsertTab");
  EXPECT_TRUE(rig.host.changedKeys.empty());
  // Out-of-range reads of caption and flag are quiet.
  EXPECT_EQ(s.TabCaption(3), L"");
  EXPECT_FALSE(s.TabEnabled(-1));
}

TEST(TabStripModel, BadInsertIndexLeavesNothingLockedOrGrown) {
  Rig rig;
  TabStrip& s = rig.New();
  EXPECT_THROW(s.InsertTab(5, L"x"), ControlError);
  EXPECT_EQ(s.TabCount(), 3);
  // Either no lock was taken or it was released again.
  EXPECT_TRUE(rig.platform.locks.empty() || rig.platform.locks.back() == 0u);
  s.InsertTab(0, L"ok");
  ASSERT_EQ(rig.platform.locks.size(), 2u);
  EXPECT_EQ(rig.platform.locks[0], 0x1234u);
  EXPECT_EQ(rig.platform.locks[1], 0u);
}

struct CaptionCase {
  const wchar_t* caption;
  wchar_t key;
  const wchar_t* measured;
};

class CaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionTest, AccessKeyAndMeasuredText) {
  EXPECT_EQ(AccessKeyOf(GetParam().caption), static_cast<std::int32_t>(GetParam().key));
  EXPECT_EQ(MeasuredCaption(GetParam().caption), GetParam().measured);
}

INSTANTIATE_TEST_SUITE_P(Cases, CaptionTest,
                         ::testing::Values(CaptionCase{L"&File", L'F', L"&Fil"}, CaptionCase{L"&file", L'F', L"&fil"},
                                           CaptionCase{L"Save && Exit", 0, L"Save & Exi"},
                                           CaptionCase{L"A&b&c", L'C', L"A&b&"}, CaptionCase{L"Plain", 0, L"Plain"},
                                           CaptionCase{L"Trailing&", 0, L"Trailing"},
                                           CaptionCase{L"&&&x", L'X', L"&&"}, CaptionCase{L"", 0, L""},
                                           CaptionCase{L"&\x00E9t\x00E9", 0x00C9, L"&\x00E9t"}));

TEST(TabStripModel, CaptionsKeepTheHostsAccessKeyListInStep) {
  Rig rig;
  TabStrip& s = rig.New();
  s.SetTabCaption(0, L"&File");
  s.SetTabCaption(1, L"&edit");
  EXPECT_EQ(rig.host.accessKeys, L"FE");
  EXPECT_EQ(s.Tab(1).accessKey, L'E');
  s.SetTabCaption(0, L"&Open");
  EXPECT_EQ(rig.host.accessKeys, L"EO");
  s.SetTabCaption(1, L"No key");
  EXPECT_EQ(rig.host.accessKeys, L"O");
  EXPECT_EQ(s.Tab(1).accessKey, 0);
  // A marker at the very end stores the caption and gives no key instead of failing.
  s.SetTabCaption(2, L"Odd&");
  EXPECT_EQ(s.TabCaption(2), L"Odd&");
  EXPECT_EQ(s.Tab(2).accessKey, 0);
  EXPECT_EQ(rig.host.accessKeys, L"O");
  EXPECT_EQ(rig.host.changedKeys.back(), "TabCaption");
}

TEST(TabStripModel, TabCountGrowsAndShrinks) {
  Rig rig;
  TabStrip& s = rig.New();
  s.SetTabCaption(1, L"keep");
  s.SetTabCount(5);
  EXPECT_EQ(s.TabCaption(1), L"keep");
  EXPECT_EQ(s.TabCaption(4), L"Tab 4");
  EXPECT_TRUE(s.TabEnabled(4));
  s.SetActiveTab(4);
  rig.events.log.clear();
  s.SetTabCount(2);
  EXPECT_EQ(s.ActiveTab(), 1);
  EXPECT_TRUE(rig.events.log.empty());  // no switch sequence
  s.SetTabCount(1);
  EXPECT_EQ(s.ActiveTab(), 0);
  EXPECT_EQ(s.TabCaption(0), L"Tab 0");
}

TEST(TabStripModel, SwitchSequenceRaisesEventsAndHonoursTheVeto) {
  Rig rig;
  TabStrip& s = rig.New();
  auto& a = rig.host.AddContained("a", 50, 10);              // tab 0
  auto& b = rig.host.AddContained("b", 60 - 10000, 10);      // tab 1
  auto& d = rig.host.AddContained("d", 70 - 3 * 10000, 10);  // tab 3
  s.SetTabCount(4);
  rig.events.log.clear();
  s.SetActiveTab(s.ActiveTab());
  EXPECT_TRUE(rig.events.log.empty());

  s.SetActiveTab(1);
  EXPECT_EQ((std::vector<std::string>{"BeforeTabSwitch 1", "TabSwitch 0"}), rig.events.log);
  EXPECT_EQ(b.Left(), 60);
  s.SetActiveTab(3);
  EXPECT_EQ(s.LastActiveTab(), 1);
  EXPECT_EQ(d.Left(), 70);
  EXPECT_EQ(a.Left(), 50 + 3 * 10000);
  EXPECT_EQ(rig.host.changedKeys.back(), "ActiveTab");

  rig.events.log.clear();
  rig.events.vetoTab = 0;
  s.SetActiveTab(-1);  // out of range selects tab 0, which is vetoed
  EXPECT_EQ((std::vector<std::string>{"BeforeTabSwitch 0"}), rig.events.log);
  EXPECT_EQ(s.ActiveTab(), 3);
  EXPECT_EQ(s.LastActiveTab(), 1);
  EXPECT_EQ(a.Left(), 50 + 3 * 10000);
  rig.events.vetoTab = -100;
  s.SetActiveTab(4);
  EXPECT_EQ(s.ActiveTab(), 0);
  EXPECT_EQ(a.Left(), 50);
}

TEST(TabStripModel, AControlThatRefusesToMoveIsSkipped) {
  Rig rig;
  TabStrip& s = rig.New();
  auto& stuck = rig.host.AddContained("stuck", 40, 0);
  auto& free = rig.host.AddContained("free", 30, 0);
  stuck.refuseMove = true;
  s.SetActiveTab(2);
  EXPECT_EQ(stuck.Left(), 40);
  EXPECT_EQ(free.Left(), 20030);
  EXPECT_EQ(s.ActiveTab(), 2);
  EXPECT_GE(rig.host.pendingMessageCalls, 2);
}

// Four tabs with a picture and a flag each, and one control per tab.
struct FourTabs {
  FourTabs() {
    TabStrip& s = rig.New();
    s.SetTabCount(4);
    for (int i = 0; i < 4; ++i) {
      s.SetTabCaption(i, std::wstring(L"&") + static_cast<wchar_t>(L'A' + i));
      Picture p;
      p.kind = Picture::Kind::Bitmap;
      p.width = p.height = 1;
      p.pixels = {static_cast<Rgb>(i + 1)};
      s.SetTabPicture(i, p);
    }
    s.SetTabEnabled(2, false);
    for (int i = 0; i < 4; ++i) controls.push_back(&rig.host.AddContained("c" + std::to_string(i), 100 - i * 10000, 5));
    rig.events.log.clear();
  }
  std::vector<std::wstring> Captions() {
    std::vector<std::wstring> out;
    for (int i = 0; i < rig.strip->TabCount(); ++i) out.push_back(rig.strip->TabCaption(i));
    return out;
  }
  Rig rig;
  std::vector<kestrune::testing::FakeContainedControl*> controls;
};

TEST(TabStripModel, InsertTabMovesCaptionsAndControlsButNotPicturesOrFlags) {
  FourTabs f;
  TabStrip& s = *f.rig.strip;
  s.SetActiveTab(2);
  f.rig.events.log.clear();
  s.InsertTab(0, L"&New");
  EXPECT_EQ((std::vector<std::wstring>{L"&A", L"&New", L"&B", L"&C", L"&D"}), f.Captions());
  // Moving captions keeps every key registered once.
  std::wstring keys = f.rig.host.accessKeys;
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, L"ABCDN");
  EXPECT_EQ(s.Tab(1).accessKey, L'N');
  // Pictures and enabled flags stay where they were.
  EXPECT_EQ(s.TabPicture(1).pixels[0], 2u);
  EXPECT_FALSE(s.TabEnabled(2));
  EXPECT_TRUE(s.TabEnabled(3));
  EXPECT_TRUE(s.TabPicture(4).Empty());
  // The previously active tab (C) stays active under its new index.
  EXPECT_EQ(s.ActiveTab(), 3);
  EXPECT_EQ(f.controls[0]->Left(), 100 + 3 * 10000);
  EXPECT_EQ(f.controls[2]->Left(), 100);
  EXPECT_EQ(f.controls[3]->Left(), 100 - 1 * 10000);
  EXPECT_EQ(f.rig.events.log.back(), "TabInsert 0");
  EXPECT_EQ(f.rig.events.log.front(), "BeforeTabSwitch 0");
}

TEST(TabStripModel, InsertTabActivatesTheNewTabWhenItTakesTheActivePosition) {
  FourTabs f;
  TabStrip& s = *f.rig.strip;
  s.InsertTab(-1, L"First");
  EXPECT_EQ(s.TabCaption(0), L"First");
  EXPECT_EQ(s.ActiveTab(), 0);
  EXPECT_EQ(f.controls[0]->Left(), 100 - 10000);  // every control one page further
  EXPECT_EQ(f.controls[3]->Left(), 100 - 4 * 10000);

  FourTabs g;
  g.rig.strip->SetActiveTab(1);
  g.rig.strip->InsertTab(0, L"Mid");
  EXPECT_EQ(g.rig.strip->ActiveTab(), 1);
  EXPECT_EQ(g.rig.strip->TabCaption(1), L"Mid");
}

struct RemoveCase {
  int active;
  int removed;
  int expectedActive;
  std::vector<std::wstring> captions;
};

class RemoveTabTest : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveTabTest, ChoosesTheNextActiveTab) {
  FourTabs f;
  TabStrip& s = *f.rig.strip;
  s.SetTabEnabled(2, true);
  s.SetActiveTab(GetParam().active);
  s.RemoveTab(GetParam().removed);
  EXPECT_EQ(s.TabCount(), 3);
  EXPECT_EQ(s.ActiveTab(), GetParam().expectedActive);
  EXPECT_EQ(GetParam().captions, f.Captions());
  EXPECT_EQ(f.rig.events.log.back(), "TabRemove " + std::to_string(GetParam().removed));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveTabTest,
    ::testing::Values(RemoveCase{1, 1, 2, {L"&A", L"&C", L"&D"}},  // after it: the tab two places on
                      RemoveCase{2, 2, 1, {L"&A", L"&B", L"&D"}},  // second-to-last: the one before
                      RemoveCase{3, 3, 0, {L"&A", L"&B", L"&C"}},  // active last tab: tab 0
                      RemoveCase{3, 1, 2, {L"&A", L"&C", L"&D"}},  // removed before: same tab
                      RemoveCase{1, 3, 0, {L"&A", L"&B", L"&C"}},  // removed after: the tab to its left
                      RemoveCase{0, 2, 0, {L"&A", L"&B", L"&D"}}));

TEST(TabStripModel, RemoveTabParksTheRemovedTabsControlsAndPullsLaterOnes) {
  FourTabs f;
  TabStrip& s = *f.rig.strip;
  s.RemoveTab(1);
  EXPECT_EQ(f.controls[0]->Left(), 100);
  EXPECT_EQ(f.controls[1]->Left(), 100 - 10000 + 4 * 10000);  // parked to the right
  EXPECT_EQ(f.controls[2]->Left(), 100 - 10000);              // now tab 1
  EXPECT_EQ(f.controls[3]->Left(), 100 - 2 * 10000);
  // Pictures and flags stay by position; the last record went.
  EXPECT_EQ(s.TabPicture(1).pixels[0], 2u);
  EXPECT_FALSE(s.TabEnabled(2));
  EXPECT_EQ(f.rig.platform.locks.back(), 0u);
}

TEST(TabStripModel, RemoveTabEdgeCases) {
  Rig rig;
  TabStrip& s = rig.New();
  s.SetTabCount(1);
  rig.events.log.clear();
  s.RemoveTab(0);
  EXPECT_EQ(s.TabCount(), 1);
  EXPECT_TRUE(rig.events.log.empty());

  FourTabs f;
  // A missing tab is refused instead of silently dropping the last one.
  ExpectError([&] { f.rig.strip->RemoveTab(4); }, 9, "TabStrip.RemoveTab");
  EXPECT_EQ(f.rig.strip->TabCount(), 4);
  EXPECT_TRUE(f.rig.platform.locks.empty());
}

TEST(TabStripModel, ControlAtLeftZeroCountsAsTabOne) {
  FourTabs f;
  auto& edge = f.rig.host.AddContained("edge", 0, 0);
  f.rig.strip->InsertTab(0, L"x");  // tabs after 0 move one page further
  EXPECT_EQ(edge.Left(), -10000);
}

TEST(TabStripModel, ImagesCopyAndRemove) {
  Rig rig;
  TabStrip& s = rig.New();
  Picture p;
  p.kind = Picture::Kind::Icon;
  p.width = p.height = 2;
  p.pixels.assign(4, 7);
  s.SetTabPicture(2, p);
  s.CopyTabImagesFromImageList({p, p});  // fewer images than tabs
  EXPECT_FALSE(s.TabPicture(0).Empty());
  EXPECT_FALSE(s.TabPicture(1).Empty());
  EXPECT_TRUE(s.TabPicture(2).Empty());
  s.RemoveTabImages(7, false);  // quietly ignored
  EXPECT_FALSE(s.TabPicture(0).Empty());
  s.RemoveTabImages(0, false);
  EXPECT_TRUE(s.TabPicture(0).Empty());
  EXPECT_FALSE(s.TabPicture(1).Empty());
  s.RemoveTabImages(-1, true);
  EXPECT_TRUE(s.TabPicture(1).Empty());
}

TEST(TabStripModel, AddControlPlacesWindowsAndControls) {
  Rig rig;
  TabStrip& s = rig.New();
  s.AddControl(nullptr, 0x77, 5, 6, 70, 80, 2);
  EXPECT_EQ(s.ActiveTab(), 2);
  ASSERT_EQ(rig.platform.parents.size(), 1u);
  EXPECT_EQ(rig.platform.parents[0], (std::pair<WindowHandle, WindowHandle>{0x77, 0x1234}));
  ASSERT_EQ(rig.platform.positions.size(), 1u);
  EXPECT_EQ(rig.platform.positions[0].cx, 70);
  EXPECT_EQ(rig.platform.positions[0].flags, 0x40u);

  struct Placed : PlaceableControl {
    WindowHandle Window() const override { return 0x99; }
    void SetLeft(int v) override { left = v; }
    void SetTop(int v) override { top = v; }
    void SetWidth(int) override { throw std::runtime_error("fixed width"); }
    void SetHeight(int v) override { height = v; }
    void SetVisible(bool v) override { visible = v; }
    int left = -5, top = -5, height = -5;
    bool visible = false;
  } placed;
  s.AddControl(&placed, -1, 12, -1, 30, 40, -1);
  EXPECT_EQ(placed.left, 12);
  EXPECT_EQ(placed.top, -5);  // not given
  EXPECT_EQ(placed.height, 40);
  EXPECT_TRUE(placed.visible);  // the failing width step was skipped
}

TEST(TabStripModel, FileOpenDialogRequest) {
  Rig rig;
  TabStrip& s = rig.New();
  rig.platform.dialogAnswer = L"C:\\a.txt";
  EXPECT_EQ(s.ShowFileOpenDialog(7, L"C:\\", L""), L"C:\\a.txt");
  EXPECT_EQ(rig.platform.lastRequest.title, L"Open File");
  EXPECT_EQ(rig.platform.lastRequest.maxPathLength, 255);
  ASSERT_EQ(rig.platform.lastRequest.filters.size(), 1u);
  EXPECT_EQ(rig.platform.lastRequest.filters[0].first, L"All Files (*.*)");
  EXPECT_EQ(rig.platform.lastRequest.filters[0].second, L"*.*");
  s.ShowFileOpenDialog(7, L"", L"Text|*.txt|Logs|*.log");
  ASSERT_EQ(rig.platform.lastRequest.filters.size(), 2u);
  EXPECT_EQ(rig.platform.lastRequest.filters[1].second, L"*.log");
}

TEST(TabStripModel, RefreshRaisesAfterCompleteInitOnceAndOnlyAtRunTime) {
  Rig rig;
  TabStrip& s = rig.New();
  s.Refresh();
  s.Refresh();
  EXPECT_EQ(std::count(rig.events.log.begin(), rig.events.log.end(), "AfterCompleteInit"), 1);
  Rig design;
  design.host.userMode = false;
  design.New().Refresh();
  EXPECT_TRUE(design.events.log.empty());
  EXPECT_TRUE(design.strip->InitCompleted());
}

TEST(TabStripModel, TeardownReturnsToTabZeroAndDropsPictures) {
  FourTabs f;
  f.rig.strip->SetActiveTab(3);
  f.rig.strip->Teardown();
  EXPECT_EQ(f.rig.strip->ActiveTab(), 0);
  EXPECT_EQ(f.controls[0]->Left(), 100);
  EXPECT_TRUE(f.rig.strip->TabPicture(0).Empty());
}

}  // namespace
}  // namespace kestrune::tabstrip

namespace kestrune::tabstrip {
namespace {

// A host whose switch handler fails.
struct FailingEvents : TabStripEvents {
  void BeforeTabSwitch(int, bool&) override {
    if (foreign) throw std::runtime_error("host handler failed");
    throw ControlError(1004, "Application-defined", "Form1");
  }
  bool foreign = false;
};

TEST(TabStripModel, FailuresKeepTheirNumberAndNameTheOperationWhereTheyArose) {
  kestrune::testing::FakeControlHost host;
  RasterSurface surface(200, 50);
  testing::FakeSystemColors colors;
  testing::FakeTabStripPlatform platform;
  FailingEvents events;
  TabStrip s(host, surface, colors, platform, &events);
  s.InitNew();
  ExpectError([&] { s.SetActiveTab(1); }, 1004, "TabStrip.ActiveTab");
  EXPECT_EQ(s.ActiveTab(), 0);
  // Through another operation the error still names the switch, where it arose.
  ExpectError([&] { s.ScrollTabs(-1); }, 1004, "TabStrip.ActiveTab");
  events.foreign = true;
  try {
    s.SetActiveTab(2);
    ADD_FAILURE();
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Source(), "TabStrip.ActiveTab");
    EXPECT_EQ(e.Description(), "host handler failed");
  }
}

}  // namespace
}  // namespace kestrune::tabstrip
