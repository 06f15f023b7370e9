// The framework takes the program's resources as they are embedded: its own defaults load from
// the PE provider, and the named-ID table installs and answers the layouts' names.
#include <doctest/doctest.h>
#include <windows.h>

#include "NamedIdTable.h"
#include "RenderModule.h"
#include "core/SApplication.h"
#include "core/SMsgTemplate.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

TEST_CASE("the framework loads its defaults from the program's resources and takes the named-ID table") {
  IObjRef* obj = nullptr;
  REQUIRE(CreateRenderFactory_GDI(&obj));
  auto* render = static_cast<IRenderFactory*>(obj);
  {
    SApplication app(render, GetModuleHandleW(nullptr));
    auto* provider = new SResProviderPE();
    REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
    // Skin, edit menu and message box template all load (no failure bit).
    CHECK(app.LoadSystemNamedResource(provider) == 0);

    // The program's own message box template is accepted in place of the framework's.
    app.AddResProvider(provider, nullptr);
    pugi::xml_document msgbox;
    CHECK(app.LoadXmlDocument(msgbox, L"XML_MSGBOX", L"LAYOUT"));
    CHECK(SetMsgTemplate(msgbox.child(L"SWUI")));
    app.RemoveResProvider(provider);
    provider->Release();

    app.InitXmlNamedID(kNamedIdTable, kNamedIdCount, TRUE);
    CHECK(app.Str2ID(L"btnOK") == 1);
    CHECK(app.Str2ID(L"orv_tab") == 999);
    CHECK(app.Str2ID(L"edit_spin") == 7100);
    CHECK(app.Str2ID(L"APWnd") == 65536);
    CHECK(app.Str2ID(L"_name_start") == 65535);
    CHECK(app.Str2ID(L"wifiname_list") > 65536);
  }
  render->Release();
}
