#pragma once
// The main window's pages, by the place of their tab in the strip: the one home of a page's number,
// for the settings that name the page of their control, the window's control table, the tab order
// and the start-up's first page.
namespace kestrune {

inline constexpr int kStatePage = 0;
inline constexpr int kSettingsPage = 1;
inline constexpr int kHistoryPage = 2;
inline constexpr int kAboutPage = 3;
inline constexpr int kAdvancedPage = 4;

// The page shown first: the about page.
inline constexpr int kFirstPage = kAboutPage;

// A control that stands beside the strip's pages and is reachable on every page.
inline constexpr int kBesidePages = -1;

}  // namespace kestrune
