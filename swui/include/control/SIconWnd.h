// A native icon ("icon") drawn over the client rectangle. The element owns its icon and
// destroys it when it is replaced or the element goes.
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SIconWnd : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"icon")

 public:
  SIconWnd() = default;
  ~SIconWnd() override;

  // "src": an icon the resource manager loads ("name" or "name:size"); one that does not
  // load is refused and the icon stays. Then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;

  // Takes ownership of another icon (the old one is destroyed) and repaints; an element that
  // wraps its content is laid out again.
  void SetIcon(HICON hIcon);
  HICON GetIcon() const { return m_theIcon; }

  // Twice the icon's hot spot on the axes that wrap content; 0 x 0 without an icon.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  void OnPaint(IRenderTarget* pRT);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWindow)

  HICON m_theIcon = nullptr;
};

}  // namespace SWUI
