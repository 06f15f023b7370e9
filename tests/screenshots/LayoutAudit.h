// Checks one host window's element tree as a user meets it, after laying it out:
// - every visible text fits its element: its extent, measured as the element draws it
//   (DT_CALCRECT with the element's font), within the element's text rectangle; a multi-line
//   text without CJK characters also fits line by line where the text breaks it, so that the
//   character wrap never splits a word; the titles of a visible tab strip fit their tabs;
// - no two visible siblings that hold elements (panels, rows, columns) overlap;
// - every visible element with an id can be reached: inside its parents, the window's client
//   area, or a scroll view's content where that scroll view shows a bar in that direction (a
//   channel page's horizontal bar is "main_scrollview", which must cover the page's width);
// - a scroll bar shows only where it is worth one and a user can find it: at least
//   kVisibleBar pixels thick, and only for an overflow of at least a row (kRowHeight);
// - a channel page's content spans its view, so that a large window is filled, not a corner.
// Each failure names the element and gives both rectangles.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace SWUI {
class SHostWnd;
class SWindow;
class SScrollView;
}  // namespace SWUI

class LayoutAudit {
 public:
  // `where` prefixes every failure (the language, the size, the screen).
  explicit LayoutAudit(std::string where) : where_(std::move(where)) {}

  void Check(SWUI::SHostWnd& host);
  // The top bar's four panels: inside the bar and apart from each other.
  void CheckTopBar(SWUI::SHostWnd& host);

  const std::vector<std::string>& Failures() const { return failures_; }

  // The thinnest bar a user finds without searching, and the least overflow worth a bar.
  static constexpr int kVisibleBar = 10;
  static constexpr int kRowHeight = 26;
  // The least share of a channel page's view, across and down, that its content spans.
  static constexpr double kFilled = 0.9;

  // "name", "#id" or the class and its text, for the failure lines.
  static std::string Describe(SWUI::SWindow* element);
  static std::string Rect(const RECT& rc);

 private:
  void Walk(SWUI::SWindow* element);
  void CheckText(SWUI::SWindow* element);
  void CheckTabTitles(SWUI::SWindow* element);
  void CheckSiblings(SWUI::SWindow* parent);
  void CheckReach(SWUI::SWindow* element);
  // Whether a scroll view lets the user reach rc (in screen pixels of the host) inside it.
  bool Reaches(SWUI::SScrollView* view, const RECT& rc, std::string* why) const;
  void CheckScrollView(SWUI::SWindow* element);
  // One direction of a scroll view whose bar shows; `bar` is the view that draws it.
  void CheckBar(SWUI::SScrollView* view, SWUI::SScrollView* bar, bool vertical);
  void CheckPageFill(SWUI::SScrollView* page);
  SWUI::SScrollView* MainBar() const;
  void Fail(const std::string& text);

  std::string where_;
  SWUI::SHostWnd* host_ = nullptr;
  std::vector<std::string> failures_;
};
