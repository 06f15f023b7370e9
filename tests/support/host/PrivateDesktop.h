// A desktop of the test program's own, made the calling thread's desktop while it lives.
// Skinned menus end when their owner loses the foreground: test programs of other areas that
// run beside one under the same Wine server must not take it. A desktop of the program's own
// keeps its foreground, and its cursor, apart. Make it (as a static object) before any window.
#pragma once
#include <windows.h>

class PrivateDesktop {
 public:
  // The desktop's name is the prefix and the process id.
  explicit PrivateDesktop(const wchar_t* prefix);
  ~PrivateDesktop();
  PrivateDesktop(const PrivateDesktop&) = delete;
  PrivateDesktop& operator=(const PrivateDesktop&) = delete;

 private:
  HDESK desk_ = nullptr;
};
