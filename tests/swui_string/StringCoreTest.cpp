#include "StringPrint.h"

#include "base/SString.h"

using namespace SWUI;

namespace {

SStringData* EmptyBlock() { return SStringData::EmptyBlock(); }

}  // namespace

TEST_CASE("every empty string points at the one shared empty block") {
  SStringW a;
  SStringW b(static_cast<const wchar_t*>(nullptr));
  SStringW c(L"");
  SStringW d(L"abc", 0);
  SStringA e("");
  CHECK(a.GetData() == EmptyBlock());
  CHECK(b.GetData() == EmptyBlock());
  CHECK(c.GetData() == EmptyBlock());
  CHECK(d.GetData() == EmptyBlock());
  CHECK(static_cast<void*>(e.GetData()) == static_cast<void*>(EmptyBlock()));
  {
    SStringW copy(a);
    SStringW assigned;
    assigned = c;
    CHECK(copy.GetData() == EmptyBlock());
    CHECK(assigned.GetData() == EmptyBlock());
  }
  SStringW emptied(L"x");
  emptied.Empty();
  CHECK(emptied.GetData() == EmptyBlock());
  CHECK(EmptyBlock()->nRefs == -1);
  CHECK(EmptyBlock()->nDataLength == 0);
  CHECK(EmptyBlock()->nAllocLength == 0);
  CHECK(*a.c_str() == L'\0');
  CHECK(*e.c_str() == '\0');
}

TEST_CASE("a new string owns a block of exactly its length") {
  SStringW s(L"hello");
  CHECK(s.GetData()->nRefs == 1);
  CHECK(s.GetData()->nDataLength == 5);
  CHECK(s.GetData()->nAllocLength == 5);
  SStringW measured(L"hello world", -1);
  CHECK(measured.GetLength() == 11);
  SStringW part(L"hello world", 4);
  CHECK(part == L"hell");
  CHECK(part.GetData()->nAllocLength == 4);
  s += L"!!";
  CHECK(s == L"hello!!");
  CHECK(s.GetData()->nAllocLength == 7);
}

TEST_CASE("copies share the block and writes copy it first") {
  SStringW a(L"shared");
  SStringW b(a);
  SStringW c;
  c = a;
  CHECK(a.GetData() == b.GetData());
  CHECK(a.GetData() == c.GetData());
  CHECK(a.GetData()->nRefs == 3);

  b += L'!';
  CHECK(b == L"shared!");
  CHECK(a == L"shared");
  CHECK(a.GetData()->nRefs == 2);
  CHECK(b.GetData()->nRefs == 1);

  c.MakeLower();  // lower-casing "shared" changes nothing visible, but c must own its block
  CHECK(c.GetData() != a.GetData());
  CHECK(a.GetData()->nRefs == 1);
}

TEST_CASE("append, concatenation and comparison") {
  SStringW s(L"ab");
  s += SStringW(L"cd");
  s += L"ef";
  s += L'g';
  CHECK(s == L"abcdefg");
  CHECK(s.GetLength() == 7);
  CHECK(SStringW(L"x") + L"y" == L"xy");
  CHECK(L"x" + SStringW(L"y") == L"xy");
  CHECK(SStringW(L"x") + SStringW(L"y") + L'z' == L"xyz");
  CHECK((SStringW() + SStringW()).GetData() == EmptyBlock());
  CHECK((SStringW() + static_cast<const wchar_t*>(nullptr)).GetData() == EmptyBlock());
  CHECK(SStringW(L"abc") != L"abC");
  CHECK(SStringW(L"abc").CompareNoCase(L"ABC") == 0);
  CHECK(SStringW(L"abc").Compare(L"abd") < 0);
  CHECK(SStringA("x") + "y" == "xy");
}

TEST_CASE("wide Format: %s takes a wide string, %hs a narrow one") {
  SStringW s;
  CHECK(s.Format(L"%s|%hs|%d", L"wide", "narrow", 42) == L"wide|narrow|42");
  CHECK(s == L"wide|narrow|42");
  SStringA a;
  CHECK(a.Format("%s|%ls|%04x", "narrow", L"wide", 0xAB) == "narrow|wide|00ab");
}

TEST_CASE("UTF-8 round trip of a mixed-script text") {
  const SStringW text(L"Tevaro \x4E2D\x6587 \x0420\x0443\x0441 \xD83C\xDFA4 \x00E9t\x00E9");
  const SStringA utf8 = StringW2A(text, CP_UTF8);
  CHECK(utf8.GetLength() == 7 + 6 + 1 + 6 + 1 + 4 + 1 + 5);
  CHECK(StringA2W(utf8, CP_UTF8) == text);
}
