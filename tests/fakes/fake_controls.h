#pragma once
// In-memory versions of the form's stock controls. Each counts the calls the logic makes on it.
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/ui.h"

namespace kestrune::testing {

class FakeCheckBox : public CheckBox {
 public:
  explicit FakeCheckBox(bool checked = false) : checked_(checked) {}
  bool Checked() const override {
    ++reads;
    return checked_;
  }
  void SetChecked(bool checked) override {
    ++writes;
    checked_ = checked;
  }
  mutable int reads = 0;
  int writes = 0;

 private:
  bool checked_;
};

class FakeComboBox : public ComboBox {
 public:
  FakeComboBox() = default;
  FakeComboBox(std::initializer_list<std::wstring> items, int selected = -1) : items_(items), selected_(selected) {}
  void AddItem(std::wstring_view text) override { items_.emplace_back(text); }
  int ItemCount() const override { return static_cast<int>(items_.size()); }
  std::wstring ItemText(int index) const override { return items_.at(static_cast<std::size_t>(index)); }
  int SelectedIndex() const override { return selected_; }
  void SetSelectedIndex(int index) override {
    ++selections;
    selected_ = index;
  }
  bool Select(std::wstring_view text) {
    selected_ = FindItem(text);
    return selected_ >= 0;
  }
  int selections = 0;

 private:
  std::vector<std::wstring> items_;
  int selected_ = -1;
};

class FakeLabel : public LinkLabel {
 public:
  explicit FakeLabel(std::wstring caption = {}) : caption_(std::move(caption)) {}
  std::wstring Caption() const override { return caption_; }
  void SetCaption(std::wstring_view text) override {
    ++captionSets;
    ++setCount;
    caption_ = text;
  }
  void SetTooltip(std::wstring_view text) override { tooltip = text; }
  void SetHot(bool hot) override {
    ++styleSets;
    hot_ = hot;
  }
  bool Hot() const override { return hot_; }
  std::wstring tooltip;
  int captionSets = 0;
  int setCount = 0;  // the same count as captionSets, under the name some tests use
  int styleSets = 0;

 private:
  std::wstring caption_;
  bool hot_ = true;  // unstyled until the form styles it
};

class FakeHistoryList : public HistoryList {
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

class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::wstring text;
    std::wstring title;
    unsigned flags;
  };
  int Show(std::wstring_view text, std::wstring_view title, unsigned flags) override {
    shown.push_back({std::wstring(text), std::wstring(title), flags});
    if (answers.empty()) return answer;
    const int next = answers.front();
    answers.pop_front();
    return next;
  }
  std::vector<Shown> shown;
  std::deque<int> answers;  // scripted answers, in order
  int answer = 1;           // given once the scripted answers run out; IDOK unless a test sets it
};

}  // namespace kestrune::testing
