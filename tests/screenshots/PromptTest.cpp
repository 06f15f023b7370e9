// A message box over a dialog of the same dark body stands apart: a border of one colour all
// round it, unlike the body just inside.
#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "CMainDlg.h"
#include "IRenderTarget.h"
#include "ProgramRig.h"
#include "core/SHostDialog.h"
#include "core/SMessageBoxImpl.h"

namespace {

DWORD PixelOf(SWUI::SHostWnd& host, int x, int y) {
  return host.GetMemRenderTarget()->GetPixel(x, y) & 0xFFFFFF;
}

// The largest channel difference of two colours.
int Distance(DWORD a, DWORD b) {
  int most = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                   static_cast<int>((b >> shift) & 0xFF)));
  }
  return most;
}

}  // namespace

TEST_CASE("a message box has a border of its own all round, apart from its body") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  CHECK(rig.Run({Once([] {
                   ProgramRig::Defer([] {
                     SWUI::SMessageBoxImpl box;
                     box.MessageBox(ProgramRig::MainHwnd(), L"Name cannot be empty", L"", MB_OK);
                   });
                 }),
                 Until([] { return ProgramRig::OwnedDialog() != nullptr; }), Once([] {
                   SWUI::SHostDialog& box = *ProgramRig::OwnedDialog();
                   HDC dc = CreateCompatibleDC(nullptr);
                   SendMessageW(box.m_hWnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
                   DeleteDC(dc);
                   RECT rc;
                   GetClientRect(box.m_hWnd, &rc);
                   const DWORD border = PixelOf(box, 0, rc.bottom / 2);
                   int off = 0, alike = 0;
                   // The body two pixels inside each edge (the corners' neighbours are border).
                   for (int x = 0; x < rc.right; ++x) {
                     for (int y : {0, static_cast<int>(rc.bottom) - 1}) {
                       off += PixelOf(box, x, y) != border;
                       if (x < 2 || x >= rc.right - 2) continue;
                       alike += Distance(PixelOf(box, x, y == 0 ? 2 : y - 2), border) < 48;
                     }
                   }
                   for (int y = 0; y < rc.bottom; ++y) {
                     for (int x : {0, static_cast<int>(rc.right) - 1}) {
                       off += PixelOf(box, x, y) != border;
                       if (y < 2 || y >= rc.bottom - 2) continue;
                       alike += Distance(PixelOf(box, x == 0 ? 2 : x - 2, y), border) < 48;
                     }
                   }
                   CHECK(off == 0);
                   CHECK(alike == 0);
                   PostMessageW(box.m_hWnd, WM_CLOSE, 0, 0);
                 }),
                 Until([] { return ProgramRig::OwnedDialog() == nullptr; })}) == 0);
}
