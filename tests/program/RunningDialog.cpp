#include "RunningDialog.h"

#include <doctest/doctest.h>

#include "CApplication.h"
#include "core/CSimpleWnd.h"
#include "core/SWindow.h"

namespace {

struct Search {
  HWND owner;
  HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (GetWindow(hwnd, GW_OWNER) == search->owner && IsWindowVisible(hwnd) &&
      IsWindowEnabled(hwnd) && wcscmp(name, CApplication::kHostClassName) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// What a missing element's callers talk to instead.
SWUI::SWindow* StandIn() {
  static SWUI::SWindow* element = new SWUI::SWindow();
  return element;
}

SWUI::SWindow* Found(SWUI::SWindow* found) {
  if (found != nullptr) return found;
  FAIL_CHECK("the running dialog has no such element (or no dialog runs)");
  return StandIn();
}

}  // namespace

SWUI::SHostDialog* RunningDialog(HWND owner) {
  Search search = {owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &Visit, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return nullptr;
  auto* window =
      reinterpret_cast<SWUI::CSimpleWnd*>(GetWindowLongPtrW(search.found, GWLP_USERDATA));
  return dynamic_cast<SWUI::SHostDialog*>(window);
}

SWUI::SWindow* DialogElement(HWND owner, const wchar_t* name) {
  SWUI::SHostDialog* dialog = RunningDialog(owner);
  return Found(dialog != nullptr ? dialog->GetRoot()->FindChildByName(name) : nullptr);
}

SWUI::SWindow* DialogElement(HWND owner, int id) {
  SWUI::SHostDialog* dialog = RunningDialog(owner);
  return Found(dialog != nullptr ? dialog->GetRoot()->FindChildByID(id) : nullptr);
}

std::wstring DialogText(HWND owner, const wchar_t* name) {
  return DialogElement(owner, name)->GetWindowText().c_str();
}

void ClickDialog(HWND owner, const wchar_t* name) { DialogElement(owner, name)->FireCommand(); }
