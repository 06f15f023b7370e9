// The tile view ("tileview"): the items of an adapter as equal tiles in a grid that fills the
// view's width row by row and scrolls vertically. It is a list view in everything but where
// items lie (STileViewItemLocator in place of the list locators, no dividers) and the arrow
// keys, which move in two directions: Left and Right to the previous and next item, Up and Down
// a row (Down from the row before a shorter last row lands on the last item). Keyboard moves
// select silently; a click selects with 15100 (cancellable) and 15101.
//
// The "template" child gives the tiles' "itemWidth" and "itemHeight" (default 10dp each);
// without it, or with tiles that, with their margin, come to less than a pixel in either
// direction, the view has no locator and takes no adapter. Attributes: "marginSize" (size, the
// gap around and between tiles, default 0, not negative), "wantTab" (as the list view's).
// The tiles per row follow the client width, also when a bar comes or goes. UI thread only.
#pragma once
#include "control/SListView.h"
#include "control/STileViewItemLocator.h"

namespace SWUI {

// The tile view's observer is the list view's: it forwards to the view's handlers.
using STileViewDataSetObserver = SListViewDataSetObserver;

class STileView : public SListView {
  SWUI_CLASS_NAME(SPanel, L"tileview")

 public:
  // FALSE for anything but a tile locator (null included); else the locator takes the width,
  // then it is set as the list view sets one.
  BOOL SetItemLocator(IListViewItemLocator* locator) override;
  // The view's locator as the tile locator it is (null without one).
  STileViewItemLocator* GetTileLocator() const;

  // Scrolls the tile into view: its top to the top when above, its bottom to the bottom when
  // below.
  void EnsureVisible(int iItem) override;
  // The bar for the rows' height, with the tiles per row taken from the client width.
  void UpdateScrollBar() override;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SListView::SetAttribute;
  // Takes the "template" child and makes the locator from it; no other child is made.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;

 protected:
  void SetLocatorAdapter(ILvAdapter* adapter) override;
  RECT ItemRectOf(int iItem) const override;
  void BuildVisibleItems() override;
  BOOL HandleKey(UINT vk) override;

 private:
  int ClientWidth() const;
  // The locator's width := the client width; true when it changed.
  bool FitLocatorToClient();

  SLayoutSize m_nMarginSize;
};

}  // namespace SWUI
