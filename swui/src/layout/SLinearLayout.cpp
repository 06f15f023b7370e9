#include "layout/SLinearLayout.h"

#include <algorithm>
#include <vector>

#include "layout/SLayoutUtil.h"

namespace SWUI {

namespace {

// One child's slot: its size with the extends round it, per axis (x, y).
struct Slot {
  ILayoutElement* child;
  const SLinearLayoutParamStruct* data;
  int scale;
  int size[2];

  int Extend(bool vert, bool farSide) const {
    const SLayoutSize& e = vert ? (farSide ? data->extend_bottom : data->extend_top)
                                : (farSide ? data->extend_right : data->extend_left);
    return e.toPixelSize(scale);
  }
  int Extends(bool vert) const { return Extend(vert, false) + Extend(vert, true); }
};

// A slot per axis: match parent takes matchSize (-1 when that is not known), a specified size
// adds the extends, and whatever stays unknown is the child's desired size plus the extends.
Slot MeasureSlot(ILayoutElement* child, const int matchSize[2]) {
  const SLinearLayoutParamStruct& d = LayoutParamOf<SLinearLayoutParam>(child).GetData();
  Slot slot{child, &d, child->GetScale(), {-1, -1}};
  const SLayoutSize* sizes[2] = {&d.width, &d.height};
  bool unknown = false;
  for (int axis = 0; axis < 2; ++axis) {
    if (sizes[axis]->IsMatchParent()) {
      slot.size[axis] = matchSize[axis];
    } else if (sizes[axis]->IsSpecifiedSize()) {
      slot.size[axis] = sizes[axis]->toPixelSize(slot.scale) + slot.Extends(axis == 1);
    }
    unknown = unknown || slot.size[axis] < 0;
  }
  if (unknown) {
    const SIZE desired = child->GetDesiredSize(slot.size[0], slot.size[1]);
    const LONG wanted[2] = {desired.cx, desired.cy};
    for (int axis = 0; axis < 2; ++axis) {
      if (slot.size[axis] < 0) slot.size[axis] = KnownSizeOr(wanted[axis], 0) + slot.Extends(axis == 1);
    }
  }
  return slot;
}

}  // namespace

SLinearLayout::SLinearLayout(ORIENTATION orientation) : m_orientation(orientation) {}

HRESULT SLinearLayout::SetAttribute(const SStringW& name, const SStringW& value, BOOL) {
  if (name.CompareNoCase(L"orientation") == 0) {
    if (value == L"horizontal") {
      m_orientation = Horz;
    } else if (value == L"vertical") {
      m_orientation = Vert;
    } else {
      return E_FAIL;
    }
    return S_FALSE;
  }
  if (name.CompareNoCase(L"gravity") == 0) {
    return SLinearLayoutParam::ParseGravity(value, m_gravity) ? S_FALSE : E_FAIL;
  }
  return E_NOTIMPL;
}

BOOL SLinearLayout::IsParamAcceptable(ILayoutParam* pLayoutParam) const {
  return pLayoutParam != nullptr && pLayoutParam->IsClass(SLinearLayoutParam::ClassName());
}

ILayoutParam* SLinearLayout::CreateLayoutParam() const {
  return new SLinearLayoutParam();
}

void SLinearLayout::LayoutChildren(ILayoutElement* parent) {
  RECT rc{};
  parent->GetChildrenLayoutRect(&rc);
  const int extent[2] = {std::max(0, static_cast<int>(rc.right - rc.left)),
                         std::max(0, static_cast<int>(rc.bottom - rc.top))};
  const int along = m_orientation == Vert ? 1 : 0;
  const int across = 1 - along;

  std::vector<Slot> slots;
  float totalWeight = 0.0f;
  int used = 0;
  for (ILayoutElement* child = parent->GetNextLayoutChild(nullptr); child != nullptr;
       child = parent->GetNextLayoutChild(child)) {
    slots.push_back(MeasureSlot(child, extent));
    if (slots.back().data->weight > 0.0f) totalWeight += slots.back().data->weight;
    used += slots.back().size[along];
  }

  // Each share is truncated on its own; what the rounding leaves stays unused.
  if (totalWeight > 0.0f && extent[along] > used) {
    const float spare = static_cast<float>(extent[along] - used);
    for (Slot& slot : slots) {
      if (slot.data->weight > 0.0f) {
        slot.size[along] += static_cast<int>(spare * slot.data->weight / totalWeight);
      }
    }
  }

  int pos = 0;
  for (const Slot& slot : slots) {
    int start[2];
    start[along] = pos;
    start[across] = 0;
    const int gravity = slot.data->gravity != GravityUnset ? slot.data->gravity : m_gravity;
    if (gravity == GravityCenter) start[across] = (extent[across] - slot.size[across]) / 2;
    if (gravity == GravityEnd) start[across] = extent[across] - slot.size[across];
    const RECT placed{rc.left + start[0] + slot.Extend(false, false),
                      rc.top + start[1] + slot.Extend(true, false),
                      rc.left + start[0] + slot.size[0] - slot.Extend(false, true),
                      rc.top + start[1] + slot.size[1] - slot.Extend(true, true)};
    slot.child->OnRelayout(placed);
    pos += slot.size[along];
  }
}

SIZE SLinearLayout::MeasureChildren(ILayoutElement* parent, int nWidth, int nHeight) const {
  // Match parent inside a parent that wraps its content on that axis is not known either.
  const ILayoutParam* own = parent->GetLayoutParam();
  const bool wraps[2] = {own != nullptr && own->IsWrapContent(Horz),
                         own != nullptr && own->IsWrapContent(Vert)};
  const int match[2] = {wraps[0] ? -1 : KnownSizeOr(nWidth, -1),
                        wraps[1] ? -1 : KnownSizeOr(nHeight, -1)};
  const int along = m_orientation == Vert ? 1 : 0;
  int total[2] = {0, 0};
  for (ILayoutElement* child = parent->GetNextLayoutChild(nullptr); child != nullptr;
       child = parent->GetNextLayoutChild(child)) {
    const Slot slot = MeasureSlot(child, match);
    total[along] += slot.size[along];
    total[1 - along] = std::max(total[1 - along], slot.size[1 - along]);
  }
  return SIZE{total[0], total[1]};
}

}  // namespace SWUI
