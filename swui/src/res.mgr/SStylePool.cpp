#include "res.mgr/SStylePool.h"

#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

BOOL SStylePool::Init(pugi::xml_node xmlNode) {
  if (!xmlNode) return FALSE;
  pugi::xml_node copy = m_doc.append_copy(xmlNode);
  for (pugi::xml_node cls = copy.first_child(); cls; cls = cls.next_sibling()) {
    if (cls.type() != pugi::node_element || !SXmlNoCase::NameEquals(cls.name(), L"class")) continue;
    pugi::xml_attribute nameAttr = SXmlNoCase::Attribute(cls, L"name");
    std::wstring name = nameAttr.value();
    if (name.empty()) continue;
    cls.remove_attribute(nameAttr);
    m_styles.emplace(name, cls);
  }
  return TRUE;
}

pugi::xml_node SStylePool::GetStyle(const SStringW& name) const {
  auto it = m_styles.find(std::wstring(name.c_str(), name.GetLength()));
  return it != m_styles.end() ? it->second : pugi::xml_node();
}

}  // namespace SWUI
