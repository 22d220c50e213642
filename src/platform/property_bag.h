#pragma once
// The persisted property set a host keeps for one own control: (key, value) pairs in write order.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/font.h"
#include "platform/picture.h"

namespace kestrune {

using PropertyValue = std::variant<std::int32_t, bool, double, std::wstring, Font, Picture>;

class PropertyBag {
 public:
  // Reads key; a missing key (or a value of another type) gives the default.
  template <typename T>
  T Read(const std::string& key, const T& defaultValue) const {
    if (const PropertyValue* v = Find(key)) {
      if (const T* typed = std::get_if<T>(v)) return *typed;
    }
    return defaultValue;
  }

  // Writes key; a value equal to its default is left out, as hosts do.
  template <typename T>
  void Write(const std::string& key, const T& value, const T& defaultValue) {
    Erase(key);
    if (!(value == defaultValue)) entries_.emplace_back(key, PropertyValue(value));
  }
  template <typename T>
  void Set(const std::string& key, const T& value) {
    Erase(key);
    entries_.emplace_back(key, PropertyValue(value));
  }

  bool Contains(const std::string& key) const { return Find(key) != nullptr; }
  const std::vector<std::pair<std::string, PropertyValue>>& Entries() const { return entries_; }
  void Clear() { entries_.clear(); }

 private:
  const PropertyValue* Find(const std::string& key) const {
    for (const auto& [k, v] : entries_)
      if (k == key) return &v;
    return nullptr;
  }
  void Erase(const std::string& key) {
    std::erase_if(entries_, [&](const auto& e) { return e.first == key; });
  }
  std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace kestrune
