#include "app/win32/stock_controls.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"

namespace kestrune {

bool Win32CheckBox::Checked() const { return ::SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Win32CheckBox::SetChecked(bool checked) {
  ::SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32ComboBox::AddItem(std::wstring_view text) {
  const std::wstring item(text);
  ::SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int Win32ComboBox::ItemCount() const { return static_cast<int>(::SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }

std::wstring Win32ComboBox::ItemText(int index) const {
  const LRESULT length = ::SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  ::SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int Win32ComboBox::SelectedIndex() const { return static_cast<int>(::SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }

void Win32ComboBox::SetSelectedIndex(int index) { ::SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

std::wstring Win32TextBox::Text() const { return WindowText(hwnd_); }

void Win32TextBox::SetText(std::wstring_view text) { kestrune::SetText(hwnd_, text); }

void Win32Label::Attach(HWND hwnd, HWND tooltipHost) {
  hwnd_ = hwnd;
  tooltip_ = tooltipHost;
  if (tooltip_ == nullptr) return;
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = ::GetParent(hwnd_);
  info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  info.lpszText = const_cast<wchar_t*>(L"");
  ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

std::wstring Win32Label::Caption() const { return WindowText(hwnd_); }

void Win32Label::SetCaption(std::wstring_view text) { SetText(hwnd_, text); }

void Win32Label::SetTooltip(std::wstring_view text) {
  if (tooltip_ == nullptr) return;
  std::wstring copy(text);
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.hwnd = ::GetParent(hwnd_);
  info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  info.lpszText = copy.data();
  ::SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void Win32Label::SetHot(bool hot) {
  hot_ = hot;
  if (hotFont_ != nullptr && normalFont_ != nullptr)
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hot ? hotFont_ : normalFont_), FALSE);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32HistoryList::Clear() { ListView_DeleteAllItems(hwnd_); }

void Win32HistoryList::AddRow(const HistoryRow& row) {
  std::wstring number = row.number;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = static_cast<int>(ListView_GetItemCount(hwnd_));
  item.iImage = 0;  // the first image of the small image list
  item.pszText = number.data();
  const auto index = static_cast<int>(::SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  SetCell(index, 1, row.time);
  SetCell(index, 2, row.title);
  SetCell(index, 3, row.level);
}

void Win32HistoryList::SetCell(int row, int column, const std::wstring& text) {
  std::wstring copy(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = copy.data();
  ::SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace kestrune
