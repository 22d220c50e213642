#pragma once
// The history's rows in memory, as the list view would hold them.
#include <string>
#include <string_view>
#include <vector>

#include "engine/history.h"

namespace kestrune::testing {

class FakeHistoryRows : public HistoryRows {
 public:
  int RowCount() const override { return static_cast<int>(rows.size()); }
  void Clear() override {
    ++clears;
    rows.clear();
  }
  void AddRow(std::wstring_view itemText) override { rows.push_back({std::wstring(itemText), L"", L"", L""}); }
  void SetCell(int row, int column, std::wstring_view text) override {
    rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = text;
  }
  std::wstring Cell(int row, int column) const override {
    return rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
  }
  std::vector<std::vector<std::wstring>> rows;
  int clears = 0;
};

}  // namespace kestrune::testing
