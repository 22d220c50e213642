#include "app/language_chooser.h"

#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {
namespace {

// The items in the order of LanguageChoice.
constexpr TextId kItems[] = {TextId::LanguageAuto, TextId::LanguageJapanese, TextId::LanguageEnglish};

}  // namespace

void LanguageChooser::Load() {
  for (TextId item : kItems) combo_.AddItem(UiText(item));
  combo_.SetSelectedIndex(static_cast<int>(settings_.Language()));
}

void LanguageChooser::OnComboLanguageClick() {
  const int index = combo_.SelectedIndex();
  if (index < 0 || index >= static_cast<int>(std::size(kItems))) return;
  const auto choice = static_cast<LanguageChoice>(index);
  if (choice == settings_.Language()) return;
  settings_.SetLanguage(choice);
  boxes_.Show(UiText(TextId::LanguageNote), kProgramTitle, mb::kOk | mb::kIconExclamation);
}

}  // namespace kestrune
