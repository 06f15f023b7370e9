// The layout template from which message boxes are built.
#pragma once
#include <pugixml.hpp>

namespace SWUI {

// Accepts an element named "SWUI" with non-empty "frameSize" and "minSize" attributes and
// keeps a copy of it; anything else is refused and the previous template stays.
bool SetMsgTemplate(pugi::xml_node tmpl);
// The "SWUI" element of the kept template; empty before one was accepted.
pugi::xml_node GetMsgTemplate();
// Forgets the kept template: message boxes fall back to the system's.
void ClearMsgTemplate();

}  // namespace SWUI
