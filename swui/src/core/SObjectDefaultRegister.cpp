#include "core/SObjectDefaultRegister.h"

#include <memory>

#include "control/SListBox.h"
#include "control/SPanel.h"
#include "control/SScrollView.h"
#include "core/SAccelerateDecelerateInterpolator.h"
#include "core/SAccelerateInterpolator.h"
#include "core/SAnticipateInterpolator.h"
#include "core/SAnticipateOvershootInterpolator.h"
#include "core/SBounceInterpolator.h"
#include "core/SCycleInterpolator.h"
#include "core/SDecelerateInterpolator.h"
#include "core/SLinearInterpolator.h"
#include "core/SObjectFactoryMgr.h"
#include "core/SOvershootInterpolator.h"
#include "core/SSKinGroup.h"
#include "core/SSkinButton.h"
#include "core/SSkinColorRect.h"
#include "core/SSkinGradation.h"
#include "core/SSkinImgCenter.h"
#include "core/SSkinImgFrame2.h"
#include "core/SSkinScrollbar.h"
#include "core/SSkinShape.h"
#include "core/SWindow.h"
#include "layout/SGridLayout.h"
#include "layout/SHBox.h"
#include "layout/SLinearLayout.h"
#include "layout/SVBox.h"
#include "layout/SwuiLayout.h"

namespace SWUI {

namespace {

// When a built-in class lands, include its header and put NewFactory<TheClass> in its entry.
template <class T>
SObjectFactory* NewFactory() {
  return new TplSObjectFactory<T>();
}

using Entry = SObjectDefaultRegister::BuiltinClass;
constexpr int kW = OBJ_TYPE_WINDOW;
constexpr int kS = OBJ_TYPE_SKIN;
constexpr int kL = OBJ_TYPE_LAYOUT;
constexpr int kI = OBJ_TYPE_INTERPOLATOR;

const Entry kBuiltinClasses[] = {
    // Layouts.
    {L"SwuiLayout", kL, L"object", NewFactory<SwuiLayout>},
    {L"linearLayout", kL, L"object", NewFactory<SLinearLayout>},
    {L"hbox", kL, L"linearLayout", NewFactory<SHBox>},
    {L"vbox", kL, L"linearLayout", NewFactory<SVBox>},
    {L"gridLayout", kL, L"object", NewFactory<SGridLayout>},
    // Skins.
    {L"imglist", kS, L"skinObjBase", NewFactory<SSkinImgList>},
    {L"imgCenter", kS, L"imglist", NewFactory<SSkinImgCenter>},
    {L"imgframe", kS, L"imglist", NewFactory<SSkinImgFrame>},
    {L"imgframe2", kS, L"imgframe", NewFactory<SSkinImgFrame2>},
    {L"button", kS, L"skinObjBase", NewFactory<SSkinButton>},
    {L"gradation", kS, L"skinObjBase", NewFactory<SSkinGradation>},
    {L"scrollbar", kS, L"imglist", NewFactory<SSkinScrollbar>},
    {L"colorrect", kS, L"skinObjBase", NewFactory<SSkinColorRect>},
    {L"shape", kS, L"skinObjBase", NewFactory<SSkinShape>},
    {L"group", kS, L"skinObjBase", NewFactory<SSKinGroup>},
    // Window elements.
    {L"window", kW, L"object", NewFactory<SWindow>},
    {L"div", kW, L"window", NewFactory<SPanel>},
    {L"text", kW, L"window", nullptr},
    {L"button", kW, L"window", nullptr},
    {L"img", kW, L"window", nullptr},
    {L"progress", kW, L"window", nullptr},
    {L"imgbtn", kW, L"button", nullptr},
    {L"hr", kW, L"window", nullptr},
    {L"check", kW, L"window", nullptr},
    {L"icon", kW, L"window", nullptr},
    {L"radio", kW, L"window", nullptr},
    {L"link", kW, L"window", nullptr},
    {L"group", kW, L"window", nullptr},
    {L"animateimg", kW, L"window", nullptr},
    {L"scrollview", kW, L"div", NewFactory<SScrollView>},
    {L"realwnd", kW, L"window", nullptr},
    {L"toggle", kW, L"window", nullptr},
    {L"caption", kW, L"window", nullptr},
    {L"tabctrl", kW, L"window", nullptr},
    {L"page", kW, L"window", nullptr},
    {L"activex", kW, L"window", nullptr},
    {L"flash", kW, L"activex", nullptr},
    {L"pane", kW, L"window", nullptr},
    {L"splitwnd", kW, L"window", nullptr},
    {L"splitcol", kW, L"splitwnd", nullptr},
    {L"splitrow", kW, L"splitwnd", nullptr},
    {L"sliderbar", kW, L"progress", nullptr},
    {L"treectrl", kW, L"scrollview", nullptr},
    {L"scrollbar", kW, L"window", nullptr},
    {L"header", kW, L"window", nullptr},
    {L"listctrl", kW, L"div", nullptr},
    {L"listbox", kW, L"scrollview", NewFactory<SListBox>},
    {L"richedit", kW, L"div", nullptr},
    {L"edit", kW, L"richedit", nullptr},
    {L"hotkey", kW, L"window", nullptr},
    {L"combobox", kW, L"combobase", nullptr},
    {L"calendar", kW, L"window", nullptr},
    {L"spinButton", kW, L"window", nullptr},
    {L"listview", kW, L"div", nullptr},
    {L"comboview", kW, L"combobase", nullptr},
    {L"mclistview", kW, L"div", nullptr},
    {L"tileview", kW, L"div", nullptr},
    {L"treeview", kW, L"div", nullptr},
    {L"menubar", kW, L"window", nullptr},
    {L"calendarex", kW, L"window", nullptr},
    {L"dateTimePicker", kW, L"window", nullptr},
    // Interpolators.
    {L"Linear", kI, L"interpolator_base", NewFactory<SLinearInterpolator>},
    {L"Accelerate", kI, L"interpolator_base", NewFactory<SAccelerateInterpolator>},
    {L"Decelerate", kI, L"interpolator_base", NewFactory<SDecelerateInterpolator>},
    {L"AccelerateDecelerate", kI, L"interpolator_base", NewFactory<SAccelerateDecelerateInterpolator>},
    {L"Anticipate", kI, L"interpolator_base", NewFactory<SAnticipateInterpolator>},
    {L"AnticipateOvershoot", kI, L"interpolator_base", NewFactory<SAnticipateOvershootInterpolator>},
    {L"Bounce", kI, L"interpolator_base", NewFactory<SBounceInterpolator>},
    {L"Cycle", kI, L"interpolator_base", NewFactory<SCycleInterpolator>},
    {L"Overshoot", kI, L"interpolator_base", NewFactory<SOvershootInterpolator>},
};

}  // namespace

size_t SObjectDefaultRegister::GetBuiltinClassCount() {
  return sizeof(kBuiltinClasses) / sizeof(kBuiltinClasses[0]);
}

const SObjectDefaultRegister::BuiltinClass& SObjectDefaultRegister::GetBuiltinClass(
    size_t index) {
  return kBuiltinClasses[index];
}

void SObjectDefaultRegister::RegisterType(SObjectFactoryMgr* mgr, int type) {
  if (mgr == nullptr) return;
  for (const Entry& entry : kBuiltinClasses) {
    if (entry.type != type || entry.newFactory == nullptr) continue;
    std::unique_ptr<SObjectFactory> factory(entry.newFactory());
    if (factory) mgr->RegisterFactory(*factory, FALSE);
  }
}

void SObjectDefaultRegister::RegisterLayouts(SObjectFactoryMgr* mgr) { RegisterType(mgr, kL); }

void SObjectDefaultRegister::RegisterSkins(SObjectFactoryMgr* mgr) { RegisterType(mgr, kS); }

void SObjectDefaultRegister::RegisterWindows(SObjectFactoryMgr* mgr) { RegisterType(mgr, kW); }

void SObjectDefaultRegister::RegisterInterpolator(SObjectFactoryMgr* mgr) {
  RegisterType(mgr, kI);
}

}  // namespace SWUI
