#include "platform/texts.h"

#include "platform/texts_tables.h"

namespace kestrune {
namespace {

Language shown = Language::Japanese;

}  // namespace

std::span<const TextEntry> TextTable(Language language) {
  return language == Language::English ? kEnglishTable : kJapaneseTable;
}

std::span<const SettingCaptionEntry> SettingCaptions(Language language) {
  return language == Language::English ? kEnglishSettingCaptions : kJapaneseSettingCaptions;
}

std::wstring_view SettingCaption(std::string_view setting) {
  for (const SettingCaptionEntry& entry : SettingCaptions(shown))
    if (entry.setting == setting) return entry.text;
  return {};
}

Language ShownLanguage() { return shown; }

void ShowLanguage(Language language) { shown = language; }

std::wstring_view UiText(TextId id) {
  const std::span<const TextEntry> table = TextTable(shown);
  const auto index = static_cast<std::size_t>(id);
  // The tables' unit test holds them to the ids' order; a gap would show as an empty text.
  return index < table.size() && table[index].id == id ? table[index].text : std::wstring_view();
}

std::wstring FillIn(std::wstring_view pattern, std::initializer_list<std::wstring_view> values) {
  std::wstring text;
  text.reserve(pattern.size());
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const wchar_t c = pattern[at];
    if (c == L'%' && at + 1 < pattern.size() && pattern[at + 1] >= L'1' && pattern[at + 1] <= L'9') {
      const auto index = static_cast<std::size_t>(pattern[at + 1] - L'1');
      if (index < values.size()) text += values.begin()[index];
      ++at;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace kestrune
