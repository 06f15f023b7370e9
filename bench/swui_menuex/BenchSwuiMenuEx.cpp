// The skinned popup menu against a native popup menu of the same shape: 3 levels, 50 items (10
// at the top, the first four of them opening 5 items each, the first two of those opening 10
// each), each beside the native menu run in the same process:
// - load: the menu built from its parsed XML (the top level's window and tree; the levels
//   below are built when they first show) and destroyed, against the native menus made with
//   AppendMenuW and destroyed;
// - show and dismiss: Down, Right, Right open the three levels, three Escapes close them, the
//   keys posted before the menu runs (each level is shown and drawn), against the native
//   TrackPopupMenu with the same keys;
// - the whole first use: load, show the three levels, dismiss and destroy, against the native
//   menus made, tracked with the same keys and destroyed.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <pugixml.hpp>
#include <string>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "control/SMenuEx.h"
#include "core/SApplication.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

constexpr double kBudgetMs = 400.0;
constexpr int kTop = 10;
constexpr int kOpeners = 4;
constexpr int kMiddle = 5;
constexpr int kInnerOpeners = 2;
constexpr int kInner = 10;
static_assert(kTop + kOpeners * kMiddle + kInnerOpeners * kInner == 50, "50 items");

int g_initPopups = 0;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITMENUPOPUP) ++g_initPopups;
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

std::wstring Item(int id) {
  return L"<menuItem id='" + std::to_wstring(id) + L"' text='Item " + std::to_wstring(id) + L"'/>";
}

std::wstring MenuXml() {
  std::wstring xml = L"<menuRoot colorBkgnd='#ffffff' iconPos='4'>";
  int id = 100;
  for (int i = 0; i < kTop; ++i) {
    if (i >= kOpeners) {
      xml += Item(++id);
      continue;
    }
    xml += L"<menuItem text='Opens " + std::to_wstring(i) + L"'>";
    for (int j = 0; j < kMiddle; ++j) {
      if (i < kInnerOpeners && j == 0) {
        xml += L"<menuItem text='Opens more'>";
        for (int k = 0; k < kInner; ++k) xml += Item(++id);
        xml += L"</menuItem>";
      } else {
        xml += Item(++id);
      }
    }
    xml += L"</menuItem>";
  }
  return xml + L"</menuRoot>";
}

void AppendItem(HMENU menu, int id) {
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), (L"Item " + std::to_wstring(id)).c_str());
}

HMENU NativeMenu() {
  HMENU top = CreatePopupMenu();
  int id = 100;
  for (int i = 0; i < kTop; ++i) {
    if (i >= kOpeners) {
      AppendItem(top, ++id);
      continue;
    }
    HMENU middle = CreatePopupMenu();
    for (int j = 0; j < kMiddle; ++j) {
      if (i < kInnerOpeners && j == 0) {
        HMENU inner = CreatePopupMenu();
        for (int k = 0; k < kInner; ++k) AppendItem(inner, ++id);
        AppendMenuW(middle, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), L"Opens more");
      } else {
        AppendItem(middle, ++id);
      }
    }
    AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(middle),
                (L"Opens " + std::to_wstring(i)).c_str());
  }
  return top;
}

void PostOpenAndClose(HWND owner) {
  for (UINT vk : {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_ESCAPE, VK_ESCAPE, VK_ESCAPE}) {
    PostMessageW(owner, WM_KEYDOWN, vk, 1);
  }
}

void Report(const char* what, const bench::Timing& t) {
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %6.2f\n", what, t.ours, t.bare,
         t.bare > 0 ? t.ours / t.bare : 0.0);
}

void Run(HWND owner) {
  pugi::xml_document doc;
  if (!doc.load_string(MenuXml().c_str())) return;
  const bench::Timing load = bench::BestOfAlternating(
      [&] {
        SMenuEx menu;
        menu.IniMenu(doc.first_child(), owner);
      },
      [] { DestroyMenu(NativeMenu()); }, kBudgetMs);
  Report("load and destroy, 3 levels, 50 items", load);

  SMenuEx menu;
  if (!menu.IniMenu(doc.first_child(), owner)) {
    printf("the menu could not be built\n");
    return;
  }
  SXmlMark::ClearMarks(doc);
  HMENU native = NativeMenu();
  // Both must really open the three levels and end dismissed.
  g_initPopups = 0;
  PostOpenAndClose(owner);
  const int ours = menu.TrackPopupMenu(TPM_RETURNCMD, 100, 100, owner);
  const int oursLevels = g_initPopups;
  g_initPopups = 0;
  SetForegroundWindow(owner);
  PostOpenAndClose(owner);
  const int bare = TrackPopupMenu(native, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
  printf("levels opened: ours %d, native %d; results %d, %d\n", oursLevels, g_initPopups, ours,
         bare);

  const bench::Timing show = bench::BestOfAlternating(
      [&] {
        PostOpenAndClose(owner);
        menu.TrackPopupMenu(TPM_RETURNCMD, 100, 100, owner);
      },
      [&] {
        SetForegroundWindow(owner);
        PostOpenAndClose(owner);
        TrackPopupMenu(native, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
      },
      kBudgetMs);
  Report("show three levels and dismiss", show);
  DestroyMenu(native);

  const bench::Timing firstUse = bench::BestOfAlternating(
      [&] {
        SMenuEx fresh;
        fresh.IniMenu(doc.first_child(), owner);
        PostOpenAndClose(owner);
        fresh.TrackPopupMenu(TPM_RETURNCMD, 100, 100, owner);
      },
      [&] {
        HMENU made = NativeMenu();
        SetForegroundWindow(owner);
        PostOpenAndClose(owner);
        TrackPopupMenu(made, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
        DestroyMenu(made);
      },
      kBudgetMs);
  Report("load, show three levels, dismiss, destroy", firstUse);
}

}  // namespace

int main() {
  // Other programs under the same Wine server must not take the foreground from the owner
  // (the menus would end at once): a desktop of our own.
  wchar_t name[64];
  swprintf(name, 64, L"TevaroMenuExBench%lu", GetCurrentProcessId());
  if (HDESK desk = CreateDesktopW(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr)) {
    SetThreadDesktop(desk);
  }
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  SApplication app(factory, GetModuleHandleW(nullptr));
  if (!bench::LoadBuiltInResources(app, true)) return 1;

  WNDCLASSW wc = {};
  wc.lpfnWndProc = &OwnerProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TevaroMenuExBenchOwner";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, wc.lpszClassName, L"owner", WS_POPUP | WS_VISIBLE, 10, 10, 200,
                               100, nullptr, nullptr, wc.hInstance, nullptr);
  if (owner == nullptr) return 1;
  Run(owner);
  DestroyWindow(owner);
  return 0;
}
