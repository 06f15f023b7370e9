// Inside axtestctl.dll: the process-wide call record, the fill colour and the count of live
// objects that the exports of AxTestControl.h read and set.
#pragma once
#include <windows.h>

namespace axtest {

// Appends a formatted entry (swprintf) to the record.
void Record(const wchar_t* format, ...);
COLORREF FillColour();
// Live controls and class objects, and server locks: the module may unload at none.
void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
bool CanUnload();
int LiveControls();
void ControlCreated();
void ControlDestroyed();

}  // namespace axtest
