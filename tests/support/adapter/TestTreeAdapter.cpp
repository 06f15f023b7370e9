#include "TestTreeAdapter.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cwchar>

using namespace SWUI;

const wchar_t TestTreeAdapter::kRowXml[] =
    L"<template><text name='text' pos='0,0,-0,-0'/></template>";

TestTreeAdapter::TestTreeAdapter() { root_.expanded = TRUE; }

HSTREEITEM TestTreeAdapter::Add(HSTREEITEM parent, int height, int width) {
  items_.emplace_back();
  const HSTREEITEM hItem = items_.size();
  Item& item = items_.back();
  item.parent = parent;
  item.height = height;
  item.width = width;
  At(parent).children.push_back(hItem);
  return hItem;
}

TestTreeAdapter::Item& TestTreeAdapter::At(HSTREEITEM hItem) {
  return const_cast<Item&>(static_cast<const TestTreeAdapter*>(this)->At(hItem));
}

const TestTreeAdapter::Item& TestTreeAdapter::At(HSTREEITEM hItem) const {
  if (hItem == ITEM_ROOT) return root_;
  if (hItem < 1 || hItem > items_.size()) FAIL("not an item of this adapter");
  const Item& item = items_[hItem - 1];
  if (!item.removed) return item;
  ++removedAsked;
  gone_ = Item();
  gone_.parent = ITEM_ROOT;
  return gone_;
}

bool TestTreeAdapter::IsRemoved(HSTREEITEM hItem) const {
  return hItem != ITEM_ROOT && hItem >= 1 && hItem <= items_.size() && items_[hItem - 1].removed;
}

void TestTreeAdapter::Remove(HSTREEITEM hItem) {
  if (hItem == ITEM_ROOT || IsRemoved(hItem)) return;
  std::vector<HSTREEITEM>& siblings = At(At(hItem).parent).children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), hItem), siblings.end());
  std::vector<HSTREEITEM> branch = {hItem};
  while (!branch.empty()) {
    const HSTREEITEM h = branch.back();
    branch.pop_back();
    Item& item = items_[h - 1];
    branch.insert(branch.end(), item.children.begin(), item.children.end());
    item.removed = true;
  }
}

void TestTreeAdapter::NotifyBranchChanged(HSTREEITEM hBranch) {
  observers_.Notify(
      [hBranch](ITvDataSetObserver* observer) { observer->OnBranchChanged(hBranch); });
}

void TestTreeAdapter::NotifyBranchInvalidated(HSTREEITEM hBranch) {
  observers_.Notify(
      [hBranch](ITvDataSetObserver* observer) { observer->OnBranchInvalidated(hBranch); });
}

// ---- the tree ----------------------------------------------------------------------------

ULONG_PTR TestTreeAdapter::GetItemDataByIndex(HSTREEITEM hItem, int index) {
  if (index < 0 || index >= TVDATA_COUNT) FAIL("no such data word");
  return At(hItem).data[index];
}

void TestTreeAdapter::SetItemDataByIndex(HSTREEITEM hItem, int index, ULONG_PTR data) {
  if (index < 0 || index >= TVDATA_COUNT) FAIL("no such data word");
  At(hItem).data[index] = data;
}

HSTREEITEM TestTreeAdapter::GetParentItem(HSTREEITEM hItem) {
  return hItem == ITEM_ROOT ? 0 : At(hItem).parent;
}

HSTREEITEM TestTreeAdapter::GetFirstChildItem(HSTREEITEM hItem) {
  const Item& item = At(hItem);
  return item.children.empty() ? 0 : item.children.front();
}

HSTREEITEM TestTreeAdapter::GetLastChildItem(HSTREEITEM hItem) {
  const Item& item = At(hItem);
  return item.children.empty() ? 0 : item.children.back();
}

HSTREEITEM TestTreeAdapter::Sibling(HSTREEITEM hItem, int step) const {
  if (hItem == ITEM_ROOT) return 0;
  const std::vector<HSTREEITEM>& siblings = At(At(hItem).parent).children;
  const auto it = std::find(siblings.begin(), siblings.end(), hItem);
  const ptrdiff_t at = (it - siblings.begin()) + step;
  return at >= 0 && at < static_cast<ptrdiff_t>(siblings.size()) ? siblings[static_cast<size_t>(at)]
                                                                 : 0;
}

HSTREEITEM TestTreeAdapter::GetPrevSiblingItem(HSTREEITEM hItem) { return Sibling(hItem, -1); }

HSTREEITEM TestTreeAdapter::GetNextSiblingItem(HSTREEITEM hItem) { return Sibling(hItem, 1); }

BOOL TestTreeAdapter::IsItemVisible(HSTREEITEM hItem) {
  for (HSTREEITEM p = GetParentItem(hItem); p != 0; p = GetParentItem(p)) {
    if (!At(p).expanded) return FALSE;
  }
  return TRUE;
}

HSTREEITEM TestTreeAdapter::LastShownBelow(HSTREEITEM hItem) const {
  HSTREEITEM last = 0;
  for (const Item* item = &At(hItem); item->expanded && !item->children.empty(); item = &At(last)) {
    last = item->children.back();
  }
  return last;
}

HSTREEITEM TestTreeAdapter::GetPrevVisibleItem(HSTREEITEM hItem) {
  const HSTREEITEM prev = Sibling(hItem, -1);
  if (prev == 0) return At(hItem).parent == ITEM_ROOT ? 0 : At(hItem).parent;
  const HSTREEITEM deepest = LastShownBelow(prev);
  return deepest != 0 ? deepest : prev;
}

HSTREEITEM TestTreeAdapter::GetNextVisibleItem(HSTREEITEM hItem) {
  if (At(hItem).expanded && !At(hItem).children.empty()) return At(hItem).children.front();
  for (HSTREEITEM h = hItem; h != ITEM_ROOT && h != 0; h = At(h).parent) {
    if (const HSTREEITEM next = Sibling(h, 1)) return next;
  }
  return 0;
}

void TestTreeAdapter::ExpandItem(HSTREEITEM hItem, UINT uCode) {
  Item& item = At(hItem);
  const BOOL old = item.expanded;
  item.expanded = uCode == TVC_TOGGLE ? !old : uCode == TVC_EXPAND;
  if (item.expanded == old) return;
  const BOOL now = item.expanded;
  observers_.Notify([hItem, old, now](ITvDataSetObserver* observer) {
    observer->OnBranchExpandedChanged(hItem, old, now);
  });
}

// ---- the rows ----------------------------------------------------------------------------

void TestTreeAdapter::GetView(HSTREEITEM hItem, SWindow* pItem, pugi::xml_node xmlTemplate) {
  ++getViewCalls;
  At(hItem);
  BuildOnce(pItem, xmlTemplate, kRowXml);
  if (SWindow* text = pItem->FindChildByName(L"text")) {
    wchar_t buf[32];
    swprintf(buf, 32, L"item %u", static_cast<unsigned>(hItem));
    text->SetWindowText(buf);
  }
  if (onGetView) onGetView(hItem);
}

SIZE TestTreeAdapter::GetViewDesiredSize(HSTREEITEM hItem, SWindow*, LPCRECT prcContainer) {
  measuredIn[hItem] = *prcContainer;
  if (desiredSize) return desiredSize(hItem, *prcContainer);
  const Item& item = At(hItem);
  return SIZE{item.width, item.height};
}
