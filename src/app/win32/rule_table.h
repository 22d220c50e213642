#pragma once
// The advanced page's rule list over a report-style list view: one row per program, the column
// headers naming the program and its two choices (they are also what screen readers read for each
// cell). The window tells the page of a changed selection (IsSelectionChange), which shows the row's
// choices in the two boxes under the list.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/rule_editor.h"

namespace kestrune {

class Win32RuleTable : public RuleTable {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  // The three columns, their widths scaled for this resolution; again on a change of resolution.
  void AddColumns(int dpi);
  void SizeColumns(int dpi);
  void SetRows(const std::vector<std::array<std::wstring, 3>>& rows) override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int index) override;

 private:
  HWND hwnd_ = nullptr;
};

// Whether a WM_NOTIFY from the control with this id reports that a row was selected or deselected.
bool IsSelectionChange(LPARAM notification, int id);

}  // namespace kestrune
