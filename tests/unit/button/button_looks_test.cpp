// Every button type in every look, written as images and checked to differ where the looks differ.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button_rig.h"
#include "support/raster_images.h"

namespace kestrune::button {
namespace {

using testing::ButtonRig;
using kestrune::testing::Pixels;

enum class LookKind { Normal, Hover, Pressed, Focused, Disabled };
const char* Name(LookKind k) {
  switch (k) {
    case LookKind::Normal: return "normal";
    case LookKind::Hover: return "hover";
    case LookKind::Pressed: return "pressed";
    case LookKind::Focused: return "focused";
    case LookKind::Disabled: return "disabled";
  }
  return "?";
}

// Brings a fresh button of the given type into one look through its ordinary handlers.
void Show(ButtonRig& rig, int type, int scheme, LookKind kind) {
  rig.button.InitNew();
  rig.button.SetCaption(L"E&xit");
  rig.button.SetColorScheme(scheme);
  rig.button.SetButtonType(static_cast<ButtonKind>(type));
  switch (kind) {
    case LookKind::Normal: break;
    case LookKind::Hover: rig.button.OnMouseMove(0, 0, 5, 5); break;
    case LookKind::Pressed: rig.button.OnMouseDown(1, 0, 5, 5); break;
    case LookKind::Focused: rig.button.OnGotFocus(); break;
    case LookKind::Disabled: rig.button.SetEnabled(false); break;
  }
}

struct TypeCase {
  int type;
  int scheme;
};

class ButtonLooksTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ButtonLooksTest, EveryLookIsDrawnAndDiffersFromTheOthers) {
  const TypeCase& c = GetParam();
  const std::vector<LookKind> kinds{LookKind::Normal, LookKind::Hover, LookKind::Pressed, LookKind::Focused,
                                    LookKind::Disabled};
  std::vector<std::vector<Rgb>> images;
  for (LookKind kind : kinds) {
    ButtonRig rig;
    Show(rig, c.type, c.scheme, kind);
    const std::string file = "button_type" + std::to_string(c.type) + "_scheme" + std::to_string(c.scheme) + "_" +
                             Name(kind) + ".png";
    EXPECT_TRUE(rig.surface.WritePng(testing::ArtifactPath(file))) << file;
    images.push_back(Pixels(rig.surface));
    // The caption is drawn in every look: some pixels differ from the face around the text centre.
    const Rgb around = rig.Pixel(20, 11);
    int textPixels = 0;
    for (int x = 28; x < 48; ++x)
      for (int y = 5; y < 18; ++y) textPixels += rig.Pixel(x, y) != around;
    EXPECT_GT(textPixels, 10) << file;
  }
  for (std::size_t i = 0; i < images.size(); ++i)
    for (std::size_t j = i + 1; j < images.size(); ++j)
      EXPECT_NE(images[i], images[j]) << Name(kinds[i]) << " vs " << Name(kinds[j]);
}

INSTANTIATE_TEST_SUITE_P(Types, ButtonLooksTest,
                         ::testing::Values(TypeCase{1, 1}, TypeCase{2, 1}, TypeCase{3, 1}, TypeCase{4, 1},
                                           TypeCase{5, 1}, TypeCase{1, 3}, TypeCase{2, 2}, TypeCase{3, 2},
                                           TypeCase{5, 3}),
                         [](const ::testing::TestParamInfo<TypeCase>& p) {
                           return "Type" + std::to_string(p.param.type) + "Scheme" +
                                  std::to_string(p.param.scheme);
                         });

}  // namespace
}  // namespace kestrune::button
