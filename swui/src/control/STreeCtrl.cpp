#include "control/STreeCtrl.h"

#include <algorithm>
#include <climits>

#include "control/EventTCCheckState.h"
#include "control/EventTCDbClick.h"
#include "control/EventTCExpand.h"
#include "control/EventTCSelChanged.h"
#include "control/EventTCSelChanging.h"
#include "control/SControlSkin.h"
#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

constexpr int kBuiltinToggleSkin = 8;  // "_skin.sys.tree.toggle"
constexpr int kBuiltinCheckSkin = 9;   // "_skin.sys.tree.checkbox"
constexpr COLORREF kItemBkgnd = 0xFFFFFFFF;
constexpr COLORREF kSelBkgnd = 0xFF880000;
constexpr COLORREF kItemText = 0xFF000000;
constexpr COLORREF kSelText = 0xFFFFFFFF;
// Skin states of a toggle or check box: three (normal, hover, pressed) per look.
constexpr int kStatesPerLook = 3;
// The four low bits of a text format place the text; measuring leaves them out.
constexpr UINT kAlignBits = 0xF;
// The largest row height, indent and margin: rows, indents and widths then stay within int.
constexpr int kMaxLength = 1 << 12;

int ClampLength(int value) { return std::min(std::max(value, -kMaxLength), kMaxLength); }

// The skin state of a toggle's or check box's visual bits: pressed, else hover, else normal.
int BaseState(DWORD bits) {
  if (bits & STreeCtrl::kBitPressed) return 2;
  return (bits & STreeCtrl::kBitHover) ? 1 : 0;
}

bool IsItemNode(const pugi::xml_node& node) {
  return node.type() == pugi::node_element && SXmlNoCase::NameEquals(node.name(), L"item");
}

// A part of a row placed at x, centred in a row of that height.
RECT PlacePart(int x, SIZE size, int rowHeight) {
  const int top = (rowHeight - size.cy) / 2;
  return RECT{x, top, x + size.cx, rowHeight - top};
}

}  // namespace

STreeCtrl::STreeCtrl()
    : m_pToggleSkin(SControlSkin::Builtin(kBuiltinToggleSkin)),
      m_pCheckSkin(SControlSkin::Builtin(kBuiltinCheckSkin)),
      m_crItemBg(kItemBkgnd),
      m_crItemSelBg(kSelBkgnd),
      m_crItemText(kItemText),
      m_crItemSelText(kSelText) {
  m_dwFlags |= SWF_CLIPCLIENT | SWF_FOCUSABLE;
  m_evtSet.AddEvent<EventTCSelChanging>();
  m_evtSet.AddEvent<EventTCSelChanged>();
  m_evtSet.AddEvent<EventTCExpand>();
  m_evtSet.AddEvent<EventTCCheckState>();
  m_evtSet.AddEvent<EventTCDbClick>();
  UpdateItemParts();
}

// The nodes go with the container; the records are the control's.
STreeCtrl::~STreeCtrl() { FreeRecords(STVI_ROOT); }

// ---- attributes and items from XML -------------------------------------------------------

HRESULT STreeCtrl::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  using P = SAttrParse;
  const SStringW& name = strAttribName;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(name, L"itemHeight")) {
    // Every row computation divides by the height.
    const int height = P::Int(strValue);
    if (height < 1) return E_FAIL;
    m_nItemHei = std::min(height, kMaxLength);
    UpdateItemParts();
    if (!bLoading) UpdateViewSize();
    hr = S_OK;
  } else if (P::IsName(name, L"indent")) {
    m_nIndent = ClampLength(P::Int(strValue));
    if (!bLoading) UpdateViewSize();
    hr = S_OK;
  } else if (P::IsName(name, L"itemMargin") || P::IsName(name, L"checkBox")) {
    if (P::IsName(name, L"checkBox")) {
      m_bCheckBox = P::Int(strValue) != 0;
    } else {
      m_nItemMargin = ClampLength(P::Int(strValue));
    }
    UpdateItemParts();
    if (!bLoading) RefreshItemWidths();
    hr = S_OK;
  } else if (P::IsName(name, L"rightClickSel")) {
    m_bRightClickSel = P::Int(strValue) != 0;
    hr = S_OK;
  } else {
    struct SkinAttr {
      LPCWSTR name;
      SAutoRefPtr<ISkinObj> STreeCtrl::*field;
      bool partOfRow;  // a toggle, check box or icon: the rows are measured again
    };
    static const SkinAttr kSkins[] = {
        {L"itemBkgndSkin", &STreeCtrl::m_pItemBgSkin, false},
        {L"itemSelSkin", &STreeCtrl::m_pItemSelSkin, false},
        {L"toggleSkin", &STreeCtrl::m_pToggleSkin, true},
        {L"iconSkin", &STreeCtrl::m_pIconSkin, true},
        {L"checkSkin", &STreeCtrl::m_pCheckSkin, true},
    };
    struct ColorAttr {
      LPCWSTR name;
      COLORREF STreeCtrl::*field;
    };
    static const ColorAttr kColors[] = {
        {L"colorItemBkgnd", &STreeCtrl::m_crItemBg},
        {L"colorItemSelBkgnd", &STreeCtrl::m_crItemSelBg},
        {L"colorItemText", &STreeCtrl::m_crItemText},
        {L"colorItemSelText", &STreeCtrl::m_crItemSelText},
    };
    for (const SkinAttr& skin : kSkins) {
      if (!P::IsName(name, skin.name)) continue;
      if (!SControlSkin::Assign(this->*skin.field, strValue, GetScale())) return E_FAIL;
      if (skin.partOfRow) {
        UpdateItemParts();
        if (!bLoading) RefreshItemWidths();
      }
      hr = S_OK;
    }
    for (const ColorAttr& color : kColors) {
      if (!P::IsName(name, color.name)) continue;
      if (strValue.IsEmpty()) return E_FAIL;
      this->*color.field = GetNamedColor(strValue);
      hr = S_FALSE;
    }
  }
  if (hr != E_NOTIMPL) return AfterAttribute(strAttribName, strValue, bLoading, hr);
  // The font may be among the style's attributes: texts are measured afresh.
  m_measureRT.Reset();
  return SScrollView::SetAttribute(strAttribName, strValue, bLoading);
}

BOOL STreeCtrl::CreateChildren(pugi::xml_node xmlNode) {
  RemoveAllItems();
  UpdateItemParts();
  LoadBranch(STVI_ROOT, xmlNode);
  return TRUE;
}

void STreeCtrl::LoadBranch(HSTREEITEM hParent, pugi::xml_node xmlItem) {
  for (pugi::xml_node node = xmlItem.first_child(); node; node = node.next_sibling()) {
    if (!IsItemNode(node)) continue;
    auto* item = new TreeItemInfo;
    LoadItemAttribute(node, item);
    const HSTREEITEM hItem = InsertItem(item, hParent, STVI_LAST, FALSE);
    if (hItem != 0) LoadBranch(hItem, node);
  }
}

void STreeCtrl::LoadItemAttribute(pugi::xml_node xmlItem, TreeItemInfo* pItem) {
  auto intOf = [&xmlItem](LPCWSTR name, int fallback) {
    const pugi::xml_attribute attr = SXmlNoCase::Attribute(xmlItem, name);
    return attr ? SAttrParse::Int(SStringW(attr.value())) : fallback;
  };
  pItem->strText = GetNamedString(SStringW(SXmlNoCase::Attribute(xmlItem, L"text").value()));
  pItem->nImage = intOf(L"img", -1);
  pItem->nSelectedImage = intOf(L"selImg", -1);
  pItem->lParam = static_cast<LPARAM>(static_cast<UINT>(intOf(L"data", 0)));
  // Collapsed before its children arrive, so they come in hidden and no event fires.
  const pugi::xml_attribute expand = SXmlNoCase::Attribute(xmlItem, L"expand");
  const bool hasItems = std::any_of(xmlItem.begin(), xmlItem.end(), IsItemNode);
  pItem->bCollapsed = hasItems && expand && !SAttrParse::Bool(SStringW(expand.value()));
}

// ---- rows and their parts ----------------------------------------------------------------

void STreeCtrl::UpdateItemParts() {
  int x = 0;
  m_uPartFlags = 0;
  m_rcToggle = m_rcCheckBox = m_rcIcon = RECT{0, 0, 0, 0};
  if (m_pToggleSkin != nullptr) {
    m_rcToggle = PlacePart(x, m_pToggleSkin->GetSkinSize(), m_nItemHei);
    x = m_rcToggle.right;
    m_uPartFlags |= kPartFlagToggle;
  }
  if (m_bCheckBox && m_pCheckSkin != nullptr) {
    m_rcCheckBox = PlacePart(x, m_pCheckSkin->GetSkinSize(), m_nItemHei);
    x = m_rcCheckBox.right;
    m_uPartFlags |= kPartFlagCheckBox;
  }
  if (m_pIconSkin != nullptr) {
    m_rcIcon = PlacePart(x, m_pIconSkin->GetSkinSize(), m_nItemHei);
    x = m_rcIcon.right;
    m_uPartFlags |= kPartFlagIcon;
  }
  m_nPartsWidth = x;
}

IRenderTarget* STreeCtrl::MeasureTarget() {
  if (m_measureRT != nullptr) return m_measureRT;
  SApplication* app = SApplication::getSingletonPtr();
  if (app == nullptr || app->GetRenderFactory() == nullptr) return nullptr;
  IRenderTarget* made = nullptr;
  app->GetRenderFactory()->CreateRenderTarget(&made, 0, 0);
  m_measureRT.Attach(made);
  if (m_measureRT != nullptr) BeforePaintEx(m_measureRT);
  return m_measureRT;
}

void STreeCtrl::CalcItemContentWidth(TreeItemInfo* pItem) {
  int textWidth = 0;
  IRenderTarget* rt = pItem->strText.IsEmpty() ? nullptr : MeasureTarget();
  if (rt != nullptr) {
    RECT rc = {0, 0, 0, 0};
    DrawText(rt, pItem->strText, pItem->strText.GetLength(), &rc,
             (GetTextAlign() & ~kAlignBits) | DT_CALCRECT);
    textWidth = rc.right - rc.left;
  }
  pItem->nContentWidth = m_nPartsWidth + 2 * m_nItemMargin + textWidth;
}

int STreeCtrl::GetItemWidth(HSTREEITEM hItem) const {
  const TreeItemInfo* info = Info(hItem);
  return info != nullptr ? m_nIndent * info->nLevel + info->nContentWidth : 0;
}

int STreeCtrl::GetMaxChildWidth(HSTREEITEM hItem) const {
  HSTREEITEM first = 0;
  if (hItem == STVI_ROOT) {
    first = ItemTree::GetRootItem(TRUE);
  } else if (const TreeItemInfo* info = Info(hItem)) {
    first = info->bCollapsed ? 0 : ItemTree::GetChildItem(hItem, TRUE);
  }
  int widest = 0;
  for (HSTREEITEM h = first; h != 0; h = NextBelow(h, hItem, true)) {
    widest = std::max(widest, GetItemWidth(h));
  }
  return widest;
}

int STreeCtrl::GetMaxItemWidth() const { return GetMaxChildWidth(STVI_ROOT); }

void STreeCtrl::ApplyViewSize() {
  const long long total = static_cast<long long>(m_nItemHei) * m_nVisibleItems;
  SetViewSize(SIZE{m_nMaxItemWidth, static_cast<int>(std::min<long long>(total, INT_MAX))});
}

void STreeCtrl::UpdateViewSize() {
  m_nMaxItemWidth = GetMaxItemWidth();
  ApplyViewSize();
  Invalidate();
}

void STreeCtrl::RefreshItemWidths() {
  for (HSTREEITEM h = ItemTree::GetRootItem(TRUE); h != 0; h = ItemTree::GetNextItem(h)) {
    CalcItemContentWidth(Rec(h));
  }
  UpdateViewSize();
}

void STreeCtrl::OnScaleChanged(int scale) {
  SScrollView::OnScaleChanged(scale);
  for (SAutoRefPtr<ISkinObj>* skin :
       {&m_pItemBgSkin, &m_pItemSelSkin, &m_pToggleSkin, &m_pIconSkin, &m_pCheckSkin}) {
    ScaleSkin(*skin, scale);
  }
  m_measureRT.Reset();
  UpdateItemParts();
  RefreshItemWidths();
}

// ---- walking the tree --------------------------------------------------------------------

TreeItemInfo* STreeCtrl::Info(HSTREEITEM hItem) const {
  TreeItemInfo* const* rec = ItemTree::GetItemPt(hItem);
  return rec != nullptr ? *rec : nullptr;
}

TreeItemInfo* STreeCtrl::OwnInfo(HSTREEITEM hItem) const {
  TreeItemInfo* info = Info(hItem);
  if (info == nullptr) return nullptr;
  HSTREEITEM top = hItem;
  while (HSTREEITEM parent = ItemTree::GetParentItem(top)) top = parent;
  while (HSTREEITEM prev = ItemTree::GetPrevSiblingItem(top)) top = prev;
  return top == ItemTree::GetRootItem(TRUE) ? info : nullptr;
}

HSTREEITEM STreeCtrl::NextBelow(HSTREEITEM hItem, HSTREEITEM hTop, bool bShownOnly) const {
  if (!bShownOnly || !Rec(hItem)->bCollapsed) {
    if (HSTREEITEM child = ItemTree::GetChildItem(hItem, TRUE)) return child;
  }
  for (; hItem != 0 && hItem != hTop; hItem = ItemTree::GetParentItem(hItem)) {
    if (HSTREEITEM next = ItemTree::GetNextSiblingItem(hItem)) return next;
  }
  return 0;
}

void STreeCtrl::EnsureRows() const {
  if (m_bRowsValid) return;
  m_rows.clear();
  m_rows.reserve(static_cast<size_t>(std::max(m_nVisibleItems, 0)));
  for (HSTREEITEM h = ItemTree::GetRootItem(TRUE); h != 0; h = NextBelow(h, STVI_ROOT, true)) {
    Rec(h)->nRow = static_cast<int>(m_rows.size());
    m_rows.push_back(h);
  }
  m_bRowsValid = true;
}

HSTREEITEM STreeCtrl::ItemOfRow(int nRow) const {
  if (nRow < 0 || nRow >= m_nVisibleItems) return 0;
  EnsureRows();
  return nRow < static_cast<int>(m_rows.size()) ? m_rows[nRow] : 0;
}

int STreeCtrl::RowOfItem(HSTREEITEM hItem) const {
  const TreeItemInfo* info = Info(hItem);
  if (info == nullptr || !info->bVisible) return -1;
  EnsureRows();
  // An item of another tree may carry any row: the index must name this very item.
  const int row = info->nRow;
  return row >= 0 && row < static_cast<int>(m_rows.size()) && m_rows[row] == hItem ? row : -1;
}

int STreeCtrl::SetChildrenVisible(HSTREEITEM hItem, BOOL bVisible) {
  int changed = 0;
  for (HSTREEITEM h = ItemTree::GetChildItem(hItem, TRUE); h != 0; h = NextBelow(h, hItem, true)) {
    TreeItemInfo* info = Rec(h);
    if (info->bVisible == bVisible) continue;
    info->bVisible = bVisible;
    ++changed;
  }
  return changed;
}

BOOL STreeCtrl::IsInSubtree(HSTREEITEM hItem, HSTREEITEM hTop) const {
  for (; hItem != 0; hItem = ItemTree::GetParentItem(hItem)) {
    if (hItem == hTop) return TRUE;
  }
  return FALSE;
}

BOOL STreeCtrl::StillHere(HSTREEITEM hItem, UINT uRemovalsBefore) const {
  if (m_uRemovals == uRemovalsBefore) return TRUE;
  // Handles are compared, never followed: the item may be gone.
  for (HSTREEITEM h = ItemTree::GetRootItem(TRUE); h != 0; h = ItemTree::GetNextItem(h)) {
    if (h == hItem) return TRUE;
  }
  return FALSE;
}

void STreeCtrl::FreeRecords(HSTREEITEM hTop) {
  const HSTREEITEM first = hTop == STVI_ROOT ? ItemTree::GetRootItem(TRUE) : hTop;
  for (HSTREEITEM h = first; h != 0; h = NextBelow(h, hTop, false)) {
    TreeItemInfo*& rec = ItemTree::GetItem(h);
    delete rec;
    rec = nullptr;
  }
}

// ---- items -------------------------------------------------------------------------------

HSTREEITEM STreeCtrl::InsertItem(LPCWSTR pszText, int nImage, int nSelectedImage, LPARAM lParam,
                                 HSTREEITEM hParent, HSTREEITEM hInsertAfter,
                                 BOOL bEnsureVisible) {
  auto* item = new TreeItemInfo;
  item->strText = pszText;
  item->nImage = nImage;
  item->nSelectedImage = nSelectedImage;
  item->lParam = lParam;
  return InsertItem(item, hParent, hInsertAfter, bEnsureVisible);
}

HSTREEITEM STreeCtrl::InsertItem(LPCWSTR pszText, HSTREEITEM hParent, HSTREEITEM hInsertAfter,
                                 BOOL bEnsureVisible) {
  return InsertItem(pszText, -1, -1, 0, hParent, hInsertAfter, bEnsureVisible);
}

HSTREEITEM STreeCtrl::InsertItem(LPCWSTR pszText, int nImage, int nSelectedImage,
                                 HSTREEITEM hParent, HSTREEITEM hInsertAfter,
                                 BOOL bEnsureVisible) {
  return InsertItem(pszText, nImage, nSelectedImage, 0, hParent, hInsertAfter, bEnsureVisible);
}

HSTREEITEM STreeCtrl::InsertItem(TreeItemInfo* pItem, HSTREEITEM hParent,
                                 HSTREEITEM hInsertAfter, BOOL bEnsureVisible) {
  if (hParent == 0) hParent = STVI_ROOT;
  TreeItemInfo* parent = hParent == STVI_ROOT ? nullptr : OwnInfo(hParent);
  if (hParent != STVI_ROOT && parent == nullptr) {
    delete pItem;
    return 0;
  }
  pItem->nLevel = parent != nullptr ? parent->nLevel + 1 : 0;
  pItem->bVisible = parent == nullptr || (parent->bVisible && !parent->bCollapsed);
  CalcItemContentWidth(pItem);
  const HSTREEITEM hItem = ItemTree::InsertItem(pItem, hParent, hInsertAfter);
  if (hItem == 0) {
    delete pItem;
    return 0;
  }
  pItem->hItem = hItem;
  if (parent != nullptr) parent->bHasChildren = TRUE;
  if (pItem->bVisible) {
    ++m_nVisibleItems;
    InvalidateRows();
    m_nMaxItemWidth = std::max(m_nMaxItemWidth, GetItemWidth(hItem));
    ApplyViewSize();
    Invalidate();
  }
  // What runs from here may remove the item (an override, or a handler of the expansion
  // that making it visible fires): a removed item is never handed out.
  const UINT removals = m_uRemovals;
  OnInsertItem(hItem);
  if (bEnsureVisible && StillHere(hItem, removals)) EnsureVisible(hItem);
  return StillHere(hItem, removals) ? hItem : 0;
}

void STreeCtrl::OnInsertItem(HSTREEITEM) {}

BOOL STreeCtrl::RemoveItem(HSTREEITEM hItem) {
  TreeItemInfo* info = OwnInfo(hItem);
  if (info == nullptr) return FALSE;
  const HSTREEITEM hParent = ItemTree::GetParentItem(hItem);
  int rowsGone = 0;
  int widestGone = 0;
  if (info->bVisible) {
    widestGone = std::max(GetItemWidth(hItem), GetMaxChildWidth(hItem));
    rowsGone = 1 + (info->bCollapsed ? 0 : SetChildrenVisible(hItem, FALSE));
  }
  for (HSTREEITEM* held : {&m_hSelItem, &m_hHoverItem, &m_hCaptureItem}) {
    if (IsInSubtree(*held, hItem)) *held = 0;
  }
  if (m_hHoverItem == 0) m_nItemHoverBtn = kPartNone;
  if (m_hCaptureItem == 0) m_nItemPushDownBtn = kPartNone;
  FreeRecords(hItem);
  ItemTree::DeleteItem(hItem);
  ++m_uRemovals;
  InvalidateRows();

  if (TreeItemInfo* parent = Info(hParent)) {
    if (!ItemTree::ItemHasChildren(hParent)) {
      parent->bHasChildren = FALSE;
      parent->bCollapsed = FALSE;
    } else if (m_bCheckBox) {
      // The parent follows the children left: with the one unchecked child gone, a parent of
      // checked children is checked, not partly.
      UpdateAncestorsCheck(hParent);
    }
  }
  m_nVisibleItems -= rowsGone;
  if (widestGone >= m_nMaxItemWidth) m_nMaxItemWidth = GetMaxItemWidth();
  ApplyViewSize();
  Invalidate();
  return TRUE;
}

void STreeCtrl::RemoveAllItems() {
  FreeRecords(STVI_ROOT);
  ItemTree::DeleteAllItems();
  ++m_uRemovals;
  InvalidateRows();
  m_hSelItem = m_hHoverItem = m_hCaptureItem = 0;
  m_nItemHoverBtn = m_nItemPushDownBtn = kPartNone;
  m_nVisibleItems = 0;
  m_nMaxItemWidth = 0;
  SetViewSize(SIZE{0, 0});
  SetViewOrigin(POINT{0, 0});
  Invalidate();
}

BOOL STreeCtrl::Expand(HSTREEITEM hItem, UINT nCode) {
  TreeItemInfo* info = OwnInfo(hItem);
  if (info == nullptr || !info->bHasChildren) return FALSE;
  BOOL collapse;
  switch (nCode) {
    case TVE_COLLAPSE:
      collapse = TRUE;
      break;
    case TVE_EXPAND:
      collapse = FALSE;
      break;
    case TVE_TOGGLE:
      collapse = !info->bCollapsed;
      break;
    default:
      return FALSE;
  }
  if (collapse == info->bCollapsed) return FALSE;
  info->bCollapsed = collapse;
  if (info->bVisible) {
    const int changed = SetChildrenVisible(hItem, !collapse);
    m_nVisibleItems += collapse ? -changed : changed;
    InvalidateRows();
  }
  UpdateViewSize();
  EventTCExpand evt(this);
  evt.hItem = hItem;
  evt.bCollapsed = collapse;
  FireEvent(evt);
  return TRUE;
}

BOOL STreeCtrl::EnsureVisible(HSTREEITEM hItem) {
  if (OwnInfo(hItem) == nullptr) return FALSE;
  const UINT removals = m_uRemovals;
  for (HSTREEITEM h = ItemTree::GetParentItem(hItem); h != 0; h = ItemTree::GetParentItem(h)) {
    Expand(h, TVE_EXPAND);
    if (!StillHere(hItem, removals)) return FALSE;  // an expand handler removed it
  }
  const int row = RowOfItem(hItem);
  if (row < 0) return FALSE;
  const RECT rc = GetClientRect();
  const int clientHeight = rc.bottom - rc.top;
  const long long y = static_cast<long long>(row) * m_nItemHei;
  long long pos;
  if (y + m_nItemHei > m_ptOrigin.y + clientHeight) {
    pos = y + m_nItemHei - clientHeight;
  } else if (y < m_ptOrigin.y) {
    pos = y;
  } else {
    return TRUE;
  }
  OnScroll(TRUE, SB_THUMBPOSITION, static_cast<int>(std::min<long long>(pos, INT_MAX)));
  return TRUE;
}

BOOL STreeCtrl::SelectItem(HSTREEITEM hItem, BOOL bEnsureVisible) {
  if (OwnInfo(hItem) == nullptr) return FALSE;
  const UINT removals = m_uRemovals;
  EventTCSelChanging changing(this);
  changing.hOldSel = m_hSelItem;
  changing.hNewSel = hItem;
  FireEvent(changing);
  if (changing.bCancel || !StillHere(hItem, removals)) return FALSE;
  if (bEnsureVisible && !EnsureVisible(hItem)) return FALSE;
  const HSTREEITEM old = m_hSelItem;
  // Stored before the event, so that a handler sees the new selection and may change it.
  m_hSelItem = hItem;
  InvalidateItem(old);
  InvalidateItem(hItem);
  EventTCSelChanged changed(this);
  changed.hOldSel = old;
  changed.hNewSel = hItem;
  FireEvent(changed);
  return TRUE;
}

BOOL STreeCtrl::GetItemText(HSTREEITEM hItem, SStringW& strText) const {
  const TreeItemInfo* info = Info(hItem);
  if (info == nullptr) return FALSE;
  strText = info->strText;
  return TRUE;
}

BOOL STreeCtrl::SetItemText(HSTREEITEM hItem, LPCWSTR pszText) {
  TreeItemInfo* info = OwnInfo(hItem);
  if (info == nullptr) return FALSE;
  info->strText = pszText;
  CalcItemContentWidth(info);
  if (info->bVisible) UpdateViewSize();
  return TRUE;
}

BOOL STreeCtrl::GetItemImage(HSTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  const TreeItemInfo* info = Info(hItem);
  if (info == nullptr) return FALSE;
  nImage = info->nImage;
  nSelectedImage = info->nSelectedImage;
  return TRUE;
}

BOOL STreeCtrl::SetItemImage(HSTREEITEM hItem, int nImage, int nSelectedImage) {
  TreeItemInfo* info = OwnInfo(hItem);
  if (info == nullptr) return FALSE;
  info->nImage = nImage;
  info->nSelectedImage = nSelectedImage;
  InvalidateItem(hItem);
  return TRUE;
}

LPARAM STreeCtrl::GetItemData(HSTREEITEM hItem) const {
  const TreeItemInfo* info = Info(hItem);
  return info != nullptr ? info->lParam : 0;
}

BOOL STreeCtrl::SetItemData(HSTREEITEM hItem, LPARAM lParam) {
  TreeItemInfo* info = OwnInfo(hItem);
  if (info == nullptr) return FALSE;
  info->lParam = lParam;
  return TRUE;
}

BOOL STreeCtrl::ItemHasChildren(HSTREEITEM hItem) const {
  const TreeItemInfo* info = Info(hItem);
  return info != nullptr && info->bHasChildren;
}

BOOL STreeCtrl::IsExpanded(HSTREEITEM hItem) const {
  const TreeItemInfo* info = Info(hItem);
  return info != nullptr && info->bHasChildren && !info->bCollapsed;
}

HSTREEITEM STreeCtrl::GetChildItem(HSTREEITEM hItem, BOOL bFirst) const {
  return ItemTree::GetChildItem(hItem, bFirst);
}

HSTREEITEM STreeCtrl::GetNextItem(HSTREEITEM hItem) const { return ItemTree::GetNextItem(hItem); }

int STreeCtrl::GetItemLevel(HSTREEITEM hItem) const {
  const TreeItemInfo* info = Info(hItem);
  return info != nullptr ? info->nLevel : -1;
}

HSTREEITEM STreeCtrl::GetRootItem(HSTREEITEM hItem) const {
  if (Info(hItem) == nullptr) return 0;
  while (HSTREEITEM parent = ItemTree::GetParentItem(hItem)) hItem = parent;
  return hItem;
}

int STreeCtrl::GetChildrenCount(HSTREEITEM hItem) const {
  if (hItem != STVI_ROOT && Info(hItem) == nullptr) return 0;
  int count = 0;
  for (HSTREEITEM h = ItemTree::GetChildItem(hItem, TRUE); h != 0;
       h = ItemTree::GetNextSiblingItem(h)) {
    ++count;
  }
  return count;
}

// ---- check boxes -------------------------------------------------------------------------

BOOL STreeCtrl::GetCheckState(HSTREEITEM hItem) const {
  const TreeItemInfo* info = Info(hItem);
  return m_bCheckBox && info != nullptr && info->nCheckBoxValue != STVICheckBox_UnChecked;
}

int STreeCtrl::GetCheckValue(HSTREEITEM hItem) const {
  const TreeItemInfo* info = Info(hItem);
  return info != nullptr ? info->nCheckBoxValue : -1;
}

BOOL STreeCtrl::SetCheckState(HSTREEITEM hItem, BOOL bCheck) {
  if (!m_bCheckBox) return FALSE;
  TreeItemInfo* info = OwnInfo(hItem);
  if (info == nullptr) return FALSE;
  const int value = bCheck ? STVICheckBox_Checked : STVICheckBox_UnChecked;
  info->nCheckBoxValue = value;
  for (HSTREEITEM h = ItemTree::GetChildItem(hItem, TRUE); h != 0;
       h = NextBelow(h, hItem, false)) {
    Rec(h)->nCheckBoxValue = value;
  }
  UpdateAncestorsCheck(ItemTree::GetParentItem(hItem));
  Invalidate();
  return TRUE;
}

int STreeCtrl::ChildrenCheckValue(HSTREEITEM hItem) const {
  HSTREEITEM child = ItemTree::GetChildItem(hItem, TRUE);
  if (child == 0) return Rec(hItem)->nCheckBoxValue;
  const int first = Rec(child)->nCheckBoxValue;
  for (; child != 0; child = ItemTree::GetNextSiblingItem(child)) {
    if (Rec(child)->nCheckBoxValue != first) return STVICheckBox_PartChecked;
  }
  return first;
}

void STreeCtrl::UpdateAncestorsCheck(HSTREEITEM hParent) {
  for (HSTREEITEM h = hParent; h != 0; h = ItemTree::GetParentItem(h)) {
    Rec(h)->nCheckBoxValue = ChildrenCheckValue(h);
  }
}

BOOL STreeCtrl::SortChildren(HSTREEITEM hItem, STreeCompareFunc compare, void* pCtx) {
  if (compare == nullptr || (hItem != STVI_ROOT && OwnInfo(hItem) == nullptr)) return FALSE;
  ClearHover();
  if (TreeItemInfo* pressed = Info(m_hCaptureItem)) {
    pressed->dwToggleState &= ~kBitPressed;
    pressed->dwCheckBoxState &= ~kBitPressed;
  }
  m_hCaptureItem = 0;
  m_nItemPushDownBtn = kPartNone;
  ItemTree::SortChildren(hItem, compare, pCtx);
  InvalidateRows();
  Invalidate();
  return TRUE;
}

// ---- geometry ----------------------------------------------------------------------------

HSTREEITEM STreeCtrl::HitTest(POINT& pt) const {
  const RECT rc = GetClientRect();
  if (!PtInRect(&rc, pt)) return 0;
  const long long y = static_cast<long long>(pt.y) - rc.top + m_ptOrigin.y;
  const int row = static_cast<int>(std::min<long long>(y / m_nItemHei, INT_MAX));
  const HSTREEITEM hItem = ItemOfRow(row);
  if (hItem == 0) return 0;
  pt.x -= rc.left - m_ptOrigin.x + m_nIndent * Rec(hItem)->nLevel;
  pt.y -= RowTop(row);
  return hItem;
}

RECT STreeCtrl::GetItemRect(HSTREEITEM hItem) const {
  const int row = RowOfItem(hItem);
  if (row < 0) return RECT{0, 0, 0, 0};
  const int left = GetClientRect().left - m_ptOrigin.x;
  const int top = RowTop(row);
  return RECT{left, top, left + GetItemWidth(hItem), top + m_nItemHei};
}

int STreeCtrl::RowTop(int nRow) const {
  const long long top = static_cast<long long>(GetClientRect().top) +
                        static_cast<long long>(nRow) * m_nItemHei - m_ptOrigin.y;
  // Half of int either way: a row's bottom stays within int as well.
  return static_cast<int>(std::min<long long>(std::max<long long>(top, INT_MIN / 2), INT_MAX / 2));
}

int STreeCtrl::PartOfPoint(HSTREEITEM hItem, POINT ptInItem) const {
  if ((m_uPartFlags & kPartFlagToggle) && Rec(hItem)->bHasChildren &&
      PtInRect(&m_rcToggle, ptInItem)) {
    return kPartToggle;
  }
  if ((m_uPartFlags & kPartFlagCheckBox) && PtInRect(&m_rcCheckBox, ptInItem)) {
    return kPartCheckBox;
  }
  return kPartNone;
}

void STreeCtrl::InvalidateItem(HSTREEITEM hItem) {
  const RECT row = GetItemRect(hItem);
  if (IsRectEmpty(&row)) return;
  const RECT rc = GetClientRect();
  InvalidateRect(RECT{rc.left, row.top, rc.right, row.bottom});
}

void STreeCtrl::InvalidatePart(HSTREEITEM hItem, int nPart) {
  const RECT row = GetItemRect(hItem);
  if (IsRectEmpty(&row)) return;
  RECT part = nPart == kPartToggle ? m_rcToggle : m_rcCheckBox;
  OffsetRect(&part, row.left + m_nIndent * Rec(hItem)->nLevel, row.top);
  InvalidateRect(part);
}

void STreeCtrl::SetPartBits(HSTREEITEM hItem, int nPart, DWORD dwAdd, DWORD dwRemove) {
  TreeItemInfo* info = Info(hItem);
  if (info == nullptr || nPart == kPartNone) return;
  DWORD& bits = nPart == kPartToggle ? info->dwToggleState : info->dwCheckBoxState;
  const DWORD old = bits;
  bits = (bits & ~dwRemove) | dwAdd;
  if (bits != old) InvalidatePart(hItem, nPart);
}

void STreeCtrl::ClearHover() {
  SetPartBits(m_hHoverItem, kPartToggle, 0, kBitHover);
  SetPartBits(m_hHoverItem, kPartCheckBox, 0, kBitHover);
  m_hHoverItem = 0;
  m_nItemHoverBtn = kPartNone;
}

// ---- painting ----------------------------------------------------------------------------

void STreeCtrl::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  const RECT rc = GetClientRect();
  const int first = m_ptOrigin.y / m_nItemHei;
  int top = rc.top + first * m_nItemHei - m_ptOrigin.y;
  for (HSTREEITEM h = ItemOfRow(first); h != 0 && top < rc.bottom;
       h = NextBelow(h, STVI_ROOT, true)) {
    const int left = rc.left - m_ptOrigin.x;
    DrawItem(pRT, RECT{left, top, left + GetItemWidth(h), top + m_nItemHei}, h);
    top += m_nItemHei;
  }
  AfterPaint(pRT, painter);
}

void STreeCtrl::DrawItem(IRenderTarget* pRT, const RECT& rc, HSTREEITEM hItem) {
  const TreeItemInfo* info = Info(hItem);
  if (info == nullptr) return;
  const bool selected = hItem == m_hSelItem;
  POINT oldOrg = {0, 0};
  pRT->OffsetViewportOrg(rc.left + m_nIndent * info->nLevel, rc.top, &oldOrg);

  const RECT rcText = {m_nPartsWidth + m_nItemMargin, 0, info->nContentWidth, m_nItemHei};
  COLORREF crText = m_crItemText;
  if (selected) {
    if (m_pItemSelSkin != nullptr) {
      m_pItemSelSkin->Draw(pRT, &rcText, 0);
    } else if (m_crItemSelBg != CR_INVALID) {
      pRT->FillSolidRect(&rcText, m_crItemSelBg);
    }
    crText = m_crItemSelText;
  }
  if (info->bHasChildren && (m_uPartFlags & kPartFlagToggle)) {
    const int look = info->bCollapsed ? 0 : 1;
    SControlSkin::DrawState(m_pToggleSkin, pRT, m_rcToggle,
                            BaseState(info->dwToggleState) + look * kStatesPerLook);
  }
  if (m_uPartFlags & kPartFlagCheckBox) {
    SControlSkin::DrawState(m_pCheckSkin, pRT, m_rcCheckBox,
                            BaseState(info->dwCheckBoxState) +
                                info->nCheckBoxValue * kStatesPerLook);
  }
  if (m_uPartFlags & kPartFlagIcon) {
    const int image =
        selected && info->nSelectedImage != -1 ? info->nSelectedImage : info->nImage;
    if (image != -1) SControlSkin::DrawState(m_pIconSkin, pRT, m_rcIcon, image);
  }

  const COLORREF crOld = crText != CR_INVALID ? pRT->SetTextColor(crText) : CR_INVALID;
  RECT rcDraw = rcText;
  OffsetRect(&rcDraw, m_nItemMargin, 0);
  DrawText(pRT, info->strText, info->strText.GetLength(), &rcDraw,
           DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  if (crOld != CR_INVALID) pRT->SetTextColor(crOld);
  pRT->SetViewportOrg(oldOrg);
}

// ---- mouse -------------------------------------------------------------------------------

void STreeCtrl::PressPart(HSTREEITEM hItem, int nPart) {
  SetPartBits(hItem, nPart, kBitPressed, 0);
  if (nPart == kPartToggle) {
    Expand(hItem, TVE_TOGGLE);
  } else if (nPart == kPartCheckBox) {
    SetCheckState(hItem, Rec(hItem)->nCheckBoxValue != STVICheckBox_Checked);
  }
}

void STreeCtrl::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  POINT ptInItem = pt;
  m_hHoverItem = HitTest(ptInItem);
  if (m_hHoverItem != 0 && m_hHoverItem != m_hSelItem) SelectItem(m_hHoverItem, FALSE);
  // A selection handler may have removed the item (the hover went with it).
  if (m_hHoverItem == 0) return;
  m_hCaptureItem = m_hHoverItem;
  m_nItemPushDownBtn = PartOfPoint(m_hCaptureItem, ptInItem);
  PressPart(m_hCaptureItem, m_nItemPushDownBtn);
}

void STreeCtrl::OnLButtonUp(UINT nFlags, POINT pt) {
  SWindow::OnLButtonUp(nFlags, pt);
  POINT ptInItem = pt;
  m_hHoverItem = HitTest(ptInItem);
  const HSTREEITEM hItem = m_hCaptureItem != 0 ? m_hCaptureItem : m_hHoverItem;
  const int part = m_nItemPushDownBtn;
  m_hCaptureItem = 0;
  m_nItemPushDownBtn = kPartNone;
  if (hItem == 0 || part == kPartNone) return;
  SetPartBits(hItem, part, 0, kBitPressed);
  if (part != kPartCheckBox) return;
  EventTCCheckState evt(this);
  evt.hItem = hItem;
  evt.uCheckState = Rec(hItem)->dwCheckBoxState;
  FireEvent(evt);
}

void STreeCtrl::OnLButtonDbClick(UINT, POINT pt) {
  POINT ptInItem = pt;
  m_hHoverItem = HitTest(ptInItem);
  const HSTREEITEM hItem = m_hHoverItem;
  if (hItem == 0) return;
  const UINT removals = m_uRemovals;
  if (PartOfPoint(hItem, ptInItem) == kPartCheckBox) {
    m_hCaptureItem = hItem;
    m_nItemPushDownBtn = kPartCheckBox;
    PressPart(hItem, kPartCheckBox);
  }
  EventTCDbClick evt(this);
  evt.hItem = hItem;
  FireEvent(evt);
  if (!evt.bCancel && StillHere(hItem, removals)) Expand(hItem, TVE_TOGGLE);
}

void STreeCtrl::OnRButtonDown(UINT nFlags, POINT pt) {
  if (m_bRightClickSel) {
    POINT ptInItem = pt;
    m_hHoverItem = HitTest(ptInItem);
    if (m_hHoverItem != 0 && m_hHoverItem != m_hSelItem) SelectItem(m_hHoverItem, FALSE);
  }
  SWindow::OnRButtonDown(nFlags, pt);
}

void STreeCtrl::OnMouseMove(UINT, POINT pt) {
  POINT ptInItem = pt;
  const HSTREEITEM hItem = HitTest(ptInItem);
  if (hItem != m_hHoverItem) {
    ClearHover();
    m_hHoverItem = hItem;
  }
  if (hItem == 0) return;
  const int part = PartOfPoint(hItem, ptInItem);
  if (part == m_nItemHoverBtn) return;
  SetPartBits(hItem, m_nItemHoverBtn, 0, kBitHover);
  SetPartBits(hItem, part, kBitHover, 0);
  m_nItemHoverBtn = part;
}

void STreeCtrl::OnMouseLeave() {
  ClearHover();
  SWindow::OnMouseLeave();
}

void STreeCtrl::OnDestroy() {
  RemoveAllItems();
  SWindow::OnDestroy();
}

}  // namespace SWUI
