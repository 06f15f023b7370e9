// What the header and list tests stand on: the harness with the built-in skins and test cell
// skins ("c4": the palette's four states; "arrow": 8 x 6, two states; "sb": a 10 px bar
// without arrows; "icons": 8 x 8, three states), timers held back, and a record of the header
// and list events that reach the host with their two fields.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "HostHarness.h"

struct FiredEvent {
  DWORD id;
  int a;
  int b;
  bool operator==(const FiredEvent& o) const { return id == o.id && a == o.a && b == o.b; }
};

namespace doctest {
template <>
struct StringMaker<FiredEvent> {
  static String convert(const FiredEvent& e) {
    char buf[64];
    snprintf(buf, sizeof(buf), "{%lu, %d, %d}", static_cast<unsigned long>(e.id), e.a, e.b);
    return String(buf);
  }
};
}  // namespace doctest

class ListRig : public HostHarness {
 public:
  ListRig();

  // A host of 320 x 200 on white holding the elements' XML.
  void OpenWith(const std::wstring& elementsXml);
  // The recorded events of one id (every id: 0).
  std::vector<FiredEvent> Fired(DWORD id = 0) const;
  void ClearFired() { fired.clear(); }

  std::vector<FiredEvent> fired;
  // A handler of the list's 13000 that sets this refuses the change.
  bool cancelSelection = false;
};

// Top-level windows of this thread that are layered and topmost and shown.
std::vector<HWND> DragPictures();
