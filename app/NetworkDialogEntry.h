// The way from the main menu's "NetWork Setting" to the network dialog, which is built beside
// this entry: the menu calls it only while the device is connected. The dialog's code fills it
// in; until then it opens nothing and answers 0.
#pragma once
#include <windows.h>

// Runs the network dialog modally over the owner; the code it ended with.
INT_PTR RunNetworkDialog(HWND owner);
