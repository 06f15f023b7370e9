#include "controls/CTipWnd.h"

#include "core/ISwndContainer.h"
#include "core/SWindow.h"

using namespace SWUI;

CTipWnd* CTipWnd::s_instance = nullptr;
SStringW CTipWnd::s_layout = L"LAYOUT:XML_TOOLTIP";

namespace {

const wchar_t kTextName[] = L"txt_tip";
const UINT kAtWindowMs = 1000;

}  // namespace

CTipWnd::CTipWnd() : SHostWnd(s_layout) {}

CTipWnd::~CTipWnd() {
  if (s_instance == this) s_instance = nullptr;
}

CTipWnd* CTipWnd::Acquire() {
  if (s_instance != nullptr) {
    ::KillTimer(s_instance->m_hWnd, kTimerShow);
    ::ShowWindow(s_instance->m_hWnd, SW_HIDE);
    return s_instance;
  }
  CTipWnd* tip = new CTipWnd();
  // Topmost from the start: moved to HWND_TOPMOST alone, it stayed without the style under
  // Wine while no other window of the process was topmost.
  if (tip->CreateEx(nullptr, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST, 0, 0, 0, 0) == nullptr) {
    // No window, so no final message would ever free it.
    delete tip;
    return nullptr;
  }
  s_instance = tip;
  return tip;
}

void CTipWnd::ShowTip(int x, int y, const SStringW& text, UINT ms) {
  CTipWnd* tip = Acquire();
  if (tip == nullptr) return;
  tip->m_anchor = POINT{x, y};
  tip->m_mode = kBottomLeft;
  ::ShowWindow(tip->m_hWnd, SW_SHOWNOACTIVATE);
  tip->SetText(text);
  // A text of the size the last one had moves no edge, so the window would stay where the
  // last tip was: it goes to the new anchor itself.
  tip->MoveToAnchor();
  ::SetWindowPos(tip->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  ::SetTimer(tip->m_hWnd, kTimerShow, ms, nullptr);
}

POINT CTipWnd::AnchorOf(SWindow* root, SWindow* found) {
  POINT pt = {0, 0};
  ::GetCursorPos(&pt);
  if (root == nullptr || found == nullptr) return pt;
  ISwndContainer* container = found->GetContainer();
  HWND host = container != nullptr ? container->GetHostHwnd() : nullptr;
  if (host == nullptr) return pt;
  const RECT rc = found->GetWindowRect();
  POINT anchor = {(rc.left + rc.right) / 2, rc.top};
  if (!::ClientToScreen(host, &anchor)) return pt;
  return anchor;
}

void CTipWnd::ShowTipAtWindow(const SStringW& text, SWindow* root, int id) {
  if (text.IsEmpty()) return;
  SWindow* found = root != nullptr ? root->FindChildByID(id) : nullptr;
  const POINT anchor = AnchorOf(root, found);
  ShowTip(anchor.x, anchor.y, text, kAtWindowMs);
}

void CTipWnd::ShowTipAtNamedWindow(const SStringW& text, UINT ms, const wchar_t* name,
                                   SWindow* root) {
  if (text.IsEmpty()) return;
  SWindow* found = root != nullptr && name != nullptr ? root->FindChildByName(name) : nullptr;
  const POINT anchor = AnchorOf(root, found);
  ShowTip(anchor.x, anchor.y, text, ms);
}

void CTipWnd::SetTipText(const SStringW& text) {
  if (s_instance != nullptr) s_instance->SetText(text);
}

void CTipWnd::HideTip() {
  CTipWnd* tip = s_instance;
  if (tip == nullptr) return;
  s_instance = nullptr;
  ::KillTimer(tip->m_hWnd, kTimerShow);
  tip->DestroyWindow();  // the final message frees it
}

void CTipWnd::SetText(const SStringW& text) {
  if (SWindow* label = GetRoot()->FindChildByName(kTextName)) label->SetWindowText(text);
}

POINT CTipWnd::TopLeftFor(int width, int height) const {
  switch (m_mode) {
    case kTopLeft: return m_anchor;
    case kBottomLeft: return POINT{m_anchor.x, m_anchor.y - height};
    case kTopRight: return POINT{m_anchor.x - width, m_anchor.y};
    case kBottomRight: return POINT{m_anchor.x - width, m_anchor.y - height};
    default: return m_anchor;
  }
}

void CTipWnd::MoveToAnchor() {
  if (m_mode < kTopLeft || m_mode > kBottomRight) return;
  RECT rc;
  if (!::GetWindowRect(m_hWnd, &rc)) return;
  const POINT pt = TopLeftFor(rc.right - rc.left, rc.bottom - rc.top);
  ::SetWindowPos(m_hWnd, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CTipWnd::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd) {
    if (msg == WM_TIMER && wParam == kTimerShow) {
      ::KillTimer(m_hWnd, kTimerShow);
      if (s_instance == this) s_instance = nullptr;
      DestroyWindow();  // the final message frees the tip: nothing of it is touched after
      lResult = 0;
      return TRUE;
    }
    if (msg == WM_WINDOWPOSCHANGING) {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOSIZE) && m_mode >= kTopLeft && m_mode <= kBottomRight) {
        const POINT pt = TopLeftFor(pos->cx, pos->cy);
        pos->x = pt.x;
        pos->y = pt.y;
        pos->flags &= ~SWP_NOMOVE;
      }
    }
  }
  return SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

void CTipWnd::OnFinalMessage(HWND hWnd) {
  SHostWnd::OnFinalMessage(hWnd);
  delete this;
}
