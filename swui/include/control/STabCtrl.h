// A strip of tabs over a stack of pages (STabPage children), one page visible at a time. The
// tabs are drawn by the control itself; a click, the arrow, Home and End keys or a call
// changes the current page. EventTabSelChanging (11000) may refuse a change,
// EventTabSelChanged (11001) reports it; EventTabItemHover (11002) and EventTabItemLeave
// (11003) follow the mouse over the tabs. With "animateSteps" a switch slides a picture of the
// old and the new page across the page area (STabSlider), one step per frame of the
// container's timeline.
//
// Attributes (names in any letter case; sizes may name "@dim/" values; skins are looked up by
// name at the element's scale, an unknown name fails with E_FAIL and keeps the skin, an empty
// one removes it):
//   "curSel" (index, only stored), "tabSize" ("w,h"; another count is E_INVALIDARG),
//   "tabWidth", "tabHeight", "tabPos", "tabInterSize", "icon-x", "icon-y", "text-x",
//   "text-y" (sizes; a text offset below 1 pixel is not given), "tabSkin", "iconSkin",
//   "tabInterSkin", "frameSkin", "tabAlign" ("top", "left", "bottom", "right", exactly),
//   "textDir" ("hori"/"horizontal", "vert"/"vertical", exactly; other words E_FAIL),
//   "animateSteps", "animateType" (0: the slide is drawn above the pages, else below),
//   "interpolator" (class name; an unknown one fails with E_FAIL and keeps the old).
// "tabSize", "tabAlign" and "textDir" repaint. Any other name is offered to the
// interpolator first, then to SWindow.
//
// UI thread only.
#pragma once
#include <pugixml.hpp>

#include "control/STabPage.h"
#include "core/IInterpolator.h"
#include "base/SArray.h"
#include "core/SLayoutSize.h"
#include "core/SWindow.h"

namespace SWUI {

class STabSlider;

class STabCtrl : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"tabctrl")

 public:
  // Sides of the strip.
  enum { AlignTop = 0, AlignLeft = 1, AlignBottom = 2, AlignRight = 3 };
  // Directions of the tab text.
  enum { TextHorizontal = 0, TextVertical = 1 };

  // Focusable, the built-in tab skin, the "Linear" interpolator, no pages.
  STabCtrl();
  ~STabCtrl() override;

  // -1 when there is no current page.
  int GetCurSel() const { return m_nCurrentPage; }
  int GetItemCount() const { return static_cast<int>(m_pages.GetCount()); }
  int GetTabAlign() const { return m_nTabAlign; }
  // Null for an index that names no page.
  STabPage* GetItem(int index) const;
  // Makes the page at index current: FALSE, and no event, for an index out of range or the
  // current one, and FALSE when a handler of EventTabSelChanging cancels.
  BOOL SetCurSel(int index);
  // The same for the first page whose title (bTitle) or name equals the text exactly.
  BOOL SetCurSel(LPCWSTR text, BOOL bTitle);
  // The first page whose translated title (bTitle) or element name equals the text exactly;
  // -1 when none.
  int GetPageIndex(LPCWSTR text, BOOL bTitle) const;
  STabPage* GetPage(LPCWSTR text, BOOL bTitle) const;
  // Sets the page's raw title and translates it; FALSE for an index that names no page.
  BOOL SetItemTitle(int index, LPCWSTR text);
  // Inserts a page built from a "page" node at index (-1 or beyond the end: the end); the
  // index used, or -1 when the node is no page. After loading the page is placed, hidden,
  // and selected when there was no current page.
  virtual int InsertItem(pugi::xml_node xmlNode, int index = -1, BOOL bLoading = FALSE);
  // The same from XML text ("<page .../>"); -1 when the text does not parse.
  virtual int InsertItem(LPCWSTR pszXml, int index = -1);
  // Destroys the page at index. When it was current, selectAfter (clamped to the pages left)
  // becomes current. FALSE for an index that names no page.
  BOOL RemoveItem(int index, int selectAfter = 0);
  // The first tab whose rectangle holds the point (host coordinates); -1 when none.
  int HitTest(POINT pt) const;
  // Ends a running slide at once: the slider goes and the current page shows.
  void EndSlide();

  // The strip's rectangle.
  virtual void GetTitleRect(LPRECT prc) const;
  // The rectangle of one tab, cut to the strip (it may be empty); FALSE for an index that
  // names no page.
  virtual BOOL GetItemRect(int index, LPRECT prc) const;
  // Draws one tab: dwState 0 normal, 1 hover, 2 selected.
  virtual void DrawItem(IRenderTarget* pRT, const RECT& rcItem, int index, DWORD dwState);
  // A new page from the factory of "page" for a node named exactly "page"; null otherwise.
  virtual STabPage* CreatePageFromXml(pugi::xml_node xmlNode);
  // Hooks: after a page was inserted, before a removed page is destroyed.
  virtual void OnItemInserted(STabPage* pPage);
  virtual void OnItemRemoved(STabPage* pPage);

  // ---- SWindow ---------------------------------------------------------------------------
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // Tab sizes not given take the tab skin's size; without a skin they are 0.
  void OnInitFinished(pugi::xml_node xmlNode) override;
  void OnColorize(COLORREF cr) override;
  // One page per "page" child node; then the current page (0 when "curSel" names none) shows.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  // The tip of the page whose tab is under the point.
  BOOL UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) override;
  UINT OnGetDlgCode() override { return DLGC_WANTARROWS; }
  // Every page (and a running slide) fills the page area.
  void UpdateChildrenPosition() override;
  // The page area: the client rectangle less the strip.
  void GetChildrenLayoutRect(RECT* prc) const override;
  // The style's normal font and text colour, whatever the element's state.
  void BeforePaint(IRenderTarget* pRT, SPainter& painter) override;
  BOOL OnLanguageChanged() override;
  void OnScaleChanged(int scale) override;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnDestroy();
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

  // Text one character under the other from (x, y); its size.
  void DrawVerticalText(IRenderTarget* pRT, int x, int y, const SStringW& text);
  SIZE MeasureVerticalText(IRenderTarget* pRT, const SStringW& text);
  void DrawVerticalTextCentered(IRenderTarget* pRT, const RECT& rc, const SStringW& text);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  MSG_WM_KEYDOWN(OnKeyDown)
  SWND_END_MSG_MAP(SWindow)

 protected:
  int m_nHoverItem = -1;
  int m_nCurrentPage = 0;
  SLayoutSize m_szTabInter;
  SLayoutSize m_szTabWidth{-1.0f, px};
  SLayoutSize m_szTabHeight{-1.0f, px};
  SLayoutSize m_szTabPos;
  SAutoRefPtr<ISkinObj> m_pSkinTab;
  SAutoRefPtr<ISkinObj> m_pSkinIcon;
  SAutoRefPtr<ISkinObj> m_pSkinTabInter;
  SAutoRefPtr<ISkinObj> m_pSkinFrame;
  SLayoutSize m_ptIcon[2];
  SLayoutSize m_ptText[2] = {SLayoutSize(-1.0f, px), SLayoutSize(-1.0f, px)};
  int m_nTabAlign = AlignTop;
  SArray<STabPage*> m_pages;
  STabSlider* m_pSlider = nullptr;
  int m_nTextDir = TextHorizontal;
  int m_nAnimateSteps = 0;
  int m_nAnimateType = 0;
  SAutoRefPtr<IInterpolator> m_pInterpolator;

 private:
  int TabWidth() const;
  int TabHeight() const;
  int ToPixels(const SLayoutSize& size) const { return size.toPixelSize(GetScale()); }
  // Attributes of the control's own table; E_NOTIMPL for any other name.
  HRESULT SetOwnAttribute(const SStringW& name, const SStringW& value, BOOL bLoading);
  void InvalidateItem(int index);
  // Moves the hover to a tab (-1: none), firing leave and hover events.
  void SetHoverItem(int hover);
  void DrawSeparator(IRenderTarget* pRT, const RECT& rcItem, const RECT& rcPrev);
  // The tab text at its offsets, or aligned in the tab by the style.
  void DrawItemText(IRenderTarget* pRT, const RECT& rcItem, const SStringW& text);
  // Starts a slide from the page from to the page to; FALSE when it cannot run.
  bool StartSlide(int from, int to);
};

}  // namespace SWUI
