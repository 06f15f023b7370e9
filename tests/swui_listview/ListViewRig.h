// What the adapter view tests share: a host (the combo rig, with the built-in skins) holding a
// list view, a test adapter, and a record of the events of item panels that reached the host.
//
//   ListViewRig h;
//   SListView* lv = h.OpenList(L"<listview name='lv' pos='10,10,@200,@100'>"
//                              L"<template itemHeight='20'/></listview>", 100);
//   h.Click(h.CenterOf(lv, 2, L"button"));
//   CHECK(h.CountPanelEvents(EventCmd::EventID) == 2);
#pragma once
#include <windows.h>

#include <vector>

#include "ComboRig.h"
#include "TestListAdapter.h"
#include "control/SListView.h"

// An event carried by EventOfPanel to the host: its id and its sender.
struct PanelEvent {
  DWORD id;
  SWUI::SWindow* sender;
};

class ListViewRig : public ComboRig {
 public:
  // A host of 300 x 200 whose white root holds elementXml.
  TestHostWnd& OpenWith(const wchar_t* elementXml);
  // OpenWith, then the list view "lv" (among the elements) gets an adapter of that many rows of
  // that height.
  SWUI::SListView* OpenList(const wchar_t* elementXml, int rows = 100, int height = 20);

  // A row's rectangle in the host, and the host rectangle and centre of a named child of it.
  RECT RowRect(SWUI::SListView* view, int row) const;
  SWUI::SWindow* RowChild(SWUI::SListView* view, int row, LPCWSTR name) const;
  RECT ChildRect(SWUI::SListView* view, int row, LPCWSTR name) const;
  POINT CenterOf(SWUI::SListView* view, int row, LPCWSTR name) const;
  using ComboRig::CenterOf;

  // Carried events with that id (and sender, when given).
  size_t CountPanelEvents(DWORD id, const SWUI::SWindow* sender = nullptr) const;
  // Host events of that id.
  size_t CountHostEvents(DWORD id) const { return host->CountEvents(id); }

  SWUI::SAutoRefPtr<TestListAdapter> adapter;
  std::vector<PanelEvent> panelEvents;
};
