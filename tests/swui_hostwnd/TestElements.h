// Small elements the host tests need: a radio-like grouped element, elements that ask for
// keys, a drop-down owner and a timeline handler.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "core/ISDropDownOwner.h"
#include "core/ITimelineHandler.h"
#include "core/SAttrParse.h"
#include "core/SWindow.h"

// A member of a group of siblings (radio buttons): arrows move inside the group, Tab stops at
// its checked member ("checked" attribute). Counts the WM_KEYDOWNs it gets.
class GroupedWnd : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"grouped")

 public:
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override {
    if (SWUI::SAttrParse::IsName(name, L"checked")) {
      SetCheck(SWUI::SAttrParse::Bool(value));
      return S_FALSE;
    }
    return SWUI::SWindow::SetAttribute(name, value, bLoading);
  }
  using SWUI::SWindow::SetAttribute;
  BOOL IsSiblingsAutoGroupped() override { return TRUE; }
  SWUI::SWindow* GetSelectedSiblingInGroup() override {
    for (SWUI::SWindow* sib = GetParent()->GetWindow(SWUI::GSW_FIRSTCHILD); sib != nullptr;
         sib = sib->GetWindow(SWUI::GSW_NEXTSIBLING)) {
      if (sib->IsSiblingsAutoGroupped() && sib->IsChecked()) return sib;
    }
    return nullptr;
  }
  int keyDowns = 0;

 protected:
  SWND_BEGIN_MSG_MAP()
  SWND_MSG_ENTRY(WM_KEYDOWN, (++keyDowns, 0))
  SWND_END_MSG_MAP(SWUI::SWindow)
};

// Answers OnGetDlgCode with its "dlgCode" attribute and handles the keys it gets.
class KeyTakerWnd : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"keytaker")

 public:
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override {
    if (SWUI::SAttrParse::IsName(name, L"dlgCode")) {
      dlgCode = static_cast<UINT>(SWUI::SAttrParse::Int(value));
      return S_FALSE;
    }
    return SWUI::SWindow::SetAttribute(name, value, bLoading);
  }
  using SWUI::SWindow::SetAttribute;
  UINT OnGetDlgCode() override { return dlgCode; }
  UINT dlgCode = 0;
  std::vector<UINT> keys;  // messages of the key range it got

 protected:
  SWND_BEGIN_MSG_MAP()
  SWND_MESSAGE_RANGE_HANDLER(WM_KEYDOWN, WM_UNICHAR, OnKey)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  LRESULT OnKey(UINT uMsg, WPARAM, LPARAM) {
    keys.push_back(uMsg);
    return 0;
  }
};

// A drop-down owner element that counts the drop-down's calls.
class DropOwnerWnd : public SWUI::SWindow, public SWUI::ISDropDownOwner {
  SWUI_CLASS_NAME(SWUI::SWindow, L"dropowner")

 public:
  SWUI::SWindow* GetDropDownOwner() override { return this; }
  void OnCreateDropDown(SWUI::SDropDownWnd*) override { ++created; }
  void OnDestroyDropDown(SWUI::SDropDownWnd*) override { ++destroyed; }
  int created = 0;
  int destroyed = 0;
};

// A timeline handler made of a function.
class FnTimeline : public SWUI::ITimelineHandler {
 public:
  explicit FnTimeline(std::function<void()> fn) : fn_(std::move(fn)) {}
  void OnNextFrame() override {
    ++frames;
    if (fn_) fn_();
  }
  int frames = 0;

 private:
  std::function<void()> fn_;
};
