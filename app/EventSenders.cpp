#include "EventSenders.h"

#include <cwchar>

#include "core/EventArgs.h"
#include "core/SWindow.h"

using SWUI::SWindow;

bool IsSenderInTree(const SWUI::EventArgs* evt, SWindow* root) {
  if (evt->sender == nullptr || !evt->sender->IsClass(SWindow::ClassName())) return true;
  SWindow* element = static_cast<SWindow*>(evt->sender);
  return root != nullptr && (element == root || element->IsDescendant(root));
}

UINT WindowButtonCommand(const wchar_t* name) {
  if (name == nullptr) return 0;
  if (wcscmp(name, L"btn_min") == 0) return SC_MINIMIZE;
  if (wcscmp(name, L"btn_max") == 0) return SC_MAXIMIZE;
  if (wcscmp(name, L"btn_restore") == 0) return SC_RESTORE;
  return 0;
}
