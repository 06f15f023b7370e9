// How the anchor layout places one child: the items of its "pos" attribute (2 or 4 edges in
// the position grammar), an offset as fractions of its own size, and its width and height.
#pragma once
#include "layout/SLayoutParamBase.h"

namespace SWUI {

// Where an item of "pos" takes its reference coordinate from. The near edge of a neighbour
// faces this child, its far edge faces away from it.
enum PosItemType {
  PosInvalid = 0,   // never set
  PosNormal = 1,    // a number: from 0, or with '-' back from the parent's extent
  PosCenter = 2,    // '|': from half the parent's extent
  PosPercent = 3,   // '%': a percentage of the parent's extent
  PosPrevNear = 4,  // '[': the previous layout sibling's right / bottom
  PosNextNear = 5,  // ']': the next layout sibling's left / top
  PosPrevFar = 6,   // '{': the previous layout sibling's left / top
  PosNextFar = 7,   // '}': the next layout sibling's right / bottom
  PosSize = 8,      // '@': a size, in the third and fourth items only
  PosSibNear = 10,  // "sib.left@id:v", "sib.top@id:v": the named sibling's left / top
  PosSibFar = 11,   // "sib.right@id:v", "sib.bottom@id:v": its right / bottom
};

struct PosItem {
  PosItemType pit = PosInvalid;
  int nRefID = -1;  // the sibling's id for the sibling forms, else -1
  signed char cMinus = 1;  // -1 when written with '-' (sibling forms: a negative number)
  SLayoutSize nPos;        // the number, made positive
};

// The data block GetRawData points to.
struct SwuiLayoutParamStruct {
  int nCount = 0;  // items in force: 0, 2 or 4
  PosItem posLeft;   // x1
  PosItem posRight;  // x2
  PosItem posTop;    // y1
  PosItem posBottom;  // y2
  float fOffsetX = 0.0f;  // fractions of the child's width and height, applied once known
  float fOffsetY = 0.0f;
  SLayoutSize width{SLayoutSize::kWrapContent, px};
  SLayoutSize height{SLayoutSize::kWrapContent, px};
};

class SwuiLayoutParam : public SLayoutParamBase {
  SWUI_CLASS_NAME_EX(SLayoutParamBase, L"SwuiLayoutParam", OBJ_TYPE_UNDEF)

 public:
  SwuiLayoutParam() : SLayoutParamBase(true) {}

  // "pos" and "offset", then "width" ("full" also matches the parent), "height" and "size";
  // E_NOTIMPL for any other name.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SLayoutParamBase::SetAttribute;

  void Clear() override;
  // Wrap content, or a size left unset on a child without "pos".
  bool IsWrapContent(ORIENTATION orientation) const override;
  // The height for Vert, the width for any other value.
  SLayoutSize GetSpecifiedSize(ORIENTATION orientation) const override;
  // A SwuiLayoutParamStruct.
  void* GetRawData() override { return &m_data; }
  const SwuiLayoutParamStruct& GetData() const { return m_data; }

  // Whether the offset along the axis moves the child (|offset| >= 1e-8).
  bool IsOffsetRequired(ORIENTATION orientation) const;

  // One item of the position grammar; false when the text does not parse.
  static bool ParsePosItem(const SStringW& text, PosItem& item);

 protected:
  SLayoutSize& Width() override { return m_data.width; }
  SLayoutSize& Height() override { return m_data.height; }

 private:
  HRESULT ParsePos(const SStringW& value);
  bool ParsePosPair(const SStringW& x, const SStringW& y, bool allowSize, PosItem& outX,
                    PosItem& outY) const;
  static SLayoutSize SizeFromItems(const PosItem& first, const PosItem& second);

  SwuiLayoutParamStruct m_data;
};

}  // namespace SWUI
