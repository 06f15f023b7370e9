#include "StringPrint.h"

#include "base/SArray.h"
#include "core/SCmnMap.h"
#include "core/SList.h"
#include "base/SString.h"
#include "core/STree.h"

using namespace SWUI;

TEST_CASE("SArray grows by an eighth of its count, between 4 and 1024 elements") {
  SArray<int> a;
  size_t lastAlloc = 0;
  SArray<size_t> steps;  // (count at growth, new capacity) pairs
  bool indicesOk = true;
  for (int i = 0; i < 20000; ++i) {
    const size_t before = a.GetCount();
    indicesOk = indicesOk && a.Add(i) == before;
    if (a.GetAllocSize() != lastAlloc) {
      steps.Add(before);
      steps.Add(a.GetAllocSize());
      lastAlloc = a.GetAllocSize();
    }
  }
  for (size_t i = 0; i < steps.GetCount(); i += 2) {
    const size_t count = steps[i];
    size_t step = count / 8;
    if (step < 4) step = 4;
    if (step > 1024) step = 1024;
    CHECK(steps[i + 1] == count + step);
  }
  CHECK(indicesOk);
  CHECK(steps[1] == 4);
  CHECK(a[19999] == 19999);
}

TEST_CASE("SArray insert, remove and adding its own element") {
  SArray<SStringW> a;
  a.Add(L"b");
  a.InsertAt(0, L"a");
  a.InsertAt(2, L"d");
  a.InsertAt(2, L"c");
  REQUIRE(a.GetCount() == 4);
  for (int i = 0; i < 4; ++i) a.Add(a[0]);  // the reference must survive growth
  CHECK(a.GetCount() == 8);
  CHECK(a[7] == L"a");
  a.RemoveAt(4, 100);
  CHECK(a.GetCount() == 4);
  CHECK(a[0] + a[1] + a[2] + a[3] == L"abcd");
  CHECK(a.Find(SStringW(L"c")) == 2);
  a.RemoveAt(1);
  CHECK(a[1] == L"c");
  SArray<SStringW> b(a);
  b.Append(b);
  CHECK(b.GetCount() == 6);
  CHECK(a.GetCount() == 3);
}

TEST_CASE("SList positions, insertion and removal") {
  SList<int> l;
  SPOSITION two = l.AddTail(2);
  l.AddHead(1);
  l.AddTail(4);
  l.InsertAfter(two, 3);
  int expect = 1;
  for (SPOSITION pos = l.GetHeadPosition(); pos;) CHECK(l.GetNext(pos) == expect++);
  CHECK(l.GetCount() == 4);
  l.RemoveAt(two);
  CHECK(l.RemoveHead() == 1);
  CHECK(l.RemoveTail() == 4);
  CHECK(l.GetCount() == 1);
  CHECK(l.GetHead() == 3);
  CHECK(l.Find(3) == l.GetHeadPosition());
  CHECK(l.Find(7) == nullptr);
}

TEST_CASE("CSTree insert order, traversal and subtree deletion") {
  CSTree<int> t;
  HSTREEITEM a = t.InsertItem(1);
  HSTREEITEM b = t.InsertItem(2);
  HSTREEITEM a1 = t.InsertItem(11, a);
  t.InsertItem(10, a, STVI_FIRST);
  t.InsertItem(12, a, a1);
  HSTREEITEM a11 = t.InsertItem(111, a1);
  CHECK(t.GetParentItem(a11) == a1);
  CHECK(t.GetChildItem(STVI_ROOT) == a);
  CHECK(t.GetRootItem(FALSE) == b);
  CHECK(t.InsertItem(5, b, a1) == 0);  // a1 is not b's child

  int order[16];
  int n = 0;
  for (HSTREEITEM h = t.GetNextItem(STVI_ROOT); h && n < 16; h = t.GetNextItem(h))
    order[n++] = t.GetItem(h);
  const int expected[] = {1, 10, 11, 111, 12, 2};
  REQUIRE(n == 6);
  for (int i = 0; i < 6; ++i) CHECK(order[i] == expected[i]);

  t.DeleteItem(a1);
  CHECK(t.GetCount() == 4);
  CHECK(t.GetItem(t.GetNextSiblingItem(t.GetChildItem(a))) == 12);
  t.DeleteItem(a);
  CHECK(t.GetCount() == 1);
  CHECK(t.GetRootItem() == b);
}

namespace {

// Orders by the tens digit only, so that items with equal keys show whether they kept their
// order.
int ByTens(void* ctx, HSTREEITEM a, HSTREEITEM b) {
  auto* tree = static_cast<CSTree<int>*>(ctx);
  return tree->GetItem(a) / 10 - tree->GetItem(b) / 10;
}

}  // namespace

TEST_CASE("CSTree sorts siblings below an item, stably, and relinks both directions") {
  CSTree<int> t;
  HSTREEITEM top[4];
  const int tops[] = {31, 10, 32, 11};
  for (int i = 0; i < 4; ++i) top[i] = t.InsertItem(tops[i]);
  for (int v : {92, 51, 93, 50}) t.InsertItem(v, top[0]);
  for (int v : {72, 71}) t.InsertItem(v, top[1]);

  SUBCASE("one branch") {
    CHECK(t.SortChildren(top[0], ByTens, &t));
    CHECK(t.GetItem(t.GetChildItem(top[0])) == 51);
    CHECK(t.GetItem(t.GetChildItem(top[0], FALSE)) == 93);
    CHECK(t.GetItem(t.GetChildItem(STVI_ROOT)) == 31);  // the top level stays
    CHECK(t.GetItem(t.GetChildItem(top[1])) == 72);
  }
  SUBCASE("the whole tree") {
    CHECK(t.SortChildren(STVI_ROOT, ByTens, &t));
    int forward[10];
    int n = 0;
    for (HSTREEITEM h = t.GetNextItem(STVI_ROOT); h && n < 10; h = t.GetNextItem(h))
      forward[n++] = t.GetItem(h);
    const int expected[] = {10, 72, 71, 11, 31, 51, 50, 92, 93, 32};
    REQUIRE(n == 10);
    for (int i = 0; i < 10; ++i) CHECK(forward[i] == expected[i]);
    // Backwards through the previous-sibling links.
    int back[4];
    n = 0;
    for (HSTREEITEM h = t.GetRootItem(FALSE); h && n < 4; h = t.GetPrevSiblingItem(h))
      back[n++] = t.GetItem(h);
    const int reversed[] = {32, 31, 11, 10};
    REQUIRE(n == 4);
    for (int i = 0; i < 4; ++i) CHECK(back[i] == reversed[i]);
  }
  CHECK_FALSE(t.SortChildren(STVI_FIRST, ByTens, &t));
  CHECK_FALSE(t.SortChildren(0, ByTens, &t));
  CHECK(t.GetCount() == 10);
}

TEST_CASE("SCmnMap set, look up, remove and iterate across rehashing") {
  SCmnMap<SStringW, int> m;
  for (int i = 0; i < 500; ++i) REQUIRE(m.SetAt(SStringW().Format(L"k%d", i), i) != nullptr);
  CHECK(m.GetCount() == 500);
  CHECK(m.GetHashTableSize() > 17);
  int v = -1;
  CHECK(m.Lookup(L"k321", v));
  CHECK(v == 321);
  m.SetAt(L"k321", 7);
  CHECK(m.Lookup(L"k321")->m_value == 7);
  CHECK(m.GetCount() == 500);
  for (int i = 0; i < 500; i += 2) CHECK(m.RemoveKey(SStringW().Format(L"k%d", i)));
  CHECK_FALSE(m.RemoveKey(L"k0"));
  CHECK(m.GetCount() == 250);
  long sum = 0;
  size_t seen = 0;
  for (SPOSITION pos = m.GetStartPosition(); pos; ++seen) sum += m.GetNext(pos)->m_value;
  CHECK(seen == 250);
  CHECK(sum == 250L * 250 - 321 + 7);  // odd numbers 1..499 sum to 250^2
  SCmnMap<SStringW, int> copy(m);
  CHECK(copy.GetCount() == 250);
  m.RemoveAll();
  CHECK(m.IsEmpty());
  CHECK(copy.Lookup(L"k499")->m_value == 499);

  SCmnMap<int, int> ints;
  ints.SetAt(-1, 1);
  CHECK(ints.Lookup(-1) != nullptr);
  CHECK(ints.Lookup(1) == nullptr);
}
