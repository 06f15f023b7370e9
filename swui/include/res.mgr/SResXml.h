// Reading one resource of a provider as an XML document (UTF-8, default parse options).
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "res.mgr/IResProvider.h"

namespace SWUI {

// False when the resource is absent or empty, cannot be read (or the heap cannot hold it) or
// is not well-formed XML; doc is then left as the failed parse left it.
bool LoadResXml(IResProvider* provider, LPCWSTR type, LPCWSTR name, pugi::xml_document& doc);

}  // namespace SWUI
