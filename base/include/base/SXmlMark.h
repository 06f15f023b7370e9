// The per-attribute mark of an XML document: a small value that one step sets on an attribute
// it has applied or consumed, so that a later pass over the same element (InitFromXml) skips
// it. Elements carry marks the same way: a child element that its parent's own code consumed
// is skipped when the children are created (SWindow::CreateChildren). The XML library keeps no such
// value, so the marks live in a table keyed by the attribute's node. Whoever sets a mark clears it
// again when done; ClearMarks drops every mark below a node and is to be called before a document
// that carried marks is freed, so that a later attribute at the same address does not inherit one.
#pragma once
#include <pugixml.hpp>

namespace SWUI {

class SXmlMark {
 public:
  // 0 clears the mark.
  static void SetMark(const pugi::xml_attribute& attr, int value);
  // The attribute's mark, 0 when it has none (and for an empty attribute).
  static int GetMark(const pugi::xml_attribute& attr);
  static bool IsMarked(const pugi::xml_attribute& attr) { return GetMark(attr) != 0; }
  static void SetMark(const pugi::xml_node& node, int value);
  static int GetMark(const pugi::xml_node& node);
  static bool IsMarked(const pugi::xml_node& node) { return GetMark(node) != 0; }
  // Clears the marks of node, its descendants and all their attributes.
  static void ClearMarks(const pugi::xml_node& node);
};

}  // namespace SWUI
