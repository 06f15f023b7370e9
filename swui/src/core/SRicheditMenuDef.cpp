#include "core/SRicheditMenuDef.h"

namespace SWUI {

SRicheditMenuDef::SRicheditMenuDef() = default;

SRicheditMenuDef::~SRicheditMenuDef() = default;

void SRicheditMenuDef::SetMenuTemplate(pugi::xml_node menu) {
  m_doc.reset();
  if (menu) m_doc.append_copy(menu);
}

}  // namespace SWUI
