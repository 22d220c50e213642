// The layout alone: model values and a fixed text measure in, rectangles out; no surface.
#include "controls/tabstrip/tab_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "controls/tabstrip/tab_colors.h"

namespace kestrune::tabstrip {
namespace {

// 6 pixels a character and 12 high, as the raster surface measures a 9-point font; drawn text
// loses its access-key marks ("&&" stays one "&").
class FixedMeasure : public TextMeasure {
 public:
  int Width(const Font& font, std::wstring_view text) override {
    boldAsked.push_back(font.bold);
    return 6 * static_cast<int>(text.size());
  }
  Rect Extent(const Font&, std::wstring_view text, const Rect& rect, unsigned) override {
    int shown = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == L'&' && i + 1 < text.size()) ++i;
      ++shown;
    }
    return Rect{rect.left, rect.top, rect.left + 6 * shown, rect.top + 12};
  }
  std::vector<bool> boldAsked;
};

Picture Square16() {
  Picture p;
  p.kind = Picture::Kind::Icon;
  p.width = p.height = 16;
  p.pixels.assign(256, 0xFF);
  return p;
}

TabStripModel ModelWith(std::vector<std::wstring> captions, int active) {
  TabStripModel m;
  m.tabCount = static_cast<int>(captions.size());
  m.FitTabsToCount();
  for (int i = 0; i < m.tabCount; ++i) m.Tab(i).caption = captions[static_cast<std::size_t>(i)];
  m.activeTab = active;
  m.activeTabFont.bold = true;
  return m;
}

TEST(TabLayout, EachThemeAndStyleHasItsLook) {
  using L = TabLook;
  const struct {
    int theme, style;
    std::optional<TabLook> look;
  } cases[] = {{kThemeClassic, kTabbedDialog, L::kClassicTabbed}, {kThemeClassic, kPropertyPages, L::kClassicPages},
               {kThemeXP, kTabbedDialog, L::kXpTabbed},           {kThemeXP, kPropertyPages, L::kXpPages},
               {kThemeBeige, kTabbedDialog, L::kXpTabbed},        {kThemeBeige, kPropertyPages, L::kXpPages},
               {kThemeFlat, kTabbedDialog, L::kFlatPages},        {kThemeFlat, kPropertyPages, L::kFlatPages},
               {kThemeRounded, kTabbedDialog, L::kRoundedTabbed}, {kThemeRounded, kPropertyPages, L::kRoundedPages},
               {5, kTabbedDialog, std::nullopt},                  {-1, kPropertyPages, std::nullopt},
               {kThemeClassic, 2, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(LookOf(c.theme, c.style), c.look) << c.theme << "/" << c.style;
}

struct RowCase {
  const char* name;
  TabLook look;
  int width;
  std::vector<std::wstring> captions;
  int active;
  bool closeBoxes;
  bool pictureOnFirst;
  std::vector<Rect> tabs;
  std::vector<Rect> boxes;  // empty: not checked
};

TEST(TabLayout, TabAndCloseBoxRectangles) {
  const std::vector<std::wstring> three = {L"Tab 0", L"Tab 1", L"Tab 2"};
  const std::vector<std::wstring> marks = {L"&File", L"File", L"Save && Exit"};  // measured "&Fil", "Save & Exi"
  const RowCase rows[] = {
      // Equal widths fill the strip; the last tab ends one pixel short; the active tab is 20 high.
      {"classic tabbed", TabLook::kClassicTabbed, 300, three, 0, false, false,
       {{0, 2, 100, 22}, {100, 0, 200, 22}, {200, 0, 299, 22}},
       {{86, 7, 96, 17}, {186, 5, 196, 15}, {285, 5, 295, 15}}},
      {"xp tabbed boxes", TabLook::kXpTabbed, 300, three, 0, false, false,
       {{0, 2, 100, 22}, {100, 0, 200, 22}, {200, 0, 299, 22}},
       {{87, 8, 97, 18}, {187, 6, 197, 16}, {286, 6, 296, 16}}},
      {"rounded tabs reach 2 lower", TabLook::kRoundedTabbed, 300, three, 0, false, false,
       {{0, 2, 100, 24}, {100, 0, 200, 24}, {200, 0, 299, 24}}, {}},
      // 250 / 4 = 62.5 rounds to 62.
      {"widths round to even", TabLook::kXpTabbed, 250, {L"a", L"b", L"c", L"d"}, 0, false, false,
       {{0, 2, 62, 22}, {62, 0, 124, 22}, {124, 0, 186, 22}, {186, 0, 249, 22}}, {}},
      // Text width: 6 px a character and 14 of margins; a gap of one pixel between tabs.
      {"classic pages", TabLook::kClassicPages, 400, marks, 0, false, false,
       {{0, 2, 38, 22}, {39, 0, 77, 22}, {78, 0, 152, 22}}, {}},
      {"first tab inactive starts at 2", TabLook::kClassicPages, 400, marks, 1, false, false,
       {{2, 0, 38, 22}, {39, 2, 77, 22}, {78, 0, 152, 22}}, {}},
      {"xp pages join the active tab", TabLook::kXpPages, 400, marks, 1, false, false,
       {{2, 0, 39, 22}, {39, 2, 77, 22}, {77, 0, 151, 22}}, {}},
      {"xp pages with close boxes", TabLook::kXpPages, 400, marks, 1, true, false,
       {{2, 0, 54, 22}, {54, 2, 113, 22}, {113, 0, 202, 22}}, {}},
      // A picture adds its edge, min(16, 22 - 2), and one pixel.
      {"xp pages with a picture", TabLook::kXpPages, 400, marks, 1, false, true,
       {{2, 0, 56, 22}, {56, 2, 94, 22}, {94, 0, 168, 22}}, {}},
      {"flat", TabLook::kFlatPages, 400, {L"Tab 0", L"Longer caption", L"Tab 2"}, 0, false, false,
       {{0, 2, 44, 22}, {45, 0, 143, 22}, {144, 0, 188, 22}},
       {{31, 7, 41, 17}, {130, 5, 140, 15}, {175, 5, 185, 15}}},
      // The rounded look gives a picture 4 more, and the active tab 6 for its close box.
      {"rounded pages", TabLook::kRoundedPages, 400, three, 2, true, true,
       {{2, 0, 65, 24}, {66, 0, 110, 24}, {111, 2, 161, 24}}, {}},
  };
  for (const RowCase& row : rows) {
    TabStripModel m = ModelWith(row.captions, row.active);
    m.useControlBox = row.closeBoxes;
    if (row.pictureOnFirst) m.Tab(0).picture = Square16();
    FixedMeasure measure;
    const std::vector<TabGeometry> got = LayOutTabs(row.look, m, row.width, 16, measure);
    ASSERT_EQ(got.size(), row.tabs.size()) << row.name;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].tab, row.tabs[i]) << row.name << ", tab " << i;
      if (!row.boxes.empty()) {
        EXPECT_EQ(got[i].closeBox, row.boxes[i]) << row.name << ", tab " << i;
      }
    }
    // Text-width tabs are measured in one font: the plain one in the XP look, else the bold one.
    const bool textWidth = IsTextWidth(row.look);
    EXPECT_EQ(measure.boldAsked.size(), textWidth ? row.tabs.size() : 0u) << row.name;
    for (bool bold : measure.boldAsked) EXPECT_EQ(bold, row.look != TabLook::kXpPages) << row.name;
  }
}

struct CaptionCase {
  const char* name;
  TabLook look;
  Rect tabRect;
  bool active;
  bool picture;
  int align;
  Rect caption;
  Rect pictureRect;  // checked when the tab has a picture
};

TEST(TabLayout, CaptionAndPicturePlacement) {
  const CaptionCase rows[] = {
      // Centred in the tab: left = nearest(3 - 1 + 100/2 - 15/2), top = nearest(22/2 + 5 - 17/2).
      {"tabbed centred", TabLook::kClassicTabbed, {0, 2, 100, 22}, true, false, kPicTabLeft, {44, 8, 58, 21}, {}},
      {"tabbed picture left", TabLook::kClassicTabbed, {100, 0, 200, 22}, false, true, kPicTabLeft,
       {144, 6, 158, 19}, {103, 5, 119, 21}},
      {"active tab's picture one in and one up", TabLook::kClassicTabbed, {100, 0, 200, 22}, true, true, kPicTabLeft,
       {144, 6, 158, 19}, {104, 4, 120, 20}},
      {"tabbed picture right", TabLook::kClassicTabbed, {100, 0, 200, 22}, false, true, kPicTabRight,
       {144, 6, 158, 19}, {182, 5, 198, 21}},
      {"tabbed picture beside the caption", TabLook::kClassicTabbed, {100, 0, 200, 22}, false, true,
       kPicCaptionLeft, {144, 6, 158, 19}, {127, 5, 143, 21}},
      {"rounded picture inset 4", TabLook::kRoundedTabbed, {0, 0, 100, 24}, false, true, kPicTabRight,
       {43, 6, 57, 19}, {79, 4, 95, 20}},
      // Text width: the caption starts 7 in, or after a picture on the left.
      {"pages", TabLook::kClassicPages, {39, 0, 77, 22}, false, false, kPicTabLeft, {46, 5, 60, 18}, {}},
      {"pages picture left", TabLook::kClassicPages, {39, 0, 77, 22}, false, true, kPicCaptionLeft,
       {61, 5, 75, 18}, {43, 3, 59, 19}},
      {"pages picture right", TabLook::kClassicPages, {39, 0, 99, 22}, false, true, kPicTabRight,
       {46, 5, 60, 18}, {65, 3, 81, 19}},
      // The XP pages hand the platform the working rectangle less the picture's room.
      {"xp pages", TabLook::kXpPages, {45, 2, 89, 22}, true, false, kPicTabLeft, {47, 6, 87, 22}, {}},
      {"xp pages picture left", TabLook::kXpPages, {45, 2, 89, 22}, true, true, kPicTabLeft, {62, 6, 87, 22},
       {49, 6, 65, 22}},
      {"xp pages picture right", TabLook::kXpPages, {45, 2, 89, 22}, true, true, kPicCaptionRight, {47, 6, 69, 22},
       {71, 6, 87, 22}},
  };
  for (const CaptionCase& row : rows) {
    TabStripModel m = ModelWith({L"x", L"&Ab"}, row.active ? 1 : 0);
    m.Tab(1).tabRect = row.tabRect;
    m.pictureAlign = row.align;
    if (row.picture) m.Tab(1).picture = Square16();
    FixedMeasure measure;
    const CaptionPlacement got = PlaceCaption(row.look, m, 1, 16, measure);
    EXPECT_EQ(got.caption, row.caption) << row.name;
    if (row.picture) {
      EXPECT_EQ(got.picture, row.pictureRect) << row.name;
    }
  }
}

TEST(TabLayout, FocusMarkGoesAroundTheTextOfACentredCaption) {
  TabStripModel m = ModelWith({L"&Ab"}, 0);
  FixedMeasure measure;
  // 14 x 13 around "Ab", centred: left 47 + nearest(26 / 2), top 6 + nearest(3 / 2).
  EXPECT_EQ(FocusMarkRect(TabLook::kXpPages, m, 0, Rect{47, 6, 87, 22}, measure), (Rect{60, 8, 74, 21}));
  EXPECT_EQ(FocusMarkRect(TabLook::kClassicPages, m, 0, Rect{47, 6, 61, 19}, measure), (Rect{47, 6, 61, 19}));
}

}  // namespace
}  // namespace kestrune::tabstrip
