#pragma once
// One table of (key, member, default) per own control drives its three uses of a persisted
// property: a new control's initial values, loading from the host's set and saving to it. Each
// default is therefore written once; the table's order is the order in which keys are saved.
//
// A table can also describe one record of a list (a tab): its keys are then the key text followed
// by the record's index and ")" ("TabCaption(" gives "TabCaption(0)"), and a default may depend on
// that index.
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/picture.h"
#include "platform/property_bag.h"

namespace kestrune {

template <class Model>
struct PersistedProperty {
  // A default that depends on the host or the system (the ambient font, a system colour resolved
  // to RGB), computed each time it is needed from the model that owns the property.
  using Computed = PropertyValue (*)(const Model&);
  // A default of an indexed record that depends on the record's index.
  using ComputedAt = PropertyValue (*)(const Model&, int index);
  using Member = std::variant<std::int32_t Model::*, bool Model::*, OleColor Model::*, std::wstring Model::*,
                              Font Model::*, Picture Model::*>;
  // std::monostate: the member type's empty value (an empty picture or text).
  using Default = std::variant<std::monostate, std::int32_t, bool, OleColor, const wchar_t*, Computed, ComputedAt>;

  const char* key;
  Member member;
  Default defaultValue;
  // What setting it through the table does besides storing and telling the host: redraw the
  // control, nothing more, or nothing at all because it has a setter of its own (which then
  // applies what the property implies: window state, derived colours, validation ...).
  enum class OnSet : std::uint8_t { kRedraw, kStoreOnly, kOwnSetter };
  OnSet onSet = OnSet::kRedraw;
};

namespace property_table_detail {

// Colours are kept in the set as 32-bit integers, as the saved forms hold them.
template <typename T>
using Stored = std::conditional_t<std::is_same_v<T, OleColor>, std::int32_t, T>;

template <typename T>
Stored<T> ToStored(const T& value) {
  if constexpr (std::is_same_v<T, OleColor>) {
    return static_cast<std::int32_t>(value);
  } else {
    return value;
  }
}

template <typename T>
T FromStored(const Stored<T>& value) {
  if constexpr (std::is_same_v<T, OleColor>) {
    return static_cast<OleColor>(value);
  } else {
    return value;
  }
}

// No index: a plain (not indexed) table.
inline constexpr int kNoIndex = -1;

inline std::string KeyOf(const char* key, int index) {
  return index == kNoIndex ? std::string(key) : std::string(key) + std::to_string(index) + ")";
}

template <typename T>
T TypedOr(const PropertyValue& value) {
  if (const T* typed = std::get_if<T>(&value)) return *typed;
  return T{};
}

template <class Model, typename T>
Stored<T> DefaultOf(const PersistedProperty<Model>& p, const Model& model, int index) {
  using Computed = typename PersistedProperty<Model>::Computed;
  using ComputedAt = typename PersistedProperty<Model>::ComputedAt;
  if (const Computed* fn = std::get_if<Computed>(&p.defaultValue)) return TypedOr<Stored<T>>((*fn)(model));
  if (const ComputedAt* fn = std::get_if<ComputedAt>(&p.defaultValue)) return TypedOr<Stored<T>>((*fn)(model, index));
  if constexpr (std::is_same_v<T, std::wstring>) {
    if (const auto* text = std::get_if<const wchar_t*>(&p.defaultValue)) return std::wstring(*text);
  } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, bool> || std::is_same_v<T, OleColor>) {
    if (const T* value = std::get_if<T>(&p.defaultValue)) return ToStored(*value);
  }
  return Stored<T>{};
}

template <class Model>
void Load(std::span<const PersistedProperty<Model>> table, const PropertyBag& bag, Model& model, int index) {
  for (const auto& p : table) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(model.*member)>;
          model.*member = FromStored<T>(bag.Read<Stored<T>>(KeyOf(p.key, index), DefaultOf<Model, T>(p, model, index)));
        },
        p.member);
  }
}

template <class Model>
void Save(std::span<const PersistedProperty<Model>> table, const Model& model, PropertyBag& bag, int index) {
  for (const auto& p : table) {
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(model.*member)>;
          bag.Write<Stored<T>>(KeyOf(p.key, index), ToStored(model.*member), DefaultOf<Model, T>(p, model, index));
        },
        p.member);
  }
}

// Whether a default can give its member's value: the same kind, text for a string, or nothing or
// computed for any member. Anything else would silently give the member's empty value.
template <class Model>
constexpr bool DefaultFits(const PersistedProperty<Model>& p) {
  using Entry = PersistedProperty<Model>;
  if (std::holds_alternative<std::monostate>(p.defaultValue) ||
      std::holds_alternative<typename Entry::Computed>(p.defaultValue) ||
      std::holds_alternative<typename Entry::ComputedAt>(p.defaultValue))
    return true;
  return std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(std::declval<Model&>().*member)>;
        if constexpr (std::is_same_v<T, std::wstring>) return std::holds_alternative<const wchar_t*>(p.defaultValue);
        else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, bool> || std::is_same_v<T, OleColor>)
          return std::holds_alternative<T>(p.defaultValue);
        else return false;
      },
      p.member);
}

}  // namespace property_table_detail

// A new control's values: every member gets its default.
template <class Model>
void ResetProperties(std::span<const PersistedProperty<Model>> table, Model& model) {
  namespace d = property_table_detail;
  for (const auto& p : table) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(model.*member)>;
          model.*member = d::FromStored<T>(d::DefaultOf<Model, T>(p, model, d::kNoIndex));
        },
        p.member);
  }
}

// Every member from the set; a missing key (or a value of another type) gives the default. No
// setter runs: the caller applies what loading implies (drawing, window state) afterwards.
template <class Model>
void LoadProperties(std::span<const PersistedProperty<Model>> table, const PropertyBag& bag, Model& model) {
  property_table_detail::Load(table, bag, model, property_table_detail::kNoIndex);
}

// Every member into the set, in table order; a value equal to its default is left out.
template <class Model>
void SaveProperties(std::span<const PersistedProperty<Model>> table, const Model& model, PropertyBag& bag) {
  property_table_detail::Save(table, model, bag, property_table_detail::kNoIndex);
}

// The same for record `index` of a list, under the indexed keys ("TabCaption(" + index + ")").
template <class Model>
void LoadIndexedProperties(std::span<const PersistedProperty<Model>> table, int index, const PropertyBag& bag,
                           Model& record) {
  property_table_detail::Load(table, bag, record, index);
}
template <class Model>
void SaveIndexedProperties(std::span<const PersistedProperty<Model>> table, int index, const Model& record,
                           PropertyBag& bag) {
  property_table_detail::Save(table, record, bag, index);
}

// The row of key; std::invalid_argument when the table has none.
template <class Model>
const PersistedProperty<Model>& PropertyRow(std::span<const PersistedProperty<Model>> table, std::string_view key) {
  for (const auto& p : table)
    if (key == p.key) return p;
  throw std::invalid_argument("no property " + std::string(key));
}

// The member a row names, asked for as T; std::invalid_argument when it is of another type.
template <typename T, class Model>
T& PropertyMember(const PersistedProperty<Model>& row, Model& model) {
  if (const auto* member = std::get_if<T Model::*>(&row.member)) return model.**member;
  throw std::invalid_argument(std::string("another type of value for ") + row.key);
}
template <typename T, class Model>
const T& PropertyMember(const PersistedProperty<Model>& row, const Model& model) {
  return PropertyMember<T>(row, const_cast<Model&>(model));
}

// The row of a property that is set through the table, for a control's generic Set: one with a
// setter of its own must be set through that setter.
template <class Model>
const PersistedProperty<Model>& PlainPropertyRow(std::span<const PersistedProperty<Model>> table,
                                                  std::string_view key) {
  const auto& row = PropertyRow(table, key);
  if (row.onSet == PersistedProperty<Model>::OnSet::kOwnSetter)
    throw std::invalid_argument(std::string(row.key) + " has a setter of its own");
  return row;
}

// For a static_assert beside a table: every default has the kind of its member.
template <class Model, std::size_t N>
constexpr bool DefaultsFitMembers(const std::array<PersistedProperty<Model>, N>& table) {
  for (const auto& p : table)
    if (!property_table_detail::DefaultFits(p)) return false;
  return true;
}

}  // namespace kestrune
