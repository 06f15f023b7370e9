// The application's plain value tip: one reference-counted process-wide popup, shown by the
// application slider next to its thumb. It lives from the first AddRef, which makes its window,
// to the last Release; it keeps inside the work area of its monitor. UI thread only.
#pragma once
#include <windows.h>

#include "core/STipWndBase.h"

class SSimpleToolTip : public SWUI::STipWndBase {
 public:
  // The one instance, made without a window on first use.
  static SSimpleToolTip* GetInstance();

  // The first reference makes the window "simple tooltip" and its font.
  LONG AddRef();
  // The last one destroys the window and the instance.
  LONG Release();

  // A null text hides the tip and empties the text.
  void SetText(const wchar_t* text);
  // FALSE hides the tip and empties the text; TRUE shows the text, sized to it at the tip's
  // top-left corner.
  void Show(BOOL show);
  // Moves the tip's top-left corner to a screen point, then shows it.
  void MoveTo(int x, int y);
  // The text shown with its top-left corner at a screen point; a null text hides the tip.
  void ShowAt(const wchar_t* text, int x, int y);

 private:
  SSimpleToolTip() = default;
  ~SSimpleToolTip() override = default;

  void MoveWindowTo(int x, int y);

  static SSimpleToolTip* s_instance;
  volatile LONG m_cRef = 0;
};
