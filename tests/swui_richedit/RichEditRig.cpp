#include "RichEditRig.h"

#include <doctest/doctest.h>

#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

namespace {

const wchar_t kHostClass[] = L"SwuiRichEditTestHost";

void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

}  // namespace

// ---- RecordingContainer --------------------------------------------------------------------

RecordingContainer::RecordingContainer(int width, int height) : TestContainer(width, height) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kHostClass;
  RegisterClassW(&wc);  // fails harmlessly when already registered
  host_ = CreateWindowExW(0, kHostClass, L"rich edit host", WS_POPUP, 100, 100, width, height,
                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  REQUIRE(host_ != nullptr);
  SetWindowLongPtrW(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

RecordingContainer::~RecordingContainer() {
  for (auto& entry : dropTargets) entry.second->Release();
  DestroyWindow(host_);
}

LRESULT CALLBACK RecordingContainer::HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<RecordingContainer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr && msg == WM_INITMENUPOPUP) {
    HMENU menu = reinterpret_cast<HMENU>(wParam);
    std::map<UINT, bool> states;
    for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
      const UINT id = GetMenuItemID(menu, pos);
      if (id == 0 || id == static_cast<UINT>(-1)) continue;
      states[id] = (GetMenuState(menu, pos, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    self->menus.push_back(states);
    return 0;
  }
  if (msg == UM_UPDATESWND) return 0;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

BOOL RecordingContainer::RegisterDragDrop(SwndHandle swnd, IDropTarget* target) {
  if (target == nullptr || dropTargets.count(swnd) != 0) return FALSE;
  target->AddRef();
  dropTargets[swnd] = target;
  return TRUE;
}

BOOL RecordingContainer::RevokeDragDrop(SwndHandle swnd) {
  auto it = dropTargets.find(swnd);
  if (it == dropTargets.end()) return FALSE;
  it->second->Release();
  dropTargets.erase(it);
  return TRUE;
}

BOOL RecordingContainer::CreateCaret(SwndHandle owner, HBITMAP, int, int) {
  caretOwner = owner;
  caretVisible = false;
  return TRUE;
}

BOOL RecordingContainer::ShowCaret(BOOL show) {
  if (show) ++caretShows;
  caretVisible = show != FALSE;
  return TRUE;
}

BOOL RecordingContainer::SetCaretPos(int x, int y) {
  caretPos = POINT{x, y};
  return TRUE;
}

// ---- RichEditRig ---------------------------------------------------------------------------

RichEditRig::RichEditRig(int width, int height) : rig(width, height), container(width, height) {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  CHECK(rig.app.LoadSystemNamedResource(provider) == 0u);
  rig.app.AddResProvider(provider);
  provider->Release();
  rig.root->SetContainer(&container);
  container.SetRoot(rig.root);
}

RichEditRig::~RichEditRig() {
  // The elements go with the element rig, after this container: they revoke their drop
  // targets from the rig's own.
  rig.root->SetContainer(&rig.container);
}

void RichEditRig::Load(const wchar_t* xml) { rig.Load(xml); }

SRichEdit* RichEditRig::Edit(LPCWSTR name) const {
  SWindow* wnd = rig.Find(name);
  REQUIRE(wnd->IsClass(SRichEdit::ClassName()));
  return static_cast<SRichEdit*>(wnd);
}

void RichEditRig::Type(SWindow* wnd, const std::wstring& text) {
  for (wchar_t ch : text) wnd->SSendMessage(WM_CHAR, ch, 1);
}

BOOL RichEditRig::Key(SWindow* wnd, UINT vk) {
  BOOL handled = FALSE;
  wnd->SSendMessage(WM_KEYDOWN, vk, 1, &handled);
  return handled;
}

void RichEditRig::Click(SWindow* wnd, int x, int y) {
  wnd->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  wnd->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

CHARRANGE RichEditRig::Selection(SWindow* wnd) {
  CHARRANGE range = {-1, -1};
  wnd->SSendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

int RichEditRig::CountInClient(SWindow* wnd, bool (*pred)(DWORD)) {
  rig.Paint();
  return rig.render.CountIn(wnd->GetClientRect(), pred);
}

std::pair<int, int> RichEditRig::RowsWith(SWindow* wnd, bool (*pred)(DWORD)) {
  rig.Paint();
  const RECT rc = wnd->GetClientRect();
  int first = -1;
  int last = -1;
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) {
      if (!pred(rig.Pixel(x, y))) continue;
      if (first < 0) first = y;
      last = y;
      break;
    }
  }
  return {first, last};
}

void ContextMenuWithKeys(RichEditRig& rig, SWindow* wnd, const std::vector<UINT>& keys) {
  HWND host = rig.container.GetHostHwnd();
  for (UINT key : keys) PostMessageW(host, WM_KEYDOWN, key, 0);
  const UINT_PTR guard = SetTimer(nullptr, 0, 5000, EndMenuLater);
  const RECT rc = wnd->GetClientRect();
  wnd->SSendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(rc.left + 5, rc.top + 5));
  KillTimer(nullptr, guard);
  MSG rest;
  while (PeekMessageW(&rest, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&rest);
}

bool IsWhite(DWORD px) { return (px & 0xFFFFFF) == 0xFFFFFF; }

bool IsInk(DWORD px) {
  const int r = (px >> 16) & 0xFF;
  const int g = (px >> 8) & 0xFF;
  const int b = px & 0xFF;
  return r + g + b < 3 * 160;
}
