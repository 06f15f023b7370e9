#include "FakeElement.h"

using namespace SWUI;

FakeElement::FakeElement(ILayout* layout, RECT rc) : layoutRect(rc) { m_layout.Attach(layout); }

FakeElement::~FakeElement() = default;

FakeElement& FakeElement::AddChild(const std::wstring& attributes, SIZE size, int childId) {
  std::unique_ptr<FakeElement> child(new FakeElement());
  child->m_param.Attach(m_layout->CreateLayoutParam());
  child->desired = size;
  child->id = childId;
  ApplyAttributes(child->m_param.Get(), attributes);
  m_children.push_back(std::move(child));
  return *m_children.back();
}

HRESULT ApplyAttributes(IObject* object, const std::wstring& attributes) {
  HRESULT hr = S_OK;
  size_t start = 0;
  while (start < attributes.size()) {
    size_t end = attributes.find(L';', start);
    if (end == std::wstring::npos) end = attributes.size();
    const std::wstring piece = attributes.substr(start, end - start);
    const size_t eq = piece.find(L'=');
    hr = object->SetAttribute(SStringW(piece.substr(0, eq).c_str()),
                               SStringW(piece.substr(eq + 1).c_str()), TRUE);
    start = end + 1;
  }
  return hr;
}

ILayoutElement* FakeElement::GetNextLayoutChild(const ILayoutElement* pCurChild) const {
  size_t i = 0;
  if (pCurChild != nullptr) {
    while (i < m_children.size() && m_children[i].get() != pCurChild) ++i;
    ++i;
  }
  for (; i < m_children.size(); ++i) {
    if (m_children[i]->inLayout) return m_children[i].get();
  }
  return nullptr;
}

SIZE FakeElement::GetDesiredSize(int nParentWid, int nParentHei) {
  desireAsked.emplace_back(nParentWid, nParentHei);
  return desire ? desire(nParentWid, nParentHei) : desired;
}

void FakeElement::OnRelayout(const RECT& rcWnd) {
  rect = rcWnd;
  ++relayouts;
}
