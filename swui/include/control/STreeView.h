// The tree view ("treeview"): a tree that an application keeps behind a tree adapter
// (ITvAdapter), scrolling in both directions. Only the shown items (every ancestor expanded)
// that meet the view have element trees (item panels), recycled by view type; each row is
// indented by its depth and has the size the adapter asks for it (GetViewDesiredSize). Where
// rows lie is the item locator's, which keeps every item's geometry in the adapter's data
// words.
//
// The view keeps one selected item and one hover item. A click selects (14000, cancellable,
// then 14001), a double click on an item with children expands or collapses it; Left and Right
// collapse and expand the selected item or move to the previous or next shown item, Up and Down
// move, and the paging keys scroll. Every event of a row reaches the view's owner and host as
// EventOfPanel (10006).
//
// Attributes: "indent" (pixels per level, default 10; only while created from XML, E_FAIL
// later), "wantTab" (positive: all keys, and key-down goes to the selected row first). The
// "template" child is copied for the adapter; no other child is made. UI thread only.
#pragma once
#include <unordered_map>
#include <vector>

#include "base/SAutoRefPtr.h"
#include "control/ITreeViewItemLocator.h"
#include "control/ITvAdapter.h"
#include "control/SAdapterViewBase.h"
#include "control/STreeViewDataSetObserver.h"

namespace SWUI {

class EventItemPanelClick;
class EventItemPanelDbclick;

class STreeView : public SAdapterViewBase {
  SWUI_CLASS_NAME(SAdapterViewBase, L"treeview")

 public:
  static constexpr int kDefIndent = 10;

  STreeView();
  ~STreeView() override;

  // FALSE for null (nothing changes). Otherwise every panel of the old adapter goes, the
  // selection is cleared, and the new adapter is read and measured. TRUE.
  BOOL SetAdapter(ITvAdapter* adapter);
  ITvAdapter* GetAdapter() const { return m_adapter; }
  ITreeViewItemLocator* GetItemLocator() const { return m_locator; }

  HSTREEITEM GetSel() const { return m_hSelItem; }
  // 0 clears the selection. With bNotify the change raises 14000 (a handler may cancel it)
  // and 14001; an item that a 14000 handler takes out of the tree is not selected.
  void SetSel(HSTREEITEM hItem, BOOL bNotify = FALSE);
  // Expands the item's ancestors and scrolls it into view.
  void EnsureVisible(HSTREEITEM hItem);
  // The panel of a row on screen; null otherwise.
  SItemPanel* GetItemPanel(HSTREEITEM hItem) const;
  // The item of the first row on screen (0 for none).
  HSTREEITEM GetFirstVisibleItem() const;

  // Rebuilds the panels of the rows on screen; when their sizes changed the tree's, the bars
  // are recomputed and they are rebuilt once more (never more within one call).
  void UpdateVisibleItems() override;
  void UpdateScrollBar() override;

  // ---- the observer's calls --------------------------------------------------------------
  // The locator follows the data at once, and a selected item that left the tree is dropped
  // (silently); the rows are built now, or after the walk over the rows that is running.
  void OnBranchChanged(HSTREEITEM hBranch);
  void OnBranchExpandedChanged(HSTREEITEM hBranch, BOOL bExpandedOld, BOOL bExpandedNew);

  // ---- IItemContainer --------------------------------------------------------------------
  BOOL OnItemGetRect(const SItemPanel* pItem, RECT& rcItem) const override;

  // ---- element overrides -----------------------------------------------------------------
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SAdapterViewBase::SetAttribute;
  int GetScrollLineSize(BOOL bVertical) override;

 protected:
  void OnPaint(IRenderTarget* pRT) override;

  BOOL HasAdapter() const override { return m_adapter != nullptr; }
  void ReleaseAdapter() override;
  SItemPanel* GetSelPanel() const override { return GetItemPanel(m_hSelItem); }
  // Arrows expand, collapse and move the selection (with its events); paging keys scroll.
  BOOL HandleKey(UINT vk) override;
  void OnPanelCreated(SItemPanel* pItem) override;
  // The selected row's focused element loses the focus.
  void OnPressOverNoItem() override;
  // WM_MOUSEHOVER with no point.
  void SendMouseHover(SItemPanel* pItem, WPARAM wParam, POINT ptInItem) override;
  void DropVisibleRows() override;

  bool OnItemClick(EventItemPanelClick* evt);
  bool OnItemDbClick(EventItemPanelDbclick* evt);

 private:
  // One pass of UpdateVisibleItems.
  void BuildVisibleItems();
  // Old rows that will not be on screen (by the sizes known now) go back to their recycle
  // lists before any row is built.
  void RecycleLeaving(HSTREEITEM hFirst, std::unordered_map<HSTREEITEM, ItemInfo>& old);
  // A panel for an item of that type: its old one, a recycled one or a new one.
  SAutoRefPtr<SItemPanel> TakePanel(HSTREEITEM hItem, int nType,
                                    std::unordered_map<HSTREEITEM, ItemInfo>& old);
  // The items from the top level down to hItem (itself last), asked while it is in the tree.
  std::vector<HSTREEITEM> PathOf(HSTREEITEM hItem);
  // Whether path[from..] still hangs below path[from - 1] (the root for 0), each item found
  // among its parent's children: only items known to be in the tree are handed to the adapter.
  bool PathHolds(const std::vector<HSTREEITEM>& path, size_t from);
  // After a change of hBranch: the selection is dropped when it was in the branch and left it.
  void DropRemovedSelection(HSTREEITEM hBranch);
  // The row's rectangle in host coordinates.
  RECT GetRowRect(HSTREEITEM hItem) const;
  // Scrolls one bar so that [start, start + length) shows: nothing when it meets the page.
  void ScrollIntoView(BOOL bVertical, int start, int length);
  // EnsureVisible; true when the item is still in the tree afterwards (the rows built on the
  // way may have changed it).
  bool Reveal(HSTREEITEM hItem);
  // Moves the selection (with its events) to an item and shows it; nothing for 0, nor when
  // showing it took the item out of the tree.
  void MoveSelTo(HSTREEITEM hItem);
  // The tree item a panel shows.
  static HSTREEITEM ItemOf(const SItemPanel* pItem);

  SAutoRefPtr<ITvAdapter> m_adapter;
  SAutoRefPtr<STreeViewDataSetObserver> m_observer;
  SAutoRefPtr<ITreeViewItemLocator> m_locator;
  // The rows on screen by item (m_visible holds them in display order).
  std::unordered_map<HSTREEITEM, ItemInfo> m_visibleMap;
  HSTREEITEM m_hSelItem = 0;
  // The selection's path (PathOf), to tell whether a branch change took it out of the tree.
  std::vector<HSTREEITEM> m_selPath;
  // Branch changes told so far: a selection event's handler may have changed the tree.
  unsigned m_branchChanges = 0;
};

}  // namespace SWUI
