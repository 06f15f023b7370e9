#include "MenuExRig.h"

#include <cwchar>

#include "PrivateDesktop.h"
#include "control/SMenuExItem.h"
#include "core/EventArgs.h"
#include "base/SXmlMark.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

namespace {

const wchar_t kOwnerClass[] = L"TevaroMenuExTestOwner";
RECT g_screen = {0, 0, 1024, 768};

PrivateDesktop g_desktop(L"TevaroMenuExTest");

}  // namespace

const wchar_t kTestMenu[] =
    L"<menuRoot colorBkgnd='#ffffff' trCtx='test_ctx' textOffset='6'>"
    L" <menuItem id='1' text='One' hotKey='o'/>"
    L" <menuItem id='2' text='Two' hotKey='T'/>"
    L" <menuItem text='More'>"
    L"  <menuItem id='31' text='Thirty-one'/>"
    L"  <menuItem id='32' text='Thirty-two' hotKey='x'/>"
    L" </menuItem>"
    L" <sep/>"
    L" <menuItem id='4' text='Four'/>"
    L" <menuItem id='5' text='Five' enable='0' hotKey='f'/>"
    L"</menuRoot>";

// ---- OwnerWnd ----------------------------------------------------------------------------

OwnerWnd::OwnerWnd(RECT rc) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &OwnerWnd::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kOwnerClass;
  RegisterClassW(&wc);
  hwnd = CreateWindowExW(0, kOwnerClass, L"owner", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                         rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                         GetModuleHandleW(nullptr), this);
  REQUIRE(hwnd != nullptr);
}

OwnerWnd::~OwnerWnd() { DestroyWindow(hwnd); }

void OwnerWnd::Clear() {
  initLevels.clear();
  initIndexes.clear();
  commands.clear();
  eventIds.clear();
  eventFrom.clear();
  presses = 0;
}

LRESULT CALLBACK OwnerWnd::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<OwnerWnd*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hWnd, msg, wParam, lParam);
  switch (msg) {
    case WM_INITMENUPOPUP:
      self->initLevels.push_back(reinterpret_cast<SMenuEx*>(wParam));
      self->initIndexes.push_back(lParam);
      return 0;
    case WM_COMMAND:
      self->commands.push_back(LOWORD(wParam));
      return 0;
    case UM_HANDLEEVENT: {
      auto* evt = reinterpret_cast<EventArgs*>(lParam);
      self->eventIds.push_back(evt->GetID());
      self->eventFrom.push_back(evt->idFrom);
      return 0;
    }
    case WM_LBUTTONDOWN:
      ++self->presses;
      return 0;
    default:
      return DefWindowProcW(hWnd, msg, wParam, lParam);
  }
}

// ---- ScopedScreen ------------------------------------------------------------------------

ScopedScreen::ScopedScreen(RECT rc) {
  g_screen = rc;
  old_ = SMonitorAreaApi::Bind(&ScopedScreen::Area);
}

ScopedScreen::~ScopedScreen() { SMonitorAreaApi::Bind(old_); }

BOOL ScopedScreen::Area(HWND, SMonitorArea* area) {
  area->rcMonitor = g_screen;
  area->rcWork = g_screen;
  return TRUE;
}

// ---- MenuExRig ---------------------------------------------------------------------------

MenuExRig::MenuExRig(bool programLook) : h(true) {
  if (programLook) {
    auto* provider = new SResProviderPE();
    REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
    h.app.AddResProvider(provider, L"uidef:xml_init");
    provider->Release();
  }
}

void MenuExRig::Load(SMenuEx& menu, const wchar_t* xml) {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(xml));
  REQUIRE(menu.IniMenu(doc.first_child(), owner.hwnd));
  SXmlMark::ClearMarks(doc);
}

void MenuExRig::PostKeys(std::initializer_list<UINT> keys) {
  for (UINT vk : keys) REQUIRE(PostMessageW(owner.hwnd, WM_KEYDOWN, vk, 1));
}

int MenuExRig::Track(SMenuEx& menu, UINT flags, POINT pt, std::vector<ModalDriver::Step> steps,
                     int scale) {
  int result = 0;
  {
    ModalDriver drive(std::move(steps), 3000);
    result = menu.TrackPopupMenu(flags, pt.x, pt.y, owner.hwnd, scale);
    CHECK_FALSE(drive.TimedOut());
    CHECK(drive.Finished());
  }
  h.Drain();
  return result;
}

TestMenu::TestMenu() {
  rig.Load(menu, kTestMenu);
  more = menu.FindItem(2, MF_BYPOSITION);
  REQUIRE(more != nullptr);
  sub = more->GetSubMenu();
  REQUIRE(sub != nullptr);
}

RECT WindowRectOf(const SMenuEx& level) {
  RECT rc = {0, 0, 0, 0};
  GetWindowRect(level.m_hWnd, &rc);
  return rc;
}
