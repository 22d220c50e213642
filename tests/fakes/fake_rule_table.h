#pragma once
// The rule list in memory: its rows' cells, their names alone, and the selected row.
#include <array>
#include <string>
#include <vector>

#include "app/rule_editor.h"

namespace kestrune::testing {

class FakeRuleTable : public RuleTable {
 public:
  void SetRows(const std::vector<std::array<std::wstring, 3>>& list) override {
    rows = list;
    items.clear();
    for (const auto& row : rows) items.push_back(row[0]);
    selected = -1;
  }
  int SelectedIndex() const override { return selected; }
  void SetSelectedIndex(int index) override { selected = index < static_cast<int>(rows.size()) ? index : -1; }
  std::vector<std::array<std::wstring, 3>> rows;
  std::vector<std::wstring> items;
  int selected = -1;
};

}  // namespace kestrune::testing
