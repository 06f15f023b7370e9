// A strip of column captions ("header"). A click on a caption is a sort click, a drag of the
// divider between two captions resizes a column, and a caption dragged onto another takes its
// place, with a translucent picture of it following the mouse (CDragWnd).
//
// Items are kept in display order. Each keeps the order it was given at insertion (its data
// column): inserting at index i gives the new item order i and raises every order at or above
// i; deleting lowers the orders above the deleted one; a swap moves whole records, so the
// orders travel with them. A list finds the data of a displayed column through its order.
//
// Widths are clamped to kMaxExtent pixels, and so are the sums of widths (rectangles, the total),
// so that a list adding its own offsets stays within int; painting draws only what meets the
// client area.
//
// Hit codes (HitTest): -1 outside or past the captions; otherwise the low word is a column and
// the high word an item. Equal words: inside that item. Different words: the divider right of
// the low word's column, before the high word's item (0xFFFF after the last item). Invisible
// and 0-pixel items are passed over.
//
// Attributes: "itemSkin" (default the built-in "_skin.sys.header": a caption by its state,
// state 3 the strip after the last caption), "sortSkin" (state 0 for sort flag 1, 1 for 2),
// "sortHeader" (default 1: hover, press and click on captions, a divider zone of 4 px instead
// of 2), "fixWidth" (default 0), "itemSwapEnable" (default 1). XML: an "items" child of "item"
// elements, each with its caption as text and "width" (a size, default 50), "userData",
// "sortFlag" and "visible".
//
// Events: EventHeaderClick, EventHeaderItemChanging (every resize step), EventHeaderItemChanged,
// EventHeaderItemSwap. UI thread only.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "core/SLayoutSize.h"
#include "core/SWindow.h"

namespace SWUI {

// What GetItem copies out.
enum : UINT {
  SHDI_WIDTH = 0x1,
  SHDI_TEXT = 0x2,
  SHDI_SORTFLAG = 0x4,
  SHDI_LPARAM = 0x8,
  SHDI_ORDER = 0x10,
  SHDI_ALL = 0xFFFFFFFF,
};

// One caption.
struct HeaderItemInfo {
  explicit HeaderItemInfo(ITrCtxProvider* owner = nullptr) : text(owner) {}
  UINT mask = SHDI_ALL;
  SLayoutSize width;
  STrText text;
  UINT sortFlag = 0;  // 0 none, 1 and 2 the two directions
  LPARAM lParam = 0;
  UINT state = 0;  // 0 normal, 1 hover, 2 pressed
  int order = 0;
  bool visible = true;
};

class SHeaderCtrl : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"header")

 public:
  static constexpr DWORD kHitNone = 0xFFFFFFFF;
  static constexpr int kBuiltinSkin = 11;
  // The widest item, and the largest sum of widths.
  static constexpr int kMaxExtent = 0x3FFFFFFF;

  // Told after an item was inserted (the new item's order) or deleted (the deleted item's
  // order; -1 when all went), so that whoever keeps data per order follows.
  using ColumnsChanged = std::function<void(int order, bool inserted)>;

  SHeaderCtrl();
  ~SHeaderCtrl() override;

  // Inserts before iItem (any index outside [0, count] appends) with a width in a unit, or in
  // pixels; answers the index used.
  int InsertItem(int iItem, LPCWSTR pszText, float width, SLayoutSizeUnit unit, UINT sortFlag,
                 LPARAM lParam);
  int InsertItem(int iItem, LPCWSTR pszText, int nWidth, UINT sortFlag, LPARAM lParam);
  // Copies the fields info->mask names; FALSE for a bad index.
  BOOL GetItem(int iItem, HeaderItemInfo* pItem) const;
  int GetItemCount() const { return static_cast<int>(m_arrItems.size()); }
  // Pixels at the element's scale: -1 for a bad index, 0 for an invisible item.
  int GetItemWidth(int iItem) const;
  int GetTotalWidth() const;
  // From the client's left edge, the widths of the items before it; the client's height. Empty
  // for a bad index.
  RECT GetItemRect(int iItem) const;
  void SetItemSort(int iItem, UINT sortFlag);
  // Shows or hides an item and fires EventHeaderItemChanged with its new width.
  void SetItemVisible(int iItem, bool visible);
  bool IsItemVisible(int iItem) const;
  BOOL DeleteItem(int iItem);
  void DeleteAllItems();
  // Point in host coordinates.
  DWORD HitTest(POINT pt) const;
  static bool IsItemHover(DWORD hit) { return hit != kHitNone && LOWORD(hit) == HIWORD(hit); }

  BOOL IsDragging() const { return m_bDragging; }
  // One listener; an empty one removes it.
  void SetColumnsChanged(ColumnsChanged onChanged) { m_onColumnsChanged = std::move(onChanged); }

  // The first child of a list element that is a header, placed in the list's top strip of
  // that height ("pos" 0,0,-0,height); null, with a log line naming the list, without one.
  static SHeaderCtrl* FindListHeader(SWindow* pList, int nHeight);

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // The captions of the "items" child; FALSE without one (the header is then empty).
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  void OnColorize(COLORREF cr) override;
  void OnScaleChanged(int scale) override;
  // The size cursor over a divider (unless "fixWidth").
  BOOL OnSetCursor(const POINT& pt) override;
  BOOL OnLanguageChanged() override;

 protected:
  // Draws one caption into its rectangle: skin by state, text, sort arrow.
  virtual void DrawItem(IRenderTarget* pRT, const RECT& rc, const HeaderItemInfo& item);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  SWND_MSG_ENTRY(WM_ACTIVATEAPP, (OnActivateApp(), 0))
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWindow)

  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();
  void OnActivateApp();
  void OnDestroy();

 private:
  using ItemPtr = std::unique_ptr<HeaderItemInfo>;
  bool IsIndex(int iItem) const { return iItem >= 0 && iItem < GetItemCount(); }
  int PixelWidth(const HeaderItemInfo& item) const;
  // sum + width, at most kMaxExtent.
  static int AddWidth(int sum, int width);
  // The part of an item's rectangle that painting needs: far beyond the client it is cut, so
  // that a huge caption costs no more than a wide one.
  static RECT PaintedPart(const RECT& rcItem, const RECT& rcClient);
  void SetItemState(DWORD hit, UINT state);
  void RedrawItem(int iItem);
  bool IsSwapDrag() const;
  bool IsResizeDrag() const;
  void BeginDragging();
  void SwapDragTo(POINT pt);
  void ResizeTo(POINT pt);
  // The caption's picture for the drag window (32 bits); null when it cannot be made.
  HBITMAP MakeDragBitmap(int iItem);
  // Ends a drag (picture, bitmap, states, capture) and repaints.
  void CancelDrag();
  // Takes the drag picture down (only one this header put up) and frees its bitmap.
  void EndDragPicture();
  void ReleaseOwnCapture();
  // The strip as the swap would leave it, without the dragged caption.
  void DrawDragStrip(IRenderTarget* pRT, const RECT& rcClient);

  std::vector<ItemPtr> m_arrItems;
  SAutoRefPtr<ISkinObj> m_pSkinItem;
  SAutoRefPtr<ISkinObj> m_pSkinSort;
  BOOL m_bSortHeader = TRUE;
  BOOL m_bFixWidth = FALSE;
  BOOL m_bItemSwapEnable = TRUE;
  BOOL m_bDragging = FALSE;
  HBITMAP m_hDragImg = nullptr;
  BOOL m_bDragImgShown = FALSE;
  POINT m_ptClick = {0, 0};
  DWORD m_dwHitTest = kHitNone;
  DWORD m_dwDragTo = kHitNone;
  int m_nAdjItemOldWidth = 0;
  ColumnsChanged m_onColumnsChanged;
};

}  // namespace SWUI
