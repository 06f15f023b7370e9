// The basic controls with the framework's built-in skins, painted together and written for
// review.
#include <doctest/doctest.h>

#include "CtrlRig.h"

using namespace SWUI;

namespace {

bool NotWhite(DWORD px) { return (px & 0xFFFFFF) != 0xFFFFFF; }

}  // namespace

TEST_CASE("a sheet of the basic controls with the built-in skins, written for review") {
  CtrlRig rig(240, 200);
  rig.Load(
      L"<root>"
      L"<button name='button' pos='10,10,@80,@24'>Button</button>"
      L"<button name='pushed' pos='100,10,@80,@24'>Pushed</button>"
      L"<check name='check' pos='10,44,@100,@20'>Check</check>"
      L"<check name='checked' pos='120,44,@100,@20' checked='1'>Checked</check>"
      L"<window pos='10,70,@220,@20'><radio name='radio' pos='0,0,@100,@20'>Radio</radio>"
      L"<radio name='picked' pos='110,0,@100,@20' checked='1'>Picked</radio></window>"
      L"<toggle name='toggle' pos='10,100'/><toggle name='open' pos='30,100' toggled='1'/>"
      L"<link pos='60,96,@100,@20' href='https://example.org/'>A link</link>"
      L"<hr pos='10,124,@220,@1' colorLine='#808080'/>"
      L"<group pos='10,130,@220,@60' text='Group'>"
      L"<text pos='10,0,-10,-0' multiLines='1'>Two\\nlines</text></group>"
      L"</root>");
  rig.Find(L"pushed")->ModifyState(WndState_PushDown, 0);
  rig.Paint();
  rig.render.SavePng(L"ctrl-basic-sheet", 2);
  for (const wchar_t* name : {L"button", L"check", L"checked", L"radio", L"picked", L"toggle"}) {
    CAPTURE(name);
    CHECK(rig.render.CountIn(rig.Find(name)->GetWindowRect(), NotWhite) > 0);
  }
  CHECK(rig.Find(L"picked")->IsChecked());
  CHECK_FALSE(rig.Find(L"radio")->IsChecked());
}
