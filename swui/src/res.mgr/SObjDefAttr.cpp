#include "res.mgr/SObjDefAttr.h"

#include "core/SObjectFactoryMgr.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

// Registries of the application may name bases in a circle; no real chain is this deep.
constexpr int kMaxBaseDepth = 64;

std::wstring BaseName(const std::wstring& className, const SObjectFactoryMgr& registry) {
  SObjectInfo base = registry.BaseObjectInfo(SObjectInfo(className.c_str(), OBJ_TYPE_WINDOW));
  return std::wstring(base.Name().c_str(), base.Name().GetLength());
}

}  // namespace

BOOL SObjDefAttr::Init(pugi::xml_node xmlNode, const SObjectFactoryMgr* registry) {
  if (!xmlNode) return FALSE;
  pugi::xml_node copy = m_doc.append_copy(xmlNode);
  for (pugi::xml_node cls = copy.first_child(); cls; cls = cls.next_sibling()) {
    if (cls.type() == pugi::node_element) m_classes.emplace(cls.name(), cls);
  }
  if (registry == nullptr) return TRUE;
  for (auto& entry : m_classes) MergeBases(entry.first, entry.second, *registry);
  return TRUE;
}

void SObjDefAttr::MergeBases(const std::wstring& className, pugi::xml_node target,
                             const SObjectFactoryMgr& registry) {
  std::wstring current = className;
  for (int depth = 0; depth < kMaxBaseDepth; ++depth) {
    current = BaseName(current, registry);
    if (current.empty()) return;
    pugi::xml_node base = Find(current);
    if (!base || base == target) continue;
    for (pugi::xml_attribute attr = base.first_attribute(); attr; attr = attr.next_attribute()) {
      if (!SXmlNoCase::Attribute(target, attr.name())) {
        target.append_attribute(attr.name()).set_value(attr.value());
      }
    }
  }
}

pugi::xml_node SObjDefAttr::Find(const std::wstring& className) const {
  auto it = m_classes.find(className);
  return it != m_classes.end() ? it->second : pugi::xml_node();
}

pugi::xml_node SObjDefAttr::GetDefAttribute(LPCWSTR className,
                                            const SObjectFactoryMgr* registry) const {
  if (className == nullptr) return pugi::xml_node();
  std::wstring current = className;
  for (int depth = 0; depth < kMaxBaseDepth && !current.empty(); ++depth) {
    pugi::xml_node found = Find(current);
    if (found || registry == nullptr) return found;
    current = BaseName(current, *registry);
  }
  return pugi::xml_node();
}

}  // namespace SWUI
