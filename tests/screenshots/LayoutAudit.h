// Checks one host window's element tree as a user meets it, after laying it out:
// - every visible text fits its element: its extent, measured as the element draws it
//   (DT_CALCRECT with the element's font), within the element's text rectangle; a multi-line
//   text without CJK characters also fits line by line where the text breaks it, so that the
//   character wrap never splits a word; the titles of a visible tab strip fit their tabs;
// - no two visible siblings that hold elements (panels, rows, columns) overlap;
// - every visible element with an id can be reached: inside its parents, the window's client
//   area, or a scroll view's content where that scroll view shows a bar in that direction (a
//   channel page's horizontal bar is "main_scrollview", which must cover the page's width).
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
  void Fail(const std::string& text);

  std::string where_;
  SWUI::SHostWnd* host_ = nullptr;
  std::vector<std::string> failures_;
};
