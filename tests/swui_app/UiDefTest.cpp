// UI definitions: the default font, the sections and their redirection, the log lines of a
// failed load, skins, styles and class default attributes, and how a definition becomes
// current.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "UiDefRig.h"
#include "core/SMsgTemplate.h"
#include "base/SObjectImpl.h"
#include "core/SSKinGroup.h"
#include "core/SSkinPool.h"
#include "core/SSkinPoolMgr.h"
#include "core/SStylePoolMgr.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SObjDefAttr.h"

using namespace SWUI;

namespace {

const wchar_t kSongTi[] = L"\u5b8b\u4f53";

std::wstring Attributes(pugi::xml_node node) {
  std::wstring text;
  for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
    text += std::wstring(attr.name()) + L"=" + attr.value() + L" ";
  }
  return text;
}

// Window classes A, B (base A), C (base D, which has no defaults, base B), each recording
// the attributes it receives.
class RecWnd : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject> {
 public:
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL) override {
    applied.push_back(std::wstring(name) + L"=" + std::wstring(value));
    return S_OK;
  }
  std::vector<std::wstring> applied;
};
using RecBase = SObjectImpl<IObject>;
class WndA : public RecWnd {
  SWUI_CLASS_NAME_EX(RecBase, L"a", OBJ_TYPE_WINDOW)
};
class WndB : public WndA {
  SWUI_CLASS_NAME(WndA, L"b")
};
class WndD : public WndB {
  SWUI_CLASS_NAME(WndB, L"d")
};
class WndC : public WndD {
  SWUI_CLASS_NAME(WndD, L"c")
};

}  // namespace

TEST_CASE("the default font word, name and face") {
  struct Row {
    const char* font;
    DWORD style;
    const wchar_t* face;
    const wchar_t* name;
  };
  const Row rows[] = {
      {"", 0xC00001, kSongTi, L"default"},
      {"<font/>", 0xC00001, kSongTi, L"default"},
      {"<font size='16' bold='1' charset='134' face='Arial'/>", 134 | 1 << 18 | 16 << 20, L"Arial",
       L"default"},
      {"<font weight='700' size='12' face='Missing'/>", 1 | 175 << 8 | 12 << 20, kSongTi, L"default"},
      {"<font italic='1' underline='' strike='0' name='title'/>", 1 | 1 << 16 | 1 << 17 | 12 << 20,
       kSongTi, L"title"},
      // A weight or size too large for its bits is clamped, never spilled into the next field.
      {"<font weight='100000' size='99999' charset='999'/>", 0xFF | 0xFF << 8 | 0xFFFu << 20,
       kSongTi, L"default"},
      {"<FONT SIZE='20' Face='Arial'/>", 1 | 20 << 20, L"Arial", L"default"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.font);
    UiDefRig rig;
    rig.InstallFace(L"Arial");
    IUiDefInfo* info = rig.Install(std::string("<UIdef>") + row.font + "</UIdef>");
    REQUIRE(info != nullptr);
    const FontInfo& font = info->GetDefFontInfo();
    CHECK(font.style.dwStyle == row.style);
    CHECK(std::wstring(font.strFaceName) == row.face);
    CHECK(std::wstring(font.strName) == row.name);
  }
}

TEST_CASE("the default font check finds the mapped Chinese face and refuses an unknown one") {
  CHECK(DefFontCheck(kSongTi));
  CHECK(DefFontCheck(L"SimSun"));
  CHECK_FALSE(DefFontCheck(L"No Such Face Anywhere"));
  CHECK_FALSE(DefFontCheck(L""));
}

TEST_CASE("a failed load logs why and leaves the definition empty") {
  struct Row {
    const wchar_t* ref;
    const char* xml;
    const char* line;
  };
  const Row rows[] = {
      {L"xml_init", "<uidef/>", "warning!!!! Add ResProvider Error."},
      {L"UIDEF:other", "<uidef/>", "warning!!!! uidef was not found in the specified resprovider"},
      {L"UIDEF:xml_init", "<uidef><string>", "warning!!! load uidef as xml document failed"},
      {L"UIDEF:xml_init", "<skin/>", "warning!!! \"uidef\" element is not the root element of uidef xml"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.line);
    UiDefRig rig;
    rig.provider->Add(L"UIDEF", L"xml_init", row.xml);
    rig.app->AddResProvider(rig.provider, row.ref);
    CHECK(rig.Logged(row.line));
    REQUIRE(rig.Current() != nullptr);
    CHECK(rig.Current()->GetNamedString().GetCount() == 0);
    CHECK(rig.Current()->GetDefFontInfo().style.dwStyle == SUiDefInfo::kDefaultStyle);
  }
}

TEST_CASE("sections load in order; src redirects to a resource of the same provider") {
  UiDefRig rig;
  rig.provider->Add(L"values", L"cols", "<values><color><red value='#ff0000'/></color></values>");
  rig.provider->Add(L"values", L"cols2", "<color><blue value='#0000ff'/></color>");
  SUBCASE("type:name reads the element of the section's name at the top of that resource") {
    rig.Install("<uidef><string><title value='Tevaro'/></string>"
                "<color src='values:cols2'><green value='#00ff00'/></color>"
                "<dim><gap value='4dp'/></dim></uidef>");
    CHECK(GetNamedString(L"@string/title") == L"Tevaro");
    CHECK(GetNamedColor(L"@color/blue") == 0xFFFF0000);
    CHECK(GetNamedColor(L"@color/green") == 0x00FFFFFF);
    CHECK(GetNamedDimension(L"@dim/gap").unit == dp);
    CHECK(rig.log->lines.empty());
  }
  SUBCASE("the element must be at the top of the redirected document") {
    rig.Install("<uidef><color src='values:cols'/></uidef>");
    CHECK(rig.Current()->GetNamedColor().GetCount() == 0);
  }
  SUBCASE("a src without a type leaves the section out, logged; later sections still load") {
    rig.Install("<uidef><color src='cols2'><green value='#00ff00'/></color>"
                "<dim><gap value='4dp'/></dim></uidef>");
    CHECK(rig.Current()->GetNamedColor().GetCount() == 0);
    CHECK(rig.Logged("warning!!! src of section \"color\" is not type:name, section skipped"));
    CHECK(GetNamedDimension(L"@dim/gap").unit == dp);
  }
  SUBCASE("a src naming nothing readable keeps the section's own children") {
    rig.Install("<uidef><color src='values:absent'><green value='#00ff00'/></color></uidef>");
    CHECK(GetNamedColor(L"@color/green") == 0xFF00FF00);
  }
}

TEST_CASE("a definition is current while it loads, then the installed one comes back") {
  UiDefRig rig;
  IUiDefInfo* first = rig.Install("<uidef><string><who value='first'/></string></uidef>");
  rig.provider->Add(L"UIDEF", L"second", "<uidef><string><who value='second'/></string></uidef>");
  IUiDefInfo* second = SUiDef::getSingleton().CreateUiDefInfo(rig.provider, L"UIDEF:second");
  REQUIRE(second != nullptr);
  CHECK(rig.Current() == first);
  CHECK(GetNamedString(L"@string/who") == L"first");
  SUiDef::getSingleton().SetUiDef(second);
  CHECK(GetNamedString(L"@string/who") == L"second");
  second->Release();
}

TEST_CASE("styles: named classes only, first of a name wins, newest pool wins, pushed once") {
  UiDefRig rig;
  auto* styles = SStylePoolMgr::getSingletonPtr();
  rig.Install("<uidef><style><class colorText='#1'/><class name='btn' colorText='#2'/>"
              "<CLASS NAME='btn' colorText='#3'/><class name='edit' margin='1'/></style></uidef>");
  REQUIRE(rig.Current()->GetStylePool() != nullptr);
  CHECK(rig.Current()->GetStylePool()->GetCount() == 2);
  CHECK(styles->GetCount() == 1);  // AddResProvider does not push it a second time
  CHECK(Attributes(styles->GetStyle(L"btn")) == L"colorText=#2 ");
  CHECK_FALSE(styles->GetStyle(L"BTN"));
  CHECK_FALSE(styles->GetStyle(L"absent"));

  rig.Install("<uidef><style><class name='btn' colorText='#4'/></style></uidef>", L"newer");
  CHECK(styles->GetCount() == 2);
  CHECK(Attributes(styles->GetStyle(L"btn")) == L"colorText=#4 ");
  CHECK(Attributes(styles->GetStyle(L"edit")) == L"margin=1 ");

  SAutoRefPtr<SStylePool> newest = rig.Current()->GetStylePool();
  CHECK(styles->PopStylePool(newest) == newest);
  CHECK(styles->PopStylePool(newest) == nullptr);
  CHECK(Attributes(styles->GetStyle(L"btn")) == L"colorText=#2 ");
  CHECK(styles->PopStylePool() != nullptr);
  CHECK(styles->PopStylePool() == nullptr);
  CHECK_FALSE(styles->GetStyle(L"btn"));
}

TEST_CASE("skins: the definition's own pool, pushed once; a host's pool hides it until popped") {
  UiDefRig rig;
  SSkinPoolMgr& skins = SSkinPoolMgr::getSingleton();
  rig.provider->Add(L"values", L"skins",
                    "<skin><colorrect name='btn' normal='@color/red'/>"
                    "<group name='g' normal='btn'/><colorrect name='only'/></skin>");
  rig.Install("<uidef><color><red value='#ff0000'/></color><skin src='values:skins'/></uidef>");
  SAutoRefPtr<SSkinPool> first = rig.Current()->GetSkinPool();
  REQUIRE(first != nullptr);
  CHECK(first->GetCount() == 3);
  ISkinObj* btn = skins.GetSkin(L"btn", 100);
  REQUIRE(btn != nullptr);
  CHECK(btn == first->GetSkin(L"btn", 100));
  // Made while the definition was current: its colour is the definition's own, and the group
  // found its state skin in the same pool while it loaded.
  SAutoRefPtr<IRenderTarget> rt;
  IRenderTarget* made = nullptr;
  REQUIRE(rig.render->CreateRenderTarget(&made, 2, 2));
  rt.Attach(made);
  const RECT rc = {0, 0, 2, 2};
  btn->Draw(rt, &rc, 0);
  CHECK(rt->GetPixel(1, 1) == 0xFFFF0000u);
  auto* group = dynamic_cast<SSKinGroup*>(skins.GetSkin(L"g", 100));
  REQUIRE(group != nullptr);
  CHECK(group->GetStateSkin(0) == btn);

  // A host window's pool over the definition's answers first until it is popped.
  SAutoRefPtr<SSkinPool> host;
  host.Attach(new SSkinPool());
  pugi::xml_document hostSkins;
  REQUIRE(hostSkins.load_string(L"<skin><colorrect name='btn' alpha='2'/></skin>"));
  host->LoadSkins(hostSkins.child(L"skin"));
  skins.PushSkinPool(host);
  CHECK(skins.GetSkin(L"btn", 100)->GetAlpha() == 2);
  CHECK(skins.GetSkin(L"only", 100) == first->GetSkin(L"only", 100));
  CHECK(skins.PopSkinPool(host) == host.Get());
  CHECK(skins.GetSkin(L"btn", 100) == btn);

  // A newer definition's skins hide the older one's; the older one's others still answer.
  rig.Install("<uidef><skin><colorrect name='btn' alpha='3'/></skin></uidef>", L"newer");
  SAutoRefPtr<SSkinPool> newer = rig.Current()->GetSkinPool();
  REQUIRE(newer != nullptr);
  CHECK(skins.GetSkin(L"btn", 100)->GetAlpha() == 3);
  CHECK(skins.GetSkin(L"only", 100) != nullptr);

  // Each definition's pool was pushed exactly once (AddResProvider pushes nothing more).
  CHECK(skins.PopSkinPool(newer) == newer.Get());
  CHECK(skins.PopSkinPool(newer) == nullptr);
  CHECK(skins.GetSkin(L"btn", 100) == btn);
  CHECK(skins.PopSkinPool(first) == first.Get());
  CHECK(skins.PopSkinPool(first) == nullptr);
  CHECK(skins.GetSkin(L"btn", 100) == nullptr);

  // A definition without a skin section has no pool.
  rig.Install("<uidef><string><a value='1'/></string></uidef>", L"plain");
  CHECK(rig.Current()->GetSkinPool() == nullptr);
}

TEST_CASE("class defaults absorb their bases' attributes, nearest first") {
  UiDefRig rig;
  rig.app->TplRegisterFactory<WndA>();
  rig.app->TplRegisterFactory<WndB>();
  rig.app->TplRegisterFactory<WndC>();
  rig.app->TplRegisterFactory<WndD>();
  rig.Install("<uidef><objattr><a a='1' b='2' class='x'/><b b='3' A='9'/><c c='4'/>"
              "<b b='5'/></objattr></uidef>");
  SObjDefAttr* defs = rig.Current()->GetObjDefAttr();
  REQUIRE(defs != nullptr);
  CHECK(Attributes(defs->GetDefAttribute(L"b", rig.app)) == L"b=3 A=9 class=x ");
  // d has no entry of its own: c's walk passes through it to b and a; d itself answers b's.
  CHECK(Attributes(defs->GetDefAttribute(L"c", rig.app)) == L"c=4 b=3 A=9 class=x ");
  CHECK(Attributes(defs->GetDefAttribute(L"d", rig.app)) == L"b=3 A=9 class=x ");
  CHECK_FALSE(defs->GetDefAttribute(L"unknown", rig.app));

  IObject* obj = rig.app->CreateWindowByName(L"c");
  REQUIRE(obj != nullptr);
  std::vector<std::wstring> expected = {L"class=x", L"c=4", L"b=3", L"A=9"};
  CHECK(dynamic_cast<RecWnd*>(obj)->applied == expected);
  dynamic_cast<IObjRef*>(obj)->Release();
}

TEST_CASE("a message-box template without minSize is refused and the old one kept") {
  pugi::xml_document good, bad;
  REQUIRE(good.load_string(L"<SWUI frameSize='1,1,1,1' minSize='100,50'><root/></SWUI>"));
  REQUIRE(bad.load_string(L"<SWUI frameSize='2,2,2,2'/>"));
  REQUIRE(SetMsgTemplate(good.child(L"SWUI")));
  CHECK_FALSE(SetMsgTemplate(bad.child(L"SWUI")));
  CHECK(std::wstring(GetMsgTemplate().attribute(L"minSize").value()) == L"100,50");
  CHECK(std::wstring(GetMsgTemplate().attribute(L"frameSize").value()) == L"1,1,1,1");
}
