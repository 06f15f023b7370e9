// Where the screenshots go and what was written: <build>\screenshots\<name>.png, each saved
// from a host window's own surface while it is up (inside its modal loop for a dialog or a
// menu), and the list printed at the end of the run.
#pragma once
#include <windows.h>

#include <string>

#include "ProgramRig.h"
#include "SimDevice.h"

namespace SWUI {
class SHostWnd;
}

namespace screenshots {

// <build>\screenshots (the test program lies in <build>\tests\screenshots), created if missing.
std::wstring Folder();
// Saves the host's surface as <name>.png in the folder and records it; the test fails when it
// cannot be written.
void Shoot(SWUI::SHostWnd& host, const wchar_t* name);
// The tour's pages 0..7: the seven channel pages by their tab ordinal, and as page 7 the mic's
// second parameter tab. Selected as clicks on their tabs would; any page but the mic's second tab
// leaves the mic on its first.
void ShowTourPage(int page);
// A step that presses Connect (the session starts and both banks are read) with the processor's
// banks holding the program's own start values, so that the pages show the values a user meets,
// then gives the main window that size: a start-up on a small test screen fits it to the screen.
ProgramRig::Step ConnectAtStartValues(SimDevice& device, SIZE size);
// Prints what this run wrote, one line each with its size in pixels.
void PrintList();

}  // namespace screenshots
