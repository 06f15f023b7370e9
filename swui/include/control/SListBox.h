// A vertical list of text items of one height, each with an optional icon and a data word
// ("listbox"), over a scroll view: a current selection, optional hot tracking (the selection
// follows the mouse and the item under it is highlighted), the arrow keys and three events.
// It is the drop-down list of the combo box.
//
// Items from XML: a child element "items" holding "item" elements with "text" ("@string/"
// allowed), "icon" (default -1: none) and "data" (default 0); the list box's own "curSel"
// (default -1) is selected afterwards.
//
// Attributes, besides the scroll view's: "itemHeight" (a size of at least 1 pixel),
// "itemSkin" (states 0 normal, 1 hot, 2 selected), "iconSkin" (one state per icon; an unknown
// skin name fails with E_FAIL and keeps the skin), "colorItemBkgnd", "colorItemBkgnd2" (odd
// items), "colorItemSelBkgnd", "colorItemHotBkgnd", "colorText", "colorSelText" (colours;
// 0x00FFFFFF means none; an empty value fails with E_FAIL), "icon-x", "icon-y", "text-x",
// "text-y" (offsets in the item; unset: centred icon and text after it), "hotTrack".
//
// Events: EventLBSelChanging (a handler may refuse), EventLBSelChanged and EventLBDbClick,
// only for the user's changes. UI thread only.
#pragma once
#include <memory>
#include <vector>

#include "control/SListItemLook.h"
#include "control/SScrollView.h"

namespace SWUI {

class SListBox : public SScrollView {
  SWUI_CLASS_NAME(SScrollView, L"listbox")

 public:
  SListBox();
  ~SListBox() override;

  // Appends; answers the index used.
  int AddString(LPCWSTR lpszItem, int nImage = -1, LPARAM lParam = 0);
  // Inserts before nIndex; any index outside [0, count] appends. The selection and the hover
  // item stay on their items. Answers the index used.
  int InsertString(int nIndex, LPCWSTR lpszItem, int nImage = -1, LPARAM lParam = 0);
  // Appends each <item> under parent's <items>: "text" (a named string), "icon" (defaultIcon
  // when missing) and "data" (0 when missing).
  void AddItemsFromXml(pugi::xml_node parent, int defaultIcon);
  // FALSE for a bad index; a selected or hovered item that goes leaves -1.
  BOOL DeleteString(int nIndex);
  void DeleteAll();
  int GetCount() const { return static_cast<int>(m_arrItems.size()); }
  int GetCurSel() const { return m_iSelItem; }
  // No event. FALSE for an index at or beyond the count and when unchanged; a negative index
  // clears the selection.
  BOOL SetCurSel(int nIndex);
  int GetHoverItem() const { return m_iHoverItem; }
  // The raw or translated text; empty for a bad index.
  SStringW GetText(int nIndex, BOOL bRawText = FALSE) const;
  LPARAM GetItemData(int nIndex) const;
  BOOL SetItemData(int nIndex, LPARAM lParam);
  // The first item after iFindAfter (from 0 when negative) whose raw text is exactly
  // pszText; -1 when none.
  int FindString(int iFindAfter, LPCWSTR pszText) const;
  // Scrolls the item to the top; FALSE for a bad index.
  BOOL SetTopIndex(int nIndex);
  // Sets the common item height in pixels; FALSE for a bad index or a height below 1.
  BOOL SetItemHeight(int nIndex, int nHeight);
  // The item height in pixels at the element's scale (at least 1).
  int GetItemHeight() const;
  // Scrolls until the item is among the fully shown rows.
  void EnsureVisible(int nIndex);
  // The item under a point (host coordinates), -1 for none.
  int HitTest(POINT pt) const;

  // The arrow keys (1) and characters (8).
  UINT OnGetDlgCode() override { return 9; }
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  BOOL OnLanguageChanged() override;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SScrollView::SetAttribute;

 protected:
  struct Item {
    explicit Item(ITrCtxProvider* owner) : text(owner) {}
    STrText text;
    int nImage = -1;
    LPARAM lParam = 0;
  };

  // Draws one item into its rectangle: background, item skin, icon, text.
  virtual void DrawItem(IRenderTarget* pRT, const RECT& rc, int iItem);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SIZE(OnSize)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONDBLCLK(OnLButtonDbClick)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_KEYDOWN(OnKeyDown)
  SWND_MESSAGE_HANDLER(WM_CHAR, OnChar)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  SWND_END_MSG_MAP(SScrollView)

  void OnDestroy();
  void OnSize(UINT nType, SIZE size);
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonDbClick(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnMouseLeave();

  // The user's choice: EventLBSelChanging, then (unless refused) the change, the two items
  // redrawn and EventLBSelChanged. Nothing when unchanged.
  void NotifySelChange(int nOldSel, int nNewSel);
  // Paints an item at once through a borrowed render target, when it is shown.
  void RedrawItem(int iItem);
  // Height of the items and width of the client (less a bar when they overflow).
  void UpdateViewSize();
  // The rows a paint covers: [first, first + rows).
  void GetPaintRows(int* pFirst, int* pRows) const;
  RECT GetItemRect(int iItem) const;

  std::vector<std::unique_ptr<Item>> m_arrItems;
  SLayoutSize m_itemHeight;
  int m_iSelItem = -1;
  int m_iHoverItem = -1;
  BOOL m_bHotTrack = FALSE;
  SListItemLook m_look;
  SAutoRefPtr<ISkinObj> m_pItemSkin;
  SAutoRefPtr<ISkinObj> m_pIconSkin;
};

}  // namespace SWUI
