// Lookups of XML element and attribute names that ignore the case of the letters A-Z, as UI
// definitions and their sections are matched ("UIDef", "Font", "SRC" all answer).
#pragma once
#include <windows.h>

#include <pugixml.hpp>

namespace SWUI {

class SXmlNoCase {
 public:
  // Whether two names are equal but for the case of A-Z (other characters exactly).
  static bool NameEquals(LPCWSTR a, LPCWSTR b);
  // The first child element of node with that name; empty when there is none.
  static pugi::xml_node Child(const pugi::xml_node& node, LPCWSTR name);
  // The first attribute of node with that name; empty when there is none.
  static pugi::xml_attribute Attribute(const pugi::xml_node& node, LPCWSTR name);
};

}  // namespace SWUI
