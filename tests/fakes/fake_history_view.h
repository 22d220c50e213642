#pragma once
// The list view that shows the history's rows, in memory: each row as its four cells.
#include <string>
#include <vector>

#include "engine/history.h"

namespace kestrune::testing {

class FakeHistoryView : public HistoryView {
 public:
  void Clear() override {
    ++clears;
    rows.clear();
  }
  void AddRow(const HistoryRow& row) override { rows.push_back({row.number, row.time, row.title, row.level}); }
  int RowCount() const { return static_cast<int>(rows.size()); }
  std::wstring Cell(int row, int column) const {
    return rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
  }
  std::vector<std::vector<std::wstring>> rows;
  int clears = 0;
};

}  // namespace kestrune::testing
