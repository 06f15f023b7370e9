// The combo box ("combobox"): a combo whose list is a list box (element id -200) made from the
// child element "listStyle" (its "wndclass", default "listbox", must make a list box), filling
// the drop-down ("pos" "0,0,-0,-0") with hot tracking. Items come from the child element
// "items" ("item": "text", "icon" default 0, "data" default 0). While the drop-down is open the
// list's choice changes the combo's selection and its click closes the drop-down.
//
// A "wndclass" that makes no list box leaves the combo without a list: it then answers as an
// empty list. UI thread only.
#pragma once
#include "control/SListBox.h"
#include "control/TComboList.h"
#include "core/EventLBSelChanged.h"

namespace SWUI {

class SComboBox : public TComboList<SListBox, EventLBSelChanged::EventID> {
  SWUI_CLASS_NAME(SComboBase, L"combobox")

 public:
  int GetCurSel() const override;
  int GetCount() const override;
  // Selects in the list; on a change OnSelChanged follows and TRUE is answered.
  BOOL SetCurSel(int iSel) override;
  SStringW GetLBText(int iItem, BOOL bRawText = FALSE) override;
  // The list of "listStyle" with the items of "items".
  BOOL CreateListBox(pugi::xml_node xmlNode) override;
  // min(dropHeight, items x item height + the list's vertical margin); dropHeight without
  // items.
  int GetListBoxHeight() override;
  // Null when "wndclass" made no list box.
  SListBox* GetListBox() const { return m_pList; }

 protected:
  // Makes the list from a class name and its style element: it must be a list box (else FALSE
  // and no list); it fills the popup ("pos" "0,0,-0,-0"), belongs to the combo (its owner,
  // id -200) and is scaled as the combo.
  BOOL MakeListBox(LPCWSTR className, pugi::xml_node style) { return MakeListOf(className, style); }
};

}  // namespace SWUI
