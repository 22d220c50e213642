#pragma once
// In-memory versions of the form's stock controls. Each counts the calls the logic makes on it.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/settings_page.h"
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

class FakeTextBox : public TextBox {
 public:
  std::wstring Text() const override { return text; }
  void SetText(std::wstring_view value) override { text = value; }
  std::wstring text;
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

// The settings' controls, one of the kind each setting's row asks for, made when first asked for.
class FakeSettingControls : public SettingControls {
 public:
  CheckBox& Check(Setting setting) override { return checks[setting]; }
  ComboBox& Combo(Setting setting) override { return combos[setting]; }
  std::map<Setting, FakeCheckBox> checks;
  std::map<Setting, FakeComboBox> combos;
};

}  // namespace kestrune::testing
