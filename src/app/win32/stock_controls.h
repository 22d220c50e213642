#pragma once
// The program's control interfaces over real Windows controls. Setting a state never tells the
// program: only the user's change of a control does.
#include <windows.h>

#include "app/ui.h"
#include "engine/history.h"

namespace kestrune {

class Win32CheckBox : public CheckBox {
 public:
  explicit Win32CheckBox(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  bool Checked() const override;
  void SetChecked(bool checked) override;

 private:
  HWND hwnd_;
};

class Win32ComboBox : public ComboBox {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void AddItem(std::wstring_view text) override;
  int ItemCount() const override;
  std::wstring ItemText(int index) const override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int index) override;

 private:
  HWND hwnd_ = nullptr;
};

class Win32TextBox : public TextBox {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  std::wstring Text() const override;
  void SetText(std::wstring_view text) override;

 private:
  HWND hwnd_ = nullptr;
};

class Win32Label : public LinkLabel {
 public:
  // tooltipHost: the tooltip control that shows this label's tooltip (may be null).
  void Attach(HWND hwnd, HWND tooltipHost = nullptr);
  std::wstring Caption() const override;
  void SetCaption(std::wstring_view text) override;
  void SetTooltip(std::wstring_view text) override;
  void SetHot(bool hot) override;
  bool Hot() const override { return hot_; }
  // Link labels: the colour and font WM_CTLCOLORSTATIC/WM_SETFONT apply.
  void SetLinkFonts(HFONT normal, HFONT underlined) {
    normalFont_ = normal;
    hotFont_ = underlined;
  }
  COLORREF TextColor() const { return hot_ ? RGB(255, 0, 0) : RGB(0, 0, 255); }

 private:
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  bool hot_ = true;
  HFONT normalFont_ = nullptr;
  HFONT hotFont_ = nullptr;
};

// ListViewHistory shows the history's rows.
class Win32HistoryList : public HistoryView {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void Clear() override;
  void AddRow(const HistoryRow& row) override;

 private:
  void SetCell(int row, int column, const std::wstring& text);
  HWND hwnd_ = nullptr;
};

}  // namespace kestrune
