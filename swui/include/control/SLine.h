// A straight line ("hr"; its class test also answers "line") across the top, down the left
// side or along the diagonal of its rectangle, in a pen style, width and colour.
#pragma once
#include <cwchar>

#include "core/SWindow.h"

namespace SWUI {

class SLine : public SWindow {
 public:
  static LPCWSTR ClassName() { return L"hr"; }
  static LPCWSTR BaseClassName() { return SWindow::ClassName(); }
  static int ClassType() { return SWindow::ClassType(); }
  LPCWSTR GetObjectClass() const override { return ClassName(); }
  int GetObjectType() const override { return ClassType(); }
  BOOL IsClass(LPCWSTR className) const override {
    if (className != nullptr &&
        (std::wcscmp(className, L"hr") == 0 || std::wcscmp(className, L"line") == 0)) {
      return TRUE;
    }
    return SWindow::IsClass(className);
  }

  // Directions of "mode".
  enum { kHorizontal = 0, kVertical = 1, kTilt = 2 };

  SLine() = default;

  // "colorLine" (an empty value E_FAIL), "size", "lineStyle" ("solid", "dash", "dot",
  // "dashdot", "dashdotdot"), "mode" ("horizontal", "vertical", "tilt"; other words E_FAIL),
  // then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;

 protected:
  void OnPaint(IRenderTarget* pRT);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWindow)

  int m_nLineStyle = PS_SOLID;
  int m_nLineSize = 1;
  COLORREF m_crLine = 0xFF000000;
  int m_mode = kHorizontal;
};

}  // namespace SWUI
