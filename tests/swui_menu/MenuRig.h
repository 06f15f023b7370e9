// An application over the GDI render factory with the program's resources loaded as at start-up
// (built-in skins, edit menu) and its provider added, a memory target to draw menu items into,
// and a hidden owner window that records what a menu sends it.
#pragma once
#include <windows.h>

#include <vector>

#include "RenderRig.h"
#include "control/SMenu.h"
#include "core/CSimpleWnd.h"
#include "core/SApplication.h"
#include "core/SSkinPool.h"

struct MenuRig {
  MenuRig();
  ~MenuRig();
  MenuRig(const MenuRig&) = delete;
  MenuRig& operator=(const MenuRig&) = delete;

  // Loads skins from XML text into a pool pushed for the rig's lifetime.
  void AddSkins(const wchar_t* xml);
  // Loads a menu from XML text; the test fails when it does not load.
  void Load(SWUI::SMenu& menu, const wchar_t* xml) const;

  RenderRig render;
  SWUI::SApplication app;
  UINT systemResourceFailures = 0;
  std::vector<SWUI::SSkinPool*> pools;
};

// A hidden top-level window that records WM_COMMAND and WM_INITMENUPOPUP.
class RecordingOwner : public SWUI::CSimpleWnd {
 public:
  RecordingOwner();
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

  std::vector<UINT> commands;
  int initMenuPopups = 0;
};

// The type, state, id, data and sub-menu of an item by position.
MENUITEMINFOW ItemInfo(HMENU menu, int pos);
// The red, green and blue of a raw pixel 0xAARRGGBB as a COLORREF-ordered 0x00BBGGRR.
DWORD Rgb(DWORD pixel);
