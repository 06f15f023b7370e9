// The records whose layout the program relies on, per architecture: what the shell, the text
// services and the inspector read must have the same size and offsets the program assumes.
#include <doctest/doctest.h>
#include <richedit.h>

#include <cstddef>

#include "SShellNotifyIcon.h"
#include "core/SHostWnd.h"
#include "base/SStringData.h"
#include "res.mgr/SNamedID.h"

namespace {

struct Layout {
  const char* what;
  size_t actual;
  size_t on32;
  size_t on64;
};

#ifdef _WIN64
constexpr bool kIs64 = true;
#else
constexpr bool kIs64 = false;
#endif

}  // namespace

TEST_CASE("records keep the sizes and offsets the program relies on, per architecture") {
  const Layout layouts[] = {
      // Window handle and icon grow with the pointer, so the tray record does too.
      {"NOTIFYICONDATAW up to guidItem", offsetof(NOTIFYICONDATAW, guidItem) + sizeof(GUID), 952,
       968},
      {"SShellNotifyIcon::kRecordSize", SShellNotifyIcon::kRecordSize, 952, 968},
      {"NOTIFYICONDATAW::hIcon offset", offsetof(NOTIFYICONDATAW, hIcon), 20, 32},
      // Plain data: the same everywhere.
      {"CHARFORMATW", sizeof(CHARFORMATW), 92, 92},
      {"CHARFORMAT2W", sizeof(CHARFORMAT2W), 116, 116},
      {"PARAFORMAT2", sizeof(PARAFORMAT2), 188, 188},
      {"SStringData", sizeof(SWUI::SStringData), 12, 12},
      {"SNamedID::NAMEDVALUE", sizeof(SWUI::SNamedID::NAMEDVALUE), 108, 108},
      {"SWNDINFO", sizeof(SWUI::SWNDINFO), 10650, 10650},
      {"SWNDINFO::szName offset", offsetof(SWUI::SWNDINFO, szName), 44, 44},
      {"SWNDINFO::szXmlStr offset", offsetof(SWUI::SWNDINFO, szXmlStr), 648, 648},
      // The inspector's record travels in WM_COPYDATA, whose own header holds a pointer.
      {"COPYDATASTRUCT", sizeof(COPYDATASTRUCT), 12, 24},
  };
  for (const Layout& l : layouts) {
    INFO(l.what);
    CHECK(l.actual == (kIs64 ? l.on64 : l.on32));
  }
  CHECK(sizeof(void*) == (kIs64 ? 8u : 4u));
}
