// Start and limit volumes of music, microphone and effect ("LAYOUT:XML_VOLUMELIMIT"): six
// sliders (2010 .. 2015) with their value texts (4010 .. 4015) over six consecutive one-byte
// rows. Every move is written to the current image at once (and so queued for the device in a
// session); a start volume never rises above its limit, and a limit pulled below its start
// volume takes the start volume down with it. Closing keeps what was moved.
#pragma once
#include "CCommonEventHandler.h"
#include "HidDevice/ParamRows.h"

namespace SWUI {
class SWindow;
}  // namespace SWUI

class CDeviceController;
class ZuSlider;

class CDlgVolumeLimitEventHandler : public CCommonEventHandler {
 public:
  static constexpr int kCount = 6;
  static constexpr int kFirstSlider = 2010;
  static constexpr int kFirstText = 4010;
  // Even entries are start volumes, each followed by its limit.
  static constexpr int kFirstRow = ParamRow::SysMusicStartVolume;

  CDlgVolumeLimitEventHandler();

  void OnInit(SWUI::SHostDialog* dialog);
  bool _HandleEvent(SWUI::EventArgs* evt) override;

 private:
  // Slider i moved to v.
  void OnMove(int i, int v);
  // Row i of the image takes v, which its text (and, when asked, its slider) shows.
  void Write(int i, int v, bool slider);
  void Display(int i, int v, bool slider);
  int Value(int i) const;

  CDeviceController& m_controller;
  ZuSlider* m_sliders[kCount] = {};
  SWUI::SWindow* m_texts[kCount] = {};
};
