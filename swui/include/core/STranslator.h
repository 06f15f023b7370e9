// One language's translation table, loaded from a "language" XML element: contexts by name,
// each with messages by source text (both in plain code-unit order, so case counts), and font
// substitutions by font name.
#pragma once
#include <windows.h>

#include <vector>

#include <pugixml.hpp>

#include "core/ITranslator.h"
#include "core/SCmnMap.h"
#include "base/SString.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class STranslator : public TObjRefImpl<ITranslator> {
 public:
  // The longest language name kept; longer names are cut.
  static constexpr int kMaxNameLength = 63;
  // The kind of Load's data: a pointer to the "language" pugi::xml_node.
  static constexpr UINT kLoadXmlNode = 1;

  STranslator();

  // Replaces the table by the element's. FALSE for any other kind or an empty element. A
  // missing or malformed "guid" gives the all-zero GUID, so two such languages compare equal.
  // A message with an empty translation is left out: it translates nothing.
  BOOL Load(LPVOID data, UINT kind) override;
  void GetName(wchar_t name[64]) override;
  BOOL NameEqual(LPCWSTR name) override;
  GUID GetGuid() override { return m_guid; }
  // Where two messages (or contexts) share a text, the first in the file is found.
  int tr(LPCWSTR src, LPCWSTR ctx, wchar_t* buf, int bufLen) override;
  BOOL getFontInfo(LPCWSTR fontName, LOGFONTW* logFont) override;
  // A character-set name (any case) or a decimal number, clamped to 0-255; otherwise 0.
  BYTE charsetFromString(LPCWSTR charset) override;

 private:
  struct Message {
    SStringW source;
    SStringW translation;
  };
  struct Context {
    SStringW name;
    std::vector<Message> messages;  // sorted by source
  };
  struct FontSubstitution {
    BYTE charset = 0;
    SStringW face;
  };

  void LoadContexts(const pugi::xml_node& language);
  void LoadFonts(const pugi::xml_node& language);
  const Message* Find(LPCWSTR src, LPCWSTR ctx) const;

  wchar_t m_name[kMaxNameLength + 1];
  GUID m_guid;
  std::vector<Context> m_contexts;  // sorted by name
  SCmnMap<SStringW, FontSubstitution> m_fonts;
};

}  // namespace SWUI
