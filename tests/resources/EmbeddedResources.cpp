#include "EmbeddedResources.h"

#include <cwchar>
#include <cwctype>

#include "NamedIdTable.h"

namespace {

// A layout expands at most this many includes; more means a cycle.
const int kMaxIncludes = 64;

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

}  // namespace

EmbeddedResources::EmbeddedResources() {
  m_provider.Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0);
}

std::string EmbeddedResources::Raw(const wchar_t* type, const wchar_t* name) {
  std::string out(m_provider.GetRawBufferSize(type, name), '\0');
  if (out.empty() || !m_provider.GetRawBuffer(type, name, &out[0], out.size())) return std::string();
  return out;
}

const pugi::xml_document& EmbeddedResources::Xml(const wchar_t* type, const wchar_t* name) {
  const std::wstring key = Lower(type) + L":" + Lower(name);
  auto& doc = m_docs[key];
  if (!doc) {
    doc = std::make_unique<pugi::xml_document>();
    const std::string bytes = Raw(type, name);
    if (bytes.empty() || !doc->load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8)) {
      doc->reset();
    }
  }
  return *doc;
}

const pugi::xml_document& EmbeddedResources::ExpandedLayout(const wchar_t* name) {
  auto& doc = m_expanded[Lower(name)];
  if (!doc) {
    doc = std::make_unique<pugi::xml_document>();
    // "type:name" names another resource type; a bare name is a layout.
    const std::wstring ref = name;
    const size_t colon = ref.find(L':');
    doc->reset(colon == std::wstring::npos ? Xml(L"LAYOUT", name)
                                           : Xml(ref.substr(0, colon).c_str(), ref.substr(colon + 1).c_str()));
    Expand(doc->document_element());
  }
  return *doc;
}

void EmbeddedResources::Expand(pugi::xml_node root) {
  // One include at a time, each replaced by the elements of the layout it names; a bound on
  // their number ends a cycle of includes.
  for (int round = 0; round < kMaxIncludes; ++round) {
    pugi::xml_node include = root.find_node([](pugi::xml_node n) {
      return n.type() == pugi::node_element && Lower(n.name()) == L"include";
    });
    if (!include) return;
    const std::wstring src = include.attribute(L"src").value();
    const size_t colon = src.find(L':');
    const std::wstring type = colon == std::wstring::npos ? L"LAYOUT" : src.substr(0, colon);
    const std::wstring name = colon == std::wstring::npos ? src : src.substr(colon + 1);
    pugi::xml_node parent = include.parent();
    for (pugi::xml_node part : Xml(type.c_str(), name.c_str()).child(L"include").children()) {
      parent.insert_copy_before(part, include);
    }
    parent.remove_child(include);
  }
}

const std::vector<std::wstring>& EmbeddedResources::LayoutNames() {
  static const std::vector<std::wstring> names = {
      L"XML_MAINWND", L"XML_INPUTDLG", L"XML_MSGBOX", L"XML_TOOLTIP", L"XML_ABOUT", L"XML_PCMODE",
      L"XML_DEVICEMODE", L"XML_CHANGEPWD", L"XML_VOLUMELIMIT", L"XML_LOGIN", L"XML_SETNETWORK", L"XML_EXPLAIN",
      L"XML_SETLOGO", L"XML_PROGRESS", L"INC_MUSIC_TABPAGE_XML", L"INC_MIC_TABPAGE_XML", L"INC_EFFECT_TABPAGE_XML",
      L"INC_MAIN_TABPAGE_XML", L"INC_CENTER_TABPAGE_XML", L"INC_SUB_TABPAGE_XML", L"INC_SUR_TABPAGE_XML",
      L"INC_EFFECT_TABPAGE_ALL_XML"};
  return names;
}

const std::vector<std::wstring>& EmbeddedResources::MenuNames() {
  static const std::vector<std::wstring> names = {L"menu_tray", L"menu_main", L"menu_main_admin", L"XML_EDITMENU"};
  return names;
}

EmbeddedResources& Resources() {
  static EmbeddedResources resources;
  return resources;
}

bool TagIsClass(const std::wstring& tag, const std::wstring& cls) {
  // Each control's class test: its own class, then its bases' (every one ends with "window").
  static const std::map<std::wstring, std::vector<std::wstring>> chains = {
      {L"window", {}},
      {L"text", {L"text"}},
      {L"button", {L"button"}},
      {L"imgbtn", {L"imgbtn", L"button"}},
      {L"link", {L"link"}},
      {L"check", {L"check"}},
      {L"radio", {L"radio"}},
      {L"caption", {L"caption"}},
      {L"img", {L"img"}},
      {L"icon", {L"icon"}},
      {L"div", {L"div"}},
      {L"scrollview", {L"scrollview", L"div"}},
      {L"combobox", {L"combobox", L"combobase"}},
      {L"richedit", {L"richedit", L"div"}},
      {L"edit", {L"edit", L"richedit", L"div"}},
      {L"tabctrl", {L"tabctrl"}},
      {L"page", {L"page"}},
      {L"spinbutton", {L"spinButton"}},
      {L"progress", {L"progress"}},
      {L"sliderbar", {L"sliderbar", L"progress"}},
      {L"zuslider", {L"zuslider", L"sliderbar", L"progress"}},
      {L"zucheckbtn", {L"zucheckbtn", L"check"}},
      {L"zuradiobtn", {L"zuradiobtn", L"radio"}},
      {L"zuprogress", {L"zuprogress", L"progress"}},
      {L"movethumb", {L"moveThumb"}},
      {L"zueq", {L"zueq"}},
      {L"zueqgrid", {L"zueqgrid"}},
      {L"zueqcurve", {L"zueqcurve"}},
      {L"edit2", {L"edit2", L"edit", L"richedit", L"div"}},
      {L"chrometabctrl", {L"chromeTabCtrl"}},
      {L"ipctrl", {L"ipctrl"}},
      {L"gifplayer", {L"gifplayer"}},
      {L"menuitem", {L"menuItem"}},
  };
  auto it = chains.find(Lower(tag));
  if (it == chains.end()) return false;
  if (cls == L"window") return true;
  for (const auto& c : it->second) {
    if (c == cls) return true;
  }
  return false;
}

int EffectiveId(pugi::xml_node element) {
  pugi::xml_attribute id = element.attribute(L"id");
  if (id && id.value()[0] != 0) return static_cast<int>(std::wcstol(id.value(), nullptr, 10));
  const wchar_t* name = element.attribute(L"name").value();
  for (int i = 0; i < kNamedIdCount; ++i) {
    if (std::wcscmp(kNamedIdTable[i].strName, name) == 0) return kNamedIdTable[i].value;
  }
  return 0;
}

std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}
