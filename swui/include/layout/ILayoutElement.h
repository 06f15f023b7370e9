// What a layout asks of the element whose children it places, and of those children: the
// layouts talk to the element tree through this interface only. SWindow implements it; layout
// tests implement it over a small fake tree.
#pragma once
#include <windows.h>

namespace SWUI {

struct ILayoutParam;

struct ILayoutElement {
  // The layout child after pCurChild (the first for null): children in child order that are
  // not floating and are visible or keep their place while hidden (the display flag).
  virtual ILayoutElement* GetNextLayoutChild(const ILayoutElement* pCurChild) const = 0;
  // The parameter by which this element's parent places it (owned by the element).
  virtual ILayoutParam* GetLayoutParam() const = 0;
  // The element's scale in percent (100 = none); sizes convert to pixels at it.
  virtual int GetScale() const = 0;
  // The element's id, for the sibling forms of "pos".
  virtual int GetID() const = 0;
  // The size the element wants for the given extents; -1 (or any sentinel) means unknown.
  virtual SIZE GetDesiredSize(int nParentWid, int nParentHei) = 0;
  // Takes the rectangle the parent's layout gave it (container coordinates); an unresolved
  // edge may still hold a solver sentinel plus the parent's origin.
  virtual void OnRelayout(const RECT& rcWnd) = 0;
  // The rectangle the children are laid out in: the client rectangle less the padding.
  virtual void GetChildrenLayoutRect(RECT* prc) const = 0;

 protected:
  ~ILayoutElement() = default;
};

}  // namespace SWUI
