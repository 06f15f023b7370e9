// The application's progress bar ("zuprogress"): the background skin over the element and the
// position skin over the filled part, which grows from the left, or from the bottom of a
// vertical bar. No percentage text.
#pragma once
#include <windows.h>

#include "control/SProgress.h"

class ZuProgress : public SWUI::SProgress {
  SWUI_CLASS_NAME(SWUI::SProgress, L"zuprogress")

 public:
  // The first length pixels of the client rectangle along the bar: from the left, or up from
  // the bottom of a vertical bar.
  static RECT FilledRect(const RECT& client, BOOL vertical, int length);

 protected:
  void OnPaint(SWUI::IRenderTarget* pRT);
  // The filled part for the current value.
  RECT GetFilledRect() const;

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SProgress)
};
