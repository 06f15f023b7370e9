// The grid layout ("gridLayout"): the layout children fill the cells of a grid row by row,
// each spanning one or more columns and rows; spare width and height go to the columns and
// rows by weight, and each child is aligned inside its cell area by gravity.
#pragma once
#include "base/SObjectImpl.h"
#include "base/TObjRefImpl.h"
#include "layout/ILayout.h"
#include "layout/SGridLayoutParam.h"

namespace SWUI {

class SGridLayout : public TObjRefImpl<SObjectImpl<ILayout>> {
  SWUI_CLASS_NAME_EX(SObjectImpl<ILayout>, L"gridLayout", OBJ_TYPE_LAYOUT)

 public:
  // The most columns, rows and spans a grid has: beyond it a count is cut to it, so that no
  // layout text can ask for a giant cell table.
  static constexpr int kMaxCount = 1024;

  // "columnCount", "rowCount" (below 1: not given), "xInterval", "yInterval", "interval",
  // "xGravity", "yGravity", "gravity": S_OK; E_NOTIMPL for any other name.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SObjectImpl<ILayout>::SetAttribute;

  BOOL IsParamAcceptable(ILayoutParam* pLayoutParam) const override;
  // Children beyond the free cells are not placed and keep their rectangles.
  void LayoutChildren(ILayoutElement* parent) override;
  ILayoutParam* CreateLayoutParam() const override;
  // The widest cell of each column summed, with the intervals; the given size plays no part.
  SIZE MeasureChildren(ILayoutElement* parent, int nWidth, int nHeight) const override;

  int GetColumnCount() const { return m_nCols; }
  int GetRowCount() const { return m_nRows; }

 private:
  struct Grid;
  bool FillCells(ILayoutElement* parent, Grid& grid) const;

  int m_nCols = -1;  // -1: not given
  int m_nRows = -1;
  SLayoutSize m_xInterval;
  SLayoutSize m_yInterval;
  int m_xGravity = GridGravityCenter;
  int m_yGravity = GridGravityCenter;
};

}  // namespace SWUI
