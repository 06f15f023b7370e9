#include "TestMcAdapter.h"

#include <algorithm>
#include <cwchar>

using namespace SWUI;

TestMcAdapter::TestMcAdapter(int columns, int count, int height)
    : TestListAdapterOf(count, height), visible(static_cast<size_t>(columns), true),
      columns_(columns) {
  rowXml_ = L"<template>";
  for (int c = 0; c < columns; ++c) rowXml_ += L"<text name='col" + std::to_wstring(c) + L"'/>";
  rowXml_ += L"</template>";
}

SStringW TestMcAdapter::GetColumnName(int column) {
  return SStringW((L"col" + std::to_wstring(column)).c_str());
}

bool TestMcAdapter::IsColumnVisible(int column) {
  return column < 0 || column >= static_cast<int>(visible.size()) ||
         visible[static_cast<size_t>(column)];
}

bool TestMcAdapter::OnSort(int column, UINT* flags, int count) {
  sortCalls.push_back(SortCall{column, std::vector<UINT>(flags, flags + count)});
  if (sortAnswer && !sortFlags.empty()) {
    std::copy_n(sortFlags.begin(), std::min<size_t>(sortFlags.size(), count), flags);
  }
  return sortAnswer;
}

void TestMcAdapter::FillRow(int position, SWindow* pItem) {
  for (int c = 0; c < columns_; ++c) {
    SWindow* cell = pItem->FindChildByName(GetColumnName(c));
    if (cell == nullptr) continue;
    wchar_t buf[32];
    swprintf(buf, 32, L"r%d c%d", position, c);
    cell->SetWindowText(buf);
  }
}
