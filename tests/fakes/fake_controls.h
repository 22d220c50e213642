#pragma once
// In-memory stand-ins for the main window's stock controls and message boxes. They hold state,
// count the calls that change it and never run handlers themselves, like the interfaces they implement.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/ui.h"

namespace kestrune::testing {

class FakeCheckBox : public CheckBox {
 public:
  explicit FakeCheckBox(bool initiallyChecked = false) : checked(initiallyChecked) {}
  bool Checked() const override { return checked; }
  void SetChecked(bool value) override {
    ++setCount;
    checked = value;
  }

  bool checked;
  int setCount = 0;
};

class FakeComboBox : public ComboBox {
 public:
  FakeComboBox() = default;
  FakeComboBox(std::initializer_list<std::wstring_view> initialItems) {
    for (auto item : initialItems) items.emplace_back(item);
  }
  void AddItem(std::wstring_view text) override { items.emplace_back(text); }
  int ItemCount() const override { return static_cast<int>(items.size()); }
  std::wstring ItemText(int index) const override { return items.at(static_cast<std::size_t>(index)); }
  int SelectedIndex() const override { return selected; }
  void SetSelectedIndex(int index) override {
    ++setCount;
    selected = index >= 0 && index < ItemCount() ? index : -1;
  }

  std::vector<std::wstring> items;
  int selected = -1;
  int setCount = 0;
};

class FakeLabel : public LinkLabel {
 public:
  std::wstring Caption() const override { return caption; }
  void SetCaption(std::wstring_view text) override {
    ++setCount;
    caption = text;
  }
  void SetTooltip(std::wstring_view text) override { tooltip = text; }
  void SetHot(bool value) override { hot = value; }
  bool Hot() const override { return hot; }

  std::wstring caption, tooltip;
  bool hot = false;
  int setCount = 0;
};

class FakeHistoryList : public HistoryList {
 public:
  using Row = std::array<std::wstring, 4>;

  int RowCount() const override { return static_cast<int>(rows.size()); }
  void Clear() override {
    ++clears;
    rows.clear();
  }
  void AddRow(std::wstring_view itemText) override {
    Row row;
    row[0] = itemText;
    rows.push_back(row);
  }
  void SetCell(int row, int column, std::wstring_view text) override {
    ++cellWrites;
    if (failSetCell || column < 1 || column > 3) return;
    rows.at(static_cast<std::size_t>(row))[static_cast<std::size_t>(column)] = text;
  }
  std::wstring Cell(int row, int column) const override {
    return rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
  }

  std::vector<Row> rows;
  bool failSetCell = false;  // cells silently stay empty, as when the list refuses an item
  int clears = 0;
  int cellWrites = 0;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::wstring text;
    std::wstring title;
    unsigned flags;
  };

  int Show(std::wstring_view text, std::wstring_view title, unsigned flags) override {
    shown.push_back({std::wstring(text), std::wstring(title), flags});
    if (onShow) onShow();
    return answer;
  }

  std::vector<Shown> shown;
  int answer = 1;                  // IDOK unless a test answers otherwise (e.g. mb::kIdYes)
  std::function<void()> onShow;    // runs while the box is "open", as the modal loop would run ticks
};

}  // namespace kestrune::testing
