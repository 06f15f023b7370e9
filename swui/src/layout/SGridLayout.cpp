#include "layout/SGridLayout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "layout/SLayoutUtil.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

// A count as written: below 1 it is not given (-1), above the cap it is the cap.
int CountFromText(const SStringW& value) {
  const int count = ParseLayoutInt(value);
  return count < 1 ? -1 : std::min(count, SGridLayout::kMaxCount);
}

// The missing count of a grid from the cells its children want: ceil(cells / given).
int MissingCount(long long cells, int given) {
  return static_cast<int>(std::min<long long>((cells - 1 + given) / given, SGridLayout::kMaxCount));
}

// Spare length to the weighted columns (rows) in order; rounding each share to the nearest
// pixel hands the last weighted one whatever is left.
void ShareSpare(std::vector<int>& sizes, const std::vector<float>& weights, int spare) {
  float remaining = 0.0f;
  for (float w : weights) remaining += w;
  if (spare <= 0 || remaining <= 0.0f) return;
  for (size_t k = 0; k < sizes.size(); ++k) {
    if (std::fabs(remaining) < 1e-8f) break;
    const int grow = static_cast<int>(static_cast<float>(spare) * weights[k] / remaining + 0.5f);
    sizes[k] += grow;
    spare -= grow;
    remaining -= weights[k];
  }
}

int Sum(const std::vector<int>& sizes) {
  int total = 0;
  for (int size : sizes) total += size;
  return total;
}

// The length of the columns (rows) with the intervals between them; no interval without columns.
int Extent(const std::vector<int>& sizes, int interval) {
  return Sum(sizes) + interval * std::max(0, static_cast<int>(sizes.size()) - 1);
}

// Where each column (row) starts, and one more entry where the last one's interval ends.
std::vector<int> Starts(const std::vector<int>& sizes, int interval, int origin) {
  std::vector<int> starts(sizes.size() + 1, origin);
  for (size_t k = 0; k < sizes.size(); ++k) starts[k + 1] = starts[k] + sizes[k] + interval;
  return starts;
}

// Where a child of size `size` starts in an area of `area` at `start`, and how large it is.
void Align(int gravity, int start, int area, int& pos, int& size) {
  pos = start;
  if (gravity == GridGravityCenter) pos = start + (area - size) / 2;
  if (gravity == GridGravityEnd) pos = start + area - size;
  if (gravity == GridGravityFill) size = area;
}

}  // namespace

// The filled cells of one run.
struct SGridLayout::Grid {
  struct Placed {
    ILayoutElement* child;
    const SGridLayoutParamStruct* data;
    int row, col, rowSpan, colSpan;
    int cellWidth, cellHeight;
  };
  int cols = 0;
  int rows = 0;
  std::vector<unsigned char> occupied;  // row by row
  std::vector<int> colWidth, rowHeight;
  std::vector<float> colWeight, rowWeight;
  std::vector<Placed> placed;

  bool IsOccupied(int row, int col) const { return occupied[static_cast<size_t>(row) * cols + col] != 0; }
};

HRESULT SGridLayout::SetAttribute(const SStringW& name, const SStringW& value, BOOL) {
  if (name.CompareNoCase(L"columnCount") == 0) {
    m_nCols = CountFromText(value);
  } else if (name.CompareNoCase(L"rowCount") == 0) {
    m_nRows = CountFromText(value);
  } else if (name.CompareNoCase(L"xInterval") == 0) {
    m_xInterval = GetNamedDimension(value);
  } else if (name.CompareNoCase(L"yInterval") == 0) {
    m_yInterval = GetNamedDimension(value);
  } else if (name.CompareNoCase(L"interval") == 0) {
    m_xInterval = m_yInterval = GetNamedDimension(value);
  } else if (name.CompareNoCase(L"xGravity") == 0) {
    m_xGravity = SGridLayoutParam::ParseGravity(value);
  } else if (name.CompareNoCase(L"yGravity") == 0) {
    m_yGravity = SGridLayoutParam::ParseGravity(value);
  } else if (name.CompareNoCase(L"gravity") == 0) {
    m_xGravity = m_yGravity = SGridLayoutParam::ParseGravity(value);
  } else {
    return E_NOTIMPL;
  }
  return S_OK;
}

BOOL SGridLayout::IsParamAcceptable(ILayoutParam* pLayoutParam) const {
  return pLayoutParam != nullptr && pLayoutParam->IsClass(SGridLayoutParam::ClassName());
}

ILayoutParam* SGridLayout::CreateLayoutParam() const { return new SGridLayoutParam(); }

// Fills the cells row by row. A span is cut short before the first cell another child holds,
// so that no two children share a cell. False for a grid without any count.
bool SGridLayout::FillCells(ILayoutElement* parent, Grid& grid) const {
  if (m_nCols < 1 && m_nRows < 1) return false;
  std::vector<ILayoutElement*> children;
  long long cells = 0;
  for (ILayoutElement* child = parent->GetNextLayoutChild(nullptr); child != nullptr;
       child = parent->GetNextLayoutChild(child)) {
    const SGridLayoutParamStruct& d = LayoutParamOf<SGridLayoutParam>(child).GetData();
    children.push_back(child);
    cells += static_cast<long long>(std::max(d.nColSpan, 1)) * std::max(d.nRowSpan, 1);
  }
  grid.cols = m_nCols >= 1 ? m_nCols : MissingCount(cells, m_nRows);
  grid.rows = m_nRows >= 1 ? m_nRows : MissingCount(cells, m_nCols);
  grid.occupied.assign(static_cast<size_t>(grid.cols) * grid.rows, 0);
  grid.colWidth.assign(grid.cols, 0);
  grid.colWeight.assign(grid.cols, 0.0f);
  grid.rowHeight.assign(grid.rows, 0);
  grid.rowWeight.assign(grid.rows, 0.0f);

  size_t cursor = 0;  // every cell before it is occupied
  for (ILayoutElement* child : children) {
    if (cursor >= grid.occupied.size()) break;
    const int row = static_cast<int>(cursor / grid.cols);
    const int col = static_cast<int>(cursor % grid.cols);
    const SGridLayoutParamStruct& d = LayoutParamOf<SGridLayoutParam>(child).GetData();
    int colSpan = std::min(std::max(d.nColSpan, 1), grid.cols - col);
    int rowSpan = std::min(std::max(d.nRowSpan, 1), grid.rows - row);
    for (int i = 0; i < rowSpan; ++i) {
      for (int j = 0; j < colSpan; ++j) {
        if (!grid.IsOccupied(row + i, col + j)) continue;
        if (i == 0) {
          colSpan = j;  // at least 1: the cursor's cell is free
        } else {
          rowSpan = i;
        }
        break;
      }
    }

    const SIZE desired = child->GetDesiredSize(-1, -1);
    const int cellWidth = KnownSizeOr(desired.cx, 0) / colSpan;
    const int cellHeight = KnownSizeOr(desired.cy, 0) / rowSpan;
    const float colShare = d.fColWeight / static_cast<float>(colSpan);
    const float rowShare = d.fRowWeight / static_cast<float>(rowSpan);
    for (int i = 0; i < rowSpan; ++i) {
      for (int j = 0; j < colSpan; ++j) grid.occupied[static_cast<size_t>(row + i) * grid.cols + col + j] = 1;
    }
    for (int j = col; j < col + colSpan; ++j) {
      grid.colWidth[j] = std::max(grid.colWidth[j], cellWidth);
      grid.colWeight[j] = std::max(grid.colWeight[j], colShare);
    }
    for (int i = row; i < row + rowSpan; ++i) {
      grid.rowHeight[i] = std::max(grid.rowHeight[i], cellHeight);
      grid.rowWeight[i] = std::max(grid.rowWeight[i], rowShare);
    }
    grid.placed.push_back(Grid::Placed{child, &d, row, col, rowSpan, colSpan, cellWidth, cellHeight});
    while (cursor < grid.occupied.size() && grid.occupied[cursor] != 0) ++cursor;
  }
  return true;
}

SIZE SGridLayout::MeasureChildren(ILayoutElement* parent, int, int) const {
  Grid grid;
  if (!FillCells(parent, grid)) return SIZE{0, 0};
  const int scale = parent->GetScale();
  return SIZE{Extent(grid.colWidth, m_xInterval.toPixelSize(scale)),
              Extent(grid.rowHeight, m_yInterval.toPixelSize(scale))};
}

void SGridLayout::LayoutChildren(ILayoutElement* parent) {
  Grid grid;
  if (!FillCells(parent, grid)) return;
  RECT rc{};
  parent->GetChildrenLayoutRect(&rc);
  const int scale = parent->GetScale();
  const int xInterval = m_xInterval.toPixelSize(scale);
  const int yInterval = m_yInterval.toPixelSize(scale);
  ShareSpare(grid.colWidth, grid.colWeight, (rc.right - rc.left) - Extent(grid.colWidth, xInterval));
  ShareSpare(grid.rowHeight, grid.rowWeight, (rc.bottom - rc.top) - Extent(grid.rowHeight, yInterval));
  const std::vector<int> colX = Starts(grid.colWidth, xInterval, rc.left);
  const std::vector<int> rowY = Starts(grid.rowHeight, yInterval, rc.top);

  for (const Grid::Placed& p : grid.placed) {
    const int areaX = colX[p.col];
    const int areaY = rowY[p.row];
    const int areaW = colX[p.col + p.colSpan] - xInterval - areaX;
    const int areaH = rowY[p.row + p.rowSpan] - yInterval - areaY;
    int x = 0, y = 0;
    int width = p.colSpan * p.cellWidth;
    int height = p.rowSpan * p.cellHeight;
    const int gravityX = p.data->layoutGravityX != GridGravityUnset ? p.data->layoutGravityX : m_xGravity;
    const int gravityY = p.data->layoutGravityY != GridGravityUnset ? p.data->layoutGravityY : m_yGravity;
    Align(gravityX, areaX, areaW, x, width);
    Align(gravityY, areaY, areaH, y, height);
    p.child->OnRelayout(RECT{x, y, x + width, y + height});
  }
}

}  // namespace SWUI
