// The element rig with the framework's built-in skins loaded, and skins that record how they
// are drawn: a scroll-bar skin ("recsb") and a plain skin of N states ("recskin"). Both fill
// what they draw with a colour of the state, so that pixels show it too.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "ElementRig.h"
#include "core/SSkinObjBase.h"
#include "core/SSkinPool.h"
#include "core/SSkinScrollbar.h"

// One draw a recording skin saw.
struct SkinDraw {
  int part;  // the part code of a scroll-bar skin, -1 for a plain skin
  int state;
  BOOL vertical;
  RECT rc;
};

// Attributes "ideal" (the bar thickness it answers) and "arrows" (0: none).
class RecordingSbSkin : public SWUI::SSkinScrollbar {
  SWUI_CLASS_NAME(SWUI::SSkinScrollbar, L"recsb")

 public:
  static std::vector<SkinDraw>* log;

  int GetIdealSize() const override { return ideal_; }
  BOOL HasArrows() const override { return arrows_; }
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SSkinScrollbar::SetAttribute;

 protected:
  void OnDraw(SWUI::IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  int ideal_ = 10;
  BOOL arrows_ = TRUE;
};

// Attributes "states" and "size" ("w,h").
class RecordingSkin : public SWUI::SSkinObjBase {
  SWUI_CLASS_NAME(SWUI::SSkinObjBase, L"recskin")

 public:
  static std::vector<SkinDraw>* log;

  SIZE GetSkinSize() const override { return size_; }
  int GetStates() const override { return states_; }
  BOOL IgnoreState() const override { return states_ < 2; }
  SWUI::ISkinObj* Scale(int) override { return nullptr; }
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SSkinObjBase::SetAttribute;

 protected:
  void OnDraw(SWUI::IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  int states_ = 1;
  SIZE size_ = {0, 0};
};

// The colour a recording skin fills a state with (raw 0xAARRGGBB as read back).
DWORD StateColor(int state);

class PanelRig : public ElementRig {
 public:
  explicit PanelRig(int width = 200, int height = 200);
  ~PanelRig();

  // Skins made from a "skin" element's children, pushed for the rig's lifetime.
  void AddSkins(const wchar_t* xml);
  // The draws recorded since the last clear.
  std::vector<SkinDraw> draws;

 private:
  std::vector<SWUI::SSkinPool*> pools_;
};

