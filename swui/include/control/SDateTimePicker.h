// The date-time picker ("dateTimePicker"): one line "yyyy-mm-dd" (and " hh:mm:ss" while time
// is enabled) whose fields are selected by a click or Left/Right, stepped by Up/Down or the
// wheel (wrapping, the year kept in 1601..6999) and typed into digit by digit, and a drop
// button that opens an extended calendar (SCalendarEx) in a drop-down below the field, or above
// it where the monitor ends. A day or "today" clicked there sets the date, fires
// EventDateTimeChanged (20003) and closes the drop-down; the month buttons only turn its page.
// It starts at the local clock's date and time.
//
// Attributes: "btnSkin" (the built-in "_skin.sys.dropbtn"; an unknown name fails with E_FAIL),
// "dropWidth" (the drop-down's width, 220 dp; its height is 4/5 of it), "timeEnable" ("0" or
// "false" hide the time). XML child "calstyle": the drop-down calendar's attributes and
// children. UI thread only.
#pragma once
#include <pugixml.hpp>

#include <memory>

#include "control/SCalendarEx.h"
#include "control/SDropDownWnd_ComboBox.h"
#include "core/ISDropDownOwner.h"
#include "core/SLayoutSize.h"
#include "core/SWindow.h"

namespace SWUI {

class SDateTimePicker : public SWindow, public ISDropDownOwner {
  SWUI_CLASS_NAME(SWindow, L"dateTimePicker")

 public:
  // The fields, left to right; kFieldNone while none is selected.
  enum : int {
    kFieldNone = 0,
    kFieldYear = 1,
    kFieldMonth = 2,
    kFieldDay = 3,
    kFieldHour = 4,
    kFieldMinute = 5,
    kFieldSecond = 6,
  };
  // States of the drop button.
  enum : int { BtnNormal = 0, BtnHover = 1, BtnOpen = 2 };

  SDateTimePicker();
  ~SDateTimePicker() override;

  // A valid date with a year in 1601..6999 and a valid time of day; FALSE, nothing changed,
  // for anything else. The week day is made to match the date.
  BOOL SetTime(const SYSTEMTIME& time);
  BOOL SetTime(WORD wYear, WORD wMonth, WORD wDay, WORD wHour, WORD wMinute, WORD wSecond);
  void GetTime(SYSTEMTIME& time) const { time = m_time; }
  // "yyyy-mm-dd", and " hh:mm:ss" while time is enabled.
  SStringW GetWindowText(BOOL bRawText = FALSE) override;

  int GetSelectedField() const { return m_iSelField; }
  int GetButtonState() const { return m_iBtnState; }
  BOOL IsTimeEnabled() const { return m_bTimeEnable; }
  // The drop button's area (host coordinates): the client height's square at the right.
  RECT GetDropBtnRect() const;
  // The field under a point (host coordinates), as the last paint measured the digits.
  int FieldFromPoint(POINT pt) const;

  // ---- the drop-down ---------------------------------------------------------------------
  // Opens it unless it is open.
  void DropDown();
  // Ends an open drop-down with IDCANCEL.
  void CloseUp();
  BOOL IsDropDownOpen() const;
  SDropDownWnd* GetDropDownWnd() const { return m_pDropDownWnd.get(); }
  SCalendarEx* GetCalendar() const { return m_pCalendar; }

  // ---- ISDropDownOwner -------------------------------------------------------------------
  SWindow* GetDropDownOwner() override { return this; }
  void OnCreateDropDown(SDropDownWnd* pDropDown) override;
  void OnDestroyDropDown(SDropDownWnd* pDropDown) override;

  // ---- element overrides -----------------------------------------------------------------
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // Makes the drop-down calendar from "calstyle".
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  // The calendar's events: a day or "today" chosen sets the date; its command event is
  // the picker's own affair. Then SWindow's.
  BOOL FireEvent(EventArgs& evt) override;
  void OnColorize(COLORREF cr) override;
  BOOL OnLanguageChanged() override;
  void OnScaleChanged(int scale) override;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();
  // Up (delta > 0) or Down on the selected field; with none, SWindow's.
  BOOL OnMouseWheel(UINT nFlags, short zDelta, POINT pt);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnDestroy();
  void OnKillFocus(SwndHandle swndNew);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  MSG_WM_MOUSEWHEEL(OnMouseWheel)
  MSG_WM_KEYDOWN(OnKeyDown)
  MSG_WM_CHAR(OnChar)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_KILLFOCUS_EX(OnKillFocus)
  SWND_END_MSG_MAP(SWindow)

 private:
  int GetLastField() const { return m_bTimeEnable ? kFieldSecond : kFieldDay; }
  // The line the fields are drawn on: the text rectangle's band of digit height, centred.
  RECT GetFieldArea() const;
  // A field's or a separator's place in the line.
  RECT GetFieldRect(const RECT& rcArea, int iField) const;
  SStringW FieldText(int iField) const;
  void DrawFields(IRenderTarget* pRT);
  void DrawDropButton(IRenderTarget* pRT);
  void SetButtonState(int state);
  void SelectField(int iField);
  // Up (step 1) or Down (-1) on the selected field.
  void StepField(int step);
  // One typed digit into the selected field.
  void TypeDigit(int digit);
  // The date changed: a day past the month's end becomes its last day, the week day follows.
  void FitDay();
  void SendToCalendar(UINT uMsg, WPARAM wParam);
  void ReleaseCalendar();
  // A day or "today" chosen in the calendar.
  void OnCalendarChanged(WORD wYear, WORD wMonth, WORD wDay, int nBtnType);

  SYSTEMTIME m_time;
  int m_iSelField = kFieldNone;
  WORD m_wTyped = 0;  // the typed digits as a number; 0 empty
  SIZE m_szDigit = {0, 0};
  int m_nSepWidth = 0;
  int m_iBtnState = BtnNormal;
  BOOL m_bTimeEnable = TRUE;
  SLayoutSize m_nDropWidth;
  SAutoRefPtr<ISkinObj> m_pSkinBtn;
  SAutoRefPtr<ISkinObj> m_pSkinBorder;
  // Colours 0xAABBGGRR of the selected field.
  COLORREF m_crSelBg = 0xFFD77800;
  COLORREF m_crSelText = 0xFFFFFFFF;
  std::unique_ptr<SDropDownWnd_ComboBox> m_pDropDownWnd;
  SCalendarEx* m_pCalendar = nullptr;
  // The calendar's code under its last button press.
  int m_iCalendarPress = SCalendarEx::kHitNone;
};

}  // namespace SWUI
