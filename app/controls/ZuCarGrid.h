// The speaker view's grid: the two axes, a labelled tick per grid step (metres, "%.01f") up the
// left margin and along the bottom margin, and two dotted guide lines through the view's guide
// point (the listener). It draws on the view's attribute block, which the view hands it;
// without one it draws nothing. Labels take the element's text colour and font.
#pragma once
#include <windows.h>

#include "controls/CarPlotGeometry.h"
#include "core/SWindow.h"

class ZuCarGrid : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zucargrid")

 public:
  // "widthGuidLine", "colorGuidLine", "widthCoords", "colorCoords".
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SWindow::SetAttribute;

  void SetGeometry(const CarPlotGeometry* geometry) { geometry_ = geometry; }

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  void OnPaint(SWUI::IRenderTarget* pRT);
  void DrawScales(SWUI::IRenderTarget* pRT, const RECT& rc, const RECT& area);

  int widthGuidLine_ = 1;
  COLORREF colorGuidLine_ = 0xFF303030;  // red, green, blue 48, alpha 255
  int widthCoords_ = 1;
  COLORREF colorCoords_ = 0xFF303030;
  const CarPlotGeometry* geometry_ = nullptr;
};
