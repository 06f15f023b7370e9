// Saving and restoring the alpha bytes of an area of the 32-bit bitmap selected in a device
// context, around a GDI call that would otherwise zero them. One backup at a time: small areas
// share one static buffer, so a backup must be restored before the next one is taken, on the
// UI thread. Part of the framework core, so that elements which hand a render target's device
// context to other drawing code (the rich edit) can use it as the GDI back-end does.
#pragma once
#include <windows.h>

namespace SWUI {

struct AlphaChannelBackup {
  BITMAP bm;     // the bitmap selected when the backup was taken
  BYTE* saved;   // the saved alpha bytes, null when nothing was saved
  RECT rc;       // the saved area in bitmap pixels
};

// Saves the alpha bytes of prc (logical coordinates, grown by one pixel to the right and the
// bottom, clipped to the bitmap). FALSE when the selected bitmap is not 32-bit.
BOOL BackupAlphaChannel(HDC hdc, LPCRECT prc, AlphaChannelBackup* pBackup);
// Writes the saved bytes back and frees them; does nothing when nothing was saved.
void RestoreAlphaChannel(AlphaChannelBackup* pBackup);

}  // namespace SWUI
