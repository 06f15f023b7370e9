// Conversions, splitting, the scratch buffer and the allocation helpers.
#include "StringPrint.h"

#include "base/SString.h"
#include "core/STempBuffer.h"
#include "base/SwuiMem.h"

using namespace SWUI;

namespace {

SStringW Repeat(const wchar_t* unit, int times) {
  SStringW s;
  for (int i = 0; i < times; ++i) s += unit;
  return s;
}

SStringW Joined(const SArray<SStringW>& parts) {
  SStringW s;
  for (const SStringW& p : parts) s += SStringW(L"[") + p + L"]";
  return s;
}

}  // namespace

TEST_CASE("conversions keep texts longer than the 1024-unit stack buffer whole") {
  const int lengths[] = {1, 1023, 1024, 1025, 5000};
  for (int n : lengths) {
    CAPTURE(n);
    const SStringW ascii = Repeat(L"a", n);
    const SStringA narrow = StringW2A(ascii, CP_UTF8);
    CHECK(narrow.GetLength() == n);
    CHECK(StringA2W(narrow, CP_UTF8) == ascii);
  }
  // 600 units of mixed scripts: 1200 wide units become 3000 bytes of UTF-8.
  const SStringW mixed = Repeat(L"\x4E2D\x00E9", 600);
  const SStringA utf8 = StringW2A(mixed, CP_UTF8);
  CHECK(utf8.GetLength() == 600 * 5);
  CHECK(StringA2W(utf8, CP_UTF8) == mixed);
  // An explicit single-byte page: 0xE9 is e-acute in Windows-1252.
  CHECK(StringA2W(SStringA("caf\xE9"), 1252) == L"caf\x00E9");
  CHECK(StringW2A(SStringW(L"caf\x00E9"), 1252) == "caf\xE9");
}

TEST_CASE("conversion failures other than a short buffer give the empty string") {
  CHECK(StringA2W(SStringA("abc"), 12345).IsEmpty());  // no such code page
  CHECK(StringW2A(SStringW(L"abc"), 12345).IsEmpty());
  CHECK(StringA2W(SStringA(), CP_UTF8).GetData() == SStringData::EmptyBlock());
}

TEST_CASE("SplitString drops empty pieces; SplitResType splits at the first colon") {
  struct Case {
    const wchar_t* in;
    const wchar_t* pieces;
  } splits[] = {
      {L",a,,b,", L"[a][b]"}, {L"", L""}, {L",,,", L""}, {L"one", L"[one]"}, {L"x,y", L"[x][y]"},
  };
  for (const Case& c : splits) {
    SArray<SStringW> out;
    CAPTURE(SStringW(c.in));
    const size_t count = SplitString(SStringW(c.in), L',', out);
    CHECK(count == out.GetCount());
    CHECK(Joined(out) == c.pieces);
  }
  SArray<SStringW> appended;
  appended.Add(L"kept");
  CHECK(SplitString(SStringW(L"a-b"), L'-', appended) == 3);  // appends, returns the count

  SArray<SStringA> narrow;
  CHECK(SplitString(SStringA("1-2--3"), '-', narrow) == 3);
  CHECK(narrow[2] == "3");

  Case types[] = {
      {L"LAYOUT:XML_MAINWND", L"[LAYOUT][XML_MAINWND]"},
      {L"skin", L"[skin]"},
      {L"a:b:c", L"[a][b:c]"},
      {L":name", L"[][name]"},
      {L"type:", L"[type][]"},
      {L"", L"[]"},
  };
  for (const Case& c : types) {
    SArray<SStringW> out;
    CAPTURE(SStringW(c.in));
    const size_t count = SplitResType(SStringW(c.in), out);
    CHECK(count == out.GetCount());
    CHECK(Joined(out) == c.pieces);
  }
}

TEST_CASE("STempBuffer: inline below 128 bytes, heap from 128, failures reported") {
  STempBuffer buf;
  const auto* self = reinterpret_cast<const unsigned char*>(&buf);
  auto isInline = [&](void* p) {
    const auto* q = static_cast<const unsigned char*>(p);
    return q >= self && q < self + sizeof(buf);
  };
  auto* small = static_cast<unsigned char*>(buf.Allocate(127));
  REQUIRE(small != nullptr);
  CHECK(isInline(small));
  CHECK(small[0] == 0);
  CHECK(small[127] == 0);
  auto* large = static_cast<unsigned char*>(buf.Allocate(128));
  REQUIRE(large != nullptr);
  CHECK_FALSE(isInline(large));
  CHECK(large[128] == 0);
  CHECK(buf.GetSize() == 128);

  // Past the largest size (2 GB with its terminator) on either architecture: null, and the
  // buffer holds nothing.
  CHECK(buf.Allocate(STempBuffer::kMaxSize + 1) == nullptr);
  CHECK(buf.Allocate(0xFFFFFFF0u) == nullptr);
  CHECK(buf.GetBuffer() == nullptr);
  CHECK(buf.GetSize() == 0);
  CHECK(buf.Allocate(static_cast<size_t>(-1)) == nullptr);

  char outside[4] = "abc";
  buf.Attach(outside, 3);
  CHECK(buf.IsAttached());
  buf.Free();  // must not free the attached array
  CHECK(buf.GetBuffer() == nullptr);
  CHECK_FALSE(buf.IsAttached());
  CHECK(outside[0] == 'a');
}

TEST_CASE("MultiplyNoOverflow and SwuiCalloc refuse products beyond 32 bits") {
  struct Case {
    UINT a, b;
    HRESULT hr;
    UINT product;
  } cases[] = {
      {0, 0xFFFFFFFFu, S_OK, 0},
      {0xFFFFu, 0x10001u, S_OK, 0xFFFFFFFFu},
      {0x10000u, 0x10000u, E_INVALIDARG, 99},
      {0xFFFFFFFFu, 2, E_INVALIDARG, 99},
      {12, 34, S_OK, 408},
  };
  for (const Case& c : cases) {
    UINT product = 99;
    CHECK(MultiplyNoOverflow(&product, c.a, c.b) == c.hr);
    CHECK(product == c.product);
  }
  CHECK(E_INVALIDARG == static_cast<HRESULT>(0x80070057));
  CHECK(SwuiCalloc(0x10000u, 0x10000u) == nullptr);
  void* zeroed = SwuiCalloc(4, 4);
  REQUIRE(zeroed != nullptr);
  CHECK(static_cast<int*>(zeroed)[3] == 0);
  // Shrinking to nothing keeps a live block: a null answer would mean "old block untouched".
  void* shrunk = SwuiRealloc(zeroed, 0);
  REQUIRE(shrunk != nullptr);
  SwuiFree(shrunk);
}

TEST_CASE("FreeBlockChain frees a chain through the blocks' first words") {
  void* first = SwuiMalloc(16);
  void* second = SwuiMalloc(16);
  REQUIRE(first != nullptr);
  REQUIRE(second != nullptr);
  *static_cast<void**>(first) = second;
  *static_cast<void**>(second) = nullptr;
  FreeBlockChain(first);
  FreeBlockChain(nullptr);
}
