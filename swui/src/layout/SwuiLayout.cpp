#include "layout/SwuiLayout.h"

#include <algorithm>
#include <vector>

#include "layout/SLayoutUtil.h"

namespace SWUI {

namespace {

// Without "pos" a child stands right of its previous layout sibling, at that sibling's top.
const PosItem kDefaultX{PosPrevNear, -1, 1, SLayoutSize(0.0f, px)};
const PosItem kDefaultY{PosPrevFar, -1, 1, SLayoutSize(0.0f, px)};

// One layout child of a run, with its four coordinates and the offsets still to apply.
struct Entry {
  ILayoutElement* child;
  const SwuiLayoutParam* param;
  int scale;
  bool offsetPending[2];  // x, y
  int edge[4];            // left, top, right, bottom

  const SwuiLayoutParamStruct& data() const { return param->GetData(); }
  // Same edges and same offsets still to come: nothing that depends on it can have changed.
  bool SameState(const Entry& other) const {
    return std::equal(edge, edge + 4, other.edge) &&
           offsetPending[0] == other.offsetPending[0] && offsetPending[1] == other.offsetPending[1];
  }
  int& Near(bool vert) { return edge[vert ? 1 : 0]; }
  int& Far(bool vert) { return edge[vert ? 3 : 2]; }
};

bool IsKnown(int coordinate) { return SwuiLayout::IsKnown(coordinate); }

ORIENTATION AxisOf(bool vert) { return vert ? Vert : Horz; }

// The two-stage solver over one run's working list. An extent of -1 is not known (measuring);
// then the items measured from it wait, and match-parent sizes measure their content.
//
// Rounds: the first stage resolves what the items and sizes give until nothing more follows,
// then the second stage asks wrap-content children their size and applies the offsets; the
// rounds end when a first stage resolves nothing. Every counted resolution turns an unknown
// coordinate into a known one for good, so the rounds end. The first stage's outcome does not
// depend on the order of its steps, so after one sweep over every entry it revisits only the
// entries whose references changed (the neighbours, and the entries with sibling forms);
// the second stage sees only the entries that changed since it last ran. A chain of children
// each waiting for the one before thus costs one step per child, not one sweep.
class PosSolver {
 public:
  PosSolver(std::vector<Entry>& entries, int width, int height)
      : m_entries(entries),
        m_extent{width, height},
        m_queued(entries.size(), false),
        m_changed(entries.size(), false) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (HasSiblingForm(entries[i].data())) m_siblingForms.push_back(i);
    }
  }

  int Solve() {
    // Match parent is set in this first sweep and not counted: when nothing counted, the
    // solver ends here.
    int round = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) round += FirstStageStep(i);
    if (round == 0) return 0;
    for (size_t i = 0; i < m_entries.size(); ++i) Enqueue(i);
    int total = 0;
    for (;;) {
      round += DrainFirstStage();
      if (round == 0) return total;
      round += SecondStage();
      total += round;
      round = 0;
    }
  }

 private:
  static bool IsSiblingForm(const PosItem& item) {
    return item.pit == PosSibNear || item.pit == PosSibFar;
  }
  static bool HasSiblingForm(const SwuiLayoutParamStruct& d) {
    if (d.nCount < 2) return false;
    if (IsSiblingForm(d.posLeft) || IsSiblingForm(d.posTop)) return true;
    return d.nCount == 4 && (IsSiblingForm(d.posRight) || IsSiblingForm(d.posBottom));
  }

  void Enqueue(size_t index) {
    if (m_queued[index]) return;
    m_queued[index] = true;
    m_queue.push_back(index);
  }

  // An entry's edges changed: it, its neighbours and every entry with a sibling form may now
  // resolve more, and the second stage has to see it again.
  void NoteChange(size_t index) {
    Enqueue(index);
    if (index > 0) Enqueue(index - 1);
    if (index + 1 < m_entries.size()) Enqueue(index + 1);
    for (size_t i : m_siblingForms) Enqueue(i);
    if (!m_changed[index]) {
      m_changed[index] = true;
      m_changedList.push_back(index);
    }
  }

  int DrainFirstStage() {
    int resolved = 0;
    while (!m_queue.empty()) {
      const size_t index = m_queue.back();
      m_queue.pop_back();
      m_queued[index] = false;
      resolved += FirstStageStep(index);
    }
    return resolved;
  }

  // Left, top, right, bottom of one entry; returns the counted resolutions.
  int FirstStageStep(size_t index) {
    const Entry before = m_entries[index];
    const int resolved = ResolveNear(index, false) + ResolveNear(index, true) +
                         ResolveFar(index, false) + ResolveFar(index, true);
    if (!before.SameState(m_entries[index])) NoteChange(index);
    return resolved;
  }

  // The changed entries in list order, as a sweep would meet them.
  int SecondStage() {
    std::vector<size_t> visit;
    visit.swap(m_changedList);
    std::sort(visit.begin(), visit.end());
    int resolved = 0;
    for (size_t index : visit) {
      m_changed[index] = false;
      const Entry before = m_entries[index];
      resolved += SecondStageStep(m_entries[index]);
      if (!before.SameState(m_entries[index])) NoteChange(index);
    }
    return resolved;
  }

  bool ExtentKnown(bool vert) const { return m_extent[vert ? 1 : 0] >= 0; }

  // The size follows the content: wrap content, or match parent on an extent not known.
  bool Wraps(const Entry& e, bool vert) const {
    const ORIENTATION o = AxisOf(vert);
    return e.param->IsWrapContent(o) || (e.param->IsMatchParent(o) && !ExtentKnown(vert));
  }

  int ResolveNear(size_t index, bool vert) {
    Entry& e = m_entries[index];
    if (IsKnown(e.Near(vert))) return 0;
    const SwuiLayoutParamStruct& d = e.data();
    const PosItem& item = d.nCount >= 2 ? (vert ? d.posTop : d.posLeft) : (vert ? kDefaultY : kDefaultX);
    e.Near(vert) = Eval(item, index, vert);
    return e.Near(vert) != POS_WAIT ? 1 : 0;
  }

  int ResolveFar(size_t index, bool vert) {
    Entry& e = m_entries[index];
    if (IsKnown(e.Far(vert))) return 0;
    const ORIENTATION o = AxisOf(vert);
    const SwuiLayoutParamStruct& d = e.data();
    if (e.param->IsMatchParent(o)) {
      // Not counted: it depends on nothing the solver computes.
      if (ExtentKnown(vert)) e.Far(vert) = m_extent[vert ? 1 : 0];
      return 0;
    }
    if (e.param->IsSpecifiedSize(o)) {
      if (!IsKnown(e.Near(vert))) return 0;
      e.Far(vert) = e.Near(vert) + e.param->GetSpecifiedSize(o).toPixelSize(e.scale);
      return 1;
    }
    if (e.param->IsWrapContent(o) || d.nCount != 4) return 0;
    e.Far(vert) = Eval(vert ? d.posBottom : d.posRight, index, vert);
    return e.Far(vert) != POS_WAIT ? 1 : 0;
  }

  // Asks a wrap-content child its size once its near edges are known, then applies the
  // offsets of the axes whose far edge is known.
  int SecondStageStep(Entry& e) {
    if (!IsKnown(e.edge[0]) || !IsKnown(e.edge[1])) return 0;
    const bool wantX = !IsKnown(e.edge[2]) && Wraps(e, false);
    const bool wantY = !IsKnown(e.edge[3]) && Wraps(e, true);
    if (wantX || wantY) {
      const int w = IsKnown(e.edge[2]) ? e.edge[2] - e.edge[0] : m_extent[0];
      const int h = IsKnown(e.edge[3]) ? e.edge[3] - e.edge[1] : m_extent[1];
      const SIZE desired = e.child->GetDesiredSize(w, h);
      if (wantX) e.edge[2] = e.edge[0] + KnownSizeOr(desired.cx, 0);
      if (wantY) e.edge[3] = e.edge[1] + KnownSizeOr(desired.cy, 0);
    }
    ApplyOffset(e, false);
    ApplyOffset(e, true);
    return (wantX ? 1 : 0) + (wantY ? 1 : 0);
  }

  // Once both edges of an axis are known the child moves by its offset times its size.
  static void ApplyOffset(Entry& e, bool vert) {
    if (!e.offsetPending[vert] || !IsKnown(e.Far(vert))) return;
    const float offset = vert ? e.data().fOffsetY : e.data().fOffsetX;
    const int shift = static_cast<int>(static_cast<float>(e.Far(vert) - e.Near(vert)) * offset);
    e.Near(vert) += shift;
    e.Far(vert) += shift;
    e.offsetPending[vert] = false;
  }

  // A neighbour's or sibling's edge, not known while its own offset is still to come.
  static bool EdgeOf(Entry& ref, bool farSide, bool vert, int& edge) {
    edge = farSide ? ref.Far(vert) : ref.Near(vert);
    return IsKnown(edge) && !ref.offsetPending[vert];
  }

  // The reference edge of a neighbour or sibling form; false while it is not known.
  bool ReferenceOf(const PosItem& item, size_t index, bool vert, int& reference) {
    const int extent = m_extent[vert ? 1 : 0];
    switch (item.pit) {
      case PosPrevNear:
      case PosPrevFar:
        if (index == 0) {
          reference = 0;
          return true;
        }
        return EdgeOf(m_entries[index - 1], item.pit == PosPrevNear, vert, reference);
      case PosNextNear:
      case PosNextFar:
        if (index + 1 == m_entries.size()) {
          reference = extent;
          return ExtentKnown(vert);
        }
        return EdgeOf(m_entries[index + 1], item.pit == PosNextFar, vert, reference);
      default:  // the sibling forms
        for (Entry& sibling : m_entries) {
          if (sibling.child->GetID() == item.nRefID) {
            return EdgeOf(sibling, item.pit == PosSibFar, vert, reference);
          }
        }
        // No such sibling: measured from the parent's near and far edges.
        reference = item.pit == PosSibFar ? extent : 0;
        return item.pit != PosSibFar || ExtentKnown(vert);
    }
  }

  // The coordinate an item gives, or POS_WAIT while what it refers to is not known.
  int Eval(const PosItem& item, size_t index, bool vert) {
    const int extent = m_extent[vert ? 1 : 0];
    const bool extentKnown = ExtentKnown(vert);
    const int value = item.nPos.toPixelSize(m_entries[index].scale);
    switch (item.pit) {
      case PosNormal:
        if (item.cMinus > 0) return value;
        return extentKnown ? extent - value : POS_WAIT;
      case PosCenter:
        return extentKnown ? value * item.cMinus + extent / 2 : POS_WAIT;
      case PosPercent: {
        if (!extentKnown) return POS_WAIT;
        float percent = std::min(std::max(item.nPos.fSize, 0.0f), 100.0f);
        if (item.cMinus < 0) percent = 100.0f - percent;
        return static_cast<int>(static_cast<float>(extent) * percent / 100.0f);
      }
      case PosPrevNear:
      case PosPrevFar:
      case PosNextNear:
      case PosNextFar:
      case PosSibNear:
      case PosSibFar: {
        int reference = 0;
        if (!ReferenceOf(item, index, vert, reference)) return POS_WAIT;
        return value * item.cMinus + reference;
      }
      default:
        return POS_WAIT;
    }
  }

  std::vector<Entry>& m_entries;
  const int m_extent[2];
  std::vector<size_t> m_siblingForms;  // entries whose items name a sibling by id
  std::vector<size_t> m_queue;         // first stage: entries that may resolve more
  std::vector<bool> m_queued;
  std::vector<size_t> m_changedList;  // second stage: entries changed since it last ran
  std::vector<bool> m_changed;
};

std::vector<Entry> BuildEntries(ILayoutElement* parent) {
  std::vector<Entry> entries;
  for (ILayoutElement* child = parent->GetNextLayoutChild(nullptr); child != nullptr;
       child = parent->GetNextLayoutChild(child)) {
    const SwuiLayoutParam& param = LayoutParamOf<SwuiLayoutParam>(child);
    entries.push_back(Entry{child,
                            &param,
                            child->GetScale(),
                            {param.IsOffsetRequired(Horz), param.IsOffsetRequired(Vert)},
                            {POS_INIT, POS_INIT, POS_INIT, POS_INIT}});
  }
  return entries;
}

// The space a 4-item pos keeps free beyond its far edge ("-20" keeps 20).
int FarMargin(const Entry& e, bool vert) {
  const SwuiLayoutParamStruct& d = e.data();
  const PosItem& item = vert ? d.posBottom : d.posRight;
  if (d.nCount != 4 || item.cMinus > 0) return 0;
  return item.nPos.toPixelSize(e.scale);
}

}  // namespace

BOOL SwuiLayout::IsParamAcceptable(ILayoutParam* pLayoutParam) const {
  return pLayoutParam != nullptr && pLayoutParam->IsClass(SwuiLayoutParam::ClassName());
}

ILayoutParam* SwuiLayout::CreateLayoutParam() const { return new SwuiLayoutParam(); }

void SwuiLayout::LayoutChildren(ILayoutElement* parent) {
  std::vector<Entry> entries = BuildEntries(parent);
  if (entries.empty()) return;
  RECT rc{};
  parent->GetChildrenLayoutRect(&rc);
  PosSolver(entries, std::max(0, static_cast<int>(rc.right - rc.left)),
            std::max(0, static_cast<int>(rc.bottom - rc.top)))
      .Solve();
  for (Entry& e : entries) {
    const RECT placed{e.edge[0] + rc.left, e.edge[1] + rc.top, e.edge[2] + rc.left,
                      e.edge[3] + rc.top};
    e.child->OnRelayout(placed);
  }
}

SIZE SwuiLayout::MeasureChildren(ILayoutElement* parent, int nWidth, int nHeight) const {
  std::vector<Entry> entries = BuildEntries(parent);
  PosSolver(entries, KnownSizeOr(nWidth, -1), KnownSizeOr(nHeight, -1)).Solve();
  SIZE content{0, 0};
  for (const Entry& e : entries) {
    if (IsKnown(e.edge[2])) content.cx = std::max<LONG>(content.cx, e.edge[2] + FarMargin(e, false));
    if (IsKnown(e.edge[3])) content.cy = std::max<LONG>(content.cy, e.edge[3] + FarMargin(e, true));
  }
  return content;
}

}  // namespace SWUI
