// The confirmation tip: a small skinned host window (a text on a bubble whose tail points
// down) shown near the user's point of attention for a given time, then gone. There is one at
// a time: a new tip replaces the text of the one showing, moves it and starts its time again.
// The window's size follows its text; the tip keeps one corner (the bottom-left one for every
// tip shown through ShowTip) on its anchor point whenever it resizes. UI thread only.
#pragma once
#include <windows.h>

#include "core/SHostWnd.h"
#include "base/SString.h"

namespace SWUI {
class SWindow;
}

class CTipWnd : public SWUI::SHostWnd {
 public:
  // Which corner of the window sits on the anchor point.
  enum AnchorMode {
    kTopLeft = 0,
    kBottomLeft = 1,
    kTopRight = 2,
    kBottomRight = 3,
  };
  // The display time.
  static const UINT_PTR kTimerShow = 100;

  // The layout every tip is built from ("LAYOUT:XML_TOOLTIP" until the program names another);
  // a tip already showing keeps its own.
  static void SetLayoutName(const SWUI::SStringW& layout) { s_layout = layout; }
  static const SWUI::SStringW& GetLayoutName() { return s_layout; }

  // Shows text with the tip's bottom-left corner at the screen point (x, y) for ms
  // milliseconds, replacing any tip that shows.
  static void ShowTip(int x, int y, const SWUI::SStringW& text, UINT ms);
  // Shows text for a second above the middle of the top edge of root's element with that id
  // (any depth), or at the cursor when root is null or has none. An empty text shows nothing.
  static void ShowTipAtWindow(const SWUI::SStringW& text, SWUI::SWindow* root, int id);
  // The same with the element found by name, for ms milliseconds.
  static void ShowTipAtNamedWindow(const SWUI::SStringW& text, UINT ms, const wchar_t* name,
                                   SWUI::SWindow* root);
  // Replaces the text of the tip that shows; nothing without one.
  static void SetTipText(const SWUI::SStringW& text);
  // Destroys the tip that shows.
  static void HideTip();
  // The tip that shows, or null.
  static CTipWnd* GetInstance() { return s_instance; }

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 protected:
  void OnFinalMessage(HWND hWnd) override;

 private:
  CTipWnd();
  ~CTipWnd() override;

  // The tip, made with its window when there is none; null when it cannot be made.
  static CTipWnd* Acquire();
  // The anchor of an element of root's host (the middle of its top edge, on the screen), or
  // the cursor without one.
  static POINT AnchorOf(SWUI::SWindow* root, SWUI::SWindow* found);

  void SetText(const SWUI::SStringW& text);
  // The window's top-left corner that puts its anchored corner on the anchor.
  POINT TopLeftFor(int width, int height) const;
  void MoveToAnchor();

  static CTipWnd* s_instance;
  static SWUI::SStringW s_layout;

  POINT m_anchor = {0, 0};
  int m_mode = kBottomLeft;
};
