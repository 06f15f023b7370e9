#include "controls/ThumbSupport.h"

#include <windows.h>

#include "core/SApplication.h"
#include "core/SWindow.h"

using namespace SWUI;

SIZE ThumbSupport::LayoutSize(SWindow* thumb, const RECT& parentRect, int growth) {
  SIZE size = thumb->GetDesiredSize(&parentRect);
  const RECT rc = thumb->GetWindowRect();
  if (size.cx < 0 || size.cx >= SWindow::kSizeUnknown) size.cx = rc.right - rc.left - 2 * growth;
  if (size.cy < 0 || size.cy >= SWindow::kSizeUnknown) size.cy = rc.bottom - rc.top - 2 * growth;
  if (size.cx < 0) size.cx = 0;
  if (size.cy < 0) size.cy = 0;
  return size;
}

bool ThumbSupport::SetDragCursor() {
  SApplication* app = SApplication::getSingletonPtr();
  HCURSOR cursor = app != nullptr ? app->LoadCursor(L"sizeall") : nullptr;
  if (cursor == nullptr) return false;
  ::SetCursor(cursor);
  return true;
}
