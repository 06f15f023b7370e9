// The style block every element owns: text format and alignment, text colours and fonts of the
// four visual states, background and border colours, margin (window to client rectangle) and
// padding (client to text and children), cursor, alpha and a few behaviour flags. Filled from
// the element's attributes and from named styles; read when the element paints and lays out.
#pragma once
#include <windows.h>

#include "IFont.h"
#include "base/SAutoRefPtr.h"
#include "core/SLayoutSize.h"
#include "base/SObjectImpl.h"

namespace SWUI {

// A colour that is not set: nothing is drawn with it and lookups fall back to another one.
constexpr COLORREF CR_INVALID = 0x00FFFFFF;

class SwndStyle : public SObjectImpl<IObject> {
  SWUI_CLASS_NAME_EX(SObjectImpl<IObject>, L"style", OBJ_TYPE_UNDEF)

 public:
  // The visual states of texts, also the state indexes of skins.
  enum { kStateNormal = 0, kStateHover = 1, kStatePush = 2, kStateDisable = 3, kStateCount = 4 };
  // Horizontal and vertical alignment words.
  enum { kAlignLeft = 0, kAlignCenter = 256, kAlignRight = 512 };
  enum { kVAlignTop = 0, kVAlignMiddle = 4096, kVAlignBottom = 8192 };

  SwndStyle();

  // The draw-text format: "textMode" when set, else built from the alignments (one line when
  // vertically centred or at the bottom) with an end ellipsis when dotted.
  UINT GetTextAlign() const;
  // The state's colour and font, the normal one's when the state has none.
  COLORREF GetTextColor(int state) const;
  // Sets the state's text colour; a state outside the four changes nothing.
  void SetTextColor(int state, COLORREF cr);
  IFont* GetTextFont(int state) const;
  // The four sizes in pixels at the style's scale, as left, top, right, bottom.
  void GetMargin(RECT* prc) const;
  void GetPadding(RECT* prc) const;
  // How many visual text states the style distinguishes (1 when only the normal one).
  int GetStates() const;

  // Stores the scale and makes each described font again at it.
  void SetScale(int scale);
  int GetScale() const { return m_nScale; }

  COLORREF GetBkgndColor() const { return m_crBkgnd; }
  COLORREF GetBorderColor() const { return m_crBorder; }
  const SStringW& GetCursor() const { return m_strCursor; }
  BYTE GetAlpha() const { return m_byAlpha; }
  void SetAlpha(BYTE alpha) { m_byAlpha = alpha; }
  BYTE GetSepSpace() const { return m_bySepSpace; }
  BOOL IsDotted() const { return (m_dwFlags & kDotted) != 0; }
  BOOL IsTrackMouseEvent() const { return (m_dwFlags & kTrackMouseEvent) != 0; }
  void SetTrackMouseEvent(BOOL track) { SetFlag(kTrackMouseEvent, track); }
  BOOL IsBkgndBlend() const { return (m_dwFlags & kBkgndBlend) != 0; }

  // The style's attributes; any other name E_NOTIMPL. Margin and padding answer S_FALSE
  // while loading, as nothing needs doing yet.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SObjectImpl<IObject>::SetAttribute;

 private:
  enum : DWORD { kDotted = 0x1, kTrackMouseEvent = 0x2, kBkgndBlend = 0x4 };

  struct StateFont {
    SStringW desc;
    SAutoRefPtr<IFont> font;
  };

  void SetFlag(DWORD flag, BOOL on);
  void SetFont(int state, const SStringW& desc);
  // "margin" and "padding": one size (all four), two (horizontal, vertical) or four; any
  // other count changes nothing.
  static void ParseBox(const SStringW& value, SLayoutSize box[4]);
  void BoxToPixels(const SLayoutSize box[4], RECT* prc) const;

  COLORREF m_crBkgnd = CR_INVALID;
  COLORREF m_crBorder = CR_INVALID;
  SStringW m_strCursor{L"arrow"};
  BYTE m_byAlpha = 0xFF;
  BYTE m_bySepSpace = 5;
  DWORD m_dwFlags = kBkgndBlend;
  SLayoutSize m_margin[4];
  SLayoutSize m_padding[4];
  UINT m_nTextAlign = 0;
  UINT m_nHAlign = kAlignCenter;
  UINT m_nVAlign = kVAlignMiddle;
  COLORREF m_crText[kStateCount] = {CR_INVALID, CR_INVALID, CR_INVALID, CR_INVALID};
  StateFont m_fonts[kStateCount];
  int m_nScale = 100;
};

}  // namespace SWUI
