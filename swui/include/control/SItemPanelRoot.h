// The root element of an item panel's tree: the element an adapter fills in GetView. It
// carries what the item shows of itself: its background colours by state ("colorNormal",
// "colorSelected", "colorHover"; 0x00FFFFFF is none, and checked wins over hover), its state
// (hover and checked, set by the view), the five item events it raises and the font and text
// colour its tree paints with. Hit tests never answer the root itself, so only its children
// are hit. While it is shown (the view too) its panel takes the frames of the view's host.
// UI thread only.
#pragma once
#include "core/SRootWindow.h"

namespace SWUI {

class SItemPanel;

class SItemPanelRoot : public SRootWindow {
 public:
  static constexpr COLORREF kDefNormal = CR_INVALID;
  static constexpr COLORREF kDefSelected = 0xFF800000;
  static constexpr COLORREF kDefHover = CR_INVALID;

  explicit SItemPanelRoot(SItemPanel* panel);

  SItemPanel* GetPanel() const { return m_panel; }
  // The panel of an item's root element; null for any other element.
  static SItemPanel* PanelOf(SWindow* wnd);

  void SetColors(COLORREF crNormal, COLORREF crSelected);
  COLORREF GetNormalColor() const { return m_crNormal; }
  COLORREF GetSelectedColor() const { return m_crSelected; }
  COLORREF GetHoverColor() const { return m_crHover; }
  // The background of the current state: selected when checked and set, else hover when
  // hovered and set, else normal.
  COLORREF GetStateBkgnd() const;
  void SetBkgndSkin(ISkinObj* skin);

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SRootWindow::SetAttribute;
  SwndHandle SwndFromPoint(const POINT& pt, BOOL bOnlyText) override;
  BOOL NeedRedrawWhenStateChange() override { return TRUE; }
  // The state's font (the default font at the scale when none) and text colour (opaque black
  // when none).
  void BeforePaint(IRenderTarget* pRT, SPainter& painter) override;
  // pt in the view's host coordinates; the target rectangle comes back in them too.
  BOOL UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) override;

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_ERASEBKGND_EX(OnEraseBkgnd)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SRootWindow)

  BOOL OnEraseBkgnd(IRenderTarget* pRT);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnDestroy();

 private:
  SItemPanel* m_panel;
  COLORREF m_crNormal = kDefNormal;
  COLORREF m_crSelected = kDefSelected;
  COLORREF m_crHover = kDefHover;
};

}  // namespace SWUI
