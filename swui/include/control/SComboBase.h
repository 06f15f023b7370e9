// What every combo box has but its list: the shown choice (its own text, or an edit part when
// "dropDown" is 0), the drop button, the drop-down window it opens below (or above) itself,
// stepping by keys and wheel, and the events EventCBSelChange (19000) and EventCBDropdown
// (19001); EventRENotify (16000) is registered so the edit part's notifications bubble through
// it. A concrete combo supplies the list (GetCurSel ... GetListBoxHeight).
//
// Attributes (no repaint when set after creation): "dropDown" (1: no edit part), "dropHeight"
// (largest popup height, 200 dp), "curSel" (applied when the list is made), "btnSkin" (the
// built-in "_skin.sys.dropbtn" by default; an unknown name fails with E_FAIL), "animateTime"
// (ms of the popup's slide, below 1 none), "autoFitDropBtn" (1: the button as tall as the
// client, 0: the skin's own size, centred).
//
// XML children: "dropdownStyle" (the popup's host attributes and tree), "editStyle" (the edit
// part), then what CreateListBox reads. UI thread only.
#pragma once
#include <pugixml.hpp>

#include <memory>

#include "control/SComboEdit.h"
#include "control/SDropDownWnd_ComboBox.h"
#include "core/ISDropDownOwner.h"
#include "base/SAutoRefPtr.h"
#include "core/SLayoutSize.h"
#include "core/SMonitorArea.h"
#include "core/SMuteEvents.h"
#include "core/SWindow.h"

namespace SWUI {

class SComboBase : public SWindow, public ISDropDownOwner {
  SWUI_CLASS_NAME(SWindow, L"combobase")

 public:
  // The element ids of the edit part and of the list.
  static constexpr int kEditId = -100;
  static constexpr int kListId = -200;
  // Button states.
  enum { BtnNormal = 0, BtnHover = 1, BtnPushed = 2 };

  SComboBase();
  ~SComboBase() override;

  // ---- the list (supplied by the concrete combo) -----------------------------------------
  virtual int GetCurSel() const = 0;
  virtual int GetCount() const = 0;
  // TRUE when the selection changed (EventCBSelChange fired).
  virtual BOOL SetCurSel(int iSel) = 0;
  virtual SStringW GetLBText(int iItem, BOOL bRawText = FALSE) = 0;
  // The first index from iStart (0 when negative) whose raw text is exactly pszFind; -1 none.
  virtual int FindString(LPCWSTR pszFind, int iStart = 0);
  // Fires EventCBSelChange with GetCurSel().
  virtual void OnSelChanged();
  // Makes the list from the combo's XML node.
  virtual BOOL CreateListBox(pugi::xml_node xmlNode) = 0;
  // The popup's height in pixels.
  virtual int GetListBoxHeight() = 0;

  // ---- the drop-down ---------------------------------------------------------------------
  // Opens the popup unless it is open.
  virtual void DropDown();
  // Ends an open popup with IDCANCEL.
  void CloseUp();
  BOOL IsDropDownOpen() const;
  // The popup window object (null before the first opening).
  SDropDownWnd* GetDropDownWnd() const { return m_pDropDownWnd.get(); }
  // The edit part (null with dropDown 1).
  SComboEdit* GetEditCtrl() const { return m_pEdit; }
  int GetButtonState() const { return m_dwBtnState; }
  // The drop button's rectangle (host coordinates); empty without a skin.
  void GetDropBtnRect(LPRECT prc) const;

  // ---- ISDropDownOwner -------------------------------------------------------------------
  SWindow* GetDropDownOwner() override { return this; }
  void OnCreateDropDown(SDropDownWnd* pDropDown) override;
  void OnDestroyDropDown(SDropDownWnd* pDropDown) override;

  // ---- element overrides -----------------------------------------------------------------
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  // The edit part's text, else the selected item's (empty without a selection).
  SStringW GetWindowText(BOOL bRawText = FALSE) override;
  // SWindow's, then no selection, then the edit part's text.
  void SetWindowText(LPCWSTR lpszText) override;
  // Only a combo without an edit part takes the focus itself.
  BOOL IsFocusable() const override;
  UINT OnGetDlgCode() override { return 1; }
  // The client rectangle less the padding and less the drop button's width.
  void GetTextRect(LPRECT prect) const override;
  void UpdateChildrenPosition() override;
  void OnColorize(COLORREF cr) override;
  BOOL OnLanguageChanged() override;
  void OnScaleChanged(int scale) override;
  // The edit part's EN_CHANGE (while its events are live) clears the selection, keeping the
  // typed text; then SWindow's.
  BOOL FireEvent(EventArgs& evt) override;

 protected:
  // Keeps an element's events muted while it lives and restores what was before.
  using MuteEvents = SMuteEvents;

  // The combo's window rectangle on the screen.
  RECT GetScreenRect() const;
  // The monitor of the combo's host window (the screen when there is none).
  SMonitorArea GetMonitorArea() const;
  // Creates the popup object on first use (scaled as the combo), creates its window at rc and
  // shows it (sliding down or up for animateTime ms), then gives it the mouse capture.
  BOOL ShowDropDown(const RECT& rcScreen, BOOL bDownward);
  // The platform's slide; a test may watch the flags.
  virtual BOOL AnimateDropDown(SDropDownWnd* pDropDown, DWORD dwTime, DWORD dwFlags);
  void SetButtonState(int state);
  // One item up (-1) or down (1); nothing past either end.
  void StepSelection(int step);
  // Sends a tree-wide message (2024 scale, 2025 language, 2026 colour) to an open popup.
  void SendToOpenPopup(UINT uMsg, WPARAM wParam);

  // ---- what the concrete combos do with their list element -------------------------------
  // An element of the class named, made the combo's list from its style element when it is a
  // T: the combo's container, initialised from the style, filling the drop-down ("pos"
  // "0,0,-0,-0"), owned by the combo, id -200 and scaled as the combo. Anything else is
  // released: null.
  template <class T>
  T* MakeList(LPCWSTR className, pugi::xml_node style) {
    SWindow* wnd = CreateListElement(className);
    T* list = dynamic_cast<T*>(wnd);
    if (list == nullptr) {
      if (wnd != nullptr) wnd->Release();
      return nullptr;
    }
    SetUpList(list, style);
    return list;
  }
  // WM_DESTROY and the combo's reference.
  static void DestroyList(SWindow* list);
  // While the popup is open, the list's selection change (event selChangedId) runs
  // OnSelChanged and its click (EventCmd) closes the popup: TRUE for either.
  BOOL HandleListEvent(EventArgs& evt, const SWindow* list, DWORD selChangedId);
  // The edit part (while its events are live) shows the selected item's text; repaint.
  void ShowSelection();

  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();
  // A positive delta selects the previous item, any other the next; 1.
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnDestroy();
  void OnSetFocus(SwndHandle swndOld);
  void OnKillFocus(SwndHandle swndNew);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  SWND_MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
  MSG_WM_KEYDOWN(OnKeyDown)
  SWND_MESSAGE_HANDLER(WM_CHAR, OnChar)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SETFOCUS_EX(OnSetFocus)
  MSG_WM_KILLFOCUS_EX(OnKillFocus)
  SWND_END_MSG_MAP(SWindow)

  SComboEdit* m_pEdit = nullptr;
  int m_dwBtnState = BtnNormal;
  SAutoRefPtr<ISkinObj> m_pSkinBtn;
  BOOL m_bDropdown = TRUE;
  SLayoutSize m_nDropHeight;
  int m_nAnimTime = 200;
  int m_iInitSel = -1;
  std::unique_ptr<SDropDownWnd_ComboBox> m_pDropDownWnd;
  pugi::xml_document m_xmlDropdownStyle;
  BOOL m_bAutoFitDropBtn = TRUE;

 private:
  // Applies the "dropdownStyle" copy to the popup (or only the combo's translation context).
  void ApplyDropdownStyle(SDropDownWnd* pDropDown);
  void CreateEditPart(pugi::xml_node xmlNode);
  // The edit part destroyed by anyone: the combo goes on without it.
  bool OnEditDestroy(EventArgs* evt);
  // The button's width at the client's height (0 without a skin).
  int GetDropBtnWidth(const RECT& rcClient) const;
  static SWindow* CreateListElement(LPCWSTR className);
  void SetUpList(SWindow* list, pugi::xml_node style);
};

}  // namespace SWUI
