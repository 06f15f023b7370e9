// The framework takes the program's resources as they are embedded: its own defaults (the
// framework's built-in skins among them) load from the PE provider, the UI definition installs
// with its values, skins and styles, the language files translate, and the named-ID table
// installs and answers the layouts' names.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>

#include "EmbeddedResources.h"
#include "IImgDecoderFactory.h"
#include "NamedIdTable.h"
#include "controls/RegisterAppControls.h"
#include "RenderModule.h"
#include "core/SApplication.h"
#include "core/SMsgTemplate.h"
#include "core/SSkinPool.h"
#include "core/SSkinPoolMgr.h"
#include "core/SStylePoolMgr.h"
#include "core/STranslator.h"
#include "core/STranslatorMgr.h"
#include "core/SUiDef.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

namespace {

// As the program starts the framework: a GDI render factory decoding through GDI+.
struct App {
  App() {
    IObjRef* obj = nullptr;
    REQUIRE(CreateRenderFactory_GDI(&obj));
    render = static_cast<IRenderFactory*>(obj);
    IObjRef* decoders = nullptr;
    REQUIRE(CreateImgDecoderFactoryByName(L"imgdecoder-gdip", &decoders));
    render->SetImgDecoderFactory(static_cast<IImgDecoderFactory*>(decoders));
    decoders->Release();
    app = new SApplication(render, GetModuleHandleW(nullptr));
    // Start-up registers the program's own classes before any resource is read.
    RegisterAppControls(*app);
  }
  ~App() {
    delete app;
    render->Release();
  }
  // A new PE provider over this program's resources (one reference, the caller's).
  static SResProviderPE* Provider() {
    auto* provider = new SResProviderPE();
    REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
    return provider;
  }
  std::wstring Translated(const wchar_t* language, const wchar_t* text) {
    IObjRef* obj = nullptr;
    REQUIRE(Translator_SCreateInstance(&obj));
    SAutoRefPtr<ITranslatorMgr> mgr;
    mgr.Attach(static_cast<ITranslatorMgr*>(obj));
    app->SetTranslator(mgr);
    SAutoRefPtr<ITranslator> tr;
    ITranslator* created = nullptr;
    REQUIRE(mgr->CreateTranslator(&created));
    tr.Attach(created);
    pugi::xml_document doc;
    REQUIRE(app->LoadXmlDocument(doc, language, L"translator"));
    pugi::xml_node root = doc.child(L"language");
    REQUIRE(tr->Load(&root, STranslator::kLoadXmlNode));
    REQUIRE(mgr->InstallTranslator(tr));
    std::wstring out = app->Translate(text, L"XML_MAINWND").c_str();
    app->SetTranslator(nullptr);
    return out;
  }

  IRenderFactory* render = nullptr;
  SApplication* app = nullptr;
};

}  // namespace

TEST_CASE("the framework loads its defaults and the message box template from the program's resources") {
  App a;
  SResProviderPE* provider = App::Provider();
  // Skin, edit menu and message box template all load (no failure bit).
  CHECK(a.app->LoadSystemNamedResource(provider) == 0);
  // The framework's 34 built-in skins, each with its image (the colour rectangle has none).
  SSkinPoolMgr& pools = SSkinPoolMgr::getSingleton();
  for (int i = 0; i < SSkinPoolMgr::kBuiltinSkinCount; ++i) {
    CAPTURE(i);
    ISkinObj* skin = pools.GetBuiltinSkin(i, 100);
    REQUIRE(skin != nullptr);
    if (std::wstring(skin->GetObjectClass()) != L"colorrect") CHECK(skin->GetSkinSize().cx > 0);
  }
  // The program's own message box template is accepted in place of the framework's.
  a.app->AddResProvider(provider, nullptr);
  pugi::xml_document msgbox;
  CHECK(a.app->LoadXmlDocument(msgbox, L"XML_MSGBOX", L"LAYOUT"));
  CHECK(SetMsgTemplate(msgbox.child(L"SWUI")));
  provider->Release();
}

TEST_CASE("the UI definition installs with its named values, styles and font, and both languages translate") {
  App a;
  SResProviderPE* provider = App::Provider();
  a.app->AddResProvider(provider, L"uidef:xml_init");
  provider->Release();
  IUiDefInfo* def = SUiDef::getSingleton().GetUiDef();
  REQUIRE(def != nullptr);
  CHECK(GetNamedColor(L"@color/accent") == 0xFFF5A93Fu);
  CHECK(GetNamedString(L"@string/app_name") == L"Tevaro");
  CHECK(def->GetDefFontInfo().style.GetSize() == 12);
  for (const wchar_t* style : {L"cls_border", L"cls_hscrollview", L"cls_nullhscrollview", L"cls_slider"}) {
    CHECK_FALSE(SStylePoolMgr::getSingleton().GetStyle(style).empty());
  }
  CHECK(a.Translated(L"cn", L"Device not connected") == L"\u8bbe\u5907\u672a\u8fde\u63a5");
  CHECK(a.Translated(L"cn", L"Tevaro") == L"Tevaro \u97f3\u6548\u5904\u7406\u5668");
  CHECK(a.Translated(L"en", L"cut") == L"Cut");
}

TEST_CASE("every skin of the UI definition is made by its class, with its image") {
  App a;
  SResProviderPE* provider = App::Provider();
  a.app->AddResProvider(provider, L"uidef:xml_init");
  provider->Release();
  SSkinPool* pool = SUiDef::getSingleton().GetUiDef()->GetSkinPool();
  REQUIRE(pool != nullptr);

  // The skin section as the definition reads it: the element its "src" names.
  pugi::xml_node uidef = Resources().Xml(L"UIDEF", L"XML_INIT").child(L"uidef");
  const std::wstring src = uidef.child(L"skin").attribute(L"src").value();
  const size_t colon = src.find(L':');
  REQUIRE(colon != std::wstring::npos);
  const std::wstring resType = src.substr(0, colon);
  const std::wstring resName = src.substr(colon + 1);
  pugi::xml_node section = Resources().Xml(resType.c_str(), resName.c_str()).child(L"skin");
  REQUIRE(section);

  size_t made = 0;
  for (pugi::xml_node e : section.children()) {
    const std::wstring tag = e.name();
    const std::wstring name = e.attribute(L"name").value();
    INFO(Narrow(tag) << " " << Narrow(name));
    SAutoRefPtr<ISkinObj> fresh;
    fresh.Attach(a.app->CreateSkinByName(tag.c_str()));
    REQUIRE(fresh != nullptr);  // a class the framework or the program registers
    // Every attribute is taken: none unknown to the class, no image that fails to load.
    for (pugi::xml_attribute attr : e.attributes()) {
      INFO(Narrow(attr.name()) << "=\"" << Narrow(attr.value()) << "\"");
      CHECK(SUCCEEDED(fresh->SetAttribute(SStringW(attr.name()), SStringW(attr.value()), TRUE)));
    }
    ISkinObj* skin = pool->GetSkin(name.c_str(), fresh->GetScale());
    REQUIRE(skin != nullptr);
    ++made;
    CHECK(std::wstring(skin->GetObjectClass()) == tag);
    if (e.attribute(L"src")) {
      CHECK(skin->GetSkinSize().cx > 0);
      CHECK(skin->GetSkinSize().cy > 0);
    }
  }
  CHECK(made > 40);
  CHECK(pool->GetCount() == made);
}

TEST_CASE("the named-ID table installs in the framework and answers the layouts' names") {
  App a;
  a.app->InitXmlNamedID(kNamedIdTable, kNamedIdCount, TRUE);
  CHECK(a.app->Str2ID(L"btnOK") == 1);
  CHECK(a.app->Str2ID(L"orv_tab") == 999);
  CHECK(a.app->Str2ID(L"edit_spin") == 7100);
  CHECK(a.app->Str2ID(L"APWnd") == 65536);
  CHECK(a.app->Str2ID(L"_name_start") == 65535);
  CHECK(a.app->Str2ID(L"wifiname_list") > 65536);
}
