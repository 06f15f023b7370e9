#include "controls/ThumbSupport.h"

#include <windows.h>

#include <cstdio>

#include "core/SApplication.h"

using namespace SWUI;

bool ThumbSupport::ReadFloat(const SStringW& value, float& out) {
  float read = 0.0f;
  if (swscanf(value, L"%f", &read) != 1) return false;
  out = read;
  return true;
}

bool ThumbSupport::SetDragCursor() {
  SApplication* app = SApplication::getSingletonPtr();
  HCURSOR cursor = app != nullptr ? app->LoadCursor(L"sizeall") : nullptr;
  if (cursor == nullptr) return false;
  ::SetCursor(cursor);
  return true;
}
