#include "core/SwndStyle.h"

#include "core/SAttrParse.h"
#include "core/SFontPool.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

// The attribute names of the four state fonts and colours, in state order.
const LPCWSTR kFontAttrs[SwndStyle::kStateCount] = {L"font", L"fontHover", L"fontPush",
                                                    L"fontDisable"};
const LPCWSTR kColorAttrs[SwndStyle::kStateCount] = {L"colorText", L"colorTextHover",
                                                     L"colorTextPush", L"colorTextDisable"};

enum { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };

struct AlignWord {
  LPCWSTR word;
  UINT value;
};

const AlignWord kHAligns[] = {{L"left", SwndStyle::kAlignLeft},
                              {L"center", SwndStyle::kAlignCenter},
                              {L"right", SwndStyle::kAlignRight}};
const AlignWord kVAligns[] = {{L"top", SwndStyle::kVAlignTop},
                              {L"middle", SwndStyle::kVAlignMiddle},
                              {L"bottom", SwndStyle::kVAlignBottom}};

// One of three words, compared with case; any other word E_FAIL with nothing stored.
HRESULT ParseWord(const SStringW& value, const AlignWord (&words)[3], UINT* out) {
  for (const AlignWord& w : words) {
    if (value == w.word) {
      *out = w.value;
      return S_OK;
    }
  }
  return E_FAIL;
}

}  // namespace

SwndStyle::SwndStyle() = default;

UINT SwndStyle::GetTextAlign() const {
  if (m_nTextAlign != 0) return m_nTextAlign;
  UINT format = 0;
  if (m_nHAlign == kAlignCenter) {
    format |= DT_CENTER;
  } else if (m_nHAlign == kAlignRight) {
    format |= DT_RIGHT;
  }
  if (m_nVAlign == kVAlignMiddle) {
    format |= DT_VCENTER | DT_SINGLELINE;
  } else if (m_nVAlign == kVAlignBottom) {
    format |= DT_BOTTOM | DT_SINGLELINE;
  }
  if (IsDotted()) format |= DT_END_ELLIPSIS;
  return format;
}

COLORREF SwndStyle::GetTextColor(int state) const {
  if (state < 0 || state >= kStateCount) state = kStateNormal;
  return m_crText[state] != CR_INVALID ? m_crText[state] : m_crText[kStateNormal];
}

void SwndStyle::SetTextColor(int state, COLORREF cr) {
  if (state >= 0 && state < kStateCount) m_crText[state] = cr;
}

IFont* SwndStyle::GetTextFont(int state) const {
  if (state < 0 || state >= kStateCount) state = kStateNormal;
  IFont* font = m_fonts[state].font;
  return font != nullptr ? font : m_fonts[kStateNormal].font.Get();
}

void SwndStyle::BoxToPixels(const SLayoutSize box[4], RECT* prc) const {
  prc->left = box[kLeft].toPixelSize(m_nScale);
  prc->top = box[kTop].toPixelSize(m_nScale);
  prc->right = box[kRight].toPixelSize(m_nScale);
  prc->bottom = box[kBottom].toPixelSize(m_nScale);
}

void SwndStyle::GetMargin(RECT* prc) const { BoxToPixels(m_margin, prc); }

void SwndStyle::GetPadding(RECT* prc) const { BoxToPixels(m_padding, prc); }

int SwndStyle::GetStates() const {
  int fonts = 0;
  int colors = 0;
  for (int state = kStateHover; state < kStateCount; ++state) {
    if (!m_fonts[state].desc.IsEmpty()) ++fonts;
    if (m_crText[state] != CR_INVALID) ++colors;
  }
  return 1 + (fonts > colors ? fonts : colors);
}

void SwndStyle::SetScale(int scale) {
  m_nScale = scale;
  for (int state = 0; state < kStateCount; ++state) {
    if (!m_fonts[state].desc.IsEmpty()) SetFont(state, m_fonts[state].desc);
  }
}

void SwndStyle::SetFlag(DWORD flag, BOOL on) {
  if (on) {
    m_dwFlags |= flag;
  } else {
    m_dwFlags &= ~flag;
  }
}

void SwndStyle::SetFont(int state, const SStringW& desc) {
  m_fonts[state].desc = desc;
  SFontPool* pool = SFontPool::getSingletonPtr();
  m_fonts[state].font = pool != nullptr ? pool->GetFont(desc, m_nScale) : nullptr;
}

void SwndStyle::ParseBox(const SStringW& value, SLayoutSize box[4]) {
  SArray<SStringW> parts;
  SplitString(value, L',', parts);
  const size_t n = parts.GetCount();
  if (n != 1 && n != 2 && n != 4) return;
  SLayoutSize sizes[4];
  for (size_t i = 0; i < n; ++i) sizes[i] = GetNamedDimension(parts[i]);
  if (n == 1) {
    box[kLeft] = box[kTop] = box[kRight] = box[kBottom] = sizes[0];
  } else if (n == 2) {
    box[kLeft] = box[kRight] = sizes[0];
    box[kTop] = box[kBottom] = sizes[1];
  } else {
    for (int i = 0; i < 4; ++i) box[i] = sizes[i];
  }
}

HRESULT SwndStyle::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  // Margin and padding change the layout, which the element redoes when answered S_OK.
  const HRESULT boxResult = bLoading ? S_FALSE : S_OK;
  for (int state = 0; state < kStateCount; ++state) {
    if (P::IsName(name, kFontAttrs[state])) {
      SetFont(state, value);
      return S_OK;
    }
    if (P::IsName(name, kColorAttrs[state])) return ParseNamedColor(value, &m_crText[state]);
  }
  if (P::IsName(name, L"textMode")) {
    m_nTextAlign = static_cast<UINT>(P::Int(value));
    return S_OK;
  }
  if (P::IsName(name, L"align")) return ParseWord(value, kHAligns, &m_nHAlign);
  if (P::IsName(name, L"valign")) return ParseWord(value, kVAligns, &m_nVAlign);
  if (P::IsName(name, L"colorBkgnd")) return ParseNamedColor(value, &m_crBkgnd);
  if (P::IsName(name, L"colorBorder")) return ParseNamedColor(value, &m_crBorder);
  if (P::IsName(name, L"margin-x")) {
    m_margin[kLeft] = m_margin[kRight] = GetNamedDimension(value);
    return boxResult;
  }
  if (P::IsName(name, L"margin-y")) {
    m_margin[kTop] = m_margin[kBottom] = GetNamedDimension(value);
    return boxResult;
  }
  if (P::IsName(name, L"margin")) {
    ParseBox(value, m_margin);
    return boxResult;
  }
  if (P::IsName(name, L"inset") || P::IsName(name, L"padding")) {
    ParseBox(value, m_padding);
    return boxResult;
  }
  if (P::IsName(name, L"cursor")) {
    m_strCursor = GetNamedString(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"dotted")) {
    SetFlag(kDotted, P::Int(value) & 1);
    return S_FALSE;
  }
  if (P::IsName(name, L"trackMouseEvent")) {
    SetFlag(kTrackMouseEvent, P::Int(value) & 1);
    return S_FALSE;
  }
  if (P::IsName(name, L"alpha")) {
    m_byAlpha = static_cast<BYTE>(P::Int(value));
    return S_OK;
  }
  if (P::IsName(name, L"bkgndBlend")) {
    SetFlag(kBkgndBlend, P::Int(value) & 1);
    return S_OK;
  }
  if (P::IsName(name, L"sepSpace")) {
    m_bySepSpace = static_cast<BYTE>(P::Int(value));
    return S_OK;
  }
  return E_NOTIMPL;
}

}  // namespace SWUI
