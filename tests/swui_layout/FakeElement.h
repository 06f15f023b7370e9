// A small element tree for layout tests: each node answers what a layout asks of an element
// (its layout children, parameter, scale, id, desired size, layout rectangle) and records the
// rectangles and desired-size questions it receives.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/SAutoRefPtr.h"
#include "layout/ILayout.h"
#include "layout/ILayoutElement.h"

// Applies "name=value" pieces separated by ';' to an object; returns the last result.
HRESULT ApplyAttributes(SWUI::IObject* object, const std::wstring& attributes);

class FakeElement : public SWUI::ILayoutElement {
 public:
  // A root whose children the given layout places inside layoutRect (the layout is taken
  // over: the root holds the one reference it came with).
  FakeElement(SWUI::ILayout* layout, RECT layoutRect);
  FakeElement(const FakeElement&) = delete;
  FakeElement& operator=(const FakeElement&) = delete;
  ~FakeElement();

  // A new child with a parameter of this element's layout, its attributes applied
  // ("name=value" pieces separated by ';'), answering `desired` when asked its size.
  FakeElement& AddChild(const std::wstring& attributes = L"", SIZE desired = SIZE{0, 0}, int id = 0);
  // Gives this element a parameter of its own (as its parent's layout would).
  void TakeParam(SWUI::ILayoutParam* param) { m_param.Attach(param); }

  FakeElement& Child(size_t index) { return *m_children[index]; }
  SWUI::ILayout* Layout() const { return m_layout.Get(); }
  void RunLayout() { m_layout->LayoutChildren(this); }
  SIZE Measure(int width, int height) { return m_layout->MeasureChildren(this, width, height); }

  // ILayoutElement
  ILayoutElement* GetNextLayoutChild(const ILayoutElement* pCurChild) const override;
  SWUI::ILayoutParam* GetLayoutParam() const override { return m_param.Get(); }
  int GetScale() const override { return scale; }
  int GetID() const override { return id; }
  SIZE GetDesiredSize(int nParentWid, int nParentHei) override;
  void OnRelayout(const RECT& rcWnd) override;
  void GetChildrenLayoutRect(RECT* prc) const override { *prc = layoutRect; }

  // What the element answers and what it was told.
  int id = 0;
  int scale = 100;
  bool inLayout = true;  // yielded by the parent's GetNextLayoutChild
  SIZE desired{0, 0};
  std::function<SIZE(int, int)> desire;  // when set, answers instead of `desired`
  RECT layoutRect{0, 0, 0, 0};
  RECT rect{0, 0, 0, 0};
  int relayouts = 0;
  std::vector<std::pair<int, int>> desireAsked;

 private:
  FakeElement() = default;

  SWUI::SAutoRefPtr<SWUI::ILayout> m_layout;
  SWUI::SAutoRefPtr<SWUI::ILayoutParam> m_param;
  std::vector<std::unique_ptr<FakeElement>> m_children;
};
