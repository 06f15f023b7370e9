#include "EditRig.h"

#include <doctest/doctest.h>

#include <cstring>

#include "CApplication.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "HidDevice/ParamDesc.h"
#include "control/SComboBox.h"
#include "control/SRadioBox.h"
#include "control/SSliderBar.h"
#include "control/STabCtrl.h"
#include "core/SWindow.h"

namespace {

constexpr uint8_t kWriteParams = 'd';

template <class T>
T* Typed(int id) {
  T* typed = dynamic_cast<T*>(ProgramRig::Element(id));
  REQUIRE_MESSAGE(typed != nullptr, "element " << id << " is not of the class asked for");
  return typed;
}

}  // namespace

doctest::String doctest::StringMaker<RowValues>::convert(const RowValues& rows) {
  std::string out = "{";
  char entry[96];
  for (const auto& row : rows) {
    snprintf(entry, sizeof entry, "%s%s=0x%X", out.size() > 1 ? ", " : "", g_ParamDesc[row.first].name,
             row.second);
    out += entry;
  }
  return String((out + "}").c_str());
}

EditRig::EditRig() : device_(PlugProcessor()) {}

void EditRig::Preset(int row, uint16_t value) {
  device_.Inspect([&](SimProcessor& p) { return SetImageParam(p.banks[p.activeBank], row, value); });
}

ProgramRig::Step EditRig::Connect() {
  return [] {
    Controller().SetSessionSettleMs(0);
    PressSpace(1000);
    REQUIRE(Controller().IsConnected());
    return true;
  };
}

std::vector<uint8_t> EditRig::DeviceBank() {
  std::vector<uint8_t> bank(kParamSlotSize, 0);
  device_.Inspect([&](SimProcessor& p) {
    std::memcpy(bank.data(), p.banks[p.activeBank], SimProcessor::kBankSize);
    return 0;
  });
  return bank;
}

DeviceDiff EditRig::Apply(const std::function<void()>& action) {
  Controller().FlushPendingParams();
  const std::vector<uint8_t> before = DeviceBank();
  const size_t reports = device_.ReceivedCount(kWriteParams);
  action();
  Controller().FlushPendingParams();
  const std::vector<uint8_t> after = DeviceBank();
  DeviceDiff diff;
  diff.reports = device_.ReceivedCount(kWriteParams) - reports;
  for (const ParamDesc& d : g_ParamDesc) {
    if (d.offset + d.bytes > SimProcessor::kBankSize) continue;
    if (std::memcmp(before.data() + d.offset, after.data() + d.offset, d.bytes) != 0) {
      diff.rows[d.index] = GetParam(after.data(), d.index);
    }
  }
  diff.mirrors = std::memcmp(after.data(), Image(), SimProcessor::kBankSize) == 0;
  return diff;
}

CDeviceController& EditRig::Controller() { return App().DeviceController(); }

const uint8_t* EditRig::Image() { return Controller().CurrentImage(); }

uint16_t EditRig::Param(int row) { return GetParam(Image(), row); }

void EditRig::MoveSlider(int id, int position) {
  auto* slider = Typed<SWUI::SSliderBar>(id);
  slider->SetValue(position);
  slider->NotifyPos(2, slider->GetValue());
}

void EditRig::PressSpace(int id) { Element(id)->SSendMessage(WM_KEYDOWN, VK_SPACE, 0); }

void EditRig::Choose(int id, int item) { Typed<SWUI::SComboBox>(id)->SetCurSel(item); }

void EditRig::CheckRadio(int id) { Typed<SWUI::SRadioBox>(id)->SetCheck(TRUE); }

void EditRig::TypeAndLeave(int id, const wchar_t* text) {
  SWUI::SWindow* edit = Element(id);
  edit->SetFocus();
  edit->SetWindowText(text);
  Element(1000)->SetFocus();
}

void EditRig::StepEdit(int id, UINT key) {
  SWUI::SWindow* edit = Element(id);
  edit->SetFocus();
  edit->SSendMessage(WM_KEYDOWN, key, 0);
}

void EditRig::SelectPage(int page) {
  auto* tabs = dynamic_cast<SWUI::STabCtrl*>(Element(L"orv_tab"));
  REQUIRE(tabs != nullptr);
  tabs->SetCurSel(page);
}

void EditRig::Drag(int id, int dx, int dy) {
  SWUI::SWindow* handle = Element(id);
  const RECT rc = handle->GetWindowRect();
  const POINT at = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  handle->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  handle->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + dx, at.y + dy));
  handle->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x + dx, at.y + dy));
}
