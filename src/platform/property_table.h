#pragma once
// One table of (key, member, default) per own control drives its three uses of a persisted
// property: a new control's initial values, loading from the host's set and saving to it. Each
// default is therefore written once; the table's order is the order in which keys are saved.
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
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
  using Member = std::variant<std::int32_t Model::*, bool Model::*, OleColor Model::*, std::wstring Model::*,
                              Font Model::*, Picture Model::*>;
  // std::monostate: the member type's empty value (an empty picture or text).
  using Default = std::variant<std::monostate, std::int32_t, bool, OleColor, const wchar_t*, Computed>;

  const char* key;
  Member member;
  Default defaultValue;
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

template <class Model, typename T>
Stored<T> DefaultOf(const PersistedProperty<Model>& p, const Model& model) {
  using Computed = typename PersistedProperty<Model>::Computed;
  if (const Computed* fn = std::get_if<Computed>(&p.defaultValue)) {
    const PropertyValue computed = (*fn)(model);
    if (const Stored<T>* typed = std::get_if<Stored<T>>(&computed)) return *typed;
    return Stored<T>{};
  }
  if constexpr (std::is_same_v<T, std::wstring>) {
    if (const auto* text = std::get_if<const wchar_t*>(&p.defaultValue)) return std::wstring(*text);
  } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, bool> || std::is_same_v<T, OleColor>) {
    if (const T* value = std::get_if<T>(&p.defaultValue)) return ToStored(*value);
  }
  return Stored<T>{};
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
          model.*member = d::FromStored<T>(d::DefaultOf<Model, T>(p, model));
        },
        p.member);
  }
}

// Every member from the set; a missing key (or a value of another type) gives the default. No
// setter runs: the caller applies what loading implies (drawing, window state) afterwards.
template <class Model>
void LoadProperties(std::span<const PersistedProperty<Model>> table, const PropertyBag& bag, Model& model) {
  namespace d = property_table_detail;
  for (const auto& p : table) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(model.*member)>;
          model.*member = d::FromStored<T>(bag.Read<d::Stored<T>>(p.key, d::DefaultOf<Model, T>(p, model)));
        },
        p.member);
  }
}

// Every member into the set, in table order; a value equal to its default is left out.
template <class Model>
void SaveProperties(std::span<const PersistedProperty<Model>> table, const Model& model, PropertyBag& bag) {
  namespace d = property_table_detail;
  for (const auto& p : table) {
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(model.*member)>;
          bag.Write<d::Stored<T>>(p.key, d::ToStored(model.*member), d::DefaultOf<Model, T>(p, model));
        },
        p.member);
  }
}

}  // namespace kestrune
