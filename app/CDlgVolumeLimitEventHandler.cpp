#include "CDlgVolumeLimitEventHandler.h"

#include "CApplication.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "control/EventSliderPos.h"
#include "controls/ZuSlider.h"
#include "core/SHostDialog.h"

CDlgVolumeLimitEventHandler::CDlgVolumeLimitEventHandler()
    : m_controller(CApplication::Get().DeviceController()) {}

void CDlgVolumeLimitEventHandler::OnInit(SWUI::SHostDialog* dialog) {
  CCommonEventHandler::OnInit(dialog);
  SWUI::SWindow* root = dialog->GetRoot();
  for (int i = 0; i < kCount; ++i) {
    m_sliders[i] = root->FindChildByID2<ZuSlider>(kFirstSlider + i);
    m_texts[i] = root->FindChildByID(kFirstText + i);
    Display(i, Value(i), true);
  }
}

int CDlgVolumeLimitEventHandler::Value(int i) const {
  return GetParam(m_controller.CurrentImage(), kFirstRow + i);
}

bool CDlgVolumeLimitEventHandler::_HandleEvent(SWUI::EventArgs* evt) {
  if (evt == nullptr || m_pDlg == nullptr || !IsOwnSender(evt)) return false;
  if (evt->GetID() == SWUI::EventSliderPos::EventID) {
    const int i = evt->idFrom - kFirstSlider;
    if (i < 0 || i >= kCount) return false;
    OnMove(i, static_cast<SWUI::EventSliderPos*>(evt)->nPos);
    return true;
  }
  // OK ends it with 1, Cancel and the close box with 2.
  return CCommonEventHandler::_HandleEvent(evt);
}

void CDlgVolumeLimitEventHandler::OnMove(int i, int v) {
  bool moveBack = false;
  if (i % 2 == 0) {
    const int limit = Value(i + 1);
    if (v > limit) {
      v = limit;
      moveBack = true;
    }
  } else if (v < Value(i - 1)) {
    Write(i - 1, v, true);
  }
  Write(i, v, moveBack);
}

void CDlgVolumeLimitEventHandler::Write(int i, int v, bool slider) {
  m_controller.SetParam(kFirstRow + i, static_cast<uint16_t>(v));
  Display(i, v, slider);
}

void CDlgVolumeLimitEventHandler::Display(int i, int v, bool slider) {
  if (m_texts[i] != nullptr) m_texts[i]->SetWindowText(SWUI::SStringW().Format(L"%d", v));
  if (slider && m_sliders[i] != nullptr) m_sliders[i]->SetValue(v);
}
