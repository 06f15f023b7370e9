// The context-menu template of the rich-text edit elements (application singleton 9).
#pragma once
#include <pugixml.hpp>

#include "core/SSingleton.h"

namespace SWUI {

class SRicheditMenuDef : public SSingleton<SRicheditMenuDef> {
 public:
  SRicheditMenuDef();
  virtual ~SRicheditMenuDef();

  // Drops the current template and keeps a copy of menu.
  void SetMenuTemplate(pugi::xml_node menu);
  pugi::xml_node GetMenuTemplate() const { return m_doc.first_child(); }

 private:
  pugi::xml_document m_doc;
};

}  // namespace SWUI
