// The program's entry: everything happens in the application library.
#include <windows.h>

#include "CApplication.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  return TevaroWinMain(instance, commandLine);
}
