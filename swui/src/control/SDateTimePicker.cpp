#include "control/SDateTimePicker.h"

#include "control/EventCalendarExChanged.h"
#include "control/EventDateTimeChanged.h"
#include "control/SControlSkin.h"
#include "control/SDateFunctions.h"
#include "control/SDropDownWnd_ComboBox.h"
#include "control/SWeekTitles.h"
#include "core/EventCmd.h"
#include "core/EventLButtonDown.h"
#include "core/SAttrParse.h"
#include "core/SRootWindow.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

constexpr int kBuiltinBorderSkin = 6;   // "_skin.sys.border"
constexpr int kBuiltinDropBtnSkin = 7;  // "_skin.sys.dropbtn"
constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// Steps a value through lowest..highest, wrapping round at either end.
WORD Wrap(int value, int lowest, int highest) {
  if (value < lowest) return static_cast<WORD>(highest);
  if (value > highest) return static_cast<WORD>(lowest);
  return static_cast<WORD>(value);
}

// A typed number that has passed its field's largest value starts again with the digit.
WORD Typed(WORD typed, int digit, int highest) {
  const int value = typed * 10 + digit;
  return static_cast<WORD>(value > highest ? digit : value);
}

// Codes of the calendar that choose a date: the day cells and "today".
bool ChoosesDay(int code) { return code >= 0 && code <= SCalendarEx::kHitToday; }

bool IsValidTime(WORD wHour, WORD wMinute, WORD wSecond) {
  return wHour <= 23 && wMinute <= 59 && wSecond <= 59;
}

}  // namespace

SDateTimePicker::SDateTimePicker()
    : m_time(GetLocalNow()),
      m_nDropWidth(220.0f, dp),
      m_pSkinBtn(SControlSkin::Builtin(kBuiltinDropBtnSkin)),
      m_pSkinBorder(SControlSkin::Builtin(kBuiltinBorderSkin)) {
  SetFlag(SWF_FOCUSABLE, TRUE);
  m_pNcSkin = m_pSkinBorder;
  m_style.SetAttribute(SStringW(L"margin"), SStringW(L"1"), TRUE);
  m_style.SetAttribute(SStringW(L"align"), SStringW(L"left"), TRUE);
  m_style.SetAttribute(SStringW(L"valign"), SStringW(L"middle"), TRUE);
  m_evtSet.AddEvent<EventDateTimeChanged>();
}

SDateTimePicker::~SDateTimePicker() {
  // Closed while this class still answers the drop-down's callbacks.
  CloseUp();
  ReleaseCalendar();
  m_pDropDownWnd.reset();
}

// ---- the date and time -------------------------------------------------------------------

BOOL SDateTimePicker::SetTime(const SYSTEMTIME& time) {
  if (!IsDateYear(time.wYear) || !IsValidDate(time.wYear, time.wMonth, time.wDay) ||
      !IsValidTime(time.wHour, time.wMinute, time.wSecond)) {
    return FALSE;
  }
  m_time = time;
  FitDay();
  Invalidate();
  return TRUE;
}

BOOL SDateTimePicker::SetTime(WORD wYear, WORD wMonth, WORD wDay, WORD wHour, WORD wMinute,
                              WORD wSecond) {
  SYSTEMTIME time = m_time;
  time.wYear = wYear;
  time.wMonth = wMonth;
  time.wDay = wDay;
  time.wHour = wHour;
  time.wMinute = wMinute;
  time.wSecond = wSecond;
  return SetTime(time);
}

SStringW SDateTimePicker::GetWindowText(BOOL) {
  SStringW text;
  text.Format(L"%04d-%02d-%02d", m_time.wYear, m_time.wMonth, m_time.wDay);
  if (m_bTimeEnable) {
    SStringW time;
    time.Format(L" %02d:%02d:%02d", m_time.wHour, m_time.wMinute, m_time.wSecond);
    text += time;
  }
  return text;
}

void SDateTimePicker::FitDay() {
  const int days = DaysInMonth(m_time.wYear, m_time.wMonth);
  if (m_time.wDay > days) m_time.wDay = static_cast<WORD>(days);
  const int weekDay = WeekDay(m_time.wYear, m_time.wMonth, m_time.wDay);
  if (weekDay >= 0) m_time.wDayOfWeek = static_cast<WORD>(weekDay);
}

// ---- fields ------------------------------------------------------------------------------

RECT SDateTimePicker::GetFieldArea() const {
  RECT rc;
  GetTextRect(&rc);
  rc.top += (rc.bottom - rc.top - m_szDigit.cy) / 2 + 1;
  rc.bottom = rc.top + m_szDigit.cy;
  return rc;
}

RECT SDateTimePicker::GetFieldRect(const RECT& rcArea, int iField) const {
  const int d = m_szDigit.cx;
  const int s = m_nSepWidth;
  // The year is four digits wide; each later field two digits, after a separator.
  const int left = iField <= kFieldYear ? 0 : 2 * iField * d + (iField - 1) * s;
  const int width = iField <= kFieldYear ? 4 * d : 2 * d;
  return RECT{rcArea.left + left, rcArea.top, rcArea.left + left + width, rcArea.bottom};
}

int SDateTimePicker::FieldFromPoint(POINT pt) const {
  const RECT area = GetFieldArea();
  for (int field = kFieldYear; field < GetLastField(); ++field) {
    // A field reaches to the start of the next one, its separator included.
    if (pt.x < GetFieldRect(area, field + 1).left) return field;
  }
  return GetLastField();
}

SStringW SDateTimePicker::FieldText(int iField) const {
  static const WORD SYSTEMTIME::*const kValues[] = {
      nullptr, &SYSTEMTIME::wYear, &SYSTEMTIME::wMonth, &SYSTEMTIME::wDay,
      &SYSTEMTIME::wHour, &SYSTEMTIME::wMinute, &SYSTEMTIME::wSecond};
  SStringW text;
  if (iField == m_iSelField && m_wTyped != 0) {
    text.Format(L"%d", m_wTyped);  // as many digits as were typed
  } else {
    text.Format(iField == kFieldYear ? L"%04d" : L"%02d", m_time.*kValues[iField]);
  }
  return text;
}

void SDateTimePicker::DrawFields(IRenderTarget* pRT) {
  SIZE sep = {0, 0};
  pRT->MeasureText(L"5", 1, &m_szDigit);
  pRT->MeasureText(L"-", 1, &sep);
  m_nSepWidth = sep.cx;
  const RECT area = GetFieldArea();
  for (int field = kFieldYear; field <= GetLastField(); ++field) {
    const RECT rc = GetFieldRect(area, field);
    COLORREF crText = CR_INVALID;
    if (field == m_iSelField) {
      pRT->FillSolidRect(&rc, m_crSelBg);
      crText = m_crSelText;
    }
    SWeekTitles::DrawTextIn(pRT, FieldText(field), rc, kCentred, crText);
    if (field == GetLastField()) break;
    // The separator after it: "-" within the date, a gap before the time, ":" within it.
    const RECT rcSep = {rc.right, rc.top, rc.right + m_nSepWidth, rc.bottom};
    if (field < kFieldDay) {
      SWeekTitles::DrawTextIn(pRT, L"-", rcSep, GetTextAlign(), CR_INVALID);
    } else if (field > kFieldDay) {
      SWeekTitles::DrawTextIn(pRT, L":", rcSep, kCentred, CR_INVALID);
    }
  }
}

void SDateTimePicker::SelectField(int iField) {
  m_wTyped = 0;
  m_iSelField = iField;
  Invalidate();
}

void SDateTimePicker::StepField(int step) {
  SYSTEMTIME& t = m_time;
  switch (m_iSelField) {
    case kFieldYear:
      if (IsDateYear(t.wYear + step)) t.wYear = static_cast<WORD>(t.wYear + step);
      break;
    case kFieldMonth:
      t.wMonth = Wrap(t.wMonth + step, 1, 12);
      break;
    case kFieldDay:
      t.wDay = Wrap(t.wDay + step, 1, DaysInMonth(t.wYear, t.wMonth));
      break;
    case kFieldHour:
      t.wHour = Wrap(t.wHour + step, 0, 23);
      break;
    case kFieldMinute:
      t.wMinute = Wrap(t.wMinute + step, 0, 59);
      break;
    case kFieldSecond:
      t.wSecond = Wrap(t.wSecond + step, 0, 59);
      break;
    default:
      return;
  }
  FitDay();
  m_wTyped = 0;
  Invalidate();
}

void SDateTimePicker::TypeDigit(int digit) {
  SYSTEMTIME& t = m_time;
  switch (m_iSelField) {
    case kFieldYear: {
      // Four digits make a year; a fifth starts the next one.
      m_wTyped = m_wTyped >= 1000 ? static_cast<WORD>(digit) : Typed(m_wTyped, digit, 9999);
      int year = m_wTyped;
      if (m_wTyped < 10) {
        year = t.wYear / 10 * 10 + m_wTyped;
      } else if (m_wTyped < 1000) {
        year = t.wYear / 100 * 100 + m_wTyped;
      }
      if (IsDateYear(year)) t.wYear = static_cast<WORD>(year);
      break;
    }
    case kFieldMonth:
      m_wTyped = Typed(m_wTyped, digit, 12);
      if (m_wTyped != 0) t.wMonth = m_wTyped;  // a month reading 0 changes nothing
      break;
    case kFieldDay: {
      const WORD typed = Typed(m_wTyped, digit, 9999);
      m_wTyped = IsValidDate(t.wYear, t.wMonth, typed) ? typed : static_cast<WORD>(digit);
      if (m_wTyped != 0) t.wDay = m_wTyped;  // a day reading 0 changes nothing
      break;
    }
    case kFieldHour:
      m_wTyped = Typed(m_wTyped, digit, 23);
      t.wHour = m_wTyped;
      break;
    case kFieldMinute:
      m_wTyped = Typed(m_wTyped, digit, 59);
      t.wMinute = m_wTyped;
      break;
    case kFieldSecond:
      m_wTyped = Typed(m_wTyped, digit, 59);
      t.wSecond = m_wTyped;
      break;
    default:
      return;
  }
  FitDay();
  Invalidate();
}

// ---- the drop button ---------------------------------------------------------------------

RECT SDateTimePicker::GetDropBtnRect() const {
  RECT rc = GetClientRect();
  rc.left = rc.right - (rc.bottom - rc.top);
  return rc;
}

void SDateTimePicker::DrawDropButton(IRenderTarget* pRT) {
  const RECT rc = GetDropBtnRect();
  const SIZE skin = SControlSkin::SizeOf(m_pSkinBtn);
  const int inset = (rc.bottom - rc.top - skin.cy) / 2;
  const RECT rcSkin = {rc.right - inset - skin.cx, rc.top + inset, rc.right - inset,
                       rc.top + inset + skin.cy};
  SControlSkin::DrawState(m_pSkinBtn, pRT, rcSkin, m_iBtnState);
  if (m_iBtnState == BtnHover) {
    RECT frame = rc;
    ::InflateRect(&frame, 1, 1);
    SControlSkin::DrawOrNormal(m_pSkinBorder, pRT, frame, SkinState_Hover);
  }
}

void SDateTimePicker::SetButtonState(int state) {
  if (m_iBtnState == state) return;
  m_iBtnState = state;
  RECT rc = GetDropBtnRect();
  ::InflateRect(&rc, 1, 1);
  InvalidateRect(rc);
}

// ---- the drop-down -----------------------------------------------------------------------

BOOL SDateTimePicker::IsDropDownOpen() const {
  return m_pDropDownWnd != nullptr && m_pDropDownWnd->IsOpen();
}

void SDateTimePicker::CloseUp() {
  if (IsDropDownOpen()) m_pDropDownWnd->EndDropDown(IDCANCEL);
}

void SDateTimePicker::DropDown() {
  if (IsDropDownOpen() || m_pCalendar == nullptr) return;
  if (m_pDropDownWnd == nullptr) m_pDropDownWnd = std::make_unique<SDropDownWnd_ComboBox>(this);
  const RECT rcSelf = SDropDownWnd_ComboBox::ScreenRectOf(this);
  const int width = m_nDropWidth.toPixelSize(GetScale());
  const int height = width * 4 / 5;
  RECT rc = {rcSelf.right - width, rcSelf.bottom, rcSelf.right, rcSelf.bottom + height};
  if (rc.bottom > SDropDownWnd_ComboBox::MonitorOf(this).rcMonitor.bottom) {
    rc.top = rcSelf.top - height;
    rc.bottom = rcSelf.top;
  }
  if (!m_pDropDownWnd->Create(&rc, nullptr, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) return;
  m_pDropDownWnd->ShowNoActivate();
  m_pDropDownWnd->CaptureIfOpen();
}

void SDateTimePicker::OnCreateDropDown(SDropDownWnd* pDropDown) {
  const SStringW trCtx =
      GetContainer() != nullptr ? GetContainer()->GetTranslatorContext() : SStringW();
  pDropDown->GetHostAttr().SetAttribute(SStringW(L"trCtx"), trCtx, TRUE);
  m_pCalendar->SetDate(m_time.wYear, m_time.wMonth, m_time.wDay, -1, FALSE);
  m_pDropDownWnd->HostContent(m_pCalendar);
  m_iCalendarPress = SCalendarEx::kHitNone;
  SetButtonState(BtnOpen);
}

void SDateTimePicker::OnDestroyDropDown(SDropDownWnd*) {
  m_pDropDownWnd->ReturnContent(m_pCalendar, GetContainer());
  SetButtonState(BtnNormal);
}

void SDateTimePicker::OnCalendarChanged(WORD wYear, WORD wMonth, WORD wDay, int nBtnType) {
  // Turning the calendar's page chooses nothing.
  if (!ChoosesDay(nBtnType)) return;
  m_time.wYear = wYear;
  m_time.wMonth = wMonth;
  m_time.wDay = wDay;
  FitDay();
  Invalidate();
  EventDateTimeChanged evt(this);
  evt.newTime = m_time;
  FireEvent(evt);
}

BOOL SDateTimePicker::FireEvent(EventArgs& evt) {
  if (m_pCalendar == nullptr || evt.sender != static_cast<IObject*>(m_pCalendar)) {
    return SWindow::FireEvent(evt);
  }
  switch (evt.GetID()) {
    case EventLButtonDown::EventID:
      // Raised before the calendar acts on the press: what it is going to act on.
      m_iCalendarPress = m_pCalendar->HitTest(static_cast<EventLButtonDown&>(evt).pt);
      break;
    case EventCalendarExChanged::EventID: {
      const auto& changed = static_cast<EventCalendarExChanged&>(evt);
      OnCalendarChanged(changed.iNewYear, changed.iNewMonth, changed.iNewDay, changed.nBtnType);
      return TRUE;
    }
    case EventCmd::EventID:
      // A click on a day (the chosen one too) or "today" closes; paging keeps it open.
      if (ChoosesDay(m_iCalendarPress)) CloseUp();
      return TRUE;
    default:
      break;
  }
  return SWindow::FireEvent(evt);
}

// ---- attributes, children, tree-wide messages --------------------------------------------

HRESULT SDateTimePicker::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                      BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = S_FALSE;
  if (P::IsName(strAttribName, L"btnSkin")) {
    if (!SControlSkin::Assign(m_pSkinBtn, strValue, GetScale())) hr = E_FAIL;
  } else if (P::IsName(strAttribName, L"dropWidth")) {
    m_nDropWidth = GetNamedDimension(strValue);
  } else if (P::IsName(strAttribName, L"timeEnable")) {
    m_bTimeEnable = P::BoolOrFalseWord(strValue);
    if (m_iSelField > GetLastField()) SelectField(GetLastField());
    hr = S_OK;
  } else {
    return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  }
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

BOOL SDateTimePicker::CreateChildren(pugi::xml_node xmlNode) {
  ReleaseCalendar();
  SCalendarEx* calendar = new SCalendarEx();
  calendar->SetContainer(GetContainer());
  calendar->SetOwner(this);
  // The drop-down's surface starts transparent, which the screen shows black: the calendar
  // is white unless its style says otherwise.
  calendar->SetAttribute(SStringW(L"colorBkgnd"), SStringW(L"#ffffff"), TRUE);
  if (!calendar->InitFromXml(SXmlNoCase::Child(xmlNode, L"calstyle"))) {
    calendar->Release();
    return FALSE;
  }
  calendar->SetAttribute(SStringW(L"pos"), SStringW(L"0,0,-0,-0"), TRUE);
  calendar->SSendMessage(UM_SETSCALE, static_cast<WPARAM>(GetScale()));
  calendar->SetVisible(FALSE);
  m_pCalendar = calendar;
  return TRUE;
}

void SDateTimePicker::ReleaseCalendar() {
  if (m_pCalendar == nullptr) return;
  SCalendarEx* calendar = m_pCalendar;
  m_pCalendar = nullptr;
  calendar->SSendMessage(WM_DESTROY);
  calendar->Release();
}

void SDateTimePicker::SendToCalendar(UINT uMsg, WPARAM wParam) {
  if (IsDropDownOpen()) {
    m_pDropDownWnd->GetRoot()->SDispatchMessage(uMsg, wParam);
  } else if (m_pCalendar != nullptr) {
    m_pCalendar->SDispatchMessage(uMsg, wParam);
  }
}

void SDateTimePicker::OnColorize(COLORREF cr) {
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pSkinBtn, cr);
  SendToCalendar(UM_SETCOLORIZE, cr);
}

BOOL SDateTimePicker::OnLanguageChanged() {
  const BOOL result = SWindow::OnLanguageChanged();
  SendToCalendar(UM_SETLANGUAGE, 0);
  return result;
}

void SDateTimePicker::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  ScaleSkin(m_pSkinBtn, scale);
  ScaleSkin(m_pSkinBorder, scale);
  SendToCalendar(UM_SETSCALE, static_cast<WPARAM>(scale));
}

// ---- painting and input ------------------------------------------------------------------

void SDateTimePicker::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  DrawFields(pRT);
  if (IsFocused()) DrawFocus(pRT);
  AfterPaint(pRT, painter);
  DrawDropButton(pRT);
}

void SDateTimePicker::OnLButtonDown(UINT nFlags, POINT pt) {
  if (IsFocusable()) SetFocus();
  if (IsDropDownOpen()) return;
  m_wTyped = 0;
  const RECT rcBtn = GetDropBtnRect();
  if (::PtInRect(&rcBtn, pt)) {
    SelectField(kFieldNone);
    DropDown();
    return;
  }
  SWindow::OnLButtonDown(nFlags, pt);
  SelectField(FieldFromPoint(pt));
}

void SDateTimePicker::OnMouseMove(UINT, POINT pt) {
  if (IsDropDownOpen()) return;
  const RECT rcBtn = GetDropBtnRect();
  SetButtonState(::PtInRect(&rcBtn, pt) ? BtnHover : BtnNormal);
}

void SDateTimePicker::OnMouseLeave() {
  SWindow::OnMouseLeave();
  if (!IsDropDownOpen()) SetButtonState(BtnNormal);
}

BOOL SDateTimePicker::OnMouseWheel(UINT, short zDelta, POINT) {
  if (m_iSelField == kFieldNone) {
    SetMsgHandled(FALSE);
    return FALSE;
  }
  StepField(zDelta > 0 ? 1 : -1);
  return TRUE;
}

void SDateTimePicker::OnKeyDown(UINT nChar, UINT, UINT) {
  switch (nChar) {
    case VK_LEFT:
      SelectField(m_iSelField > kFieldYear ? m_iSelField - 1 : kFieldYear);
      break;
    case VK_RIGHT:
      SelectField(m_iSelField < GetLastField() ? m_iSelField + 1 : GetLastField());
      break;
    case VK_UP:
      StepField(1);
      break;
    case VK_DOWN:
      StepField(-1);
      break;
    default:
      SetMsgHandled(FALSE);
  }
}

void SDateTimePicker::OnChar(UINT nChar, UINT, UINT) {
  if (m_iSelField == kFieldNone || nChar < L'0' || nChar > L'9') {
    SetMsgHandled(FALSE);
    return;
  }
  TypeDigit(static_cast<int>(nChar - L'0'));
}

void SDateTimePicker::OnDestroy() {
  CloseUp();
  ReleaseCalendar();
  SWindow::OnDestroy();
}

void SDateTimePicker::OnKillFocus(SwndHandle swndNew) {
  SWindow::OnKillFocus(swndNew);
  CloseUp();
}

}  // namespace SWUI
