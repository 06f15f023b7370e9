// The combo view ("comboview"): a combo whose drop-down list is an adapter list view (element
// id -200) made from the child element "listStyle" (its "wndclass", default "listview", must
// make a list view), filling the drop-down ("pos" "0,0,-0,-0"). The list's rows come from the
// list view's adapter, which the application sets through GetListView(); the combo shows the
// text the adapter's GetItemDesc gives for the selected row. While the drop-down is open a
// click on a row chooses it (the list's 15101) and closes the drop-down (its EventCmd); the
// arrow keys move the list's selection silently.
//
// A "wndclass" that makes no list view leaves the combo without a list: every list operation
// then refuses (count 0, selection -1, SetCurSel FALSE, texts empty). UI thread only.
#pragma once
#include "control/EventLVSelChanged.h"
#include "control/SListView.h"
#include "control/TComboList.h"

namespace SWUI {

class SComboView : public TComboList<SListView, EventLVSelChanged::EventID> {
  SWUI_CLASS_NAME(SComboBase, L"comboview")

 public:
  int GetCurSel() const override;
  // The adapter's count; 0 without a list or an adapter.
  int GetCount() const override;
  // -1 means none. FALSE, nothing changed or fired, for the current selection and for an
  // index outside [-1, count); else the list selects it silently, OnSelChanged follows and
  // TRUE is answered.
  BOOL SetCurSel(int iSel) override;
  // The adapter's GetItemDesc (translated unless raw); empty outside [0, count).
  SStringW GetLBText(int iItem, BOOL bRawText = FALSE) override;
  BOOL CreateListBox(pugi::xml_node xmlNode) override { return MakeListFromStyle(xmlNode); }
  // dropHeight; with rows, at most the rows' total height plus the list's vertical margin.
  int GetListBoxHeight() override;
  // The application sets the rows' adapter here. Null when "wndclass" made no list view.
  SListView* GetListView() const { return m_pList; }
};

}  // namespace SWUI
