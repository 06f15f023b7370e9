#include "RunningDialog.h"

#include <doctest/doctest.h>

#include "core/SHostDialog.h"
#include "core/SWindow.h"

namespace {

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

SWUI::SWindow* DialogRoot() {
  SWUI::SHostDialog* dialog = ProgramRig::OwnedDialog();
  return dialog != nullptr ? dialog->GetRoot() : nullptr;
}

}  // namespace

SWUI::SWindow* DialogElement(const wchar_t* name) {
  SWUI::SWindow* root = DialogRoot();
  return Found(root != nullptr ? root->FindChildByName(name) : nullptr);
}

SWUI::SWindow* DialogElement(int id) {
  SWUI::SWindow* root = DialogRoot();
  return Found(root != nullptr ? root->FindChildByID(id) : nullptr);
}

std::wstring DialogText(const wchar_t* name) {
  return DialogElement(name)->GetWindowText().c_str();
}

void ClickDialog(const wchar_t* name) { DialogElement(name)->FireCommand(); }
