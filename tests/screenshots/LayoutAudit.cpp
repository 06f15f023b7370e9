#include "LayoutAudit.h"

#include <algorithm>
#include <cstdio>

#include "IRenderTarget.h"
#include "base/SAutoRefPtr.h"
#include "control/SScrollView.h"
#include "control/STabCtrl.h"
#include "control/STabPage.h"
#include "core/SApplication.h"
#include "core/SHostWnd.h"
#include "core/SWindow.h"

using SWUI::IRenderTarget;
using SWUI::SAutoRefPtr;
using SWUI::SStringW;
using SWUI::SWindow;

namespace {

const wchar_t* const kTopBarPanels[] = {L"musicWnd", L"micWnd", L"effWnd", L"modeWnd"};

std::string Narrow(const SStringW& text) {
  std::string out;
  for (int i = 0; i < text.GetLength(); ++i) {
    const wchar_t c = text[i];
    if (c < 128) {
      out += static_cast<char>(c);
    } else {
      char code[12];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
      out += code;
    }
  }
  return out;
}

bool HasCjk(const SStringW& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] >= 0x2E80) return true;
  }
  return false;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Intersect(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

bool IsEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

SAutoRefPtr<IRenderTarget> MeasuringTarget() {
  SAutoRefPtr<IRenderTarget> rt;
  IRenderTarget* made = nullptr;
  SWUI::SApplication::getSingleton().GetRenderFactory()->CreateRenderTarget(&made, 0, 0);
  rt.Attach(made);
  return rt;
}

// The text's lines where it breaks them itself (a line feed, or backslash + "n" written out).
std::vector<SStringW> ExplicitLines(const SStringW& text) {
  std::vector<SStringW> lines(1);
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] == L'\n') {
      lines.emplace_back();
    } else if (text[i] == L'\\' && i + 1 < text.GetLength() && text[i + 1] == L'n') {
      lines.emplace_back();
      ++i;
    } else if (text[i] != L'\r') {
      lines.back() += text[i];
    }
  }
  return lines;
}

SIZE LineExtent(IRenderTarget* rt, const SStringW& line) {
  RECT rc = {0, 0, 0, 0};
  rt->DrawText(line, line.GetLength(), &rc, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

// The channel pages' own scroll views (the mic's two tabs are 21001 and 21007).
bool IsChannelPage(SWUI::SScrollView* view) {
  return view->GetID() >= 21000 && view->GetID() <= 21007;
}

}  // namespace

std::string LayoutAudit::Rect(const RECT& rc) {
  char text[64];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", rc.left, rc.top, rc.right, rc.bottom);
  return text;
}

std::string LayoutAudit::Describe(SWindow* element) {
  std::string out;
  const SStringW name = element->GetName();
  if (!name.IsEmpty()) out += "\"" + Narrow(name) + "\" ";
  if (element->GetID() != 0) out += "#" + std::to_string(element->GetID()) + " ";
  out += Narrow(element->GetObjectClass());
  const SStringW text = element->GetWindowText(FALSE);
  if (!text.IsEmpty()) out += " '" + Narrow(text) + "'";
  return out;
}

void LayoutAudit::Fail(const std::string& text) { failures_.push_back(where_ + ": " + text); }

void LayoutAudit::Check(SWUI::SHostWnd& host) {
  host_ = &host;
  SWindow* root = host.GetRoot();
  root->UpdateLayout();
  Walk(root);
  host_ = nullptr;
}

void LayoutAudit::Walk(SWindow* element) {
  if (!element->IsVisible(TRUE)) return;
  CheckText(element);
  CheckTabTitles(element);
  CheckSiblings(element);
  CheckScrollView(element);
  if (element->GetID() != 0 && !element->IsFloat()) CheckReach(element);
  for (SWindow* child = element->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    Walk(child);
  }
}

void LayoutAudit::CheckText(SWindow* element) {
  const SStringW text = element->GetWindowText(FALSE);
  if (text.IsEmpty() || element->IsClass(L"tabctrl")) return;
  RECT box;
  element->GetTextRect(&box);
  if (IsEmpty(box)) return;
  SAutoRefPtr<IRenderTarget> rt = MeasuringTarget();
  if (rt == nullptr) return;
  element->BeforePaintEx(rt);
  RECT measured = box;
  element->DrawText(rt, text, text.GetLength(), &measured, element->GetTextAlign() | DT_CALCRECT);
  const int width = measured.right - measured.left;
  const int height = measured.bottom - measured.top;
  if (width > box.right - box.left || height > box.bottom - box.top) {
    RECT extent = {box.left, box.top, box.left + width, box.top + height};
    Fail("text does not fit: " + Describe(element) + " in " + Rect(box) + ", needs " +
         Rect(extent));
    return;
  }
  // Character wrapping may break a word; a word-spaced text says where its lines end, and
  // every one of them must fit.
  if (!element->IsClass(L"text") || HasCjk(text)) return;
  for (const SStringW& line : ExplicitLines(text)) {
    const SIZE size = LineExtent(rt, line);
    if (size.cx > box.right - box.left) {
      RECT extent = {box.left, box.top, box.left + size.cx, box.top + size.cy};
      Fail("a line is broken inside a word: " + Describe(element) + " line '" + Narrow(line) +
           "' in " + Rect(box) + ", needs " + Rect(extent));
    }
  }
}

void LayoutAudit::CheckTabTitles(SWindow* element) {
  auto* tabs = dynamic_cast<SWUI::STabCtrl*>(element);
  if (tabs == nullptr) return;
  RECT strip;
  tabs->GetTitleRect(&strip);
  if (IsEmpty(strip)) return;
  SAutoRefPtr<IRenderTarget> rt = MeasuringTarget();
  if (rt == nullptr) return;
  tabs->BeforePaintEx(rt);
  for (int i = 0; i < tabs->GetItemCount(); ++i) {
    RECT item;
    if (!tabs->GetItemRect(i, &item) || IsEmpty(item)) continue;
    const SStringW title = tabs->GetItem(i)->GetTitle();
    SIZE need = {0, 0};
    if (item.bottom - item.top > item.right - item.left) {
      // A tall tab stacks its title one character under the other.
      for (int c = 0; c < title.GetLength(); ++c) {
        const SIZE ch = LineExtent(rt, title.Mid(c, 1));
        need.cx = need.cx > ch.cx ? need.cx : ch.cx;
        need.cy += ch.cy;
      }
    } else {
      need = LineExtent(rt, title);
    }
    if (need.cx > item.right - item.left || need.cy > item.bottom - item.top) {
      RECT extent = {item.left, item.top, item.left + need.cx, item.top + need.cy};
      Fail("tab title does not fit: " + Describe(element) + " tab '" + Narrow(title) + "' in " +
           Rect(item) + ", needs " + Rect(extent));
    }
  }
}

void LayoutAudit::CheckSiblings(SWindow* parent) {
  std::vector<SWindow*> holders;
  for (SWindow* child = parent->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    if (child->IsVisible(TRUE) && child->GetWindow(SWUI::GSW_FIRSTCHILD) != nullptr &&
        !IsEmpty(child->GetWindowRect())) {
      holders.push_back(child);
    }
  }
  for (size_t i = 0; i < holders.size(); ++i) {
    for (size_t j = i + 1; j < holders.size(); ++j) {
      const RECT a = holders[i]->GetWindowRect();
      const RECT b = holders[j]->GetWindowRect();
      if (Intersect(a, b)) {
        Fail("siblings overlap: " + Describe(holders[i]) + " " + Rect(a) + " and " +
             Describe(holders[j]) + " " + Rect(b));
      }
    }
  }
}

SWUI::SScrollView* LayoutAudit::MainBar() const {
  return dynamic_cast<SWUI::SScrollView*>(host_->GetRoot()->FindChildByName(L"main_scrollview"));
}

void LayoutAudit::CheckScrollView(SWindow* element) {
  auto* view = dynamic_cast<SWUI::SScrollView*>(element);
  if (view == nullptr) return;
  if (view->HasScrollBar(TRUE)) CheckBar(view, view, true);
  // A channel page's sideways bar is drawn by the main window's.
  if (view->HasScrollBar(FALSE)) CheckBar(view, IsChannelPage(view) ? MainBar() : view, false);
  if (IsChannelPage(view)) CheckPageFill(view);
}

void LayoutAudit::CheckBar(SWUI::SScrollView* view, SWUI::SScrollView* bar, bool vertical) {
  const char* const way = vertical ? "vertical" : "horizontal";
  const RECT client = view->GetClientRect();
  const SIZE size = view->GetViewSize();
  const int overflow = vertical ? size.cy - (client.bottom - client.top)
                                : size.cx - (client.right - client.left);
  if (overflow < kRowHeight) {
    Fail(std::string("a ") + way + " scroll bar for " + std::to_string(overflow) +
         " pixels: " + Describe(view) + " client " + Rect(client) + ", view " +
         std::to_string(size.cx) + "x" + std::to_string(size.cy));
  }
  const RECT rc = bar != nullptr ? bar->GetScrollBarRect(vertical ? TRUE : FALSE) : RECT{};
  const int thickness = vertical ? rc.right - rc.left : rc.bottom - rc.top;
  if (thickness < kVisibleBar) {
    Fail(std::string("a ") + way + " scroll bar hard to find: " + Describe(view) + " bar " +
         Rect(rc) + ", " + std::to_string(thickness) + " pixels thick");
  }
}

void LayoutAudit::CheckPageFill(SWUI::SScrollView* page) {
  const RECT client = page->GetClientRect();
  const POINT origin = page->GetViewOrigin();
  const SIZE size = page->GetViewSize();
  RECT content = {0, 0, 0, 0};
  for (SWindow* child = page->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    if (!child->IsVisible(TRUE)) continue;
    const RECT rc = child->GetWindowRect();
    UnionRect(&content, &content, &rc);
  }
  OffsetRect(&content, origin.x - client.left, origin.y - client.top);
  // What the user sees is the larger of the view and the client area.
  const LONG width = std::max<LONG>(size.cx, client.right - client.left);
  const LONG height = std::max<LONG>(size.cy, client.bottom - client.top);
  if (content.right - content.left < kFilled * width ||
      content.bottom - content.top < kFilled * height) {
    Fail("the content leaves its page empty: " + Describe(page) + " content " + Rect(content) +
         " in " + std::to_string(width) + "x" + std::to_string(height));
  }
}

bool LayoutAudit::Reaches(SWUI::SScrollView* view, const RECT& rc, std::string* why) const {
  const RECT client = view->GetClientRect();
  const POINT origin = view->GetViewOrigin();
  const SIZE size = view->GetViewSize();
  const RECT content = {client.left - origin.x, client.top - origin.y,
                        client.left - origin.x + size.cx, client.top - origin.y + size.cy};
  if (!Contains(content, rc)) {
    *why = "outside the scroll view's content " + Rect(content);
    return false;
  }
  const bool outX = rc.left < client.left || rc.right > client.right;
  const bool outY = rc.top < client.top || rc.bottom > client.bottom;
  if (outY && !view->HasScrollBar(TRUE)) {
    *why = "below the scroll view's client " + Rect(client) + ", which shows no vertical bar";
    return false;
  }
  if (!outX) return true;
  if (!IsChannelPage(view)) {
    if (view->HasScrollBar(FALSE)) return true;
    *why = "beside the scroll view's client " + Rect(client) + ", which shows no horizontal bar";
    return false;
  }
  // A channel page scrolls sideways with the main window's bar.
  SWUI::SScrollView* bar = MainBar();
  RECT window;
  ::GetClientRect(host_->m_hWnd, &window);
  // The bar scrolls the page by its own position: its range must reach the page's far edge.
  const RECT barClient = bar != nullptr ? bar->GetClientRect() : RECT{};
  const int barRange = bar != nullptr ? bar->GetViewSize().cx - (barClient.right - barClient.left) : 0;
  const int pageRange = size.cx - (client.right - client.left);
  if (bar == nullptr || !bar->IsVisible(TRUE) || !bar->HasScrollBar(FALSE) ||
      barRange < pageRange || !Contains(window, bar->GetWindowRect())) {
    *why = "beside the page's client " + Rect(client) +
           " and \"main_scrollview\" shows no bar that scrolls the page's width " +
           std::to_string(size.cx) + " (a range of " + std::to_string(pageRange) + ", the bar's " +
           std::to_string(barRange) + ")";
    return false;
  }
  return true;
}

void LayoutAudit::CheckReach(SWindow* element) {
  RECT rc = element->GetWindowRect();
  if (IsEmpty(rc)) return;
  std::string why;
  for (SWindow* parent = element->GetParent(); parent != nullptr; parent = parent->GetParent()) {
    if (auto* view = dynamic_cast<SWUI::SScrollView*>(parent)) {
      if (!Reaches(view, rc, &why)) {
        Fail("cannot be reached: " + Describe(element) + " " + Rect(rc) + ": " + why);
        return;
      }
      rc = view->GetWindowRect();
      continue;
    }
    const RECT outer = parent->GetWindowRect();
    if (!Contains(outer, rc)) {
      Fail("cut by its parent: " + Describe(element) + " " + Rect(element->GetWindowRect()) +
           " in " + Describe(parent) + " " + Rect(outer));
      return;
    }
  }
  RECT window;
  ::GetClientRect(host_->m_hWnd, &window);
  if (!Contains(window, rc)) {
    Fail("outside the window: " + Describe(element) + " " + Rect(rc) + " in the client " +
         Rect(window));
  }
}

void LayoutAudit::CheckTopBar(SWUI::SHostWnd& host) {
  SWindow* root = host.GetRoot();
  root->UpdateLayout();
  SWindow* bar = root->FindChildByName(L"main_volume");
  if (bar == nullptr) {
    Fail("no \"main_volume\"");
    return;
  }
  const RECT outer = bar->GetWindowRect();
  std::vector<SWindow*> panels;
  for (const wchar_t* name : kTopBarPanels) {
    SWindow* panel = bar->FindChildByName(name);
    if (panel == nullptr) {
      Fail("no top-bar panel \"" + Narrow(name) + "\"");
      continue;
    }
    if (!Contains(outer, panel->GetWindowRect())) {
      Fail("top-bar panel outside the bar: " + Describe(panel) + " " +
           Rect(panel->GetWindowRect()) + " in " + Rect(outer));
    }
    panels.push_back(panel);
  }
  for (size_t i = 0; i < panels.size(); ++i) {
    for (size_t j = i + 1; j < panels.size(); ++j) {
      if (Intersect(panels[i]->GetWindowRect(), panels[j]->GetWindowRect())) {
        Fail("top-bar panels overlap: " + Describe(panels[i]) + " " +
             Rect(panels[i]->GetWindowRect()) + " and " + Describe(panels[j]) + " " +
             Rect(panels[j]->GetWindowRect()));
      }
    }
  }
}
