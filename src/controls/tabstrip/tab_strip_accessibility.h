#pragma once
// What a screen reader is told about the tab strip: a page-tab list with one page tab per tab.
#include "controls/tabstrip/tab_strip_model.h"
#include "platform/accessible.h"
#include "platform/texts.h"

namespace kestrune::tabstrip {

// The default action of a tab that can be chosen.
inline std::wstring_view SwitchActionText() { return UiText(TextId::ActionSwitch); }

// The tab's caption as read aloud: without the access-key mark and the blanks around it.
std::wstring SpokenTabCaption(std::wstring_view caption);

// focused: the strip has the keyboard focus; size: the strip's inner size (its own place).
AccessibleDescription DescribeTabStrip(const TabStripModel& model, bool focused, int width, int height);

}  // namespace kestrune::tabstrip
