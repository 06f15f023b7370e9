#include "CellSkin.h"

#include <cwchar>

#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;

namespace {

// Colours as read back (0xAARRGGBB) and as the target takes them (0xAABBGGRR) differ in the
// order of red and blue.
DWORD SwapRedBlue(DWORD c) { return (c & 0xFF00FF00u) | ((c >> 16) & 0xFF) | ((c & 0xFF) << 16); }

void Record(const ISkinObj* skin, DWORD raw, int part, int state, BOOL vertical, const RECT& rc,
            BYTE alpha) {
  CellSkin::log.push_back(SkinDraw{skin, raw, part, state, vertical, rc, alpha});
}

}  // namespace

void FillCell(IRenderTarget* pRT, const RECT& rc, DWORD argb, BYTE alpha) {
  const DWORD a = ((argb >> 24) * alpha + 127) / 255;
  pRT->FillSolidRect(&rc, SwapRedBlue((argb & 0xFFFFFF) | (a << 24)));
}

// ---- CellSkin ----------------------------------------------------------------------------

std::vector<SkinDraw> CellSkin::log;

DWORD CellSkin::Colour(int state) {
  static const DWORD kPalette[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                   0xFFFF00FF, 0xFF00FFFF, 0xFF800000, 0xFF008000};
  return kPalette[static_cast<unsigned>(state) % 8];
}

DWORD CellSkin::ColourOf(int state) const {
  if (state < 0 || state >= GetStates()) return 0;
  if (colours_.empty()) return Colour(state);
  return static_cast<size_t>(state) < colours_.size() ? colours_[state] : 0;
}

std::vector<SkinDraw> CellSkin::Draws() const {
  std::vector<SkinDraw> mine;
  for (const SkinDraw& d : log) {
    if (d.skin == this) mine.push_back(d);
  }
  return mine;
}

int CellSkin::GetStates() const {
  if (states_ >= 0) return states_;
  return colours_.empty() ? 4 : static_cast<int>(colours_.size());
}

HRESULT CellSkin::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"states")) {
    states_ = SAttrParse::Int(value);
    return S_OK;
  }
  if (SAttrParse::IsName(name, L"size")) {
    int w = 0;
    int h = 0;
    if (swscanf(value, L"%d,%d", &w, &h) != 2) return E_INVALIDARG;
    size_ = SIZE{w, h};
    return S_OK;
  }
  if (SAttrParse::IsName(name, L"colors")) {
    SArray<SStringW> parts;
    SplitString(value, L',', parts);
    colours_.clear();
    for (size_t i = 0; i < parts.GetCount(); ++i) {
      colours_.push_back(SwapRedBlue(GetNamedColor(parts[i])));
    }
    return S_OK;
  }
  return SSkinObjBase::SetAttribute(name, value, bLoading);
}

void CellSkin::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  Record(this, dwState, -1, static_cast<int>(dwState), FALSE, *rcDraw, byAlpha);
  const DWORD colour = ColourOf(static_cast<int>(dwState & 0xFFFF));
  if (colour != 0) FillCell(pRT, *rcDraw, colour, byAlpha);
}

// ---- CellSbSkin --------------------------------------------------------------------------

HRESULT CellSbSkin::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"ideal")) {
    ideal_ = SAttrParse::Int(value);
    return S_OK;
  }
  if (SAttrParse::IsName(name, L"arrows")) {
    arrows_ = SAttrParse::Int(value) != 0;
    return S_OK;
  }
  return SSkinScrollbar::SetAttribute(name, value, bLoading);
}

void CellSbSkin::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  const int state = static_cast<int>((dwState >> 16) & 0xFF);
  Record(this, dwState, static_cast<int>(LOWORD(dwState)), state, (dwState >> 24) != 0, *rcDraw,
         byAlpha);
  FillCell(pRT, *rcDraw, CellSkin::Colour(state), byAlpha);
}
