#include "core/SStaticBackground.h"

#include "RenderFactoryUtil.h"

namespace SWUI {

namespace {

bool Overlaps(const std::vector<RECT>& rects, size_t from, const RECT& rc) {
  for (size_t i = from; i < rects.size(); ++i) {
    RECT common;
    if (IntersectRect(&common, &rects[i], &rc)) return true;
  }
  return false;
}

}  // namespace

IRenderTarget* SStaticBackground::Prepare(SWindow* root, UINT treeStamp) {
  if (root == nullptr) return nullptr;
  if (!IsCurrent(root, treeStamp)) {
    m_valid = false;
    // A tree still changing (a first paint, a page shown, an animation) paints as it would
    // without the cache; the cache is drawn when a paint finds the tree as the last one did.
    const RECT rc = root->GetWindowRect();
    if (!m_seen || treeStamp != m_seenStamp || !EqualRect(&rc, &m_rcSeen)) {
      m_seen = true;
      m_seenStamp = treeStamp;
      m_rcSeen = rc;
      return nullptr;
    }
    m_entries.clear();
    std::vector<RECT> drawnOver;
    Classify(root, true, drawnOver);
    if (!Draw(root)) {
      Reset();
      return nullptr;
    }
    m_rcRoot = root->GetWindowRect();
    m_treeStamp = treeStamp;
    m_valid = true;
  }
  return m_surface;
}

void SStaticBackground::Reset() {
  m_surface.Reset();
  m_entries.clear();
  m_valid = false;
  m_seen = false;
}

bool SStaticBackground::IsCurrent(SWindow* root, UINT treeStamp) const {
  if (!m_valid || treeStamp != m_treeStamp) return false;
  const RECT rc = root->GetWindowRect();
  if (!EqualRect(&rc, &m_rcRoot)) return false;
  for (const Entry& entry : m_entries) {
    SWindow* wnd = SWindow::GetSwndFromHandle(entry.swnd);
    if (wnd == nullptr) return false;
    const Entry now = EntryOf(wnd);
    if (now.state != entry.state || now.bgSkin != entry.bgSkin || now.ncSkin != entry.ncSkin ||
        !EqualRect(&now.rc, &entry.rc) || now.text != entry.text) {
      return false;
    }
  }
  return true;
}

RECT SStaticBackground::Classify(SWindow* wnd, bool underHeld, std::vector<RECT>& drawnOver) {
  wnd->SetStaticParts(SWindow::kStaticNone);
  const RECT rc = wnd->GetWindowRect();
  const bool visible = wnd->IsVisible(TRUE) != FALSE;
  const bool held = underHeld && visible && wnd->IsStaticContent() && !wnd->IsLayeredWindow() &&
                    !wnd->IsDrawToCache() && !wnd->HasShapeRegion() &&
                    !Overlaps(drawnOver, 0, rc);
  RECT bounds = rc;
  const size_t before = drawnOver.size();
  if (held) {
    wnd->SetStaticParts(SWindow::kStaticClient);
    m_entries.push_back(EntryOf(wnd));
  }
  for (SWindow* child = wnd->GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    const RECT sub = Classify(child, held, drawnOver);
    UnionRect(&bounds, &bounds, &sub);
  }
  if (held) {
    RECT client;
    wnd->GetClientRect(&client);
    if (EqualRect(&client, &rc) || !Overlaps(drawnOver, before, rc)) {
      wnd->SetStaticParts(SWindow::kStaticClient | SWindow::kStaticNonClient);
    } else {
      drawnOver.push_back(rc);  // the frame, drawn over its subtree at every paint
    }
  } else if (underHeld && visible) {
    drawnOver.push_back(bounds);
  }
  return bounds;
}

bool SStaticBackground::Draw(SWindow* root) {
  const RECT rc = root->GetWindowRect();
  const SIZE size = {rc.right - rc.left, rc.bottom - rc.top};
  if (size.cx <= 0 || size.cy <= 0) return false;
  if (m_surface == nullptr) {
    m_surface = RenderFactoryUtil::NewRenderTarget(size.cx, size.cy);
    if (m_surface == nullptr) return false;
  } else if (!EqualRect(&rc, &m_rcRoot) && FAILED(m_surface->Resize(size))) {
    // A surface of another size (or none) would show wrong pixels: painted without the
    // cache until a surface of the right size can be made.
    return false;
  }
  m_surface->SetViewportOrg(POINT{-rc.left, -rc.top});
  m_surface->ClearRect(&rc, 0);
  SPainter painter;
  root->BeforePaint(m_surface, painter);
  root->RedrawRegion(m_surface, nullptr, SWindow::StaticPass::kOnlyStatic);
  root->AfterPaint(m_surface, painter);
  return true;
}

SStaticBackground::Entry SStaticBackground::EntryOf(SWindow* wnd) {
  return Entry{wnd->GetSwnd(), wnd->GetState(),      wnd->GetBkgndSkin(),
               wnd->GetNcSkin(), wnd->GetWindowRect(), wnd->GetWindowText(FALSE)};
}

}  // namespace SWUI
