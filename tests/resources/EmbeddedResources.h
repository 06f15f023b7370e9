// The program's resources as this test program embeds them (resources/tevaro.rc), read through
// the framework's PE provider and parsed with pugixml, with layouts expanded by their includes.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "res.mgr/SResProviderPE.h"

class EmbeddedResources {
 public:
  EmbeddedResources();

  SWUI::SResProviderPE& Provider() { return m_provider; }
  std::string Raw(const wchar_t* type, const wchar_t* name);
  // The parsed document; an empty one when the resource is missing or not well-formed.
  const pugi::xml_document& Xml(const wchar_t* type, const wchar_t* name);
  // A layout with every "include" replaced by the elements of the layout it names (a missing
  // include leaves nothing, as in the framework); a "type:name" reference reads that resource.
  const pugi::xml_document& ExpandedLayout(const wchar_t* name);

  // Names of the layouts, menus and value files the program carries.
  static const std::vector<std::wstring>& LayoutNames();
  static const std::vector<std::wstring>& MenuNames();

 private:
  void Expand(pugi::xml_node root);

  SWUI::SResProviderPE m_provider;
  std::map<std::wstring, std::unique_ptr<pugi::xml_document>> m_docs;
  std::map<std::wstring, std::unique_ptr<pugi::xml_document>> m_expanded;
};

// The resources of one test run (read once).
EmbeddedResources& Resources();

// True when an element of this XML tag answers the class test for cls: its own class and its
// bases' (the class names of the framework's and the program's controls).
bool TagIsClass(const std::wstring& tag, const std::wstring& cls);

// The id an element ends with: its "id" attribute, else the named-ID table's id of its name.
int EffectiveId(pugi::xml_node element);

// A wide text for test messages (ASCII kept, anything else as '?').
std::string Narrow(const std::wstring& s);

// Visits node and every element below it in document order.
template <class F>
void ForEachElement(pugi::xml_node node, F&& f) {
  if (node.type() == pugi::node_element) f(node);
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) ForEachElement(child, f);
}
