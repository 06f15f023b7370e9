#include "NetworkDialogEntry.h"

INT_PTR RunNetworkDialog(HWND) { return 0; }
