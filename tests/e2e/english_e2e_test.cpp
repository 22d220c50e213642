// The window in English: every page's captions are printable ASCII, and each caption fits its
// control and stays clear of the controls beside it, at 96 and 144 dpi. What the own controls drew
// (the tab row on each page, the two buttons) is saved for scripts/read_captions.py, which reads it
// back with text recognition: in the English pass's prefix the Japanese faces are not there, as on
// an English system without the Japanese fonts. On a Japanese system the setting Language=en asks
// for English; on any other the system's language does. Choosing Japanese on the advanced page then
// gives the Japanese window at the next start, on either system. The screenshots are the English
// guide's pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/control_table.h"
#include "app/win32/fonts.h"
#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

bool JapaneseSystem() { return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE; }

bool PrintableAscii(const std::wstring& text) {
  for (wchar_t c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

RECT PlaceIn(HWND main, HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// What a caption needs beside its text: the check box's box, a button's or a combo box's edges.
int Margin(const ControlRow& row, int dpi) {
  const DWORD kind = row.style & BS_TYPEMASK;
  if (row.kind == ControlKind::Own) return MulDiv(8, dpi, 96);  // the own push buttons
  if (row.kind == ControlKind::Check || row.kind == ControlKind::Push)
    return kind == BS_AUTOCHECKBOX ? MulDiv(17, dpi, 96) : MulDiv(8, dpi, 96);
  if (row.kind == ControlKind::Combo) return MulDiv(24, dpi, 96);
  return 0;
}

struct Shown {
  const ControlRow* row;
  HWND window;
  RECT place;
};

// Checks every caption of the page shown; says what is wrong, one line each.
std::string CaptionProblems(RunningApp& app, int page, const UiFonts& fonts, int dpi) {
  std::vector<Shown> shown;
  for (const ControlRow& row : MainWindowControls()) {
    if (row.id == ids::kTabStripMain || (row.page != page && row.page != kBesidePages) || !app.OnScreen(row.id)) continue;
    shown.push_back({&row, app.Control(row.id), PlaceIn(app.Main(), app.Control(row.id))});
  }
  HDC dc = ::GetDC(nullptr);
  std::string problems;
  for (const Shown& c : shown) {
    const std::wstring text = Text(c.window);
    if (text.empty()) continue;
    const std::string name = "control " + std::to_string(c.row->id) + ": ";
    if (!PrintableAscii(text)) problems += name + "not printable ASCII\n";
    const HFONT font = c.row->font == ControlFont::Bold    ? fonts.bold
                       : c.row->font == ControlFont::Title ? fonts.title
                                                           : fonts.normal;
    ::SelectObject(dc, font);
    const int width = c.place.right - c.place.left - Margin(*c.row, dpi);
    RECT needed{0, 0, width, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SIZE line{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &line);
    const int height = c.place.bottom - c.place.top;
    // A label taller than two lines may wrap; any other caption stands on one line.
    const bool wraps = c.row->kind == ControlKind::Text && height >= 2 * line.cy;
    if (wraps ? needed.bottom > height : line.cx > width)
      problems += name + "cut (needs " + std::to_string(wraps ? needed.bottom : line.cx) + ", has " +
                  std::to_string(wraps ? height : width) + ")\n";
    // A left-aligned caption ends where its text ends: no control beside it may start before that.
    const bool centred = c.row->kind == ControlKind::Own || c.row->kind == ControlKind::Push;
    const int end = c.place.left + Margin(*c.row, dpi) + (wraps ? width : line.cx);
    for (const Shown& other : shown) {
      if (centred || other.window == c.window || other.place.top >= c.place.bottom ||
          c.place.top >= other.place.bottom || other.place.left <= c.place.left || other.place.left >= end)
        continue;
      problems += name + "runs into control " + std::to_string(other.row->id) + "\n";
    }
  }
  ::ReleaseDC(nullptr, dc);
  return problems;
}

// Parts of the window's picture for scripts/read_captions.py, which reads each with text recognition
// and fails unless every word listed beside it (read_<name>.txt) is found whole: letters drawn as
// empty boxes, or cut off at their control's edge, read as nothing. The tab row (as high as the
// active tab and its border) on every page, since the active caption is bold and wider; the buttons.
void SaveCaptionsForReading(RunningApp& app, int page, int dpi) {
  const WindowPixels picture = app.Pixels();
  RECT window{};
  ::GetWindowRect(app.Main(), &window);
  const auto save = [&](int id, int height, const std::wstring& name, const std::string& words) {
    RECT part{};
    ::GetWindowRect(app.Control(id), &part);
    ::OffsetRect(&part, -window.left, -window.top);
    if (height > 0) part.bottom = part.top + height;
    const std::wstring file = ArtifactDir() + L"\\read_" + std::to_wstring(dpi) + L"_" + name;
    EXPECT_TRUE(SavePng(Cropped(picture, part), file + L".png")) << "reading picture";
    WriteFileBytes(file + L".txt", words);
  };
  save(ids::kTabStripMain, MulDiv(27, dpi, 96), L"tabs_" + std::to_wstring(page), "State\nSettings\nHistory\nAbout\nAdvanced\n");
  if (page != 0) return;
  save(ids::kCommandMini, 0, L"hide", "Hide\n");
  save(ids::kCommandExit, 0, L"exit", "Exit\n");
}

TEST(English, EveryPageReadsInEnglishAndEachCaptionFits) {
  const bool japanese = JapaneseSystem();
  const wchar_t* shots[] = {L"pages_0_state", L"pages_1_settings", L"pages_2_history", L"pages_3_about",
                            L"pages_4_advanced"};
  RunningApp app(japanese ? "[Advanced]\r\nLanguage=en\r\n" : "");
  for (const int dpi : {144, 96}) {
    if (dpi != 144) app.EndSession();
    {
      StartResolution resolution(static_cast<DWORD>(dpi));
      ASSERT_TRUE(resolution.Set());
      ASSERT_TRUE(app.Start());
    }
    ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
    UiFonts fonts;
    fonts.Create(dpi, Language::English);
    for (int page = 0; page < RunningApp::kPages; ++page) {
      ASSERT_TRUE(app.ShowPage(page));
      const std::wstring tab = Text(app.Control(ids::kTabStripMain));
      EXPECT_TRUE(PrintableAscii(tab) && !tab.empty()) << "the tab of page " << page;
      EXPECT_EQ(CaptionProblems(app, page, fonts, dpi), "") << "page " << page << " at " << dpi << " dpi";
      if (page == 0) {
        EXPECT_TRUE(WaitFor([&] { return MonitorShowsItsGrid(app); }));
      }
      app.Screenshot((dpi == 96 ? L"en_" : L"en144_") + std::wstring(shots[page]));
      SaveCaptionsForReading(app, page, dpi);
    }
    fonts.Destroy();
  }

  // Japanese chosen on the advanced page: stored at once, with the notice, and shown from the next start.
  // Posted: the notice would hold a sent message until it is closed.
  HWND combo = app.Control(ids::kComboLanguage);
  ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
  ::PostMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(ids::kComboLanguage, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"Kestrune")) != nullptr; }));
  EXPECT_TRUE(PrintableAscii(MessageBoxText(box))) << "the notice in the language shown";
  PressDialogButton(box, IDOK);
  EXPECT_EQ(IniValue(app.IniBytes(), "Advanced", "Language"), "ja");
  app.EndSession();
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(Text(app.Control(ids::kTabStripMain)), L" について ");
  EXPECT_EQ(app.ControlText(ids::kLabelNeedHelp), L"ご質問がありますか？");
}

}  // namespace
}  // namespace kestrune::e2e
