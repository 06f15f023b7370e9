#include "TestListAdapter.h"

#include <cwchar>

using namespace SWUI;

template <class I>
void TestListAdapterOf<I>::Resize(int count, int height) {
  heights.assign(static_cast<size_t>(count), height);
  types.assign(static_cast<size_t>(count), 0);
}

template <class I>
void TestListAdapterOf<I>::Erase(int position) {
  if (position < 0 || position >= GetCount()) return;
  heights.erase(heights.begin() + position);
  if (position < static_cast<int>(types.size())) types.erase(types.begin() + position);
}

template <class I>
bool TestListAdapterOf<I>::IsRow(int position) {
  if (position >= 0 && position < GetCount()) return true;
  ++pastEndAsked;
  return false;
}

template <class I>
void TestListAdapterOf<I>::GetView(int position, SWindow* pItem, pugi::xml_node xmlTemplate) {
  ++getViewCalls;
  viewedRows.push_back(position);
  IsRow(position);
  BuildOnce(pItem, xmlTemplate, RowXml());
  FillRow(position, pItem);
  if (onGetView) onGetView(position);
}

template <class I>
int TestListAdapterOf<I>::GetItemViewType(int position, DWORD) {
  const bool row = IsRow(position);
  if (onViewType) onViewType(position);
  return row && position < static_cast<int>(types.size())
             ? types[static_cast<size_t>(position)]
             : 0;
}

template <class I>
SIZE TestListAdapterOf<I>::GetViewDesiredSize(int position, SWindow*, LPCRECT prcContainer) {
  ++desiredSizeCalls;
  lastContainer = *prcContainer;
  const int width = prcContainer->right - prcContainer->left;
  const bool row = IsRow(position);
  if (onDesiredSize) onDesiredSize(position);
  if (desiredHeight) return SIZE{width, desiredHeight(position, width)};
  return SIZE{width, row ? heights[static_cast<size_t>(position)] : 0};
}

template <class I>
SStringW TestListAdapterOf<I>::GetItemDesc(int position) {
  ++descCalls;
  IsRow(position);
  wchar_t buf[32];
  swprintf(buf, 32, L"item %d", position);
  return SStringW(buf);
}

template class TestListAdapterOf<ILvAdapter>;
template class TestListAdapterOf<IMcAdapter>;

const wchar_t TestListAdapter::kRowXml[] =
    L"<template><text name='text' pos='0,0,-40,-0'/>"
    L"<button name='button' pos='-40,0,-0,-0'/></template>";

void TestListAdapter::FillRow(int position, SWindow* pItem) {
  if (SWindow* text = pItem->FindChildByName(L"text")) {
    wchar_t buf[32];
    swprintf(buf, 32, L"row %d", position);
    text->SetWindowText(buf);
  }
}
