#pragma once
// The advanced page's choice of the window's language ("表示言語:"): automatic, Japanese or English.
// The language is chosen once, at start-up, before the first control is made; a change is stored at
// once and shows from the next start, which a notice tells the user.
#include "app/ui.h"
#include "platform/message_boxes.h"
#include "settings/settings.h"

namespace kestrune {

class LanguageChooser {
 public:
  LanguageChooser(ComboBox& combo, Settings& settings, MessageBoxes& boxes)
      : combo_(combo), settings_(settings), boxes_(boxes) {}

  // The three items in the language shown, the stored choice selected. Nothing is written: a
  // file without the setting keeps its bytes.
  void Load();
  // The user picked an item.
  void OnComboLanguageClick();

 private:
  ComboBox& combo_;
  Settings& settings_;
  MessageBoxes& boxes_;
};

}  // namespace kestrune
