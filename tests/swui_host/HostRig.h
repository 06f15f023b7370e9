// The application that native windows, element handles and timers need, and a small fake
// element tree standing in for SWindow where the host services need elements.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "PumpUntil.h"
#include "RenderModule.h"
#include "core/ISwndElement.h"
#include "core/SApplication.h"
#include "core/SWindowMgr.h"

// An application over the GDI render factory, for one test.
struct HostRig {
  explicit HostRig(BOOL imeEnabled = FALSE);
  ~HostRig();
  HostRig(const HostRig&) = delete;
  HostRig& operator=(const HostRig&) = delete;

  SWUI::IRenderFactory* render = nullptr;
  SWUI::SApplication* app = nullptr;
};


// An element with a window rectangle (its client rectangle too) in container coordinates, a
// parent and children; it takes a handle from the window manager for its lifetime and records
// the element messages it is sent.
class FakeElement : public SWUI::ISwndElement {
 public:
  struct Message {
    UINT msg;
    WPARAM wParam;
  };

  explicit FakeElement(RECT rect, FakeElement* parent = nullptr);
  virtual ~FakeElement();
  FakeElement(const FakeElement&) = delete;
  FakeElement& operator=(const FakeElement&) = delete;

  SWUI::SwndHandle Handle() const { return handle_; }
  const std::vector<Message>& Messages() const { return messages_; }
  size_t Count(UINT msg) const;

  // The host window and the offset that the container's frame-to-host conversion adds.
  void SetHost(HWND host, POINT offset = POINT{0, 0}) {
    host_ = host;
    offset_ = offset;
  }

  LRESULT SSendMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL* pbHandled) override;
  void GetClientRect(LPRECT prc) const override { *prc = rect_; }
  SWUI::ISwndElement* GetParentElement() const override { return parent_; }
  SWUI::SwndHandle SwndFromPoint(const POINT& pt, BOOL textOnly) override;
  void ContainerFrameToHost(RECT& rc) const override;
  HWND ContainerHostHwnd() const override;

 private:
  RECT rect_;
  FakeElement* parent_;
  std::vector<FakeElement*> children_;
  SWUI::SwndHandle handle_;
  std::vector<Message> messages_;
  HWND host_ = nullptr;
  POINT offset_ = {0, 0};
};
