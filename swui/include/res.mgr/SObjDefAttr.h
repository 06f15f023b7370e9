// Default attributes of window classes: a copy of a UI definition's "objattr" section, each
// child entered under its element name (the class name, exact case; the first wins). Each
// class's element is completed with the attributes of its base classes that it lacks, nearest
// base first, so that one lookup gives everything a new element of that class receives.
#pragma once
#include <windows.h>

#include <pugixml.hpp>
#include <string>
#include <unordered_map>

#include "base/IObjRef.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SObjectFactoryMgr;

class SObjDefAttr : public TObjRefImpl<IObjRef> {
 public:
  // Copies the element and merges each class with its bases as registry names them (window
  // classes; no registry, no merge). FALSE for an empty element.
  BOOL Init(pugi::xml_node xmlNode, const SObjectFactoryMgr* registry);
  // The element of a class; without one, that of its nearest base class (by registry) that
  // has one; empty when none up the chain has.
  pugi::xml_node GetDefAttribute(LPCWSTR className, const SObjectFactoryMgr* registry) const;

 private:
  void MergeBases(const std::wstring& className, pugi::xml_node target,
                  const SObjectFactoryMgr& registry);
  pugi::xml_node Find(const std::wstring& className) const;

  pugi::xml_document m_doc;
  std::unordered_map<std::wstring, pugi::xml_node> m_classes;
};

}  // namespace SWUI
