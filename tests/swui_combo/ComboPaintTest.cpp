// What a combo box draws: the chosen item's text left in the text rectangle, the drop button
// at the right in its state, and the list in the drop-down.
#include <doctest/doctest.h>

#include "ComboRig.h"
#include "control/SComboBox.h"
#include "core/SDropDownWnd.h"

using namespace SWUI;

namespace {

const wchar_t kPainted[] =
    L"<SWUI width='160' height='60'><root colorBkgnd='#ffffff'>"
    L"<combobox name='c' pos='10,10,@120,@24' curSel='1' colorText='#0000ff' animateTime='0'>"
    L"<listStyle colorItemBkgnd='#ffffff' colorItemSelBkgnd='#00ff00' colorText='#000000'/>"
    L"<items><item text='one'/><item text='WWW'/><item text='three'/></items>"
    L"</combobox>"
    L"<combobox name='n' pos='10,36,@120,@20' autoFitDropBtn='0'/></root></SWUI>";

// The pixels of rc in the memory target that are neither white nor black.
int CountInk(ComboRig& h, const RECT& rc) {
  int ink = 0;
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) {
      const DWORD c = h.Rgb(x, y);
      if (c != 0xFFFFFF && c != 0x000000) ++ink;
    }
  }
  return ink;
}

}  // namespace

TEST_CASE("a closed combo draws the chosen text at the left and the button at the right") {
  FakeWorkArea area(768);
  ComboRig h;
  h.Open(kPainted);
  SComboBox* c = h.Find<SComboBox>(L"c");
  h.Paint();
  h.SavePng(L"combo_closed", 3);
  // Button: as wide as the client is high (the built-in skin is square), at the right.
  RECT btn;
  c->GetDropBtnRect(&btn);
  CHECK(btn.left == 130 - 24);
  CHECK(btn.right == 130);
  CHECK(btn.top == 10);
  CHECK(btn.bottom == 34);
  CHECK(CountInk(h, btn) > 0);
  // The text in blue, left aligned, before the button.
  const RECT left = {10, 10, 50, 34};
  const RECT middle = {60, 10, 106, 34};
  CHECK(h.CountRgb(left, 0x0000FF) > 0);
  CHECK(h.CountRgb(middle, 0x0000FF) == 0);
  // autoFitDropBtn 0: the skin's own 16 x 16, centred in the 20 x 20 button area.
  SComboBox* n = h.Find<SComboBox>(L"n");
  n->GetDropBtnRect(&btn);
  CHECK(btn.left == 130 - 20 + 2);
  CHECK(btn.top == 36 + 2);
  CHECK(btn.right - btn.left == 16);
  CHECK(btn.bottom - btn.top == 16);
  // Nothing selected: no text.
  CHECK(h.CountRgb(RECT{10, 36, 110, 56}, 0x0000FF) == 0);
}

TEST_CASE("an open combo draws its button pushed and its list in the drop-down") {
  FakeWorkArea area(768);
  ComboRig h;
  h.Open(kPainted);
  SComboBox* c = h.Find<SComboBox>(L"c");
  RECT btn;
  c->GetDropBtnRect(&btn);
  h.Paint();
  std::vector<DWORD> normal;
  for (int x = btn.left; x < btn.right; ++x)
    normal.push_back(h.Pixel(x, (btn.top + btn.bottom) / 2));
  h.MouseDown(h.CenterOf(L"c"));
  REQUIRE(c->IsDropDownOpen());
  h.Paint();
  h.SavePng(L"combo_open", 3);
  std::vector<DWORD> pushed;
  for (int x = btn.left; x < btn.right; ++x)
    pushed.push_back(h.Pixel(x, (btn.top + btn.bottom) / 2));
  CHECK(pushed != normal);

  SDropDownWnd* popup = c->GetDropDownWnd();
  REQUIRE(HostHarness::SavePng(*popup, L"combo_dropdown", 3));
  IRenderTarget* rt = popup->GetMemRenderTarget();
  REQUIRE(rt != nullptr);
  // Rows of 20: the selected row 1 green, the others white.
  IBitmap* bmp = static_cast<IBitmap*>(rt->GetCurrentObject(OT_BITMAP));
  REQUIRE(bmp != nullptr);
  const DWORD* bits = static_cast<const DWORD*>(bmp->GetPixelBits());
  const int width = bmp->Width();
  auto rgb = [&](int x, int y) { return bits[y * width + x] & 0xFFFFFF; };
  CHECK(rgb(100, 5) == 0xFFFFFF);
  CHECK(rgb(100, 25) == 0x00FF00);
  CHECK(rgb(100, 45) == 0xFFFFFF);
  c->CloseUp();
}
