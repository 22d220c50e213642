#include "app/settings_page.h"

#include <iterator>
#include <string>
#include <utility>

#include "platform/texts.h"
#include "settings/stored_values.h"
#include "vocabulary/program.h"

namespace kestrune {
namespace {

// The language list's items in the order of LanguageChoice.
constexpr TextId kLanguageItems[] = {TextId::LanguageAuto, TextId::LanguageJapanese, TextId::LanguageEnglish};

// The record counts' item texts, made once: the list shows them as the numbers they are.
std::wstring_view RecordCountText(int index) {
  static const std::wstring kTexts[] = {std::to_wstring(kRecordCounts[0]), std::to_wstring(kRecordCounts[1]),
                                        std::to_wstring(kRecordCounts[2]), std::to_wstring(kRecordCounts[3])};
  static_assert(std::size(kTexts) == std::size(kRecordCounts));
  return kTexts[index];
}

}  // namespace

int ItemCount(SettingKind kind) {
  switch (kind) {
    case SettingKind::Speed: return static_cast<int>(SpeedLevelItems().size());
    case SettingKind::RecordCount: return static_cast<int>(std::size(kRecordCounts));
    case SettingKind::Language: return static_cast<int>(std::size(kLanguageItems));
    default: return 0;
  }
}

std::wstring_view ItemText(SettingKind kind, int index) {
  if (index < 0 || index >= ItemCount(kind)) return {};
  switch (kind) {
    case SettingKind::Speed: return SpeedLevelItems()[static_cast<std::size_t>(index)];
    case SettingKind::RecordCount: return RecordCountText(index);
    default: return UiText(kLanguageItems[index]);
  }
}

SettingValue ItemValue(SettingKind kind, int index) {
  if (index < 0 || index >= ItemCount(kind)) return std::monostate{};
  switch (kind) {
    case SettingKind::Speed: return index == 0 ? SpeedLevel::Normal : SpeedLevel::Extreme;
    case SettingKind::RecordCount: return kRecordCounts[index];
    default: return static_cast<LanguageChoice>(index);
  }
}

int ItemIndex(SettingKind kind, const SettingValue& value) {
  for (int i = 0; i < ItemCount(kind); ++i)
    if (ItemValue(kind, i) == value) return i;
  return -1;
}

void SettingsPage::Load() {
  if (location_.moved) boxes_.Show(SettingsMovedNotice(location_.file), kProgramTitle, mb::kOk | mb::kIconExclamation);
  for (const SettingRow& row : kSettingRows) {
    ComboBox* combo = ItemCount(row.kind) > 0 ? &controls_.Combo(row.setting) : nullptr;
    for (int i = 0; combo != nullptr && i < ItemCount(row.kind); ++i) combo->AddItem(ItemText(row.kind, i));
  }
  for (const SettingRow& row : kSettingRows) {
    StoredValue stored = model_.Read(row.setting);
    if (stored.whole && StartWritesBack(row, stored.value))
      model_.Store(row.setting, reactions_.Settle(row.setting, std::move(stored.value)));
    else
      model_.Assign(row.setting, std::move(stored.value));
  }
  for (const SettingRow& row : kSettingRows) Show(row.setting);
  reactions_.Loaded();
}

void SettingsPage::OnControlChanged(Setting setting) {
  SettingValue chosen = Chosen(setting);
  if (std::holds_alternative<std::monostate>(chosen) || chosen == model_.Value(setting)) return;
  model_.Store(setting, reactions_.Settle(setting, std::move(chosen)));
  Show(setting);
  reactions_.Changed(setting);
}

void SettingsPage::Show(Setting setting) {
  const SettingKind kind = RowOf(setting).kind;
  switch (kind) {
    case SettingKind::Flag: controls_.Check(setting).SetChecked(model_.Flag(setting)); return;
    case SettingKind::Rules: return;  // the rule list shows them (RuleEditor)
    default: controls_.Combo(setting).SetSelectedIndex(ItemIndex(kind, model_.Value(setting))); return;
  }
}

SettingValue SettingsPage::Chosen(Setting setting) {
  const SettingKind kind = RowOf(setting).kind;
  switch (kind) {
    case SettingKind::Flag: return controls_.Check(setting).Checked();
    case SettingKind::Rules: return std::monostate{};  // edited in the rule list (RuleEditor)
    default: return ItemValue(kind, controls_.Combo(setting).SelectedIndex());
  }
}

}  // namespace kestrune
