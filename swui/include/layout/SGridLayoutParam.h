// How a grid layout places one child: the columns and rows it spans, its alignment inside
// them, its size and its share of spare width and height.
#pragma once
#include "layout/SLayoutParamBase.h"

namespace SWUI {

// Alignment inside a grid cell area, per axis.
enum GridGravity {
  GridGravityUnset = -1,
  GridGravityStart = 0,   // "left", "top"
  GridGravityCenter = 1,  // "center"
  GridGravityEnd = 2,     // "right", "bottom"
  GridGravityFill = 3,    // "fill": stretched to the area
};

// The data block GetRawData points to.
struct SGridLayoutParamStruct {
  int nColSpan = 1;
  int nRowSpan = 1;
  int layoutGravityX = GridGravityUnset;
  int layoutGravityY = GridGravityUnset;
  SLayoutSize width{SLayoutSize::kWrapContent, px};
  SLayoutSize height{SLayoutSize::kWrapContent, px};
  float fColWeight = 0.0f;
  float fRowWeight = 0.0f;
};

class SGridLayoutParam : public SLayoutParamBase {
  SWUI_CLASS_NAME_EX(SLayoutParamBase, L"GridLayoutParam", OBJ_TYPE_UNDEF)

 public:
  SGridLayoutParam() : SLayoutParamBase(false) {}

  // "columnSpan", "rowSpan" (spans below 1 count as 1), "layout_xGravity",
  // "layout_yGravity", "columnWeight", "rowWeight", then the sizes; E_NOTIMPL for any other.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SLayoutParamBase::SetAttribute;

  void Clear() override { m_data = SGridLayoutParamStruct(); }
  void* GetRawData() override { return &m_data; }
  const SGridLayoutParamStruct& GetData() const { return m_data; }

  // "left", "top", "center", "right", "bottom", "fill" in any case; -1 for any other word.
  static int ParseGravity(const SStringW& value);

 protected:
  SLayoutSize& Width() override { return m_data.width; }
  SLayoutSize& Height() override { return m_data.height; }

 private:
  SGridLayoutParamStruct m_data;
};

}  // namespace SWUI
