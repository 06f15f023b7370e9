#include "core/STranslator.h"

#include <algorithm>
#include <climits>
#include <cwchar>

#include <pugixml.hpp>

namespace SWUI {

namespace {

struct CharsetName {
  LPCWSTR name;
  BYTE value;
};

constexpr CharsetName kCharsets[] = {
    {L"ANSI", 0},        {L"DEFAULT", 1},     {L"SYMBOL", 2},      {L"SHIFTJIS", 128},
    {L"HANGEUL", 129},   {L"HANGUL", 129},    {L"GB2312", 134},    {L"CHINESEBIG5", 136},
    {L"OEM", 255},       {L"JOHAB", 130},     {L"HEBREW", 177},    {L"ARABIC", 178},
    {L"GREEK", 161},     {L"TURKISH", 162},   {L"VIETNAMESE", 163}, {L"THAI", 222},
    {L"EASTEUROPE", 238}, {L"RUSSIAN", 204},  {L"MAC", 77},        {L"BALTIC", 186},
};
static_assert(sizeof(kCharsets) / sizeof(kCharsets[0]) == 20, "twenty character-set names");

// The one order of sorting and searching: plain code units, case-sensitive.
bool Less(const SStringW& a, const SStringW& b) { return wcscmp(a, b) < 0; }

template <class T, class Key>
const T* BinaryFind(const std::vector<T>& items, LPCWSTR key, Key keyOf) {
  auto it = std::lower_bound(items.begin(), items.end(), key, [&](const T& item, LPCWSTR k) {
    return wcscmp(keyOf(item), k) < 0;
  });
  if (it == items.end() || wcscmp(keyOf(*it), key) != 0) return nullptr;
  return &*it;
}

}  // namespace

STranslator::STranslator() : m_guid(GUID_NULL) { m_name[0] = 0; }

BOOL STranslator::Load(LPVOID data, UINT kind) {
  if (kind != kLoadXmlNode || data == nullptr) return FALSE;
  const pugi::xml_node& language = *static_cast<const pugi::xml_node*>(data);
  if (!language) return FALSE;

  wcsncpy(m_name, language.attribute(L"name").value(), kMaxNameLength);
  m_name[kMaxNameLength] = 0;
  m_guid = GUID_NULL;
  if (FAILED(IIDFromString(language.attribute(L"guid").value(), &m_guid))) m_guid = GUID_NULL;
  LoadContexts(language);
  LoadFonts(language);
  return TRUE;
}

void STranslator::LoadContexts(const pugi::xml_node& language) {
  m_contexts.clear();
  for (pugi::xml_node ctx = language.child(L"context"); ctx; ctx = ctx.next_sibling(L"context")) {
    Context context;
    context.name = ctx.attribute(L"name").value();
    for (pugi::xml_node msg = ctx.child(L"message"); msg; msg = msg.next_sibling(L"message")) {
      Message message;
      message.source = msg.child(L"source").text().get();
      message.translation = msg.child(L"translation").text().get();
      if (message.translation.IsEmpty()) continue;
      context.messages.push_back(message);
    }
    std::stable_sort(context.messages.begin(), context.messages.end(),
                     [](const Message& a, const Message& b) { return Less(a.source, b.source); });
    m_contexts.push_back(std::move(context));
  }
  std::stable_sort(m_contexts.begin(), m_contexts.end(),
                   [](const Context& a, const Context& b) { return Less(a.name, b.name); });
}

void STranslator::LoadFonts(const pugi::xml_node& language) {
  m_fonts.RemoveAll();
  pugi::xml_node fonts = language.child(L"fonts");
  for (pugi::xml_node font = fonts.child(L"font"); font; font = font.next_sibling(L"font")) {
    FontSubstitution sub;
    sub.charset = charsetFromString(font.attribute(L"charset").value());
    sub.face = font.attribute(L"face").value();
    m_fonts.SetAt(SStringW(font.attribute(L"name").value()), sub);
  }
}

void STranslator::GetName(wchar_t name[64]) {
  if (name != nullptr) wcscpy(name, m_name);
}

BOOL STranslator::NameEqual(LPCWSTR name) {
  return name != nullptr && wcscmp(name, m_name) == 0 ? TRUE : FALSE;
}

const STranslator::Message* STranslator::Find(LPCWSTR src, LPCWSTR ctx) const {
  const Context* context = BinaryFind(m_contexts, ctx, [](const Context& c) { return c.name.c_str(); });
  if (context == nullptr) return nullptr;
  return BinaryFind(context->messages, src, [](const Message& m) { return m.source.c_str(); });
}

int STranslator::tr(LPCWSTR src, LPCWSTR ctx, wchar_t* buf, int bufLen) {
  if (src == nullptr) return 0;
  if (ctx == nullptr) ctx = L"";
  const Message* message = Find(src, ctx);
  if (message == nullptr) {
    // Messages of the context with the empty name serve every context.
    return ctx[0] == 0 ? 0 : tr(src, L"", buf, bufLen);
  }
  const int needed = message->translation.GetLength() + 1;
  if (buf == nullptr) return needed;
  if (bufLen < needed) return -1;
  wmemcpy(buf, message->translation.c_str(), needed);
  return needed;
}

BOOL STranslator::getFontInfo(LPCWSTR fontName, LOGFONTW* logFont) {
  if (fontName == nullptr || logFont == nullptr) return FALSE;
  const auto* pair = m_fonts.Lookup(SStringW(fontName));
  if (pair == nullptr) return FALSE;
  logFont->lfCharSet = pair->m_value.charset;
  wcsncpy(logFont->lfFaceName, pair->m_value.face, LF_FACESIZE - 1);
  logFont->lfFaceName[LF_FACESIZE - 1] = 0;
  return TRUE;
}

BYTE STranslator::charsetFromString(LPCWSTR charset) {
  if (charset == nullptr) return 0;
  for (const CharsetName& entry : kCharsets) {
    if (_wcsicmp(entry.name, charset) == 0) return entry.value;
  }
  long value = wcstol(charset, nullptr, 10);
  return static_cast<BYTE>(std::clamp(value, 0L, 255L));
}

}  // namespace SWUI
