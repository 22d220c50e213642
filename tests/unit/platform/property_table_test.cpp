#include "platform/property_table.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kestrune {
namespace {

// A control's persisted state with one property of each stored kind and a host-given default.
struct Model {
  std::int32_t height = -1;
  bool enabled = false;
  OleColor color = 0;
  std::wstring caption;
  Font font;
  Picture picture;
  Font ambientFont;  // what the host would give; not persisted

  static PropertyValue AmbientFont(const Model& m) { return m.ambientFont; }
  static constexpr std::array<PersistedProperty<Model>, 6> kTable{{
      {"Height", &Model::height, std::int32_t{20}},
      {"Enabled", &Model::enabled, true},
      {"Color", &Model::color, OleColor{0x8000000F}},
      {"Caption", &Model::caption, L"Tab"},
      {"Font", &Model::font, &Model::AmbientFont},
      {"Picture", &Model::picture, std::monostate{}},
  }};
};

Model WithAmbientFont() {
  Model m;
  m.ambientFont.name = L"Ambient";
  m.ambientFont.size = 12;
  return m;
}

std::vector<std::string> Keys(const PropertyBag& bag) {
  std::vector<std::string> keys;
  for (const auto& entry : bag.Entries()) keys.push_back(entry.first);
  return keys;
}

TEST(PropertyTable, ResetGivesEveryDefaultAndSavingDefaultsWritesNothing) {
  Model m = WithAmbientFont();
  m.picture.kind = Picture::Kind::Bitmap;
  ResetProperties<Model>(Model::kTable, m);
  EXPECT_EQ(m.height, 20);
  EXPECT_TRUE(m.enabled);
  EXPECT_EQ(m.color, 0x8000000Fu);
  EXPECT_EQ(m.caption, L"Tab");
  EXPECT_EQ(m.font, m.ambientFont);
  EXPECT_TRUE(m.picture.Empty());

  PropertyBag bag;
  SaveProperties<Model>(Model::kTable, m, bag);
  EXPECT_TRUE(bag.Entries().empty());
}

TEST(PropertyTable, ChangedValuesRoundTripInTableOrderWithColoursStoredAsIntegers) {
  Model m = WithAmbientFont();
  ResetProperties<Model>(Model::kTable, m);
  m.caption = L"状態";
  m.height = 25;
  m.color = 0x80000012;
  m.font.bold = true;
  PropertyBag bag;
  SaveProperties<Model>(Model::kTable, m, bag);
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Height", "Color", "Caption", "Font"}));
  EXPECT_EQ(bag.Read<std::int32_t>("Color", 0), static_cast<std::int32_t>(0x80000012u));

  Model loaded = WithAmbientFont();
  LoadProperties<Model>(Model::kTable, bag, loaded);
  EXPECT_EQ(loaded.caption, L"状態");
  EXPECT_EQ(loaded.height, 25);
  EXPECT_EQ(loaded.color, 0x80000012u);
  EXPECT_EQ(loaded.font, m.font);
  EXPECT_TRUE(loaded.enabled);
}

TEST(PropertyTable, AMissingKeyOrAValueOfAnotherTypeLoadsTheDefault) {
  PropertyBag bag;
  bag.Set<std::wstring>("Height", L"30");  // wrong type
  bag.Set<bool>("Enabled", false);
  Model m = WithAmbientFont();
  m.caption = L"leftover";
  LoadProperties<Model>(Model::kTable, bag, m);
  EXPECT_EQ(m.height, 20);
  EXPECT_FALSE(m.enabled);
  EXPECT_EQ(m.caption, L"Tab");
  EXPECT_EQ(m.font, m.ambientFont);
}

// One record of a list: keys carry the index, and a default may depend on it.
struct Item {
  std::wstring caption;
  bool enabled = false;
  static PropertyValue NumberedCaption(const Item&, int index) { return L"Item" + std::to_wstring(index); }
  static constexpr std::array<PersistedProperty<Item>, 2> kTable{{
      {"Caption(", &Item::caption, &Item::NumberedCaption},
      {"Enabled(", &Item::enabled, true},
  }};
};
static_assert(DefaultsFitMembers(Item::kTable) && DefaultsFitMembers(Model::kTable));

TEST(PropertyTable, IndexedRecordsUseTheirIndexInKeysAndDefaults) {
  PropertyBag bag;
  SaveIndexedProperties<Item>(Item::kTable, 2, Item{L"Item2", true}, bag);  // both at their defaults
  SaveIndexedProperties<Item>(Item::kTable, 3, Item{L"Other", false}, bag);
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Caption(3)", "Enabled(3)"}));

  Item two, three;
  LoadIndexedProperties<Item>(Item::kTable, 2, bag, two);
  LoadIndexedProperties<Item>(Item::kTable, 3, bag, three);
  EXPECT_EQ(two.caption, L"Item2");
  EXPECT_TRUE(two.enabled);
  EXPECT_EQ(three.caption, L"Other");
  EXPECT_FALSE(three.enabled);
}

// A default of another kind than its member would silently give the member's empty value; the
// check beside a table catches it when the program is built.
constexpr std::array<PersistedProperty<Model>, 1> kColourGivenAsNumber{{{"Color", &Model::color, std::int32_t{15}}}};
constexpr std::array<PersistedProperty<Model>, 1> kTextGivenAsFlag{{{"Caption", &Model::caption, true}}};
static_assert(!DefaultsFitMembers(kColourGivenAsNumber) && !DefaultsFitMembers(kTextGivenAsFlag));

TEST(PropertyTable, RowsAndMembersAreFoundByKeyAndType) {
  constexpr std::array<PersistedProperty<Model>, 2> table{{
      {"Height", &Model::height, std::int32_t{20}, PersistedProperty<Model>::OnSet::kStoreOnly},
      {"Color", &Model::color, OleColor{0}, PersistedProperty<Model>::OnSet::kOwnSetter},
  }};
  const std::span<const PersistedProperty<Model>> rows(table);
  Model m;
  PropertyMember<std::int32_t>(PlainPropertyRow(rows, "Height"), m) = 7;
  EXPECT_EQ(m.height, 7);
  EXPECT_EQ(PropertyMember<OleColor>(PropertyRow(rows, "Color"), m), 0u);
  EXPECT_THROW(PlainPropertyRow(rows, "Color"), std::invalid_argument);  // it has a setter of its own
  EXPECT_THROW(PropertyRow(rows, "height"), std::invalid_argument);      // keys are exact
  EXPECT_THROW(PropertyMember<bool>(PropertyRow(rows, "Height"), m), std::invalid_argument);
}

}  // namespace
}  // namespace kestrune
