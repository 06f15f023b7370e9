// Skin pools and their stack: loading, lookups by name and scale with cached scaled copies,
// pushing and popping, the built-in names, and groups that find their state skins there.
#include <doctest/doctest.h>
#include <windows.h>

#include <pugixml.hpp>

#include "SkinRig.h"
#include "base/SObjectImpl.h"
#include "core/SSKinGroup.h"
#include "core/SSkinImgList.h"
#include "core/SSkinPool.h"
#include "core/SSkinPoolMgr.h"
#include "base/TObjRefImpl.h"

using namespace SWUI;

namespace {

constexpr DWORD kRed = 0xFFFF0000u;
constexpr DWORD kBlue = 0xFF0000FFu;

// A pool owned by the test, loaded from a "skin" element written as text.
SAutoRefPtr<SSkinPool> LoadPool(const wchar_t* xml, int* count = nullptr) {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(xml));
  SAutoRefPtr<SSkinPool> pool;
  pool.Attach(new SSkinPool());
  const int n = pool->LoadSkins(doc.child(L"skin"));
  if (count != nullptr) *count = n;
  return pool;
}

SSkinPoolMgr& Pools() { return *SSkinPoolMgr::getSingletonPtr(); }

// Registered under the skin kind, yet no skin; counts its deletions.
using PlainObject = SObjectImpl<IObject>;
class NotASkin : public TObjRefImpl<IObjRef>, public PlainObject {
  SWUI_CLASS_NAME_EX(PlainObject, L"notaskin", OBJ_TYPE_SKIN)

 public:
  ~NotASkin() override { ++deleted; }
  static int deleted;
};
int NotASkin::deleted = 0;

}  // namespace

TEST_CASE("the standard scales a request is brought to") {
  struct Case {
    int scale, normal;
  };
  const Case cases[] = {{99, 100},  {100, 100}, {124, 100}, {125, 125}, {149, 125},
                        {175, 150}, {249, 200}, {250, 250}, {299, 250}, {300, 300},
                        {1000, 300}, {-5, 100}};
  for (const Case& c : cases) {
    CAPTURE(c.scale);
    CHECK(SSkinPool::NormalizeSkinScale(c.scale) == c.normal);
  }
}

TEST_CASE("loading counts every skin made, keeps the first of a name and skips the rest") {
  SkinRig t(4, 4);
  int count = 0;
  SAutoRefPtr<SSkinPool> pool = LoadPool(
      L"<skin><colorrect name='a' alpha='1'/><colorrect name='a' alpha='2'/>"
      L"<colorrect name='a' scale='200' alpha='3'/><colorrect alpha='4'/><nosuchskin name='x'/>"
      L"<imglist name=''/>text<!-- note --></skin>",
      &count);
  CHECK(count == 3);
  CHECK(pool->GetCount() == 2);
  CHECK(pool->GetSkin(L"a", 100)->GetAlpha() == 1);
  CHECK(pool->GetSkin(L"a", 200)->GetAlpha() == 3);
  CHECK(pool->GetSkin(L"A", 100) == nullptr);  // names are case-sensitive
  CHECK(pool->GetSkin(L"x", 100) == nullptr);
  int none = -1;
  LoadPool(L"<other/>", &none);
  CHECK(none == 0);
  // Loading leaves the stack as it found it.
  CHECK(Pools().GetSkin(L"a", 100) == nullptr);
}

TEST_CASE("a skin asked at a scale it lacks is scaled once and kept under the normal scale") {
  SkinRig t(4, 4);
  SAutoRefPtr<SSkinPool> pool =
      LoadPool(L"<skin><imglist name='big' scale='200' states='2'/><colorrect name='c'/></skin>");
  auto* big = SkinAs<SSkinImgList>(pool->GetSkin(L"big", 200));
  big->SetImage(t.Strip(20, 20, {kRed, kBlue}));

  ISkinObj* at150 = pool->GetSkin(L"big", 150);
  REQUIRE(at150 != nullptr);
  CHECK(at150 != big);
  CHECK(at150->GetScale() == 150);
  CHECK(at150->GetSkinSize().cx == 15);
  CHECK(pool->GetCount() == 3);
  CHECK(pool->GetSkin(L"big", 150) == at150);
  CHECK(pool->GetSkin(L"big", 175) == at150);  // 175 normalises to 150
  CHECK(pool->GetCount() == 3);

  // A skin that does not scale is answered as it is, and nothing is kept.
  ISkinObj* colour = pool->GetSkin(L"c", 100);
  CHECK(pool->GetSkin(L"c", 150) == colour);
  CHECK(pool->GetCount() == 3);
  CHECK(pool->GetSkin(L"missing", 150) == nullptr);
}

TEST_CASE("the newest pushed pool answers first until it is popped") {
  SkinRig t(4, 4);
  SAutoRefPtr<SSkinPool> uidef = LoadPool(L"<skin><colorrect name='btn' alpha='1'/></skin>");
  SAutoRefPtr<SSkinPool> host = LoadPool(L"<skin><colorrect name='btn' alpha='2'/></skin>");
  Pools().PushSkinPool(uidef);
  Pools().PushSkinPool(host);
  CHECK(Pools().GetSkin(L"btn", 100)->GetAlpha() == 2);
  CHECK(Pools().PopSkinPool(host) == host.Get());
  CHECK(Pools().GetSkin(L"btn", 100)->GetAlpha() == 1);
  CHECK(Pools().PopSkinPool(host) == nullptr);  // no longer pushed
  CHECK(Pools().PopSkinPool(nullptr) == uidef.Get());
  CHECK(Pools().GetSkin(L"btn", 100) == nullptr);

  // The built-in pool stays, whether named or the last one left.
  SSkinPool* builtin = Pools().GetBuiltinSkinPool();
  CHECK(Pools().PopSkinPool(builtin) == nullptr);
  CHECK(Pools().PopSkinPool(nullptr) == nullptr);
  CHECK(Pools().GetBuiltinSkinPool() == builtin);
}

TEST_CASE("built-in skins by index") {
  SkinRig t(4, 4);
  CHECK(std::wstring(SSkinPoolMgr::GetBuiltinSkinName(21)) == L"_skin.sys.btn.maxmize");
  CHECK(std::wstring(SSkinPoolMgr::GetBuiltinSkinName(0)) == L"_skin.sys.checkbox");
  CHECK(std::wstring(SSkinPoolMgr::GetBuiltinSkinName(33)) == L"_skin.sys.spin.up");
  CHECK(SSkinPoolMgr::GetBuiltinSkinName(34) == nullptr);
  CHECK(SSkinPoolMgr::GetBuiltinSkinName(-1) == nullptr);
  pugi::xml_document doc;
  REQUIRE(doc.load_string(L"<skin><colorrect name='_skin.sys.btn.maxmize'/></skin>"));
  CHECK(Pools().LoadBuiltinSkins(doc.child(L"skin")) == 1);
  CHECK(Pools().GetBuiltinSkin(21, 100) != nullptr);
  CHECK(Pools().GetBuiltinSkin(21, 100) == Pools().GetSkin(L"_skin.sys.btn.maxmize", 100));
  CHECK(Pools().GetBuiltinSkin(34, 100) == nullptr);
  CHECK(Pools().GetBuiltinSkin(-1, 100) == nullptr);
}

TEST_CASE("a group draws each state with the skin of that state") {
  SkinRig t(8, 8);
  SAutoRefPtr<SSkinPool> pool = LoadPool(
      L"<skin><colorrect name='red' normal='#ff0000'/><colorrect name='blue' normal='#0000ff'/>"
      L"<group name='g' normal='red' pushDown='blue' hover='nowhere'/></skin>");
  ISkinObj* group = pool->GetSkin(L"g", 100);
  REQUIRE(group != nullptr);
  CHECK(group->GetStates() == 4);
  CHECK_FALSE(group->IgnoreState());
  const RECT rc = {0, 0, 8, 8};
  group->Draw(t.Target(), &rc, SkinState_PushDown);
  CHECK(t.Pixel(4, 4) == kBlue);
  group->Draw(t.Target(), &rc, SkinState_Normal);
  CHECK(t.Pixel(4, 4) == kRed);
  t.Clear();
  group->Draw(t.Target(), &rc, SkinState_Hover);  // a name no pool holds
  group->Draw(t.Target(), &rc, SkinState_Disable);  // not set
  group->Draw(t.Target(), &rc, 7);
  CHECK(t.render.CountPixels([](DWORD p) { return p != 0; }) == 0);
}

TEST_CASE("a group at another scale finds its state skins at that scale") {
  SkinRig t(20, 20);
  SAutoRefPtr<SSkinPool> pool = LoadPool(
      L"<skin><imgCenter name='dot' states='1'/><group name='g' normal='dot'/>"
      L"<group name='self' normal='self'/><group name='ping' normal='pong'/>"
      L"<group name='pong' normal='ping'/></skin>");
  auto* dot = SkinAs<SSkinImgList>(pool->GetSkin(L"dot", 100));
  dot->SetImage(t.render.SolidBitmap(4, 4, kRed));
  Pools().PushSkinPool(pool);
  ISkinObj* group = pool->GetSkin(L"g", 150);
  REQUIRE(group != nullptr);
  CHECK(group->GetScale() == 150);
  CHECK(group->GetSkinSize().cx == 6);
  auto* state = SkinAs<SSKinGroup>(group)->GetStateSkin(0);
  CHECK(state == pool->GetSkin(L"dot", 150));
  const RECT rc = {0, 0, 20, 20};
  group->Draw(t.Target(), &rc, 0);
  CHECK(t.render.CountPixels([](DWORD p) { return p == kRed; }) == 36);

  // Groups that reach themselves while being scaled end instead of recursing.
  CHECK(pool->GetSkin(L"self", 200) != nullptr);
  CHECK(pool->GetSkin(L"pong", 250) != nullptr);
  Pools().PopSkinPool(pool);
}

TEST_CASE("every skin class is registered by its tag") {
  SkinRig t(4, 4);
  struct Case {
    const wchar_t* tag;
    const wchar_t* base;
  };
  const Case cases[] = {{L"imglist", L"skinObjBase"}, {L"imgCenter", L"imglist"},
                        {L"imgframe", L"imglist"},    {L"imgframe2", L"imgframe"},
                        {L"button", L"skinObjBase"},  {L"gradation", L"skinObjBase"},
                        {L"scrollbar", L"imglist"},   {L"colorrect", L"skinObjBase"},
                        {L"shape", L"skinObjBase"},   {L"group", L"skinObjBase"}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.tag));
    ISkinObj* skin = t.app.CreateSkinByName(c.tag);
    REQUIRE(skin != nullptr);
    CHECK(std::wstring(skin->GetObjectClass()) == c.tag);
    CHECK(skin->GetObjectType() == OBJ_TYPE_SKIN);
    CHECK(skin->IsClass(c.base));
    CHECK(skin->IsClass(L"skinObjBase"));
    CHECK_FALSE(skin->IsClass(L"window"));
    skin->Release();
  }
  // A class under the skin kind that is no skin is not handed out as one, and does not leak.
  REQUIRE(t.app.TplRegisterFactory<NotASkin>());
  CHECK(t.app.CreateSkinByName(L"notaskin") == nullptr);
  CHECK(NotASkin::deleted == 1);
  CHECK(t.app.CreateSkinByName(L"nosuchskin") == nullptr);
}
