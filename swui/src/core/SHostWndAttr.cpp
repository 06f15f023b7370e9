#include "core/SHostWndAttr.h"

#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

// Exactly count sizes separated by ','; FALSE (out untouched) for any other count.
BOOL ParseSizes(const SStringW& value, SLayoutSize* out, size_t count) {
  SArray<SStringW> parts;
  if (SplitString(value, L',', parts) != count) return FALSE;
  for (size_t i = 0; i < count; ++i) out[i] = GetNamedDimension(parts[i]);
  return TRUE;
}

struct WndTypeWord {
  LPCWSTR word;
  BYTE type;
};
constexpr WndTypeWord kWndTypes[] = {
    {L"undefine", WT_UNDEFINE}, {L"appMain", WT_APPMAIN}, {L"normal", WT_NORMAL}};

}  // namespace

SHostWndAttr::SHostWndAttr() : m_strTitle(this) { Init(); }

SHostWndAttr::~SHostWndAttr() {
  ReplaceIcon(m_hIconSmall, nullptr);
  ReplaceIcon(m_hIconBig, nullptr);
}

void SHostWndAttr::Init() {
  for (SLayoutSize& size : m_margin) size = SLayoutSize();
  for (SLayoutSize& size : m_minSize) size = SLayoutSize();
  for (SLayoutSize& size : m_maxInset) size = SLayoutSize();
  m_width = SLayoutSize();
  m_height = SLayoutSize();
  m_dwFlags = 0xFF | kAllowSpy;
  m_dwStyle = 0;
  m_dwExStyle = 0;
  m_strTrCtx.Empty();
  m_strTitle.SetText(SStringW());
  ReplaceIcon(m_hIconSmall, nullptr);
  ReplaceIcon(m_hIconBig, nullptr);
}

void SHostWndAttr::SetFlag(DWORD bit, BOOL on) {
  if (on) {
    m_dwFlags |= bit;
  } else {
    m_dwFlags &= ~bit;
  }
}

void SHostWndAttr::ReplaceIcon(HICON& slot, HICON icon) {
  if (slot != nullptr && slot != icon) ::DestroyIcon(slot);
  slot = icon;
}

HRESULT SHostWndAttr::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = S_FALSE;
  if (P::IsName(name, L"trCtx")) {
    m_strTrCtx = GetNamedString(value);
  } else if (P::IsName(name, L"title")) {
    m_strTitle.SetText(GetNamedString(value));
  } else if (P::IsName(name, L"width")) {
    m_width = GetNamedDimension(value);
  } else if (P::IsName(name, L"height")) {
    m_height = GetNamedDimension(value);
  } else if (P::IsName(name, L"margin")) {
    if (!ParseSizes(value, m_margin, 4)) hr = E_INVALIDARG;
  } else if (P::IsName(name, L"minsize")) {
    if (!ParseSizes(value, m_minSize, 2)) hr = E_INVALIDARG;
  } else if (P::IsName(name, L"maxInset")) {
    if (!ParseSizes(value, m_maxInset, 4)) hr = E_INVALIDARG;
  } else if (P::IsName(name, L"wndStyle")) {
    m_dwStyle = static_cast<DWORD>(P::Int(value));
  } else if (P::IsName(name, L"wndStyleEx")) {
    m_dwExStyle = static_cast<DWORD>(P::Int(value));
  } else if (P::IsName(name, L"resizable")) {
    SetFlag(kResizable, P::Bool(value));
  } else if (P::IsName(name, L"translucent")) {
    SetFlag(kTranslucent, P::Bool(value));
  } else if (P::IsName(name, L"sendWheel2Hover")) {
    SetFlag(kSendWheel2Hover, P::Bool(value));
  } else if (P::IsName(name, L"appWnd")) {
    SetFlag(kAppWnd, P::Bool(value));
  } else if (P::IsName(name, L"toolWindow")) {
    SetFlag(kToolWindow, P::Bool(value));
  } else if (P::IsName(name, L"allowSpy")) {
    SetFlag(kAllowSpy, P::Bool(value));
  } else if (P::IsName(name, L"smallIcon") || P::IsName(name, L"bigIcon")) {
    SApplication* app = SApplication::getSingletonPtr();
    HICON icon = app != nullptr ? app->LoadIconByRef(value) : nullptr;
    ReplaceIcon(P::IsName(name, L"smallIcon") ? m_hIconSmall : m_hIconBig, icon);
  } else if (P::IsName(name, L"alpha")) {
    m_dwFlags = (m_dwFlags & ~0xFFu) | (static_cast<DWORD>(P::Int(value)) & 0xFF);
  } else if (P::IsName(name, L"appMainWnd")) {
    SetWndType(static_cast<BYTE>(P::Int(value)));
  } else if (P::IsName(name, L"wndType")) {
    hr = E_FAIL;
    for (const WndTypeWord& word : kWndTypes) {
      if (value == word.word) {
        SetWndType(word.type);
        hr = S_FALSE;
      }
    }
  } else {
    return DefAttributeProc(name, value, bLoading);
  }
  return AfterAttribute(name, value, bLoading, hr);
}

RECT SHostWndAttr::GetMargin(int scale) const {
  return RECT{m_margin[0].toPixelSize(scale), m_margin[1].toPixelSize(scale),
              m_margin[2].toPixelSize(scale), m_margin[3].toPixelSize(scale)};
}

RECT SHostWndAttr::GetMaxInset(int scale) const {
  return RECT{m_maxInset[0].toPixelSize(scale), m_maxInset[1].toPixelSize(scale),
              m_maxInset[2].toPixelSize(scale), m_maxInset[3].toPixelSize(scale)};
}

SIZE SHostWndAttr::GetMinSize(int scale) const {
  return SIZE{m_minSize[0].toPixelSize(scale), m_minSize[1].toPixelSize(scale)};
}

void SHostWndAttr::ClearHorzMargin() { m_margin[0] = m_margin[2] = SLayoutSize(); }

void SHostWndAttr::ClearVertMargin() { m_margin[1] = m_margin[3] = SLayoutSize(); }

}  // namespace SWUI
