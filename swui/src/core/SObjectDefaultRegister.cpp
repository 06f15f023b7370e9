#include "core/SObjectDefaultRegister.h"

#include <memory>

#include "control/SActiveX.h"
#include "control/SAnimateImgWnd.h"
#include "control/SButton.h"
#include "control/SCalendar.h"
#include "control/SCalendarEx.h"
#include "control/SCaption.h"
#include "control/SCheckBox.h"
#include "control/SComboBox.h"
#include "control/SComboView.h"
#include "control/SDateTimePicker.h"
#include "control/SEdit.h"
#include "control/SFlashCtrl.h"
#include "control/SGroup.h"
#include "control/SHeaderCtrl.h"
#include "control/SHotKeyCtrl.h"
#include "control/SIconWnd.h"
#include "control/SImageButton.h"
#include "control/SImageWnd.h"
#include "control/SLine.h"
#include "control/SLink.h"
#include "control/SListBox.h"
#include "control/SListCtrl.h"
#include "control/SListView.h"
#include "control/SMenuBar.h"
#include "control/SPanel.h"
#include "control/SProgress.h"
#include "control/SRadioBox.h"
#include "control/SRealWnd.h"
#include "control/SRichEdit.h"
#include "control/SScrollBar.h"
#include "control/SScrollView.h"
#include "control/SSliderBar.h"
#include "control/SSplitPane.h"
#include "control/SSplitWnd.h"
#include "control/SSplitWnd_Col.h"
#include "control/SSplitWnd_Row.h"
#include "control/SSpinButtonCtrl.h"
#include "control/SStatic.h"
#include "control/STabCtrl.h"
#include "control/STabPage.h"
#include "control/SToggle.h"
#include "control/STreeCtrl.h"
#include "control/STreeView.h"
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
    {L"text", kW, L"window", NewFactory<SStatic>},
    {L"button", kW, L"window", NewFactory<SButton>},
    {L"img", kW, L"window", NewFactory<SImageWnd>},
    {L"progress", kW, L"window", NewFactory<SProgress>},
    {L"imgbtn", kW, L"button", NewFactory<SImageButton>},
    {L"hr", kW, L"window", NewFactory<SLine>},
    {L"check", kW, L"window", NewFactory<SCheckBox>},
    {L"icon", kW, L"window", NewFactory<SIconWnd>},
    {L"radio", kW, L"window", NewFactory<SRadioBox>},
    {L"link", kW, L"window", NewFactory<SLink>},
    {L"group", kW, L"window", NewFactory<SGroup>},
    {L"animateimg", kW, L"window", NewFactory<SAnimateImgWnd>},
    {L"scrollview", kW, L"div", NewFactory<SScrollView>},
    {L"realwnd", kW, L"window", NewFactory<SRealWnd>},
    {L"toggle", kW, L"window", NewFactory<SToggle>},
    {L"caption", kW, L"window", NewFactory<SCaption>},
    {L"tabctrl", kW, L"window", NewFactory<STabCtrl>},
    {L"page", kW, L"window", NewFactory<STabPage>},
    {L"activex", kW, L"window", NewFactory<SActiveX>},
    {L"flash", kW, L"activex", NewFactory<SFlashCtrl>},
    {L"pane", kW, L"window", NewFactory<SSplitPane>},
    {L"splitwnd", kW, L"window", NewFactory<SSplitWnd>},
    {L"splitcol", kW, L"splitwnd", NewFactory<SSplitWnd_Col>},
    {L"splitrow", kW, L"splitwnd", NewFactory<SSplitWnd_Row>},
    {L"sliderbar", kW, L"progress", NewFactory<SSliderBar>},
    {L"treectrl", kW, L"scrollview", NewFactory<STreeCtrl>},
    {L"scrollbar", kW, L"window", NewFactory<SScrollBar>},
    {L"header", kW, L"window", NewFactory<SHeaderCtrl>},
    {L"listctrl", kW, L"div", NewFactory<SListCtrl>},
    {L"listbox", kW, L"scrollview", NewFactory<SListBox>},
    {L"richedit", kW, L"div", NewFactory<SRichEdit>},
    {L"edit", kW, L"richedit", NewFactory<SEdit>},
    {L"hotkey", kW, L"window", NewFactory<SHotKeyCtrl>},
    {L"combobox", kW, L"combobase", NewFactory<SComboBox>},
    {L"calendar", kW, L"window", NewFactory<SCalendar>},
    {L"spinButton", kW, L"window", NewFactory<SSpinButtonCtrl>},
    {L"listview", kW, L"div", NewFactory<SListView>},
    {L"comboview", kW, L"combobase", NewFactory<SComboView>},
    {L"mclistview", kW, L"div", nullptr},
    {L"tileview", kW, L"div", nullptr},
    {L"treeview", kW, L"div", NewFactory<STreeView>},
    {L"menubar", kW, L"window", NewFactory<SMenuBar>},
    {L"calendarex", kW, L"window", NewFactory<SCalendarEx>},
    {L"dateTimePicker", kW, L"window", NewFactory<SDateTimePicker>},
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
