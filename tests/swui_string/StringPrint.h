// Lets doctest print the framework's strings (as UTF-8) in failure messages.
#pragma once
#include <doctest/doctest.h>

#include "base/SString.h"

namespace doctest {

template <>
struct StringMaker<SWUI::SStringW> {
  static String convert(const SWUI::SStringW& s) {
    return String("\"") + SWUI::StringW2A(s, CP_UTF8).c_str() + "\"";
  }
};

template <>
struct StringMaker<SWUI::SStringA> {
  static String convert(const SWUI::SStringA& s) { return String("\"") + s.c_str() + "\""; }
};

}  // namespace doctest
