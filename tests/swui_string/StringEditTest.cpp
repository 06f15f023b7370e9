// Clamping, aliasing, locking and buffer access of the copy-on-write strings.
#include "StringPrint.h"

#include <climits>
#include <thread>

#include "base/SString.h"

using namespace SWUI;

TEST_CASE("Mid, Left, Right clamp their arguments") {
  const SStringW s(L"abcd");
  struct Case {
    int first;
    int count;
    const wchar_t* mid;
  } mids[] = {
      {0, 4, L"abcd"}, {1, 2, L"bc"},     {5, 3, L""},        {4, 1, L""},
      {-3, 2, L"ab"},  {2, -1, L""},      {2, 100, L"cd"},    {1, INT_MAX, L"bcd"},
      {INT_MAX, INT_MAX, L""}, {INT_MIN, INT_MAX, L"abcd"}, {3, 0, L""},
  };
  for (const Case& c : mids) {
    CAPTURE(c.first);
    CAPTURE(c.count);
    CHECK(s.Mid(c.first, c.count) == c.mid);
  }
  CHECK(s.Mid(2) == L"cd");
  CHECK(s.Mid(-1) == L"abcd");
  CHECK(s.Mid(9) == L"");

  struct Side {
    int n;
    const wchar_t* left;
    const wchar_t* right;
  } sides[] = {{-1, L"", L""}, {0, L"", L""}, {1, L"a", L"d"}, {4, L"abcd", L"abcd"},
               {10, L"abcd", L"abcd"}};
  for (const Side& c : sides) {
    CAPTURE(c.n);
    CHECK(s.Left(c.n) == c.left);
    CHECK(s.Right(c.n) == c.right);
  }
  // A whole-string result shares the block; an empty one is the empty block.
  CHECK(s.Right(10).GetData() == s.GetData());
  CHECK(s.Left(-1).GetData() == SStringData::EmptyBlock());
}

TEST_CASE("Find and ReverseFind") {
  const SStringW s(L"a,b,,c");
  struct Case {
    wchar_t ch;
    int start;
    int found;
  } cases[] = {{L',', 0, 1}, {L',', 1, 1}, {L',', 2, 3}, {L',', 5, -1},
               {L'a', 0, 0}, {L'c', 6, -1}, {L'c', 60, -1}, {L'x', 0, -1}, {L'b', -5, 2}};
  for (const Case& c : cases) {
    CAPTURE(c.start);
    CHECK(s.Find(c.ch, c.start) == c.found);
  }
  CHECK(s.Find(L",,") == 3);
  CHECK(s.Find(L",", 4) == 4);
  CHECK(s.Find(L"c,") == -1);
  CHECK(s.Find(L"") == -1);
  CHECK(s.ReverseFind(L',') == 4);
  CHECK(SStringW().Find(L'a') == -1);
}

TEST_CASE("Trim removes exactly LF, CR, space and tab at both ends") {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"", L""},
      {L" \t\r\n", L""},
      {L"  a b  ", L"a b"},
      {L"\na\t", L"a"},
      {L"\va\v", L"\va\v"},
      {L"x", L"x"},
      {L" \x3000x", L"\x3000x"},  // ideographic space is not in the set
  };
  for (const Case& c : cases) {
    SStringW s(c.in);
    s.Trim();
    CHECK(s == c.out);
  }
  SStringW blank(L" \t\r\n");
  blank.Trim();
  CHECK(blank.GetData() == SStringData::EmptyBlock());
  SStringA narrow("\t x \n");
  CHECK(narrow.Trim() == "x");
}

TEST_CASE("aliasing: appending itself, assigning its own Mid or its own characters") {
  SStringW s(L"abc");
  s += s;
  CHECK(s == L"abcabc");

  SStringW shared(s);
  shared += shared;  // shared block: the append must not read freed characters
  CHECK(shared == L"abcabcabcabc");
  CHECK(s == L"abcabc");

  s = s.Mid(1);
  CHECK(s == L"bcabc");

  s = s.c_str() + 2;
  CHECK(s == L"abc");
  s = s.c_str();
  CHECK(s == L"abc");

  SStringW roomy(L"0123456789");
  roomy.ReleaseBuffer(3);  // keeps a block of 10 with room to append in place
  roomy += roomy.c_str();
  CHECK(roomy == L"012012");
  roomy += roomy.c_str() + 1;  // needs to grow while reading from its own old block
  CHECK(roomy == L"01201212012");

  SStringW f(L"xy");
  f.Format(L"%s-%s", f.c_str(), f.c_str());
  CHECK(f == L"xy-xy");

  SStringA a("ab");
  a += a;
  a = a.c_str() + 1;
  CHECK(a == "bab");
}

TEST_CASE("locked buffers are never shared") {
  SStringW s(L"locked");
  wchar_t* buf = s.LockBuffer();
  REQUIRE(buf != nullptr);
  CHECK(s.IsLocked());
  CHECK(s.GetData()->nRefs < 0);

  SStringW copy(s);  // copying a locked string copies the characters
  CHECK(copy.GetData() != s.GetData());
  CHECK(copy.GetData()->nRefs == 1);
  CHECK(copy == L"locked");

  s = SStringW(L"other");  // assigning to a locked string copies into its buffer
  CHECK(s.c_str() == buf);
  CHECK(s.IsLocked());
  CHECK(s == L"other");

  SStringW moved(static_cast<SStringW&&>(s));  // a locked source keeps its buffer
  CHECK(s.c_str() == buf);
  CHECK(moved.GetData() != s.GetData());

  s.Empty();  // keeps the buffer
  CHECK(s.c_str() == buf);
  CHECK(s.IsEmpty());

  s.UnlockBuffer();
  CHECK(s.GetData()->nRefs == 1);
  SStringW shares(L"z");
  shares = s;
  CHECK(shares.GetData() == s.GetData());

  SStringW fromEmpty;
  CHECK(fromEmpty.LockBuffer() != nullptr);  // an empty string gets a block of its own to lock
  CHECK(fromEmpty.GetData() != SStringData::EmptyBlock());
  CHECK(SStringData::EmptyBlock()->nRefs == -1);
}

TEST_CASE("GetBuffer, ReleaseBuffer and ReallocBuffer") {
  SStringW s(L"ab");
  SStringW other(s);
  wchar_t* buf = s.GetBuffer(8);
  REQUIRE(buf != nullptr);
  CHECK(s.GetData() != other.GetData());  // the writer got its own block
  CHECK(s.GetLength() == 2);
  CHECK(s.GetData()->nAllocLength == 8);
  wcscpy(buf, L"abcdef");
  s.ReleaseBuffer();
  CHECK(s == L"abcdef");

  // A count past the capacity is clamped; -1 measures no further than the capacity even
  // when the caller overwrote the terminator.
  s.GetBuffer(8);
  s.ReleaseBuffer(1000);
  CHECK(s.GetLength() == 8);
  buf = s.GetBuffer(8);
  for (int i = 0; i <= 8; ++i) buf[i] = L'x';
  s.ReleaseBuffer(-1);
  CHECK(s.GetLength() == 8);
  CHECK(s[8] == L'\0');

  wchar_t* set = s.GetBufferSetLength(3);
  REQUIRE(set != nullptr);
  CHECK(s == L"xxx");

  // Growth past the largest block fails and leaves the string exactly as it was.
  SStringW keep(L"keep");
  SStringW keepShared(keep);
  const wchar_t* before = keep.c_str();
  CHECK_FALSE(keep.ReallocBuffer(INT_MAX));
  CHECK(keep == L"keep");
  CHECK(keep.c_str() == before);
  CHECK(keep.GetBuffer(INT_MAX) == nullptr);
  CHECK(keep == L"keep");
  // One character past the largest block (2 GB) is refused on either architecture: the own
  // block's reallocation fails and the string keeps it.
  SStringW alone(L"own");
  CHECK_FALSE(alone.ReallocBuffer(SStringData::MaxLength(sizeof(wchar_t)) + 1));
  CHECK(alone == L"own");
  CHECK(alone.GetData()->nAllocLength == 3);
  SStringW appended(L"x");
  CHECK_FALSE(appended.ConcatInPlace(SStringData::MaxLength(sizeof(wchar_t)), L"y"));
  CHECK(appended == L"x");

  SStringW grow(L"ab");
  REQUIRE(grow.ReallocBuffer(4));
  CHECK(grow.GetLength() == 4);
  CHECK(grow.GetData()->nAllocLength == 4);
  CHECK(grow[2] == L'\0');
  REQUIRE(grow.ReallocBuffer(1));
  CHECK(grow == L"a");
}

TEST_CASE("Format: empty or rejected formats empty the string") {
  SStringW s(L"old");
  CHECK(s.Format(L"").IsEmpty());
  CHECK(s.IsEmpty());
  s = L"old";
  CHECK(s.Format(L"%s", L"").IsEmpty());  // nothing to write
  SStringW longer;
  longer.Format(L"%0300d|%s", 7, L"end");
  CHECK(longer.GetLength() == 304);
  CHECK(longer.Right(5) == L"7|end");
  SStringA narrow;
  CHECK(narrow.Format("%d/%s", -3, "x") == "-3/x");
}

TEST_CASE("MakeLower lower-cases A to Z only") {
  SStringW s(L"AbC\x00C4Z");
  SStringW copy(s);
  s.MakeLower();
  CHECK(s == L"abc\x00C4z");
  CHECK(copy == L"AbC\x00C4Z");
  const wchar_t embedded[] = {L'A', 0, L'B'};
  SStringW withNul(embedded, 3);
  withNul.MakeLower();
  CHECK(withNul == SStringW(L"a\0b", 3));  // the whole length, not up to the first NUL
}

TEST_CASE("shared blocks survive copying and destruction on two threads") {
  const SStringW shared(L"across threads");
  auto churn = [&shared] {
    for (int i = 0; i < 20000; ++i) {
      SStringW a(shared);
      SStringW b;
      b = a;
    }
  };
  std::thread t1(churn);
  std::thread t2(churn);
  t1.join();
  t2.join();
  CHECK(shared.GetData()->nRefs == 1);
}
