#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; }

}  // namespace

bool SXmlNoCase::NameEquals(LPCWSTR a, LPCWSTR b) {
  if (a == nullptr || b == nullptr) return a == b;
  for (; *a != 0 && *b != 0; ++a, ++b) {
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  }
  return *a == *b;
}

pugi::xml_node SXmlNoCase::Child(const pugi::xml_node& node, LPCWSTR name) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element && NameEquals(child.name(), name)) return child;
  }
  return pugi::xml_node();
}

pugi::xml_attribute SXmlNoCase::Attribute(const pugi::xml_node& node, LPCWSTR name) {
  for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
    if (NameEquals(attr.name(), name)) return attr;
  }
  return pugi::xml_attribute();
}

}  // namespace SWUI
