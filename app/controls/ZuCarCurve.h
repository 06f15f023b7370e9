// The speaker view's drawing over the grid, through GDI+ with anti-aliasing: the car's outline,
// the sound space (a dotted circle around the listener out to the farthest speaker) and, for
// each shown speaker, a dotted line from its virtual point to it and a solid line from the
// listener to it. It draws what its view computed; without a view it draws nothing.
// Colours are red, green, blue and alpha bytes; an alpha of 0 draws nothing.
#pragma once
#include <windows.h>

#include "core/SWindow.h"

class ZuCar;

class ZuCarCurve : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zucarcurve")

 public:
  // "lineWidth", "colorCar", "colorVirt", "colorSoundSpace", "colorSpeakser".
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SWindow::SetAttribute;

  void SetCar(const ZuCar* car) { car_ = car; }

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  void OnPaint(SWUI::IRenderTarget* pRT);

  int lineWidth_ = 2;
  COLORREF colorCar_ = 0x0000FF00;         // green, alpha 0
  COLORREF colorVirt_ = 0xFF00FFFF;        // yellow
  COLORREF colorSoundSpace_ = 0x00FF00FF;  // magenta, alpha 0
  COLORREF colorSpeakser_ = 0xFFAAAAFF;    // red 255, green and blue 170
  const ZuCar* car_ = nullptr;
};
