#include "TestListAdapter.h"

#include <cwchar>

using namespace SWUI;

const wchar_t TestListAdapter::kRowXml[] =
    L"<template><text name='text' pos='0,0,-40,-0'/>"
    L"<button name='button' pos='-40,0,-0,-0'/></template>";

TestListAdapter::TestListAdapter(int count, int height) { Resize(count, height); }

void TestListAdapter::Resize(int count, int height) {
  heights.assign(static_cast<size_t>(count), height);
  types.assign(static_cast<size_t>(count), 0);
}

void TestListAdapter::GetView(int position, SWindow* pItem, pugi::xml_node xmlTemplate) {
  ++getViewCalls;
  viewedRows.push_back(position);
  BuildOnce(pItem, xmlTemplate, kRowXml);
  if (SWindow* text = pItem->FindChildByName(L"text")) {
    wchar_t buf[32];
    swprintf(buf, 32, L"row %d", position);
    text->SetWindowText(buf);
  }
}

int TestListAdapter::GetItemViewType(int position, DWORD) {
  return position >= 0 && position < static_cast<int>(types.size())
             ? types[static_cast<size_t>(position)]
             : 0;
}

SIZE TestListAdapter::GetViewDesiredSize(int position, SWindow*, LPCRECT prcContainer) {
  ++desiredSizeCalls;
  const int width = prcContainer->right - prcContainer->left;
  if (desiredHeight) return SIZE{width, desiredHeight(position, width)};
  return SIZE{width, heights[static_cast<size_t>(position)]};
}

SStringW TestListAdapter::GetItemDesc(int position) {
  ++descCalls;
  wchar_t buf[32];
  swprintf(buf, 32, L"item %d", position);
  return SStringW(buf);
}
