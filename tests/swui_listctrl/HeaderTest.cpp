// The header: hit codes over empty and hidden captions, caption rectangles and painting, the
// orders of inserted and deleted captions, hover and sort clicks, divider drags and caption
// swaps with the drag picture.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "GeometryChecks.h"
#include "ListRig.h"
#include "control/CDragWnd.h"
#include "control/EventHeaderClick.h"
#include "control/EventHeaderItemChanged.h"
#include "control/EventHeaderItemChanging.h"
#include "control/EventHeaderItemSwap.h"
#include "control/SHeaderCtrl.h"

using namespace SWUI;

namespace {

constexpr DWORD kRed = 0xFF0000;     // state 0
constexpr DWORD kGreen = 0x00FF00;   // state 1
constexpr DWORD kBlue = 0x0000FF;    // state 2
constexpr DWORD kYellow = 0xFFFF00;  // state 3

// A 300 x 20 header at the origin: A 100 px, B 0 px, C 80 px hidden, D 100 px.
const wchar_t kMixed[] =
    L"<header name='h' pos='0,0,@300,@20' itemSkin='c4' sortSkin='arrow' %ls>"
    L"<items><item width='100'>A</item><item width='0'>B</item>"
    L"<item width='80' visible='0'>C</item><item width='100' sortFlag='2'>D</item></items>"
    L"</header>";

// Four captions of 50 px in a 300 x 20 header.
const wchar_t kFour[] =
    L"<header name='h' pos='0,0,@300,@20' itemSkin='c4' %ls><items><item width='50'>A</item>"
    L"<item width='50'>B</item><item width='50'>C</item><item width='50'>D</item></items>"
    L"</header>";

std::wstring With(const wchar_t* xml, const wchar_t* attrs = L"") {
  wchar_t buf[1024];
  swprintf(buf, 1024, xml, attrs);
  return buf;
}

std::wstring Texts(SHeaderCtrl* h) {
  std::wstring out;
  for (int i = 0; i < h->GetItemCount(); ++i) {
    HeaderItemInfo info;
    info.mask = SHDI_TEXT;
    REQUIRE(h->GetItem(i, &info));
    out += info.text.GetText(TRUE).c_str();
  }
  return out;
}

std::vector<int> Orders(SHeaderCtrl* h) {
  std::vector<int> out;
  for (int i = 0; i < h->GetItemCount(); ++i) {
    HeaderItemInfo info;
    info.mask = SHDI_ORDER;
    REQUIRE(h->GetItem(i, &info));
    out.push_back(info.order);
  }
  return out;
}

}  // namespace

TEST_CASE_FIXTURE(ListRig,
                  "header hit codes pass over empty and hidden captions; a divider's "
                  "column is the caption the user sees left of it") {
  struct Case {
    const wchar_t* attrs;
    int x;
    DWORD code;
  };
  const Case cases[] = {
      {L"", 2, 0},
      {L"", 50, 0},
      {L"", 98, 0x00010000},
      {L"", 101, 0x00030000},  // not 0x00030002: C is hidden
      {L"", 150, 0x00030003},
      {L"", 198, 0xFFFF0003},
      {L"", 250, 0xFFFFFFFF},
      {L"sortHeader='0'", 97, 0},
      {L"sortHeader='0'", 98, 0x00010000},
  };
  for (const Case& c : cases) {
    CAPTURE(c.x);
    OpenWith(With(kMixed, c.attrs));
    auto* h = Find<SHeaderCtrl>(L"h");
    CHECK(h->HitTest(POINT{c.x, 10}) == c.code);
    CHECK(h->HitTest(POINT{c.x, 25}) == SHeaderCtrl::kHitNone);
  }
}

TEST_CASE_FIXTURE(ListRig,
                  "header captions: rectangles and widths skip hidden ones, the strip "
                  "after the last caption is state 3, the sort arrow sits at the right") {
  OpenWith(With(kMixed));
  auto* h = Find<SHeaderCtrl>(L"h");
  CHECK(h->GetItemRect(3) == RECT{100, 0, 200, 20});
  CHECK(h->GetItemWidth(2) == 0);
  CHECK(h->GetItemWidth(4) == -1);
  CHECK(h->GetTotalWidth() == 200);
  Paint();
  CHECK(Rgb(101, 1) == kRed);
  CHECK(Rgb(199, 1) == kRed);
  CHECK(Rgb(200, 1) == kYellow);
  CHECK(Rgb(299, 18) == kYellow);
  // Sort flag 2: state 1 of the arrow, 8 x 6 at right - 8 - 2, centred (y 7..13).
  CHECK(Rgb(190, 10) == kGreen);
  CHECK(Rgb(189, 10) != kGreen);
  CHECK(Rgb(190, 6) != kGreen);

  h->SetItemVisible(2, true);
  CHECK(Fired(EventHeaderItemChanged::EventID) == std::vector<FiredEvent>{{18002, 2, 80}});
  CHECK(h->GetItemRect(3) == RECT{180, 0, 280, 20});
  Paint();
  CHECK(Rgb(280, 1) == kYellow);
  CHECK(Rgb(279, 1) == kRed);
}

TEST_CASE_FIXTURE(ListRig,
                  "header orders: an insert takes its index as order and raises the "
                  "others, an index out of range appends, a delete lowers them again") {
  OpenWith(With(kFour));
  auto* h = Find<SHeaderCtrl>(L"h");
  CHECK(Orders(h) == std::vector<int>{0, 1, 2, 3});
  CHECK(h->InsertItem(1, L"X", 10, 0, 7) == 1);
  CHECK(Orders(h) == std::vector<int>{0, 1, 2, 3, 4});
  CHECK(h->InsertItem(9, L"Y", 10, 0, 0) == 5);
  CHECK(h->InsertItem(-3, L"Z", 10, 0, 0) == 6);
  CHECK(Texts(h) == L"AXBCDYZ");
  HeaderItemInfo info;
  info.mask = SHDI_LPARAM | SHDI_WIDTH;
  REQUIRE(h->GetItem(1, &info));
  CHECK(info.lParam == 7);
  CHECK(info.width.fSize == 10.0f);
  CHECK_FALSE(h->GetItem(7, &info));
  CHECK(h->DeleteItem(1));
  CHECK(Orders(h) == std::vector<int>{0, 1, 2, 3, 4, 5});
  CHECK_FALSE(h->DeleteItem(6));
  h->DeleteAllItems();
  CHECK(h->GetItemCount() == 0);
}

TEST_CASE_FIXTURE(ListRig,
                  "header mouse: hover, press and a sort click; with sortHeader off a "
                  "caption neither lights up nor clicks") {
  OpenWith(With(kFour));
  MouseMove(POINT{75, 10});
  Paint();
  CHECK(Rgb(55, 1) == kGreen);
  MouseDown(POINT{75, 10});
  Paint();
  CHECK(Rgb(55, 1) == kBlue);
  MouseUp(POINT{75, 10});
  CHECK(Fired() == std::vector<FiredEvent>{{18000, 1, 0}});
  Paint();
  CHECK(Rgb(55, 1) == kGreen);
  MouseLeave();
  Paint();
  CHECK(Rgb(55, 1) == kRed);

  OpenWith(With(kFour, L"sortHeader='0'"));
  Click(POINT{75, 10});
  Paint();
  CHECK(Rgb(55, 1) == kRed);
  CHECK(Fired().empty());
}

TEST_CASE_FIXTURE(ListRig,
                  "header divider drag: the width follows the mouse, stops at 0, fires "
                  "at every step and once at the release") {
  OpenWith(With(kMixed));
  auto* h = Find<SHeaderCtrl>(L"h");
  MouseMove(POINT{98, 10});
  MouseDown(POINT{98, 10});
  MouseMove(POINT{130, 10}, MK_LBUTTON);
  CHECK(h->GetItemWidth(0) == 132);
  CHECK(h->GetItemRect(3).left == 132);
  MouseMove(POINT{-10, 10}, MK_LBUTTON);
  CHECK(h->GetItemWidth(0) == 0);
  MouseUp(POINT{-10, 10});
  CHECK(Fired() == std::vector<FiredEvent>{{18001, 0, 132}, {18001, 0, 0}, {18002, 0, 0}});
  CHECK(host->OnGetSwndCapture() == 0u);
  CHECK_FALSE(h->IsDragging());
}

TEST_CASE_FIXTURE(ListRig,
                  "header divider drag: a scaled width keeps its unit and converts back "
                  "to the pixels dragged; fixWidth moves nothing and keeps the arrow") {
  OpenWith(
      L"<header name='h' pos='0,0,@300,@20'><items><item width='100dp'>A</item>"
      L"<item width='40'>B</item></items></header>");
  Root()->SDispatchMessage(UM_SETSCALE, 150);
  auto* h = Find<SHeaderCtrl>(L"h");
  REQUIRE(h->GetItemWidth(0) == 150);
  MouseDown(POINT{148, 10});
  MouseMove(POINT{149, 10}, MK_LBUTTON);
  MouseUp(POINT{149, 10});
  CHECK(h->GetItemWidth(0) == 151);
  HeaderItemInfo info;
  info.mask = SHDI_WIDTH;
  REQUIRE(h->GetItem(0, &info));
  CHECK(info.width.unit == dp);

  HCURSOR sizeCursor = LoadCursorW(nullptr, IDC_SIZEWE);
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  CHECK(h->OnSetCursor(POINT{149, 10}));
  CHECK(GetCursor() == sizeCursor);
  h->SetAttribute(SStringW(L"fixWidth"), SStringW(L"1"), FALSE);
  h->OnSetCursor(POINT{149, 10});
  CHECK(GetCursor() == arrow);
  ClearFired();
  MouseDown(POINT{149, 10});
  MouseMove(POINT{190, 10}, MK_LBUTTON);
  MouseUp(POINT{190, 10});
  CHECK(h->GetItemWidth(0) == 151);
  CHECK(Fired(EventHeaderItemChanging::EventID).empty());
}

TEST_CASE_FIXTURE(ListRig,
                  "header swap: the dragged caption lands at the target's index under a "
                  "translucent picture; a second picture is refused; deactivation ends "
                  "the drag") {
  OpenWith(With(kFour));
  auto* h = Find<SHeaderCtrl>(L"h");
  MouseMove(POINT{25, 10});
  MouseDown(POINT{25, 10});
  MouseMove(POINT{125, 10}, MK_LBUTTON);
  const std::vector<HWND> pictures = DragPictures();
  REQUIRE(pictures.size() == 1);
  RECT rc;
  GetWindowRect(pictures[0], &rc);
  CHECK(rc.right - rc.left == 50);
  CHECK(rc.bottom - rc.top == 20);
  // The picture's hot spot (25, 10) is under the mouse.
  CHECK(rc.left == ToScreen(POINT{125, 10}).x - 25);
  // While dragging, the strip is drawn in state 0 under the captions, past the last one too.
  Paint();
  CHECK(Rgb(250, 1) == kRed);
  HBITMAP other = CreateBitmap(4, 4, 1, 32, nullptr);
  CHECK_FALSE(CDragWnd::BeginDrag(other, POINT{0, 0}, 0, 128, LWA_ALPHA));
  MouseUp(POINT{125, 10});
  CHECK(Texts(h) == L"BCAD");
  CHECK(Orders(h) == std::vector<int>{1, 2, 0, 3});
  CHECK(Fired(EventHeaderItemSwap::EventID) == std::vector<FiredEvent>{{18003, 0, 2}});
  CHECK(DragPictures().empty());
  Paint();
  CHECK(Rgb(250, 1) == kYellow);

  MouseMove(POINT{25, 10});
  MouseDown(POINT{25, 10});
  MouseMove(POINT{60, 10}, MK_LBUTTON);
  CHECK(DragPictures().size() == 1);
  SendMessageW(Hwnd(), WM_ACTIVATEAPP, FALSE, 0);
  Drain();
  CHECK(DragPictures().empty());
  CHECK_FALSE(h->IsDragging());
  CHECK(host->OnGetSwndCapture() == 0u);
  MouseUp(POINT{60, 10});
  CHECK(Texts(h) == L"BCAD");
  // Nothing of that drag is left: the next one shows its picture.
  CHECK(CDragWnd::BeginDrag(other, POINT{0, 0}, 0, 128, LWA_ALPHA));
  CDragWnd::EndDrag();
  DeleteObject(other);
}

TEST_CASE_FIXTURE(ListRig, "header destroyed during a swap drag takes its picture down") {
  OpenWith(With(kFour));
  MouseDown(POINT{25, 10});
  MouseMove(POINT{125, 10}, MK_LBUTTON);
  REQUIRE(DragPictures().size() == 1);
  Find(L"h")->DestroyWindow();
  Drain();
  CHECK(DragPictures().empty());
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  CHECK(CDragWnd::BeginDrag(bitmap, POINT{0, 0}, 0, 128, LWA_ALPHA));
  CDragWnd::EndDrag();
  DeleteObject(bitmap);
}

TEST_CASE_FIXTURE(ListRig,
                  "drag picture of a bitmap without alpha: colour key 0 and alpha 128 "
                  "by the window's attributes, shown at the point less the hot spot") {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = 30;
  bmi.bmiHeader.biHeight = 10;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  REQUIRE(bitmap != nullptr);
  REQUIRE(CDragWnd::BeginDrag(bitmap, POINT{5, 3}, 0, 128, LWA_COLORKEY | LWA_ALPHA));
  CHECK(DragPictures().empty());  // hidden until it moves
  CDragWnd::DragMove(POINT{200, 100});
  const std::vector<HWND> pictures = DragPictures();
  REQUIRE(pictures.size() == 1);
  COLORREF key = 1;
  BYTE alpha = 0;
  DWORD flags = 0;
  REQUIRE(GetLayeredWindowAttributes(pictures[0], &key, &alpha, &flags));
  CHECK(key == 0);
  CHECK(alpha == 128);
  CHECK(flags == (LWA_COLORKEY | LWA_ALPHA));
  RECT rc;
  GetWindowRect(pictures[0], &rc);
  CHECK(rc == RECT{195, 97, 225, 107});
  CHECK((GetWindowLongW(pictures[0], GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0);
  CDragWnd::EndDrag();
  CDragWnd::EndDrag();  // nothing left to end
  CHECK(DragPictures().empty());
  DeleteObject(bitmap);
}

TEST_CASE_FIXTURE(ListRig,
                  "header widths past int: each width and every sum stop at the widest "
                  "extent, and a huge caption paints only what shows") {
  struct Case {
    const wchar_t* first;
    int width0;
  };
  const Case cases[] = {
      {L"99999999999", SHeaderCtrl::kMaxExtent},
      {L"1e308", SHeaderCtrl::kMaxExtent},
      {L"-5", 0},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.first));
    OpenWith(L"<header name='h' pos='0,0,@300,@20' itemSkin='c4'><items><item width='" +
             std::wstring(c.first) + L"'>A</item><item width='50'>B</item></items></header>");
    auto* h = Find<SHeaderCtrl>(L"h");
    CHECK(h->GetItemWidth(0) == c.width0);
    CHECK(h->GetTotalWidth() == std::min(c.width0 + 50, SHeaderCtrl::kMaxExtent));
    const RECT rc1 = h->GetItemRect(1);
    CHECK(rc1.left == c.width0);
    CHECK(rc1.right >= rc1.left);
    CHECK(rc1.right <= SHeaderCtrl::kMaxExtent);
    // Inside the huge caption, or inside B when the first one is empty.
    CHECK(h->HitTest(POINT{30, 10}) == (c.width0 > 0 ? 0u : 0x00010001u));
    CHECK(h->HitTest(POINT{150, 10}) == (c.width0 > 0 ? 0u : SHeaderCtrl::kHitNone));
    Paint();  // ends at once: only the visible part of the caption is drawn
    CHECK(Rgb(30, 10) == kRed);
    CHECK(Rgb(299, 10) == (c.width0 > 0 ? kRed : kYellow));
  }
}
