#include "controls/SSimpleToolTip.h"

SSimpleToolTip* SSimpleToolTip::s_instance = nullptr;

SSimpleToolTip* SSimpleToolTip::GetInstance() {
  if (s_instance == nullptr) s_instance = new SSimpleToolTip();
  return s_instance;
}

LONG SSimpleToolTip::AddRef() {
  const LONG n = InterlockedIncrement(&m_cRef);
  if (n == 1) CreateTipWindow(L"simple tooltip");
  return n;
}

LONG SSimpleToolTip::Release() {
  // A release without a reference would leave the count below zero for good.
  if (m_cRef <= 0) return 0;
  const LONG n = InterlockedDecrement(&m_cRef);
  if (n == 0) {
    if (s_instance == this) s_instance = nullptr;
    delete this;
  }
  return n;
}

void SSimpleToolTip::SetText(const wchar_t* text) {
  if (text == nullptr) {
    Show(FALSE);
    return;
  }
  m_strText = text;
}

void SSimpleToolTip::Show(BOOL show) {
  if (!show) {
    HideTip();
    m_strText.Empty();
    return;
  }
  ShowTip(kWorkArea, SWP_NOSENDCHANGING);
}

void SSimpleToolTip::MoveTo(int x, int y) {
  MoveWindowTo(x, y);
  Show(TRUE);
}

void SSimpleToolTip::ShowAt(const wchar_t* text, int x, int y) {
  if (text == nullptr) {
    Show(FALSE);
    return;
  }
  m_strText = text;
  MoveTo(x, y);
}

void SSimpleToolTip::MoveWindowTo(int x, int y) {
  if (m_hWnd == nullptr) return;
  SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
