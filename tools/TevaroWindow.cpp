// A helper of scripts/run.sh, run under Wine beside the program:
//   tevaro-window wait [seconds]  finds the program's main window by its window class, waits
//                                 until it has painted once (no update region, also after a
//                                 round trip through its queue) and prints its client rectangle
//                                 in screen coordinates: "x y width height". Exit 1 when that
//                                 does not happen within the time (60 s by default).
//   tevaro-window close           posts WM_CLOSE to that window (exit 1 when there is none).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

const wchar_t kHostClassName[] = L"ECFEE99B-F190-4D7B-AF56-2FF31AC3C597";

BOOL CALLBACK TakeMainWindow(HWND wnd, LPARAM out) {
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  if (wcscmp(cls, kHostClassName) != 0 || !IsWindowVisible(wnd)) return TRUE;
  if (GetWindow(wnd, GW_OWNER) != nullptr) return TRUE;
  *reinterpret_cast<HWND*>(out) = wnd;
  return FALSE;
}

// The program's visible, unowned top-level window of the host class (its dialogs and tips
// share the class but have an owner or are not shown before the main window).
HWND FindMainWindow() {
  HWND found = nullptr;
  EnumWindows(TakeMainWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool HasPainted(HWND wnd) {
  if (GetUpdateRect(wnd, nullptr, FALSE)) return false;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) return false;
  return !GetUpdateRect(wnd, nullptr, FALSE);
}

int Wait(DWORD seconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < seconds * 1000) {
    HWND wnd = FindMainWindow();
    if (wnd != nullptr && HasPainted(wnd)) {
      RECT rc;
      GetClientRect(wnd, &rc);
      POINT origin = {0, 0};
      ClientToScreen(wnd, &origin);
      printf("%ld %ld %ld %ld\n", origin.x, origin.y, rc.right - rc.left, rc.bottom - rc.top);
      return 0;
    }
    Sleep(100);
  }
  fprintf(stderr, "tevaro-window: no painted main window within %lu s\n", seconds);
  return 1;
}

int Close() {
  HWND wnd = FindMainWindow();
  if (wnd == nullptr) {
    fprintf(stderr, "tevaro-window: no main window to close\n");
    return 1;
  }
  return PostMessageW(wnd, WM_CLOSE, 0, 0) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && strcmp(argv[1], "wait") == 0) {
    return Wait(argc >= 3 ? static_cast<DWORD>(atoi(argv[2])) : 60);
  }
  if (argc >= 2 && strcmp(argv[1], "close") == 0) return Close();
  fprintf(stderr, "usage: tevaro-window wait [seconds] | close\n");
  return 2;
}
