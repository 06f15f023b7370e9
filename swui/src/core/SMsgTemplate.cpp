#include "core/SMsgTemplate.h"

#include <cwchar>

namespace SWUI {

namespace {

pugi::xml_document& TemplateDoc() {
  static pugi::xml_document doc;
  return doc;
}

}  // namespace

bool SetMsgTemplate(pugi::xml_node tmpl) {
  if (!tmpl || wcscmp(tmpl.name(), L"SWUI") != 0) return false;
  if (*tmpl.attribute(L"frameSize").value() == 0 || *tmpl.attribute(L"minSize").value() == 0) {
    return false;
  }
  pugi::xml_document& doc = TemplateDoc();
  doc.reset();
  doc.append_copy(tmpl);
  return true;
}

pugi::xml_node GetMsgTemplate() { return TemplateDoc().child(L"SWUI"); }

void ClearMsgTemplate() { TemplateDoc().reset(); }

}  // namespace SWUI
