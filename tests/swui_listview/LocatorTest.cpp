// The list view's item locators: where rows lie, which row lies at an offset, and what they
// answer for positions outside the rows.
#include <doctest/doctest.h>

#include <random>
#include <vector>

#include "TestListAdapter.h"
#include "control/SListViewItemLocatorFix.h"
#include "control/SListViewItemLocatorFlex.h"

using namespace SWUI;

namespace {

SAutoRefPtr<TestListAdapter> Rows(int count) {
  SAutoRefPtr<TestListAdapter> adapter;
  adapter.Attach(new TestListAdapter(count));
  return adapter;
}

SAutoRefPtr<SListViewItemLocatorFlex> Flex(int defHeight, int divider, ILvAdapter* adapter) {
  SAutoRefPtr<SListViewItemLocatorFlex> locator;
  locator.Attach(new SListViewItemLocatorFlex(SLayoutSize(static_cast<float>(defHeight), px),
                                              SLayoutSize(static_cast<float>(divider), px)));
  locator->SetAdapter(adapter);
  return locator;
}

}  // namespace

TEST_CASE("fixed locator: rows of 20 with dividers of 2") {
  SAutoRefPtr<SListViewItemLocatorFix> locator;
  locator.Attach(new SListViewItemLocatorFix(SLayoutSize(20, px), SLayoutSize(2, px)));
  CHECK(locator->Position2Item(10) == -1);  // no adapter
  CHECK(locator->GetTotalHeight() == 0);
  SAutoRefPtr<TestListAdapter> rows = Rows(10);
  locator->SetAdapter(rows);
  CHECK(locator->IsFixHeight());
  CHECK(locator->Item2Position(3) == 66);
  CHECK(locator->GetTotalHeight() == 218);
  CHECK(locator->GetItemHeight(4) == 20);
  CHECK(locator->GetScrollLineSize() == 22);
  // The boundary belongs to the lower row; offsets beyond either end are kept to 0 .. count.
  const struct {
    int y;
    int row;
  } cases[] = {{65, 2}, {66, 3}, {-5, 0}, {0, 0}, {217, 9}, {10000, 10}};
  for (const auto& c : cases) {
    CAPTURE(c.y);
    CHECK(locator->Position2Item(c.y) == c.row);
  }
  // Positions outside the rows have no offset (and no overflow).
  CHECK(locator->Item2Position(-1) == 0);
  CHECK(locator->Item2Position(10) == 0);
  CHECK(locator->Item2Position(0x7FFFFFFF) == 0);
  // No rows: nothing to scroll.
  rows->Resize(0, 20);
  CHECK(locator->GetTotalHeight() == 0);
  CHECK(locator->Position2Item(0) == 0);
}

TEST_CASE("flex locator: the tree's shape follows the count, in whole levels") {
  SAutoRefPtr<TestListAdapter> rows = Rows(0);
  SAutoRefPtr<SListViewItemLocatorFlex> locator = Flex(30, 0, rows);
  const struct {
    int count;
    int depth;
    long long topSize;
    size_t segments;
    int lastSegment;
  } cases[] = {{1, 0, 50, 1, 1},      {50, 0, 50, 1, 50},      {51, 1, 500, 2, 1},
               {500, 1, 500, 10, 50}, {501, 2, 5000, 11, 1},   {5000, 2, 5000, 100, 50},
               {5001, 3, 50000, 101, 1}};
  for (const auto& c : cases) {
    CAPTURE(c.count);
    rows->Resize(c.count, 30);
    locator->OnDataSetChanged();
    CHECK(locator->GetDepth() == c.depth);
    CHECK(locator->GetTopBranchSize() == c.topSize);
    const std::vector<int> segments = locator->GetSegmentRows();
    REQUIRE(segments.size() == c.segments);
    CHECK(segments.back() == c.lastSegment);
    CHECK(locator->GetTotalHeight() == c.count * 30);
  }
  rows->Resize(0, 30);
  locator->OnDataSetChanged();
  CHECK(locator->GetSegmentRows().empty());
  CHECK(locator->GetTotalHeight() == 0);
  CHECK(locator->Position2Item(0) == -1);
}

TEST_CASE("flex locator: 120 rows of 30, row 60 of 90") {
  SAutoRefPtr<TestListAdapter> rows = Rows(120);
  SAutoRefPtr<SListViewItemLocatorFlex> locator = Flex(30, 0, rows);
  CHECK_FALSE(locator->IsFixHeight());
  locator->SetItemHeight(60, 90);
  CHECK(locator->GetTotalHeight() == 3660);
  CHECK(locator->Item2Position(60) == 1800);
  CHECK(locator->Item2Position(61) == 1890);
  CHECK(locator->GetItemHeight(60) == 90);
  // A boundary belongs to the upper row.
  const struct {
    int y;
    int row;
  } cases[] = {{0, 0}, {30, 0}, {31, 1}, {1800, 59}, {1801, 60}, {1890, 60},
               {1891, 61}, {3659, 119}, {3660, -1}, {-1, -1}};
  for (const auto& c : cases) {
    CAPTURE(c.y);
    CHECK(locator->Position2Item(c.y) == c.row);
  }
  // Outside the rows nothing is read or stored.
  locator->SetItemHeight(120, 500);
  locator->SetItemHeight(-1, 500);
  CHECK(locator->GetTotalHeight() == 3660);
  CHECK(locator->GetItemHeight(120) == 0);
  CHECK(locator->GetItemHeight(-1) == 0);
  CHECK(locator->Item2Position(120) == 0);
  // A negative height counts as none.
  locator->SetItemHeight(3, -10);
  CHECK(locator->GetItemHeight(3) == 0);
  CHECK(locator->GetTotalHeight() == 3630);
  CHECK(locator->Item2Position(4) == 90);
  // A new data set starts again at the default height.
  locator->OnDataSetChanged();
  CHECK(locator->GetTotalHeight() == 3600);
}

TEST_CASE("flex locator: dividers lie between rows, not after the last") {
  SAutoRefPtr<TestListAdapter> rows = Rows(120);
  SAutoRefPtr<SListViewItemLocatorFlex> locator = Flex(30, 2, rows);
  CHECK(locator->GetTotalHeight() == 3838);
  CHECK(locator->GetItemHeight(7) == 30);
  CHECK(locator->Item2Position(2) == 64);
  CHECK(locator->GetScrollLineSize() == 32);
  CHECK(locator->GetDividerSize() == 2);
  locator->SetItemHeight(7, 40);
  CHECK(locator->GetItemHeight(7) == 40);
  CHECK(locator->GetTotalHeight() == 3848);
}

TEST_CASE("flex locator: every offset against a prefix sum of 1000 random heights") {
  SAutoRefPtr<TestListAdapter> rows = Rows(1000);
  SAutoRefPtr<SListViewItemLocatorFlex> locator = Flex(30, 0, rows);
  std::mt19937 random(28);
  std::uniform_int_distribution<int> height(1, 80);
  std::vector<int> tops(1001, 0);
  for (int i = 0; i < 1000; ++i) {
    const int h = height(random);
    locator->SetItemHeight(i, h);
    tops[static_cast<size_t>(i) + 1] = tops[static_cast<size_t>(i)] + h;
  }
  REQUIRE(locator->GetTotalHeight() == tops[1000]);
  int mismatches = 0;
  size_t row = 0;
  for (int y = 0; y < tops[1000]; ++y) {
    // The row whose bottom is the first at or below y (y = 0 is row 0's).
    while (tops[row + 1] < y) ++row;
    if (locator->Position2Item(y) != static_cast<int>(row)) ++mismatches;
  }
  CHECK(mismatches == 0);
  for (int i = 0; i < 1000; ++i) {
    if (locator->Item2Position(i) != tops[static_cast<size_t>(i)]) ++mismatches;
  }
  CHECK(mismatches == 0);
}
