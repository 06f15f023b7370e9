// Figures of the three layouts: one LayoutChildren over 1,000 children against a bare loop
// that hands the same children the same rectangles. The children are bare stand-ins of
// elements that answer a fixed desired size, so the figures are the layouts' own cost.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/SAutoRefPtr.h"
#include "layout/ILayout.h"
#include "layout/ILayoutElement.h"
#include "layout/SGridLayout.h"
#include "layout/SHBox.h"
#include "layout/SwuiLayout.h"

using namespace SWUI;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kChildren = 1000;

class Node : public ILayoutElement {
 public:
  Node(ILayout* layout, RECT layoutRect) : m_layoutRect(layoutRect) { m_layout.Attach(layout); }
  Node(ILayoutParam* param, SIZE desired) : m_desired(desired) { m_param.Attach(param); }

  Node* Add(const wchar_t* name, const std::wstring& value, SIZE desired) {
    m_children.emplace_back(new Node(m_layout->CreateLayoutParam(), desired));
    if (name != nullptr) {
      m_children.back()->m_param->SetAttribute(SStringW(name), SStringW(value.c_str()), TRUE);
    }
    m_children.back()->m_index = m_children.size() - 1;
    return m_children.back().get();
  }

  ILayoutElement* GetNextLayoutChild(const ILayoutElement* cur) const override {
    const size_t next = cur == nullptr ? 0 : static_cast<const Node*>(cur)->m_index + 1;
    return next < m_children.size() ? m_children[next].get() : nullptr;
  }
  ILayoutParam* GetLayoutParam() const override { return m_param.Get(); }
  int GetScale() const override { return 100; }
  int GetID() const override { return 0; }
  SIZE GetDesiredSize(int, int) override { return m_desired; }
  void OnRelayout(const RECT& rc) override { m_rect = rc; }
  void GetChildrenLayoutRect(RECT* prc) const override { *prc = m_layoutRect; }

  ILayout* Layout() const { return m_layout.Get(); }
  std::vector<std::unique_ptr<Node>>& Children() { return m_children; }
  const RECT& Rect() const { return m_rect; }

 private:
  SAutoRefPtr<ILayout> m_layout;
  SAutoRefPtr<ILayoutParam> m_param;
  RECT m_layoutRect{};
  SIZE m_desired{};
  RECT m_rect{};
  size_t m_index = 0;
  std::vector<std::unique_ptr<Node>> m_children;
};

// Microseconds per call of fn, over enough calls to take about a fifth of a second.
template <class Fn>
double MicrosPerCall(Fn fn) {
  fn();
  int calls = 0;
  const auto t0 = Clock::now();
  double secs = 0.0;
  do {
    fn();
    ++calls;
    secs = std::chrono::duration<double>(Clock::now() - t0).count();
  } while (secs < 0.2);
  return secs * 1e6 / calls;
}

void Report(const char* what, Node& parent) {
  const double layout = MicrosPerCall([&] { parent.Layout()->LayoutChildren(&parent); });
  std::vector<RECT> rects;
  for (auto& child : parent.Children()) rects.push_back(child->Rect());
  const double bare = MicrosPerCall([&] {
    for (size_t i = 0; i < rects.size(); ++i) parent.Children()[i]->OnRelayout(rects[i]);
  });
  std::printf("%s, %d children: layout %.1f us, bare %.2f us, ratio %.0f\n", what, kChildren,
              layout, bare, layout / bare);
}

}  // namespace

int main() {
  const RECT area{0, 0, 1024, 768};
  {
    Node parent(new SwuiLayout, area);
    for (int i = 0; i < kChildren; ++i) {
      parent.Add(L"pos", std::to_wstring(i % 40 * 25) + L"," + std::to_wstring(i / 40 * 30) + L",@20,@24",
                 SIZE{20, 24});
    }
    Report("anchor, explicit pos", parent);
  }
  {
    // Each child stands right of its previous sibling: every one waits for the one before.
    Node parent(new SwuiLayout, area);
    for (int i = 0; i < kChildren; ++i) parent.Add(nullptr, L"", SIZE{1, 24});
    Report("anchor, chained siblings", parent);
  }
  {
    Node parent(new SHBox, area);
    for (int i = 0; i < kChildren; ++i) {
      parent.Add(L"weight", i % 2 == 0 ? L"1" : L"0", SIZE{1, 24});
    }
    Report("hbox with weights", parent);
  }
  {
    Node parent(new SGridLayout, area);
    parent.Layout()->SetAttribute(SStringW(L"columnCount"), SStringW(L"40"), TRUE);
    for (int i = 0; i < kChildren; ++i) {
      parent.Add(L"columnWeight", L"1", SIZE{20, 24});
    }
    Report("grid, 40 columns", parent);
  }
  return 0;
}
