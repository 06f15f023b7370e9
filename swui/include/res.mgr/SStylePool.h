// The named styles of one UI definition: a copy of its "style" section, each "class" child
// entered under its "name" (the first of a name wins; the stored copy drops "name").
#pragma once
#include <windows.h>

#include <pugixml.hpp>
#include <unordered_map>

#include "base/IObjRef.h"
#include "base/SString.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SStylePool : public TObjRefImpl<IObjRef> {
 public:
  // Copies the element and enters its named "class" children; FALSE for an empty element.
  BOOL Init(pugi::xml_node xmlNode);
  // The style element of a name (exact case); empty when the pool has none.
  pugi::xml_node GetStyle(const SStringW& name) const;
  size_t GetCount() const { return m_styles.size(); }

 private:
  pugi::xml_document m_doc;
  std::unordered_map<std::wstring, pugi::xml_node> m_styles;
};

}  // namespace SWUI
