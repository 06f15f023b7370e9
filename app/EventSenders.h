// What the program's event handlers ask of an event's sender, shared by the main window's page
// logic and the small dialogs' base handler.
#pragma once
#include <windows.h>

namespace SWUI {
class EventArgs;
class SWindow;
}  // namespace SWUI

// False for an element of another window's tree than the one under root; true for root, its
// descendants and senders that are no element.
bool IsSenderInTree(const SWUI::EventArgs* evt, SWUI::SWindow* root);
// The system command of a window button by its element name ("btn_min", "btn_max",
// "btn_restore"); 0 for any other name.
UINT WindowButtonCommand(const wchar_t* name);
