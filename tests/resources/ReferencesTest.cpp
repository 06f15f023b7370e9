// What the resources name in each other resolves: skins, styles, named colours and strings,
// images of the skins, includes and the UI definition's sections.
#include <doctest/doctest.h>

#include <set>
#include <string>

#include "EmbeddedResources.h"
#include "core/SSkinPoolMgr.h"

namespace {

std::set<std::wstring> NamesOf(pugi::xml_node section, const wchar_t* attribute) {
  std::set<std::wstring> out;
  for (pugi::xml_node c : section.children()) {
    if (attribute == nullptr) {
      out.insert(c.name());
    } else if (c.attribute(attribute)) {
      out.insert(c.attribute(attribute).value());
    }
  }
  return out;
}

const wchar_t* const kSkinAttributes[] = {L"skin", L"ncSkin", L"bkgndSkin", L"posSkin", L"thumbSkin", L"btnSkin",
                                          L"sbSkin", L"tabSkin", L"upskin", L"downSkin", L"itemSkin", L"sepSkin",
                                          L"iconSkin", L"checkSkin", L"arrowSkin", L"focusSkin"};

}  // namespace

TEST_CASE("skins, styles, named values and images that the resources name all exist") {
  pugi::xml_node uidef = Resources().Xml(L"UIDEF", L"XML_INIT").child(L"uidef");
  pugi::xml_node appSkins = Resources().Xml(L"values", L"skin").child(L"skin");
  pugi::xml_node sysSkins = Resources().Xml(L"XML", L"SYS_XML_SKIN").child(L"skin");
  std::set<std::wstring> skins = NamesOf(appSkins, L"name");
  for (const auto& s : NamesOf(sysSkins, L"name")) skins.insert(s);
  const std::set<std::wstring> styles = NamesOf(uidef.child(L"style"), L"name");
  const std::set<std::wstring> colors = NamesOf(Resources().Xml(L"values", L"color").child(L"color"), nullptr);
  const std::set<std::wstring> strings = NamesOf(Resources().Xml(L"values", L"string").child(L"string"), nullptr);

  // The UI definition reads its sections from the value files.
  CHECK(std::wstring(uidef.child(L"skin").attribute(L"src").value()) == L"values:skin");
  CHECK(std::wstring(uidef.child(L"color").attribute(L"src").value()) == L"values:color");
  CHECK(std::wstring(uidef.child(L"string").attribute(L"src").value()) == L"values:string");
  for (const wchar_t* name : {L"skin_main_center", L"skin_main_center_black", L"skin_Loading_gif", L"skin_vscrollbar",
                              L"skin_hscrollbar", L"skin_nullhscrollbar", L"skin_new_scrollbar",
                              L"image_tip2_bg_png", L"_skin.sys.icons", L"_skin.sys.spin.up"}) {
    INFO(Narrow(name));
    CHECK(skins.count(name) == 1);
  }
  CHECK(styles.count(L"cls_border") == 1);
  // The framework's defaults are the framework's own set: the built-in skins, nothing more.
  std::set<std::wstring> builtin;
  for (int i = 0; i < SWUI::SSkinPoolMgr::kBuiltinSkinCount; ++i) {
    builtin.insert(SWUI::SSkinPoolMgr::GetBuiltinSkinName(i));
  }
  CHECK(NamesOf(sysSkins, L"name") == builtin);

  auto check = [&](pugi::xml_node doc, const std::string& where) {
    ForEachElement(doc, [&](pugi::xml_node e) {
      for (pugi::xml_attribute a : e.attributes()) {
        const std::wstring name = a.name();
        const std::wstring value = a.value();
        INFO(where << ": " << Narrow(e.name()) << " " << Narrow(name) << "=\"" << Narrow(value) << "\"");
        for (const wchar_t* skinAttr : kSkinAttributes) {
          if (_wcsicmp(name.c_str(), skinAttr) == 0 && e.name() != std::wstring(L"menuItem")) {
            CHECK(skins.count(value) == 1);
          }
        }
        if (name == L"class" && std::wstring(e.parent().name()) != L"style") CHECK(styles.count(value) == 1);
        if (value.rfind(L"@color/", 0) == 0) CHECK(colors.count(value.substr(7)) == 1);
        if (value.rfind(L"@string/", 0) == 0) CHECK(strings.count(value.substr(8)) == 1);
        if (name == L"src" || name == L"srcVert" || name == L"srcHorz") {
          const size_t colon = value.find(L':');
          REQUIRE(colon != std::wstring::npos);
          CHECK(Resources().Provider().HasResource(value.substr(0, colon).c_str(), value.substr(colon + 1).c_str()));
        }
      }
      const std::wstring own = e.text().get();
      if (own.rfind(L"@string/", 0) == 0) CHECK(strings.count(own.substr(8)) == 1);
    });
  };
  check(uidef, "uidef");
  check(appSkins, "values:skin");
  check(sysSkins, "SYS_XML_SKIN");
  check(Resources().Xml(L"XML", L"SYS_XML_MSGBOX"), "SYS_XML_MSGBOX");
  for (const auto& layout : EmbeddedResources::LayoutNames()) {
    check(Resources().Xml(L"LAYOUT", layout.c_str()), Narrow(layout));
  }
  for (const auto& menu : EmbeddedResources::MenuNames()) check(Resources().Xml(L"SMENU", menu.c_str()), Narrow(menu));
}
