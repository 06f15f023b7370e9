// Start-up's registration of the application's own classes: each is made by its tag in any
// letter case, as its own class and kind, with its base tag; a tag registered before keeps its
// first factory.
#include <doctest/doctest.h>

#include <string>

#include "SkinRig.h"
#include "controls/RegisterAppControls.h"
#include "controls/SMoveThumb.h"
#include "controls/ZuSlider.h"
#include "core/SObjectFactoryMgr.h"

using namespace SWUI;

namespace {

void ReleaseObject(IObject* obj) {
  if (auto* counted = dynamic_cast<IObjRef*>(obj)) {
    counted->Release();
  } else {
    delete obj;
  }
}

struct Registered {
  const wchar_t* tag;
  int type;
  const wchar_t* baseTag;
};

const Registered kRegistered[] = {
    {L"zuprogress", OBJ_TYPE_WINDOW, L"progress"},  {L"zuslider", OBJ_TYPE_WINDOW, L"sliderbar"},
    {L"zucheckbtn", OBJ_TYPE_WINDOW, L"check"},     {L"zuradiobtn", OBJ_TYPE_WINDOW, L"radio"},
    {L"moveThumb", OBJ_TYPE_WINDOW, L"window"},     {L"zueq", OBJ_TYPE_WINDOW, L"window"},
    {L"zueqgrid", OBJ_TYPE_WINDOW, L"window"},      {L"zueqcurve", OBJ_TYPE_WINDOW, L"window"},
    {L"edit2", OBJ_TYPE_WINDOW, L"edit"},           {L"chromeTabCtrl", OBJ_TYPE_WINDOW, L"window"},
    {L"vscrollbar", OBJ_TYPE_SKIN, L"scrollbar"},   {L"newScrollbar", OBJ_TYPE_SKIN, L"scrollbar"},
    {L"zuhscrollbar", OBJ_TYPE_SKIN, L"scrollbar"}, {L"ipctrl", OBJ_TYPE_WINDOW, L"window"},
    {L"gifplayer", OBJ_TYPE_WINDOW, L"window"},     {L"gif", OBJ_TYPE_SKIN, L"skinani"},
};

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(towlower(c));
  return s;
}

// A stand-in registered under the slider's tag before start-up registers its own.
class EarlySlider : public ZuSlider {
  SWUI_CLASS_NAME(ZuSlider, L"zuslider")
};

}  // namespace

TEST_CASE("registration: every class by its tag, as its own kind and with its base tag") {
  SkinRig rig(4, 4);
  RegisterAppControls(rig.app);
  for (const Registered& r : kRegistered) {
    CAPTURE(std::string(r.tag, r.tag + wcslen(r.tag)));
    const SObjectInfo key(r.tag, r.type);
    IObject* obj = rig.app.CreateObject(key);
    REQUIRE(obj != nullptr);
    CHECK(std::wstring(obj->GetObjectClass()) == r.tag);
    CHECK(obj->GetObjectType() == r.type);
    CHECK(obj->IsClass(r.tag));
    CHECK(obj->IsClass(r.baseTag));
    ReleaseObject(obj);
    CHECK(std::wstring(rig.app.BaseObjectInfo(key).Name().c_str()) == Lower(r.baseTag));
  }

  // Layouts may write a tag in any case.
  IObject* thumb = rig.app.CreateObject(SObjectInfo(L"MOVETHUMB", OBJ_TYPE_WINDOW));
  CHECK(dynamic_cast<SMoveThumb*>(thumb) != nullptr);
  ReleaseObject(thumb);

  // Code that searches for slider bars or progress bars finds the application's slider.
  IObject* slider = rig.app.CreateObject(SObjectInfo(L"zuslider", OBJ_TYPE_WINDOW));
  REQUIRE(slider != nullptr);
  for (const wchar_t* cls : {L"sliderbar", L"progress", L"window"}) CHECK(slider->IsClass(cls));
  CHECK_FALSE(slider->IsClass(L"check"));
  ReleaseObject(slider);
}

TEST_CASE("registration: a tag registered earlier keeps its first factory") {
  SkinRig rig(4, 4);
  REQUIRE(rig.app.TplRegisterFactory<EarlySlider>());
  RegisterAppControls(rig.app);
  IObject* slider = rig.app.CreateObject(SObjectInfo(L"zuslider", OBJ_TYPE_WINDOW));
  CHECK(dynamic_cast<EarlySlider*>(slider) != nullptr);
  ReleaseObject(slider);
  // The rest are registered all the same.
  IObject* eq = rig.app.CreateObject(SObjectInfo(L"zueq", OBJ_TYPE_WINDOW));
  CHECK(eq != nullptr);
  ReleaseObject(eq);
}
