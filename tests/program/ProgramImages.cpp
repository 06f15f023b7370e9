#include "ProgramImages.h"

#include <windows.h>

#include "AppElements.h"
#include "CApplication.h"
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "ParamControls.h"
#include "ProgramRig.h"
#include "TempFile.h"
#include "core/SWindow.h"

namespace {

std::vector<uint8_t> Copy(const uint8_t* image) {
  return std::vector<uint8_t>(image, image + kParamSlotSize);
}

}  // namespace

ProgramImages ProgramImages::Take() {
  CDeviceController& controller = ProgramRig::App().DeviceController();
  ProgramImages state;
  state.current = Copy(controller.CurrentImage());
  state.bank0 = Copy(controller.Bank0Image());
  state.bank1 = Copy(controller.Bank1Image());
  for (int i = 0; i < CChannelCurves::kCurveCount; ++i) {
    const EqCurveInfo* curve = controller.Curves().GetCurve(i);
    state.curves.push_back(curve != nullptr ? curve->curve : std::vector<double>());
    state.curves.push_back(curve != nullptr ? curve->curve2 : std::vector<double>());
  }
  return state;
}

bool ProgramImages::operator==(const ProgramImages& other) const {
  return current == other.current && bank0 == other.bank0 && bank1 == other.bank1 &&
         curves == other.curves;
}

std::vector<uint8_t> ShowableImage(const uint8_t* base, int step) {
  std::vector<uint8_t> image = Copy(base);
  int count = 0;
  const FixedSlider* sliders = FixedSliders(&count);
  for (int i = 0; i < count; ++i) {
    const int row = FixedSliderRow(sliders[i], image.data());
    const uint16_t old = GetParam(image.data(), row);
    const int position = SliderPosition(sliders[i].flagMask, old);
    const int moved = position >= step ? position - step : position + step;
    SetImageParam(image.data(), row, SliderValue(sliders[i].flagMask, old, moved));
  }
  const ToggleDesc* toggles = Toggles(&count);
  for (int i = 0; i < count && step % 2 == 1; ++i) {
    const uint16_t old = GetParam(image.data(), toggles[i].row);
    const bool checked = ToggleChecked(toggles[i].kind, old);
    SetImageParam(image.data(), toggles[i].row, ToggleValue(toggles[i].kind, old, !checked));
  }
  return image;
}

std::string ControlsDiffer(const uint8_t* image) {
  // Every page's controls: pages not shown yet are built (and show the image) too.
  ProgramRig::Logic().BuildAllPages();
  SWUI::SWindow* root = ProgramRig::Root();
  int count = 0;
  const FixedSlider* sliders = FixedSliders(&count);
  for (int i = 0; i < count; ++i) {
    const FixedSlider& s = sliders[i];
    auto* slider = root->FindChildByID2<ParamSlider>(s.id);
    if (slider == nullptr) continue;
    const uint16_t value = GetParam(image, FixedSliderRow(s, image));
    const int expected = CapSliderPosition(s, image, SliderPosition(s.flagMask, value));
    if (slider->GetValue() != expected) {
      return "slider " + std::to_string(s.id) + " shows " + std::to_string(slider->GetValue()) +
             ", the image " + std::to_string(expected);
    }
  }
  const ToggleDesc* toggles = Toggles(&count);
  for (int i = 0; i < count; ++i) {
    const ToggleDesc& t = toggles[i];
    auto* check = root->FindChildByID2<ParamCheck>(t.id);
    if (check == nullptr) continue;
    const bool expected = ToggleChecked(t.kind, GetParam(image, t.row));
    if ((check->IsChecked() != FALSE) != expected) return "toggle " + std::to_string(t.id);
  }
  return std::string();
}

ModeFolder::ModeFolder() {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring folder = module;
  folder.erase(folder.find_last_of(L'\\'));
  m_path = folder + L"\\mode";
  fixtures::RemoveTree(m_path);
}

ModeFolder::~ModeFolder() { fixtures::RemoveTree(m_path); }
