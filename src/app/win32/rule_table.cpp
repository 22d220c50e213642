#include "app/win32/rule_table.h"

#include <commctrl.h>

#include <iterator>

#include "platform/texts.h"

namespace kestrune {
namespace {

struct RuleColumn {
  TextId header;
  int width;  // 96-dpi pixels
};
constexpr RuleColumn kColumns[] = {{TextId::ColumnProgram, 88}, {TextId::ColumnFront, 70}, {TextId::ColumnBehind, 70}};

}  // namespace

void Win32RuleTable::AddColumns(int dpi) {
  ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(UiTextZ(kColumns[i].header));
    column.cx = MulDiv(kColumns[i].width, dpi, 96);
    column.iSubItem = i;
    ::SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}

void Win32RuleTable::SizeColumns(int dpi) {
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
    ListView_SetColumnWidth(hwnd_, i, MulDiv(kColumns[i].width, dpi, 96));
}

void Win32RuleTable::SetRows(const std::vector<std::array<std::wstring, 3>>& rows) {
  ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const std::array<std::wstring, 3>& cells = rows[static_cast<std::size_t>(row)];
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(cells[0].c_str());
    ::SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < 3; ++column) {
      LVITEMW cell{};
      cell.iSubItem = column;
      cell.pszText = const_cast<wchar_t*>(cells[static_cast<std::size_t>(column)].c_str());
      ::SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    }
  }
  ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

int Win32RuleTable::SelectedIndex() const {
  return static_cast<int>(::SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32RuleTable::SetSelectedIndex(int index) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  ::SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (index < 0) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
  ::SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

bool IsSelectionChange(LPARAM notification, int id) {
  const auto* header = reinterpret_cast<const NMHDR*>(notification);
  if (header == nullptr || static_cast<int>(header->idFrom) != id || header->code != LVN_ITEMCHANGED) return false;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(notification);
  return (change->uChanged & LVIF_STATE) != 0 && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) != 0;
}

}  // namespace kestrune
