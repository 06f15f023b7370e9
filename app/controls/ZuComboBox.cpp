#include "controls/ZuComboBox.h"

#include "res.mgr/SXmlNoCase.h"

using namespace SWUI;

BOOL ZuComboBox::CreateListBox(pugi::xml_node xmlNode) {
  return MakeListBox(SListBox::ClassName(), SXmlNoCase::Child(xmlNode, L"liststyle"));
}

void ZuComboBox::DropDown() {
  if (m_dwBtnState == BtnPushed || IsDropDownOpen()) return;
  const RECT rcCombo = GetScreenRect();
  const BOOL atBottom = rcCombo.bottom <= GetMonitorArea().rcMonitor.bottom;
  const int y = atBottom ? rcCombo.bottom : rcCombo.top;
  ShowDropDown(RECT{rcCombo.left, y, rcCombo.right, y}, atBottom);
}
