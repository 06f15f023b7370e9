// The application's combo box ("zucombobox"): a combo box whose list is always a list box made
// from the child element "liststyle" (the list box's own attributes and "items"), filling the
// drop-down. It opens its own way: a popup as wide as the combo and of no height of its own
// (a "dropdownStyle" height gives it one), at the combo's bottom edge, or at its top edge when
// the bottom lies below the monitor; it slides down or up and takes the capture. It fires no
// EventCBDropdown and does not size the popup by its list.
#pragma once
#include "control/SComboBox.h"

class ZuComboBox : public SWUI::SComboBox {
  SWUI_CLASS_NAME(SWUI::SComboBox, L"zucombobox")

 public:
  BOOL CreateListBox(pugi::xml_node xmlNode) override;
  void DropDown() override;
};
