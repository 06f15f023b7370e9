#include "control/SSplitWnd.h"

#include <algorithm>
#include <climits>
#include <numeric>

#include "control/SControlSkin.h"
#include "core/SAttrParse.h"
#include "res.mgr/SXmlNoCase.h"
#include "base/SXmlMark.h"

namespace SWUI {

namespace {

int ClampLength(int length) { return std::min(std::max(length, 0), SSplitWnd::kMaxLength); }

// Within int, and never INT_MIN, whose negation would not be.
int ClampToInt(long long value) {
  return static_cast<int>(std::min<long long>(std::max<long long>(value, -INT_MAX), INT_MAX));
}

}  // namespace

SSplitWnd::SSplitWnd() = default;

SSplitWnd::~SSplitWnd() = default;

// ---- attributes and panes ----------------------------------------------------------------

HRESULT SSplitWnd::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  using P = SAttrParse;
  const SStringW& name = strAttribName;
  if (P::IsName(name, L"sepSkin")) {
    if (!SControlSkin::Assign(m_pSepSkin, strValue, GetScale())) return E_FAIL;
  } else if (P::IsName(name, L"adjustable")) {
    m_bAdjustable = P::Int(strValue) != 0;
  } else if (P::IsName(name, L"sepSize") || P::IsName(name, L"vertical")) {
    if (P::IsName(name, L"vertical")) {
      m_bVertical = P::Int(strValue) != 0;
    } else {
      const int size = P::Int(strValue);
      // Panes would overlap.
      if (size < 0) return E_FAIL;
      m_nSepSize = ClampLength(size);
    }
    if (!bLoading) UpdateChildrenPosition();
  } else {
    return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  }
  return AfterAttribute(strAttribName, strValue, bLoading, S_OK);
}

BOOL SSplitWnd::CreateChildren(pugi::xml_node xmlNode) {
  for (pugi::xml_node node = xmlNode.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element || SXmlMark::IsMarked(node) ||
        !SXmlNoCase::NameEquals(node.name(), L"pane")) {
      continue;
    }
    auto* pane = new SSplitPane();
    // The new reference goes to the tree; this one outlives a pane that refuses its creation
    // and destroys itself.
    SAutoRefPtr<SSplitPane> hold(pane);
    InsertChild(pane);
    if (pane->InitFromXml(node)) InsertPane(pane, -1);
  }
  return TRUE;
}

int SSplitWnd::InsertPane(SSplitPane* pane, int index) {
  if (pane == nullptr || pane->GetParent() != this || PaneIndex(pane) != -1) return -1;
  const int count = GetPaneCount();
  if (index < 0 || index > count) index = count;
  m_panes.insert(m_panes.begin() + index, SAutoRefPtr<SSplitPane>(pane));
  m_iDragSep = -1;
  const RECT rc = GetClientRect();
  if (!IsRectEmpty(&rc)) {
    std::vector<PaneSize> sizes = BuildSizes(PriorityOrder());
    for (PaneSize& rec : sizes) {
      if (rec.index == index && IsShown(index)) rec.size = ClampLength(pane->GetIdealSize());
    }
    Layout(sizes);
  }
  return index;
}

void SSplitWnd::OnPaneShown(SSplitPane* pane) {
  if (PaneIndex(pane) == -1) return;
  m_iDragSep = -1;
  UpdateChildrenPosition();
  Invalidate();
}

void SSplitWnd::ForgetPane(SSplitPane* pane) {
  const int index = PaneIndex(pane);
  if (index == -1) return;
  m_panes.erase(m_panes.begin() + index);
  // The drag's index would name another bar.
  m_iDragSep = -1;
}

SSplitPane* SSplitWnd::GetPane(int index) const {
  return index >= 0 && index < GetPaneCount() ? static_cast<SSplitPane*>(m_panes[index])
                                              : nullptr;
}

int SSplitWnd::PaneIndex(const SSplitPane* pane) const {
  for (int i = 0; i < GetPaneCount(); ++i) {
    if (m_panes[i] == pane) return i;
  }
  return -1;
}

int SSplitWnd::PaneIndex(const SStringW& name) const {
  for (int i = 0; i < GetPaneCount(); ++i) {
    if (name == m_panes[i]->GetName()) return i;
  }
  return -1;
}

void SSplitWnd::OnDestroy() {
  SWindow::OnDestroy();
  m_panes.clear();
  m_iDragSep = -1;
}

// ---- sizes -------------------------------------------------------------------------------

BOOL SSplitWnd::IsShown(int index) const { return m_panes[index]->IsVisible(FALSE); }

std::vector<int> SSplitWnd::PriorityOrder() const {
  std::vector<int> order(m_panes.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return m_panes[a]->GetPriority() > m_panes[b]->GetPriority();
  });
  return order;
}

std::vector<SSplitWnd::PaneSize> SSplitWnd::BuildSizes(const std::vector<int>& order) const {
  std::vector<PaneSize> sizes;
  sizes.reserve(order.size());
  for (int index : order) {
    const SSplitPane* pane = m_panes[index];
    PaneSize rec = {0, 0, 0, 0, index};
    if (IsShown(index)) {
      rec.size = ClampLength(Length(pane->GetWindowRect()));
      if (rec.size == 0) rec.size = ClampLength(pane->GetMinSize());
      rec.ideal = ClampLength(pane->GetIdealSize());
      rec.min = ClampLength(pane->GetMinSize());
      rec.max = ClampLength(pane->GetMaxSize());
    }
    sizes.push_back(rec);
  }
  return sizes;
}

int SSplitWnd::AdjustSizes(std::vector<PaneSize>& records, int remaining) {
  for (PaneSize& rec : records) {
    if (remaining == 0) break;
    if (remaining > 0 && rec.size < rec.ideal) {
      const int grow = std::min(rec.ideal - rec.size, remaining);
      rec.size += grow;
      remaining -= grow;
    } else if (remaining < 0 && rec.size > rec.ideal) {
      const int shrink = std::min(rec.size - rec.ideal, -remaining);
      rec.size -= shrink;
      remaining += shrink;
    }
  }
  for (auto it = records.rbegin(); it != records.rend() && remaining != 0; ++it) {
    if (remaining > 0) {
      const int grow = std::max(std::min(it->max - it->size, remaining), 0);
      it->size += grow;
      remaining -= grow;
    } else {
      const int shrink = std::max(std::min(it->size - it->min, -remaining), 0);
      it->size -= shrink;
      remaining += shrink;
    }
  }
  return remaining;
}

void SSplitWnd::Layout(std::vector<PaneSize>& sizes) {
  long long shown = 0;
  long long total = 0;
  for (const PaneSize& rec : sizes) {
    if (IsShown(rec.index)) ++shown;
    total += rec.size;
  }
  const long long bars = std::max(shown - 1, 0LL) * m_nSepSize;
  AdjustSizes(sizes, ClampToInt(Length(GetClientRect()) - bars - total));
  PlacePanes(sizes);
}

void SSplitWnd::PlacePanes(const std::vector<PaneSize>& sizes) {
  std::vector<int> sizeOf(m_panes.size(), 0);
  for (const PaneSize& rec : sizes) sizeOf[rec.index] = rec.size;
  const RECT client = GetClientRect();
  // Panes past the far edge get no further than this: out of sight, within int.
  const long long limit = static_cast<long long>(NearEdge(client)) + Length(client) + kMaxLength;
  long long pos = NearEdge(client);
  // Copies: a handler of the pane's event may change the panes.
  const std::vector<SAutoRefPtr<SSplitPane>> panes = m_panes;
  for (size_t i = 0; i < panes.size(); ++i) {
    if (!panes[i]->IsVisible(FALSE)) continue;
    const int nearEnd = static_cast<int>(std::min(pos, limit));
    const int end = static_cast<int>(std::min(pos + sizeOf[i], limit));
    const RECT rc = m_bVertical ? RECT{nearEnd, client.top, end, client.bottom}
                                : RECT{client.left, nearEnd, client.right, end};
    panes[i]->Place(rc);
    pos = static_cast<long long>(end) + m_nSepSize;
  }
}

void SSplitWnd::UpdateChildrenPosition() {
  if (m_panes.empty()) return;
  std::vector<PaneSize> sizes = BuildSizes(PriorityOrder());
  Layout(sizes);
}

// ---- painting and cursor -----------------------------------------------------------------

void SSplitWnd::OnPaint(IRenderTarget* pRT) {
  if (m_pSepSkin == nullptr) return;
  int last = GetPaneCount() - 1;
  while (last >= 0 && !IsShown(last)) --last;
  const RECT client = GetClientRect();
  long long pos = NearEdge(client);
  const long long farEdge = pos + Length(client);
  for (int i = 0; i < last && pos < farEdge; ++i) {
    if (!IsShown(i)) continue;
    pos += Length(m_panes[i]->GetWindowRect());
    // Only the part inside the client is drawn.
    const int nearEnd = static_cast<int>(std::min(pos, farEdge));
    const int end = static_cast<int>(std::min(pos + m_nSepSize, farEdge));
    const RECT bar = m_bVertical ? RECT{nearEnd, client.top, end, client.bottom}
                                 : RECT{client.left, nearEnd, client.right, end};
    if (!IsRectEmpty(&bar)) m_pSepSkin->Draw(pRT, &bar, 0);
    pos += m_nSepSize;
  }
}

BOOL SSplitWnd::OnSetCursor(const POINT& pt) {
  if (!m_bAdjustable) return SWindow::OnSetCursor(pt);
  HCURSOR cursor = ::LoadCursorW(nullptr, m_bVertical ? IDC_SIZEWE : IDC_SIZENS);
  if (cursor == nullptr) return SWindow::OnSetCursor(pt);
  ::SetCursor(cursor);
  return TRUE;
}

// ---- dragging ----------------------------------------------------------------------------

void SSplitWnd::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  if (!m_bAdjustable) return;
  m_ptDragPrev = pt;
  // The bar lies after the last shown pane that starts before the point; hidden panes keep
  // the rectangles they had when they were shown.
  int before = -1;
  for (int i = 0; i < GetPaneCount(); ++i) {
    if (!IsShown(i)) continue;
    if (NearEdge(m_panes[i]->GetWindowRect()) > AxisPos(pt)) {
      m_iDragSep = before;
      return;
    }
    before = i;
  }
}

void SSplitWnd::OnLButtonUp(UINT nFlags, POINT pt) {
  SWindow::OnLButtonUp(nFlags, pt);
  m_iDragSep = -1;
}

void SSplitWnd::OnMouseMove(UINT, POINT pt) {
  if (m_iDragSep < 0) return;
  const int delta = AxisPos(pt) - AxisPos(m_ptDragPrev);
  m_ptDragPrev = pt;
  if (delta != 0) DragBar(delta);
}

void SSplitWnd::ChangeNextToBar(std::vector<PaneSize>& group, size_t next, int change) {
  PaneSize& rec = group[next];
  rec.size += change;
  int over = 0;
  if (rec.size < rec.min) {
    over = rec.size - rec.min;
    rec.size = rec.min;
  } else if (rec.size > rec.max) {
    over = rec.size - rec.max;
    rec.size = rec.max;
  }
  if (over == 0) return;
  std::vector<PaneSize> others;
  for (size_t i = 0; i < group.size(); ++i) {
    if (i != next) others.push_back(group[i]);
  }
  AdjustSizes(others, over);
  for (size_t i = 0, j = 0; i < group.size(); ++i) {
    if (i != next) group[i] = others[j++];
  }
}

void SSplitWnd::DragBar(int delta) {
  // The shown pane after the bar.
  int after = m_iDragSep + 1;
  while (after < GetPaneCount() && !IsShown(after)) ++after;
  if (after >= GetPaneCount()) return;

  std::vector<PaneSize> first;
  std::vector<PaneSize> second;
  for (const PaneSize& rec : BuildSizes(PriorityOrder())) {
    (rec.index <= m_iDragSep ? first : second).push_back(rec);
  }
  auto positionOf = [](const std::vector<PaneSize>& group, int index) {
    size_t i = 0;
    while (group[i].index != index) ++i;
    return i;
  };
  auto room = [](const std::vector<PaneSize>& group, bool toGrow) {
    int sum = 0;
    for (const PaneSize& rec : group) {
      sum += std::max(toGrow ? rec.max - rec.size : rec.size - rec.min, 0);
    }
    return sum;
  };
  // Left or up: the first group gives, the second takes; right or down the reverse.
  const bool firstGives = delta < 0;
  const int d = std::min({std::abs(delta), room(first, !firstGives), room(second, firstGives)});
  if (d == 0) return;
  ChangeNextToBar(first, positionOf(first, m_iDragSep), firstGives ? -d : d);
  ChangeNextToBar(second, positionOf(second, after), firstGives ? d : -d);

  first.insert(first.end(), second.begin(), second.end());
  PlacePanes(first);
  Invalidate();
  UpdateWindow();
}

}  // namespace SWUI
