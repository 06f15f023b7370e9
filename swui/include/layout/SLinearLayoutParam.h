// How a linear layout places one child: its size, the space kept free round it inside its
// slot ("extend"), its share of spare length ("weight") and its cross-axis alignment.
#pragma once
#include "layout/SLayoutParamBase.h"

namespace SWUI {

// Cross-axis alignment of the linear layout and its children.
enum LinearGravity {
  GravityUnset = -1,
  GravityStart = 0,   // "left", "top"
  GravityCenter = 1,  // "center"
  GravityEnd = 2,     // "right", "bottom"
};

// The data block GetRawData points to.
struct SLinearLayoutParamStruct {
  SLayoutSize width{SLayoutSize::kWrapContent, px};
  SLayoutSize height{SLayoutSize::kWrapContent, px};
  SLayoutSize extend_left;
  SLayoutSize extend_right;
  SLayoutSize extend_top;
  SLayoutSize extend_bottom;
  float weight = 0.0f;
  int gravity = GravityUnset;
};

class SLinearLayoutParam : public SLayoutParamBase {
  SWUI_CLASS_NAME_EX(SLayoutParamBase, L"LinearLayoutParam", OBJ_TYPE_UNDEF)

 public:
  SLinearLayoutParam() : SLayoutParamBase(false) {}

  // "weight", "layout_gravity", "extend" (one size or four: left, top, right, bottom),
  // "extend_left" ... "extend_bottom", then the sizes; E_NOTIMPL for any other name.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SLayoutParamBase::SetAttribute;

  // Sizes wrap content, no weight, gravity unset; the extends stay.
  void Clear() override;
  void* GetRawData() override { return &m_data; }
  const SLinearLayoutParamStruct& GetData() const { return m_data; }

  // A gravity word ("left", "top", "center", "right", "bottom", case-sensitive); false for
  // any other.
  static bool ParseGravity(const SStringW& value, int& gravity);

 protected:
  SLayoutSize& Width() override { return m_data.width; }
  SLayoutSize& Height() override { return m_data.height; }

 private:
  HRESULT ParseExtend(const SStringW& value);

  SLinearLayoutParamStruct m_data;
};

}  // namespace SWUI
