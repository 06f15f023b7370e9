// The named-ID table: every element name of the program's layouts with its id, sorted by name
// (code-unit order) for SApplication::InitXmlNamedID. Generated at build time from the layouts;
// names without a hand-set id (resources/handset_ids.txt) take ids above "_name_start" (65535).
#pragma once
#include "res.mgr/SNamedID.h"

extern const SWUI::SNamedID::NAMEDVALUE kNamedIdTable[];
extern const int kNamedIdCount;

// True when every name sorts strictly after the one before it.
constexpr bool NamedIdTableIsSorted(const SWUI::SNamedID::NAMEDVALUE* rows, int count) {
  for (int i = 1; i < count; ++i) {
    const wchar_t* a = rows[i - 1].strName;
    const wchar_t* b = rows[i].strName;
    while (*a != 0 && *a == *b) {
      ++a;
      ++b;
    }
    if (static_cast<unsigned>(*a) >= static_cast<unsigned>(*b)) return false;
  }
  return true;
}
