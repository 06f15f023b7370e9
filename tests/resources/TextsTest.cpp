// Every visible text of the layouts and menus, and every text the program shows from its code,
// has a Chinese translation; the English file covers the same texts.
#include <doctest/doctest.h>

#include <cwctype>
#include <map>
#include <set>
#include <string>

#include "EmbeddedResources.h"
#include "ExpectedTexts.h"

namespace {

// source -> translation of the context with the empty name, which serves every context.
std::map<std::wstring, std::wstring> Messages(const wchar_t* language) {
  std::map<std::wstring, std::wstring> out;
  pugi::xml_node lang = Resources().Xml(L"translator", language).child(L"language");
  for (pugi::xml_node ctx : lang.children(L"context")) {
    if (std::wstring(ctx.attribute(L"name").value()) != L"") continue;
    for (pugi::xml_node m : ctx.children(L"message")) {
      out[m.child(L"source").text().get()] = m.child(L"translation").text().get();
    }
  }
  return out;
}

bool HasLatinLetter(const std::wstring& s) {
  for (wchar_t c : s) {
    if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z')) return true;
  }
  return false;
}

// Texts a user sees: text-like attributes and element text, "@string/" names resolved. Texts
// without a Latin letter (numbers, signs) need no translation.
void CollectVisible(pugi::xml_node doc, std::set<std::wstring>& out) {
  pugi::xml_node strings = Resources().Xml(L"values", L"string").child(L"string");
  ForEachElement(doc, [&](pugi::xml_node e) {
    std::vector<std::wstring> values;
    for (const wchar_t* a : {L"text", L"title", L"tip", L"text1", L"text2", L"tip1", L"tip2", L"cueText"}) {
      if (e.attribute(a)) values.push_back(e.attribute(a).value());
    }
    std::wstring own = e.text().get();
    while (!own.empty() && std::iswspace(own.back())) own.pop_back();
    while (!own.empty() && std::iswspace(own.front())) own.erase(own.begin());
    if (!own.empty()) values.push_back(own);
    for (std::wstring v : values) {
      if (v.rfind(L"@string/", 0) == 0) v = strings.child(v.substr(8).c_str()).attribute(L"value").value();
      if (HasLatinLetter(v)) out.insert(v);
    }
  });
}

}  // namespace

TEST_CASE("every visible and message text has a Chinese translation, and English covers the same") {
  std::set<std::wstring> texts(std::begin(kProgramTexts), std::end(kProgramTexts));
  for (const auto& layout : EmbeddedResources::LayoutNames()) CollectVisible(Resources().Xml(L"LAYOUT", layout.c_str()), texts);
  for (const auto& menu : EmbeddedResources::MenuNames()) CollectVisible(Resources().Xml(L"SMENU", menu.c_str()), texts);
  REQUIRE(texts.size() > 100);

  const auto cn = Messages(L"cn");
  const auto en = Messages(L"en");
  int missing = 0;
  for (const auto& t : texts) {
    auto c = cn.find(t);
    auto e = en.find(t);
    if (c == cn.end() || c->second.empty() || e == en.end() || e->second.empty()) {
      ++missing;
      MESSAGE("no translation of \"" << Narrow(t) << "\"");
    }
  }
  CHECK(missing == 0);
  CHECK(cn.at(L"Device not connected") == L"设备未连接");
  CHECK(en.at(L"Device not connected") == L"Device not connected");
  // Both files install: a name, a GUID in braces, and different GUIDs.
  pugi::xml_node cnRoot = Resources().Xml(L"translator", L"cn").child(L"language");
  pugi::xml_node enRoot = Resources().Xml(L"translator", L"en").child(L"language");
  CHECK(std::wstring(cnRoot.attribute(L"name").value()) == L"cn");
  CHECK(std::wstring(enRoot.attribute(L"name").value()) == L"en");
  CHECK(std::wstring(cnRoot.attribute(L"guid").value()) != std::wstring(enRoot.attribute(L"guid").value()));
}
