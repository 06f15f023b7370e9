// A scroll bar cut from one image grid nine square cells wide (cell c = skin width / 9), one
// row per state (0 normal, 1 hover, 2 pushed, 3 disabled, 4 inactive). Columns: 0 line-up,
// 1 line-down, 2 thumb, 3 rail of a vertical bar; 4 to 7 the same for a horizontal bar;
// column 8 holds the corner (row 0) and the grippers (row 1 vertical, row 2 horizontal).
//
// Drawing takes a packed state word: bits 0-15 the part (SB_LINEUP 0, SB_LINEDOWN 1,
// SB_PAGEUP 2, SB_PAGEDOWN 3, SB_THUMBTRACK 5, the corner 10, the gripper 11), bits 16-23 the
// state, bits 24-31 non-zero for a vertical bar. Parts without a cell of their own draw
// nothing.
//
// Attributes, besides those of SSkinImgList: "margin" (pixels along the bar kept at their own
// size at both ends of a part), "hasGripper", "hasInactive" (integers).
#pragma once
#include "core/SSkinImgList.h"

namespace SWUI {

class SSkinScrollbar : public SSkinImgList {
  SWUI_CLASS_NAME(SSkinImgList, L"scrollbar")

 public:
  enum : DWORD {
    kPartCorner = 10,
    kPartGripper = 11,
  };

  // The packed state word of a part.
  static DWORD MakeState(int part, int state, BOOL vertical) {
    return static_cast<DWORD>(part & 0xFFFF) | (static_cast<DWORD>(state & 0xFF) << 16) |
           (vertical ? 0x01000000u : 0u);
  }

  virtual BOOL HasArrows() const { return TRUE; }
  // The image width / 9: the bar's natural thickness; 0 without an image.
  virtual int GetIdealSize() const;
  // The part's cell in the image; empty for a part without one. State 4 (inactive) counts as
  // 0 unless the skin has inactive cells.
  virtual RECT GetPartRect(int part, int state, BOOL vertical) const;

  void CopyScaledInto(ISkinObj* pTarget, int nScale) const override;

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinImgList::SetAttribute;

 protected:
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  int margin_ = 0;
  BOOL hasGripper_ = FALSE;
  BOOL hasInactive_ = FALSE;
};

}  // namespace SWUI
