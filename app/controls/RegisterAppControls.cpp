#include "controls/RegisterAppControls.h"

#include "controls/SChromeTabCtrl.h"
#include "controls/SEdit2.h"
#include "controls/SGifPlayer.h"
#include "controls/SIPAddressCtrl.h"
#include "controls/SMoveThumb.h"
#include "controls/SSkinGif.h"
#include "controls/SSkinNewScrollbar.h"
#include "controls/SSkinVScrollbar.h"
#include "controls/ZUSkinHScrollbar.h"
#include "controls/ZuCheckButton.h"
#include "controls/ZuEQ.h"
#include "controls/ZuEqCurve.h"
#include "controls/ZuEqGrid.h"
#include "controls/ZuProgress.h"
#include "controls/ZuRadioButton.h"
#include "controls/ZuSlider.h"
#include "core/SObjectFactoryMgr.h"

void RegisterAppControls(SWUI::SObjectFactoryMgr& mgr) {
  // Replace off: a tag that is already registered keeps its first factory.
  mgr.TplRegisterFactory<ZuProgress>(FALSE);
  mgr.TplRegisterFactory<ZuSlider>(FALSE);
  mgr.TplRegisterFactory<ZuCheckButton>(FALSE);
  mgr.TplRegisterFactory<ZuRadioButton>(FALSE);
  mgr.TplRegisterFactory<SMoveThumb>(FALSE);
  mgr.TplRegisterFactory<ZuEQ>(FALSE);
  mgr.TplRegisterFactory<ZuEqGrid>(FALSE);
  mgr.TplRegisterFactory<ZuEqCurve>(FALSE);
  mgr.TplRegisterFactory<SEdit2>(FALSE);
  mgr.TplRegisterFactory<SWUI::SChromeTabCtrl>(FALSE);
  mgr.TplRegisterFactory<SWUI::SSkinVScrollbar>(FALSE);
  mgr.TplRegisterFactory<SWUI::SSkinNewScrollbar>(FALSE);
  mgr.TplRegisterFactory<SWUI::ZUSkinHScrollbar>(FALSE);
  mgr.TplRegisterFactory<SIPAddressCtrl>(FALSE);
  mgr.TplRegisterFactory<SWUI::SGifPlayer>(FALSE);
  mgr.TplRegisterFactory<SWUI::SSkinGif>(FALSE);
}
