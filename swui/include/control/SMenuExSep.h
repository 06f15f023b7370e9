// A separator of a skinned popup menu level ("sep"): an item drawn with the level's separator
// skin (state 0) over its client rectangle and nothing else, disabled from the start, so the
// keyboard passes over it and it takes no clicks. It asks for a width of 10000, which the
// level leaves out of its own width, and for the separator skin's height.
#pragma once
#include "control/SMenuExItem.h"

namespace SWUI {

class SMenuExSep : public SMenuExItem {
  SWUI_CLASS_NAME(SMenuExItem, L"sep")

 public:
  static constexpr int kWidth = 10000;

  SMenuExSep(SMenuEx* pOwnerMenu, ISkinObj* pSepSkin);

  // 0 x 0 when hidden; else kWidth by the given height or the skin's (at least 1, 0 without a
  // skin), plus the top and bottom margins.
  SIZE GetDesiredSize(int nParentWid, int nParentHei) override;
  using SMenuExItem::GetDesiredSize;

 protected:
  BOOL OnEraseBkgnd(IRenderTarget* pRT);
  void OnPaint(IRenderTarget*) {}

  SWND_BEGIN_MSG_MAP()
  MSG_WM_ERASEBKGND_EX(OnEraseBkgnd)
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SMenuExItem)
};

}  // namespace SWUI
