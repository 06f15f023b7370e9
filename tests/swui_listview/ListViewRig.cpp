#include "ListViewRig.h"

#include <string>

#include "control/EventOfPanel.h"

using namespace SWUI;

TestHostWnd& ListViewRig::OpenWith(const wchar_t* elementXml) {
  const std::wstring layout = std::wstring(L"<SWUI width='300' height='200'>"
                                           L"<root colorBkgnd='#ffffff'>") +
                              elementXml + L"</root></SWUI>";
  TestHostWnd& wnd = ComboRig::Open(layout.c_str());
  panelEvents.clear();
  const auto combo = wnd.onEvent;
  wnd.onEvent = [this, combo](EventArgs* evt) {
    if (evt->GetID() == EventOfPanel::EventID) {
      const EventArgs* carried = static_cast<EventOfPanel*>(evt)->pOrgEvt;
      panelEvents.push_back(PanelEvent{static_cast<DWORD>(carried->GetID()),
                                       dynamic_cast<SWindow*>(carried->sender)});
    }
    return combo(evt);
  };
  return wnd;
}

SListView* ListViewRig::OpenList(const wchar_t* elementXml, int rows, int height) {
  OpenWith(elementXml);
  SListView* view = Find<SListView>(L"lv");
  adapter.Attach(new TestListAdapter(rows, height));
  REQUIRE(view->SetAdapter(adapter));
  Drain();
  return view;
}

RECT ListViewRig::RowRect(SListView* view, int row) const {
  SItemPanel* panel = view->GetItemPanel(row);
  REQUIRE_MESSAGE(panel != nullptr, "the row has no panel");
  return panel->GetItemRect();
}

SWindow* ListViewRig::RowChild(SListView* view, int row, LPCWSTR name) const {
  SItemPanel* panel = view->GetItemPanel(row);
  REQUIRE_MESSAGE(panel != nullptr, "the row has no panel");
  SWindow* child = panel->GetRoot()->FindChildByName(name);
  REQUIRE_MESSAGE(child != nullptr, "the row has no such child");
  return child;
}

RECT ListViewRig::ChildRect(SListView* view, int row, LPCWSTR name) const {
  RECT rc = RowChild(view, row, name)->GetWindowRect();
  const RECT rcRow = RowRect(view, row);
  OffsetRect(&rc, rcRow.left, rcRow.top);
  return rc;
}

POINT ListViewRig::CenterOf(SListView* view, int row, LPCWSTR name) const {
  const RECT rc = ChildRect(view, row, name);
  return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

size_t ListViewRig::CountPanelEvents(DWORD id, const SWindow* sender) const {
  size_t count = 0;
  for (const PanelEvent& evt : panelEvents) {
    if (evt.id == id && (sender == nullptr || evt.sender == sender)) ++count;
  }
  return count;
}
