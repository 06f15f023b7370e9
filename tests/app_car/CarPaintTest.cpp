// The speaker view by pixels: the grid's axes, ticks and guide lines, the curve's car, sound
// space and speaker lines, and the handles' discs.
#include <functional>

#include "CarRig.h"

using namespace SWUI;

namespace {

constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kCoords = 0xFF303030;  // the grid's default colours
constexpr DWORD kCar = 0xFF00C000;
constexpr DWORD kSpace = 0xFFFF00FF;
constexpr DWORD kVirt = 0xFFFFFF00;     // the curve's default "colorVirt"
constexpr DWORD kSpeaker = 0xFFFFAAAA;  // and "colorSpeakser"
constexpr DWORD kDisc = 0xFFE8553F;

int CountIn(CarRig& r, const RECT& rc, const std::function<bool(DWORD)>& pred) {
  int count = 0;
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) count += pred(r.rig.Pixel(x, y)) ? 1 : 0;
  }
  return count;
}

int CountColor(CarRig& r, const RECT& rc, DWORD color) {
  return CountIn(r, rc, [color](DWORD px) { return px == color; });
}

// The listener and speaker 1 with opaque discs, speaker 2 without; the car's bottom margin at
// -0.5 m, so its right side stands at x 221..222 from y 12 down to the axis.
std::wstring PaintXml() {
  const std::wstring disc = L"centerColor='#e8553fff'";
  return L"<root><zucar name='car' pos='0,0,-0,-0' yStart='-500'>"
         L"<zucargrid name='grid' pos='0,0,-0,-0' colorText='#404040' font='size:10'/>"
         L"<zucarcurve name='curve' pos='0,0,-0,-0' colorCar='#00c000' "
         L"colorSoundSpace='#ff00ff'/>" +
         ThumbXml(0, 240, 80, disc) + ThumbXml(1, 340, 80, disc) + ThumbXml(2, 240, 280) +
         L"</zucar></root>";
}

// A drag of speaker 1 that ends where it began, so the plot shows over the same positions.
void NudgeSpeaker1(CarRig& r) {
  ZuCarThumb* s1 = r.Thumb(1);
  s1->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(340, 80));
  s1->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(340, 81));
  s1->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(340, 80));
  s1->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(340, 80));
}

}  // namespace

TEST_CASE("car paint: the handles alone until a drag, and again after timer 1") {
  CarRig r(PaintXml());
  r.car->SetSpeakerCount(2);
  r.Paint();
  CHECK(r.rig.Pixel(240, 80) == kDisc);  // the disc's centre and its outline
  CHECK(r.rig.Pixel(235, 80) == kDisc);
  CHECK(r.rig.Pixel(340, 80) == kDisc);
  CHECK(CountIn(r, RECT{0, 0, kCarWidth, kCarHeight}, [](DWORD px) {
          return px == kCoords || px == kCar || px == kSpeaker || px == kSpace;
        }) == 0);

  NudgeSpeaker1(r);
  r.car->SSendMessage(WM_TIMER, 1);
  r.Paint();
  CHECK(CountColor(r, RECT{0, 0, kCarWidth, kCarHeight}, kCoords) == 0);
}

TEST_CASE("car paint: axes, ticks, labels and dotted guide lines through the listener") {
  CarRig r(PaintXml());
  r.car->SetSpeakerCount(2);
  NudgeSpeaker1(r);
  r.Paint(L"car-plot");
  // The bottom axis, its ticks every 100 pixels (5 up) and its labels below.
  CHECK(CountColor(r, RECT{260, 280, 380, 281}, kCoords) == 120);
  CHECK(r.rig.Pixel(381, 280) == kWhite);
  for (int x : {140, 340}) {
    CAPTURE(x);
    CHECK(CountColor(r, RECT{x, 272, x + 1, 282}, kCoords) == 5);
  }
  CHECK(CountIn(r, RECT{112, 284, 150, 300}, [](DWORD px) { return px != kWhite; }) > 0);
  // The left axis (under the car's left side), ticks 5 to the right, labels to the left.
  CHECK(CountColor(r, RECT{41, 180, 48, 181}, kCoords) == 4);
  for (int y : {80, 180, 280}) {
    CAPTURE(y);
    CHECK(CountIn(r, RECT{2, y - 10, 38, y + 10}, [](DWORD px) { return px != kWhite; }) > 0);
  }
  CHECK(CountIn(r, RECT{2, 100, 38, 160}, [](DWORD px) { return px != kWhite; }) == 0);
  // Guide lines: three pixels on, three off, across the area at the listener's row and down
  // its column.
  int on = 0;
  for (int x = 52; x < 70; ++x) on += r.rig.Pixel(x, 80) == kCoords;
  CHECK(on == 9);
  CHECK(CountColor(r, RECT{240, 20, 241, 38}, kCoords) == 9);
  CHECK(r.rig.Pixel(240, 19) == kWhite);
}

TEST_CASE("car paint: the car, the sound space and the speaker lines") {
  CarRig r(PaintXml());
  r.car->SetSpeakerCount(2);
  NudgeSpeaker1(r);
  r.Paint();
  // The car's right side, 2 pixels wide at x 222 (body 182 pixels wide from x 40).
  for (int y : {20, 150, 270}) {
    CAPTURE(y);
    CHECK(CountColor(r, RECT{216, y, 228, y + 1}, kCar) == 2);
    CHECK(r.rig.Pixel(221, y) == kCar);
  }
  // Solid lines from the listener to each speaker.
  CHECK(CountColor(r, RECT{250, 79, 330, 81}, kSpeaker) == 160);
  CHECK(CountColor(r, RECT{239, 90, 241, 270}, kSpeaker) == 360);
  // The dotted line from speaker 1's virtual point (440, 80) runs back to it, cut at the view's
  // edge; nothing of it lies on the listener's side.
  const int virt = CountColor(r, RECT{346, 78, 400, 82}, kVirt);
  CHECK(virt > 10);
  CHECK(virt < 54 * 2);
  CHECK(CountColor(r, RECT{250, 76, 330, 84}, kVirt) == 0);
  // The sound space: a dotted circle of radius 200 around the listener, here at 135 degrees.
  CHECK(CountColor(r, RECT{93, 216, 104, 227}, kSpace) > 0);
  CHECK(CountColor(r, RECT{140, 120, 200, 180}, kSpace) == 0);
  // Speaker 2's centre colour has alpha 0: no disc.
  CHECK(CountIn(r, RECT{235, 275, 239, 279}, [](DWORD px) { return px != kWhite; }) == 0);
}
