// The tab pictures of the main window, at the resolutions the system offers: the strip's own set
// and the pictures scale together.
#include "app/tab_images.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/form_main_tabstrip_props.h"
#include "controls/tabstrip/tab_layout.h"

namespace kestrune::tabstrip {
namespace {

// Text as wide and high as a 9-point font at `dpi`, so the tabs are as wide as on the screen.
class ScaledMeasure : public TextMeasure {
 public:
  explicit ScaledMeasure(int dpi) : dpi_(dpi) {}
  int Width(const Font&, std::wstring_view text) override { return ScaleToDpi(6, dpi_) * static_cast<int>(text.size()); }
  Rect Extent(const Font& font, std::wstring_view text, const Rect& rect, unsigned) override {
    return Rect{rect.left, rect.top, rect.left + Width(font, text), rect.top + ScaleToDpi(12, dpi_)};
  }

 private:
  int dpi_;
};

// The pictures grow with the resolution, and the tabs with them: each picture keeps its full size
// and sits centred inside its tab, above the page's edge, the inactive ones as well as the active one.
TEST(TabImages, PicturesGrowWithTheResolutionAndStayCentredInTheirTabs) {
  for (const int dpi : {96, 120, 144, 192}) {
    TabStripModel m;
    ASSERT_TRUE(m.Load(TabStripMainProperties(Font{}, dpi)));
    m.activeTab = 3;
    const int size = IconSizeForDpi(m.pictureSize, dpi);
    EXPECT_EQ(size, dpi / 6) << dpi;
    EXPECT_EQ(IconSizeForDpi(kPicLarge, dpi), dpi / 3) << dpi;
    const std::vector<Picture> images = TabMainImages(size);
    ASSERT_EQ(images.size(), 5u);
    for (int i = 0; i < m.tabCount; ++i) m.Tab(i).picture = images[static_cast<std::size_t>(i)];
    ScaledMeasure measure(dpi);
    const TabLook look = *LookOf(m.tabTheme, m.tabStyle);
    const std::vector<TabGeometry> row = LayOutTabs(look, m, ScaleToDpi(473, dpi), size, measure);
    for (int i = 0; i < m.tabCount; ++i) m.Tab(i).tabRect = row[static_cast<std::size_t>(i)].tab;
    for (int i = 0; i < m.tabCount; ++i) {
      const Rect tab = m.Tab(i).tabRect;
      const Rect picture = PlaceCaption(look, m, i, size, measure).picture;
      EXPECT_EQ(images[static_cast<std::size_t>(i)].width, size);
      EXPECT_EQ(picture.Width(), size) << dpi << " tab " << i;
      EXPECT_EQ(picture.Height(), size) << dpi << " tab " << i;
      // Centred below the look's four-pixel band, and clear of the page's edge, the tab's last row.
      const int above = picture.top - (tab.top + 4);
      const int below = tab.bottom - picture.bottom;
      EXPECT_GE(below, 1) << dpi << " tab " << i;
      EXPECT_LE(std::abs(above - below), 1) << dpi << " tab " << i;
    }
  }
}

// Scaled by a whole factor, each cell of a picture becomes a block of equal pixels.
TEST(TabImages, ScaleInWholeBlocks) {
  const std::vector<Picture> small = TabMainImages(16);
  const std::vector<Picture> large = TabMainImages(32);
  ASSERT_EQ(small.size(), large.size());
  for (std::size_t i = 0; i < small.size(); ++i) {
    ASSERT_EQ(small[i].width, 16);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) ASSERT_EQ(large[i].At(x, y), small[i].At(x / 2, y / 2)) << i;
  }
}

}  // namespace
}  // namespace kestrune::tabstrip
