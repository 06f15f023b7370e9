// The application's named-ID table: element names and their integer IDs, sorted by name
// (case-sensitive) so that a lookup is a binary search.
#pragma once
#include <windows.h>

#include "res.mgr/SIntParser.h"
#include "res.mgr/SNamedValue.h"

namespace SWUI {

class SNamedID : public SNamedValue<int, SIntParser> {
 public:
  // One record of a table handed to SApplication::InitXmlNamedID.
  using NAMEDVALUE = Entry;
  static_assert(sizeof(NAMEDVALUE) == 108, "named-ID records are 108 bytes");

  SNamedID() : SNamedValue(0) {}

  // The ID of name; 0 when it is absent or too long for the table.
  int Get(LPCWSTR name) const {
    int id = 0;
    return FindValue(name, id) ? id : 0;
  }
};

}  // namespace SWUI
