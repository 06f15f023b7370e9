// A tree of text items of any depth ("treectrl"), over a scroll view: every row has one height
// and shows, indented by the item's depth, an expand/collapse toggle (items with children), an
// optional three-state check box, an optional icon and a one-line text. Items are addressed by
// handles (HSTREEITEM, core/STree.h); the pseudo handles STVI_ROOT, STVI_FIRST and STVI_LAST
// name places, and wherever an item is expected they are refused as null is.
//
// Items from XML: nested "item" elements with "text" ("@string/" allowed), "img" and "selImg"
// (icon skin states, -1 none), "data" and, on an item with children, "expand" (default 1).
//
// Attributes, besides the scroll view's (integers decimal or 0x hex): "itemHeight" (pixels, at
// least 1), "indent" (pixels per level), "itemMargin" (the gap before the text area and around
// the text); the three are clamped to 4,096 pixels either way, so that rows and widths stay
// within int; "checkBox", "rightClickSel"; skins "toggleSkin" (built-in "_skin.sys.tree.toggle":
// 0 normal, 1 hover, 2 pressed, 3 more when expanded), "checkSkin" (built-in
// "_skin.sys.tree.checkbox": the same three, 3 more when checked, 6 more when partly checked),
// "iconSkin", "itemSelSkin", "itemBkgndSkin" (an unknown name fails with E_FAIL and keeps the
// skin; an empty one removes it); colours "colorItemSelBkgnd", "colorItemText",
// "colorItemSelText", "colorItemBkgnd" (an empty value fails with E_FAIL; 0x00FFFFFF means
// none). "itemBkgndSkin" and "colorItemBkgnd" are kept but never painted.
//
// Events: EventTCSelChanging (a handler may refuse), EventTCSelChanged, EventTCExpand,
// EventTCCheckState (the release of a pressed check box) and EventTCDbClick (a handler may keep
// the expansion). There is no keyboard handling. UI thread only.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "control/SScrollView.h"
#include "core/STree.h"

namespace SWUI {

// The check value of an item.
enum {
  STVICheckBox_UnChecked = 0,
  STVICheckBox_Checked = 1,
  STVICheckBox_PartChecked = 2,
};

// One item of a tree control; the control owns it.
struct TreeItemInfo {
  SStringW strText;
  int nImage = -1;
  int nSelectedImage = -1;  // -1: the image serves when selected too
  LPARAM lParam = 0;
  HSTREEITEM hItem = 0;  // the item's own handle
  BOOL bCollapsed = FALSE;
  BOOL bVisible = TRUE;  // every ancestor is expanded
  BOOL bHasChildren = FALSE;
  int nLevel = 0;  // top-level items 0
  int nCheckBoxValue = STVICheckBox_UnChecked;
  int nContentWidth = 0;  // from the start of the toggle to the end of the text
  DWORD dwToggleState = 0;  // visual bits of the toggle: 1 hover, 2 pressed
  DWORD dwCheckBoxState = 0;  // the same of the check box
  int nRow = -1;  // the item's row in the tree's row index while that index is current
};

class STreeCtrl : public SScrollView, protected CSTree<TreeItemInfo*> {
  SWUI_CLASS_NAME(SScrollView, L"treectrl")

  typedef CSTree<TreeItemInfo*> ItemTree;

 public:
  // The parts of a row.
  enum Part {
    kPartNone = 0,
    kPartToggle = 1,
    kPartCheckBox = 2,
  };
  // Visual bits of a toggle or check box.
  enum : DWORD {
    kBitHover = 1,
    kBitPressed = 2,
  };
  // Which parts a row shows.
  enum : UINT {
    kPartFlagToggle = 1,
    kPartFlagCheckBox = 2,
    kPartFlagIcon = 4,
  };

  STreeCtrl();
  ~STreeCtrl() override;

  // Inserts an item under hParent (STVI_ROOT or null: top level), first (STVI_FIRST), last
  // (STVI_LAST) or after a child of hParent. Null when hParent is not an item of this tree,
  // when hInsertAfter is not a child of hParent, or when memory runs out.
  HSTREEITEM InsertItem(LPCWSTR pszText, int nImage, int nSelectedImage, LPARAM lParam,
                        HSTREEITEM hParent = STVI_ROOT, HSTREEITEM hInsertAfter = STVI_LAST,
                        BOOL bEnsureVisible = FALSE);
  HSTREEITEM InsertItem(LPCWSTR pszText, HSTREEITEM hParent = STVI_ROOT,
                        HSTREEITEM hInsertAfter = STVI_LAST, BOOL bEnsureVisible = FALSE);
  HSTREEITEM InsertItem(LPCWSTR pszText, int nImage, int nSelectedImage,
                        HSTREEITEM hParent = STVI_ROOT, HSTREEITEM hInsertAfter = STVI_LAST,
                        BOOL bEnsureVisible = FALSE);
  // Removes the item and its subtree; a selection, hover or press inside it goes too (no
  // event). FALSE for an item not of this tree.
  BOOL RemoveItem(HSTREEITEM hItem);
  void RemoveAllItems();

  // TVE_COLLAPSE, TVE_EXPAND or TVE_TOGGLE; only items with children. TRUE when the item
  // changed (EventTCExpand fired).
  BOOL Expand(HSTREEITEM hItem, UINT nCode = TVE_EXPAND);
  // Expands every collapsed ancestor and scrolls the row into view. FALSE for an item not of
  // this tree.
  BOOL EnsureVisible(HSTREEITEM hItem);
  // EventTCSelChanging (a handler may refuse: FALSE), the item made visible when asked,
  // the selection stored, EventTCSelChanged. FALSE for an item not of this tree.
  BOOL SelectItem(HSTREEITEM hItem, BOOL bEnsureVisible = TRUE);
  HSTREEITEM GetSelectedItem() const { return m_hSelItem; }

  // Item fields: FALSE (or 0) for null and pseudo handles; the setters also for items of
  // another tree.
  BOOL GetItemText(HSTREEITEM hItem, SStringW& strText) const;
  // Measures the text again; the view follows.
  BOOL SetItemText(HSTREEITEM hItem, LPCWSTR pszText);
  BOOL GetItemImage(HSTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  BOOL SetItemImage(HSTREEITEM hItem, int nImage, int nSelectedImage);
  LPARAM GetItemData(HSTREEITEM hItem) const;
  BOOL SetItemData(HSTREEITEM hItem, LPARAM lParam);
  BOOL ItemHasChildren(HSTREEITEM hItem) const;
  // TRUE while the item is expanded (FALSE for leaves and bad handles).
  BOOL IsExpanded(HSTREEITEM hItem) const;

  // The first (or last) child; of STVI_ROOT the first (or last) top-level item.
  HSTREEITEM GetChildItem(HSTREEITEM hItem, BOOL bFirst = TRUE) const;
  // Tree order: the first child, else the next sibling, else the nearest ancestor's next
  // sibling; null at the end. STVI_ROOT gives the first item.
  HSTREEITEM GetNextItem(HSTREEITEM hItem) const;
  using ItemTree::GetNextSiblingItem;
  using ItemTree::GetParentItem;
  using ItemTree::GetPrevSiblingItem;
  // The depth (top level 0); -1 for a bad handle.
  int GetItemLevel(HSTREEITEM hItem) const;
  // The topmost ancestor (the item itself at top level); null for a bad handle.
  HSTREEITEM GetRootItem(HSTREEITEM hItem) const;
  // The number of direct children (of STVI_ROOT: top-level items).
  int GetChildrenCount(HSTREEITEM hItem) const;
  using SScrollView::GetChildrenCount;
  // All items.
  int GetCount() const { return static_cast<int>(ItemTree::GetCount()); }
  int GetVisibleCount() const { return m_nVisibleItems; }

  // FALSE without check boxes; TRUE for checked and partly checked items.
  BOOL GetCheckState(HSTREEITEM hItem) const;
  // STVICheckBox_ value; -1 for a bad handle.
  int GetCheckValue(HSTREEITEM hItem) const;
  // Only with check boxes: the item and its descendants take the value, the ancestors follow
  // their children (all checked, all unchecked, else partly).
  BOOL SetCheckState(HSTREEITEM hItem, BOOL bCheck);

  // Sorts the children of every item below hItem (STVI_ROOT: the whole tree); equal items keep
  // their order. The hover and press are dropped.
  BOOL SortChildren(HSTREEITEM hItem, STreeCompareFunc compare, void* pCtx);

  // The item of the row under a point (host coordinates); pt becomes relative to the item's
  // indented start. Null when no row is there (pt unchanged).
  HSTREEITEM HitTest(POINT& pt) const;
  // The row's rectangle (host coordinates) from the client's left edge, as scrolled, to the
  // end of the item's text; empty when the row is not shown (collapsed away).
  RECT GetItemRect(HSTREEITEM hItem) const;
  // The row height in pixels (at least 1).
  int GetItemHeight() const { return m_nItemHei; }

  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  void OnScaleChanged(int scale) override;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SScrollView::SetAttribute;

 protected:
  // Inserts each "item" child of xmlItem under hParent, appended, with its own subtree.
  virtual void LoadBranch(HSTREEITEM hParent, pugi::xml_node xmlItem);
  // The fields of an item from its XML element.
  virtual void LoadItemAttribute(pugi::xml_node xmlItem, TreeItemInfo* pItem);
  // Places the toggle, check box and icon in a row from the skins' sizes.
  virtual void UpdateItemParts();
  // The parts' width, twice the margin and the text's width in the element's font.
  virtual void CalcItemContentWidth(TreeItemInfo* pItem);
  // indent x level + content width.
  virtual int GetItemWidth(HSTREEITEM hItem) const;
  // The widest of the rows shown below an expanded item (STVI_ROOT: every shown row).
  virtual int GetMaxChildWidth(HSTREEITEM hItem) const;
  virtual int GetMaxItemWidth() const;
  // Draws one row; rc is the row from its unindented start to the end of its text.
  virtual void DrawItem(IRenderTarget* pRT, const RECT& rc, HSTREEITEM hItem);
  // Called after every insertion.
  virtual void OnInsertItem(HSTREEITEM hItem);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONDBLCLK(OnLButtonDbClick)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_RBUTTONDOWN(OnRButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  SWND_END_MSG_MAP(SScrollView)

  void OnPaint(IRenderTarget* pRT);
  void OnDestroy();
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonDbClick(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnRButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();

  // The item's record when the handle is a real item (of any tree); null otherwise.
  TreeItemInfo* Info(HSTREEITEM hItem) const;
  // The record when the item belongs to this tree; null otherwise.
  TreeItemInfo* OwnInfo(HSTREEITEM hItem) const;

  int m_nItemHei = 20;
  int m_nIndent = 16;
  int m_nItemMargin = 4;
  BOOL m_bCheckBox = FALSE;
  BOOL m_bRightClickSel = FALSE;
  SAutoRefPtr<ISkinObj> m_pItemBgSkin;
  SAutoRefPtr<ISkinObj> m_pItemSelSkin;
  SAutoRefPtr<ISkinObj> m_pToggleSkin;
  SAutoRefPtr<ISkinObj> m_pIconSkin;
  SAutoRefPtr<ISkinObj> m_pCheckSkin;
  COLORREF m_crItemBg;
  COLORREF m_crItemSelBg;
  COLORREF m_crItemText;
  COLORREF m_crItemSelText;

  HSTREEITEM m_hSelItem = 0;
  HSTREEITEM m_hHoverItem = 0;
  HSTREEITEM m_hCaptureItem = 0;
  int m_nVisibleItems = 0;
  int m_nMaxItemWidth = 0;
  UINT m_uPartFlags = 0;
  RECT m_rcToggle = {0, 0, 0, 0};
  RECT m_rcCheckBox = {0, 0, 0, 0};
  RECT m_rcIcon = {0, 0, 0, 0};
  int m_nPartsWidth = 0;
  int m_nItemHoverBtn = kPartNone;
  int m_nItemPushDownBtn = kPartNone;

 private:
  // Links a prepared record (which it owns from then on, freed on failure).
  HSTREEITEM InsertItem(TreeItemInfo* pItem, HSTREEITEM hParent, HSTREEITEM hInsertAfter,
                        BOOL bEnsureVisible);
  // The record of a real item of this tree.
  TreeItemInfo* Rec(HSTREEITEM hItem) const { return ItemTree::GetItem(hItem); }
  // The next item in tree order below hTop (STVI_ROOT: the whole tree), or null; bShownOnly
  // passes over the children of collapsed items.
  HSTREEITEM NextBelow(HSTREEITEM hItem, HSTREEITEM hTop, bool bShownOnly) const;
  // The shown item of a row, and the row of a shown item (-1 when hidden or missing), through
  // the row index.
  HSTREEITEM ItemOfRow(int nRow) const;
  int RowOfItem(HSTREEITEM hItem) const;
  // A row's top in host coordinates, as scrolled.
  int RowTop(int nRow) const;
  // The row index is made again on its next use: rows came, went or moved.
  void InvalidateRows() { m_bRowsValid = false; }
  // Makes the row index when it is not current: one walk over the shown rows.
  void EnsureRows() const;
  // Sets the visible mark of the rows below an item that show while it is expanded; answers
  // how many changed.
  int SetChildrenVisible(HSTREEITEM hItem, BOOL bVisible);
  BOOL IsInSubtree(HSTREEITEM hItem, HSTREEITEM hTop) const;
  // Whether an item is still in the tree after an event: TRUE at once when nothing was removed
  // meanwhile, else by comparing handles.
  BOOL StillHere(HSTREEITEM hItem, UINT uRemovalsBefore) const;
  // The check value that the children of an item add up to (the item's own without
  // children); and that set on the item and every ancestor above it.
  int ChildrenCheckValue(HSTREEITEM hItem) const;
  void UpdateAncestorsCheck(HSTREEITEM hParent);
  // The view from the widest width and the shown rows; UpdateViewSize finds the widest first
  // and repaints.
  void ApplyViewSize();
  void UpdateViewSize();
  // Measures every item again after a part, margin or font changed.
  void RefreshItemWidths();
  // The part of a row under a point relative to the item's indented start (the toggle only on
  // items with children).
  int PartOfPoint(HSTREEITEM hItem, POINT ptInItem) const;
  // Invalidates an item's row across the client, or only one of its parts.
  void InvalidateItem(HSTREEITEM hItem);
  void InvalidatePart(HSTREEITEM hItem, int nPart);
  // Changes the visual bits of a part; the part is repainted when they changed.
  void SetPartBits(HSTREEITEM hItem, int nPart, DWORD dwAdd, DWORD dwRemove);
  // Clears the hover item's hover bits; no hover item.
  void ClearHover();
  // The button-down action on a part of an item: the toggle expands or collapses, the check
  // box checks (unchecks a checked item).
  void PressPart(HSTREEITEM hItem, int nPart);
  // Frees the records of a subtree (the item's own too; STVI_ROOT: all), leaving the nodes.
  void FreeRecords(HSTREEITEM hTop);
  // A render target carrying the element's font, for measuring texts; made on first use.
  IRenderTarget* MeasureTarget();

  SAutoRefPtr<IRenderTarget> m_measureRT;
  // The shown items by row, made on demand, so that hit tests, mouse moves and invalidations
  // find rows without walking the tree.
  mutable std::vector<HSTREEITEM> m_rows;
  mutable bool m_bRowsValid = false;
  // Counts removals, so that a handler's removal of an item under way is noticed.
  UINT m_uRemovals = 0;
};

}  // namespace SWUI
