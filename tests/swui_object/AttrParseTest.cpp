#include <doctest/doctest.h>

#include <string>

#include "core/SAttrParse.h"

using namespace SWUI;

// Each kind of value has one reading, whichever class reads it; the rows pin where the
// readings part ("true", "false", "", a hexadecimal zero, a number with a tail).
TEST_CASE("attribute values read by kind") {
  struct Row {
    LPCWSTR text;
    bool boolean;  // false only for exactly "0"
    bool nonZero;  // an integer other than 0
    bool word;     // false for "0" and "false"
    int integer;
  };
  const Row rows[] = {
      {L"0", false, false, false, 0},
      {L"1", true, true, true, 1},
      {L"", true, false, true, 0},
      {L"true", true, false, true, 0},
      {L"false", true, false, false, 0},
      {L"FALSE", true, false, true, 0},
      {L"00", true, false, true, 0},
      {L"0x0", true, false, true, 0},
      {L"0x1A", true, true, true, 26},
      {L"-3", true, true, true, -3},
      {L"12px", true, true, true, 12},
      {L" 7", true, true, true, 7},
      {L"x", true, false, true, 0},
  };
  for (const Row& row : rows) {
    CAPTURE(std::wstring(row.text));
    const SStringW text(row.text);
    CHECK((SAttrParse::Bool(text) != FALSE) == row.boolean);
    CHECK(SAttrParse::NonZero(text) == row.nonZero);
    CHECK(SAttrParse::BoolOrFalseWord(text) == row.word);
    CHECK(SAttrParse::Int(text) == row.integer);
  }
}

TEST_CASE("attribute names compare without regard to case, values with it") {
  CHECK(SAttrParse::IsName(SStringW(L"ITEMheight"), L"itemHeight"));
  CHECK_FALSE(SAttrParse::IsName(SStringW(L"itemHeight2"), L"itemHeight"));
  CHECK_FALSE(SAttrParse::IsName(SStringW(L""), L"itemHeight"));
}
