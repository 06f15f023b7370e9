#include "HostRig.h"

#include <doctest/doctest.h>

#include <algorithm>

using namespace SWUI;

HostRig::HostRig(BOOL imeEnabled) {
  IObjRef* obj = nullptr;
  REQUIRE(CreateRenderFactory_GDI(&obj));
  render = static_cast<IRenderFactory*>(obj);
  app = new SApplication(render, GetModuleHandleW(nullptr), L"SwuiHostTest", nullptr, imeEnabled);
}

HostRig::~HostRig() {
  delete app;
  render->Release();
}

FakeElement::FakeElement(RECT rect, FakeElement* parent)
    : rect_(rect), parent_(parent), handle_(SWindowMgr::NewWindow(this)) {
  if (parent_ != nullptr) {
    parent_->children_.push_back(this);
    host_ = parent_->host_;
    offset_ = parent_->offset_;
  }
}

FakeElement::~FakeElement() {
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  SWindowMgr::DestroyWindow(handle_);
}

size_t FakeElement::Count(UINT msg) const {
  return static_cast<size_t>(std::count_if(messages_.begin(), messages_.end(),
                                           [msg](const Message& m) { return m.msg == msg; }));
}

LRESULT FakeElement::SSendMessage(UINT msg, WPARAM wParam, LPARAM, BOOL* pbHandled) {
  messages_.push_back(Message{msg, wParam});
  if (pbHandled != nullptr) *pbHandled = TRUE;
  return 0;
}

// As the element tree hit-tests: outside the rectangle nothing, else the topmost child that
// answers, else the element itself.
SwndHandle FakeElement::SwndFromPoint(const POINT& pt, BOOL textOnly) {
  if (!PtInRect(&rect_, pt)) return 0;
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    if (SwndHandle hit = (*it)->SwndFromPoint(pt, textOnly)) return hit;
  }
  return handle_;
}

void FakeElement::ContainerFrameToHost(RECT& rc) const { OffsetRect(&rc, offset_.x, offset_.y); }

HWND FakeElement::ContainerHostHwnd() const { return host_; }
