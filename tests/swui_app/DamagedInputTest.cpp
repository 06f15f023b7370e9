// Damaged input for the two XML loaders: every truncation and many seeded mutations of a valid
// UI definition and of a valid language file load without harm, and a damaged skin or style
// resource leaves the sections before it loaded and the sections after it loading.
#include <doctest/doctest.h>

#include <cstdint>
#include <string>

#include "UiDefRig.h"
#include "core/SSkinPool.h"
#include "core/STranslator.h"
#include "res.mgr/SObjDefAttr.h"
#include "res.mgr/SStylePool.h"

using namespace SWUI;

namespace {

const char kDefinition[] =
    "<uidef><font size='14' bold='1' face='Arial' weight='600'/>"
    "<string><title value='Tevaro'/><ok value='OK'/></string>"
    "<color><red value='#ff0000'/><half value='rgba(0,0,255,128)'/></color>"
    "<dim><gap value='4dp'/><wide value='120'/></dim>"
    "<skin src='values:skins'><colorrect name='own' normal='@color/half'/></skin>"
    "<style src='values:styles'/>"
    "<objattr><window margin='1'/><button class='normalbtn' pos='0,0'/></objattr></uidef>";

// Skins that name the colours and dimensions read before them, and each other.
const char kSkins[] =
    "<skin><colorrect name='bg' normal='@color/red' hover='#00ff00'/>"
    "<imglist name='strip' src='img:bg' states='2' stateMap='0-1-1'/>"
    "<group name='g' normal='bg' hover='strip' pushDown='g'/>"
    "<button name='btn' colorUp='@color/half' colorDown='#101010' cornerRadius='3'/>"
    "<shape name='s' shape='ring'><solid color='@color/red'/><stroke width='2' color='#000000'"
    " style='dash'/><corners radius='@dim/gap'/><ring startAngle='10' sweepAngle='200'/>"
    "<gradient type='linear' startColor='@color/red' endColor='#0000ff' angle='45'/></shape>"
    "</skin>";

const wchar_t* const kSkinNames[] = {L"bg", L"strip", L"g", L"btn", L"s", L"own"};

const char kStyles[] =
    "<style><class name='normalbtn' colorText='#000000' font='size:12'/>"
    "<class name='title' font='bold:1'/></style>";

const char kLanguage[] =
    "<language name='cn' guid='{6B7A3E40-1D2C-4F5A-9B8E-0C1D2E3F4A5B}'>"
    "<context name=''><message><source>Cancel</source>"
    "<translation>\xE5\x8F\x96\xE6\xB6\x88</translation></message></context>"
    "<context name='dlg'><message><source>OK</source>"
    "<translation>\xE7\xA1\xAE\xE5\xAE\x9A</translation></message></context>"
    "<fonts><font name='default' charset='GB2312' face='SimSun'/></fonts></language>";

// A small deterministic generator, so that a failure names a reproducible case.
struct Lcg {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
};

const char kNasty[] = {'<', '>', '"', '\'', '/', '=', ':', '&', '\0', '\xFF', '\xC3', 'a', ' '};

std::string Mutate(const std::string& text, Lcg& rng) {
  std::string out = text;
  const int edits = 1 + static_cast<int>(rng.Next() % 3);
  for (int i = 0; i < edits; ++i) {
    size_t at = rng.Next() % out.size();
    switch (rng.Next() % 3) {
      case 0: out[at] = kNasty[rng.Next() % sizeof(kNasty)]; break;
      case 1: out.erase(at, 1 + rng.Next() % 8); break;
      default: out.insert(at, 1, kNasty[rng.Next() % sizeof(kNasty)]); break;
    }
    if (out.empty()) out = "<";
  }
  return out;
}

// Draws every skin of the pool it can find, in every state, at 100 and at 150.
void DrawSkins(UiDefRig& rig, SSkinPool* pool) {
  IRenderTarget* rt = nullptr;
  REQUIRE(rig.render->CreateRenderTarget(&rt, 8, 8));
  const RECT rc = {0, 0, 8, 8};
  for (const wchar_t* name : kSkinNames) {
    for (int scale : {100, 150}) {
      ISkinObj* skin = pool->GetSkin(SStringW(name), scale);
      if (skin == nullptr) continue;
      for (DWORD state = 0; state < 4; ++state) skin->Draw(rt, &rc, state);
    }
  }
  rt->Release();
}

// Loads the definition (under its own name, so the installed one never changes) and uses
// what it loaded.
void LoadDefinition(UiDefRig& rig, const std::string& xml) {
  rig.provider->Add(L"UIDEF", L"damaged", xml);
  IUiDefInfo* info = SUiDef::getSingleton().CreateUiDefInfo(rig.provider, L"UIDEF:damaged");
  REQUIRE(info != nullptr);
  CHECK(info->GetDefFontInfo().style.GetSize() <= FONTSTYLE::kMaxSize);
  info->GetNamedString().Get(L"@string/title");
  info->GetNamedColor().Get(L"@color/red");
  if (SObjDefAttr* defs = info->GetObjDefAttr()) defs->GetDefAttribute(L"button", rig.app);
  if (SStylePool* styles = info->GetStylePool()) styles->GetStyle(L"normalbtn");
  if (SSkinPool* skins = info->GetSkinPool()) DrawSkins(rig, skins);
  info->Release();
}

void LoadLanguage(const std::string& xml) {
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8)) return;
  pugi::xml_node language = doc.child(L"language");
  SAutoRefPtr<ITranslator> tr;
  tr.Attach(new STranslator());
  if (!tr->Load(&language, STranslator::kLoadXmlNode)) return;
  wchar_t buf[4];
  for (const wchar_t* src : {L"Cancel", L"OK", L""}) {
    const int needed = tr->tr(src, L"dlg", nullptr, 0);
    CHECK(needed >= 0);
    const int got = tr->tr(src, L"dlg", buf, 4);
    CHECK((got == -1 || (got >= 0 && got <= 4)));
  }
  LOGFONTW lf = {};
  tr->getFontInfo(L"default", &lf);
  CHECK(lf.lfFaceName[LF_FACESIZE - 1] == 0);
}

}  // namespace

TEST_CASE("every truncation and seeded mutations of a definition load without harm") {
  UiDefRig rig;
  rig.provider->Add(L"values", L"skins", kSkins);
  rig.provider->Add(L"values", L"styles", kStyles);
  const std::string valid = kDefinition;
  for (size_t len = 0; len <= valid.size(); ++len) {
    CAPTURE(len);
    LoadDefinition(rig, valid.substr(0, len));
  }
  Lcg rng{9};
  for (int i = 0; i < 1500; ++i) {
    CAPTURE(i);
    LoadDefinition(rig, Mutate(valid, rng));
  }
}

TEST_CASE("a damaged skin or style resource keeps the sections before it and after it") {
  struct Case {
    const wchar_t* damaged;
    const char* valid;
    const wchar_t* other;
    const char* otherText;
  };
  for (const Case& c : {Case{L"skins", kSkins, L"styles", kStyles},
                        Case{L"styles", kStyles, L"skins", kSkins}}) {
    CAPTURE(std::string(c.valid, 12));
    UiDefRig rig;
    rig.provider->Add(L"UIDEF", L"damaged", kDefinition);
    rig.provider->Add(L"values", c.other, c.otherText);
    const std::string valid = c.valid;
    Lcg rng{17};
    for (int i = 0; i < 600; ++i) {
      CAPTURE(i);
      std::string damaged = i < static_cast<int>(valid.size())
                                ? valid.substr(0, static_cast<size_t>(i))
                                : Mutate(valid, rng);
      rig.provider->Add(L"values", c.damaged, damaged);
      IUiDefInfo* info = SUiDef::getSingleton().CreateUiDefInfo(rig.provider, L"UIDEF:damaged");
      REQUIRE(info != nullptr);
      CHECK(info->GetNamedString().GetCount() == 2);
      CHECK(info->GetNamedColor().GetCount() == 2);
      CHECK(info->GetNamedDimension().GetCount() == 2);
      // The skins come before the styles: damaged styles leave every skin; damaged skins leave
      // at worst an empty pool, and the styles after them load.
      REQUIRE(info->GetSkinPool() != nullptr);
      if (c.damaged == std::wstring(L"styles")) {
        CHECK(info->GetSkinPool()->GetCount() == 5);
      } else {
        CHECK(info->GetStylePool() != nullptr);
        DrawSkins(rig, info->GetSkinPool());
      }
      CHECK(info->GetObjDefAttr() != nullptr);
      info->Release();
    }
  }
}

TEST_CASE("every truncation and seeded mutations of a language file load without harm") {
  const std::string valid = kLanguage;
  for (size_t len = 0; len <= valid.size(); ++len) {
    CAPTURE(len);
    LoadLanguage(valid.substr(0, len));
  }
  Lcg rng{5};
  for (int i = 0; i < 3000; ++i) {
    CAPTURE(i);
    LoadLanguage(Mutate(valid, rng));
  }
}
