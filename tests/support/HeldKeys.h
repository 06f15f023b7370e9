// Keys held in the thread's keyboard state (SetKeyboardState), as GetKeyState sees them.
#pragma once
#include <windows.h>

#include <initializer_list>

// Holds virtual keys down (Ctrl, Shift, Alt, ...) while it lives, then puts the keyboard state
// back as it was.
class HeldKeys {
 public:
  HeldKeys(std::initializer_list<int> keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

  // From now on exactly these keys are held, all others up (no restoring).
  static void Only(std::initializer_list<int> keys);

 private:
  BYTE saved_[256];
};
