#include "ListRig.h"

#include "control/EventHeaderClick.h"
#include "control/EventHeaderItemChanged.h"
#include "control/EventHeaderItemChanging.h"
#include "control/EventHeaderItemSwap.h"
#include "control/EventLCDbClick.h"
#include "control/EventLCItemDeleted.h"
#include "control/EventLCSelChanged.h"
#include "control/EventLCSelChanging.h"

using namespace SWUI;

namespace {

FiredEvent FieldsOf(EventArgs* e) {
  const DWORD id = static_cast<DWORD>(e->GetID());
  if (auto* x = dynamic_cast<EventHeaderClick*>(e)) return {id, x->iItem, 0};
  if (auto* x = dynamic_cast<EventHeaderItemChanging*>(e)) return {id, x->iItem, x->nWidth};
  if (auto* x = dynamic_cast<EventHeaderItemChanged*>(e)) return {id, x->iItem, x->nWidth};
  if (auto* x = dynamic_cast<EventHeaderItemSwap*>(e)) return {id, x->iOldIndex, x->iNewIndex};
  if (auto* x = dynamic_cast<EventLCSelChanging*>(e)) return {id, x->nNewSel, x->nOldSel};
  if (auto* x = dynamic_cast<EventLCSelChanged*>(e)) return {id, x->nNewSel, x->nOldSel};
  if (auto* x = dynamic_cast<EventLCItemDeleted*>(e)) {
    return {id, x->nItem, static_cast<int>(x->dwData)};
  }
  if (auto* x = dynamic_cast<EventLCDbClick*>(e)) return {id, x->nCurSel, 0};
  return {0, 0, 0};
}

BOOL CALLBACK CollectPicture(HWND hwnd, LPARAM lParam) {
  const LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
  if ((exStyle & WS_EX_LAYERED) && (exStyle & WS_EX_TOPMOST) && IsWindowVisible(hwnd)) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

ListRig::ListRig() : HostHarness(true) {
  AddSkins(
      L"<skin><cells name='c4'/><cells name='arrow' states='2' size='8,6'/>"
      L"<cellsb name='sb' ideal='10' arrows='0'/><cells name='icons' states='3' size='8,8'/>"
      L"</skin>");
  heldTimers = true;
}

void ListRig::OpenWith(const std::wstring& elementsXml) {
  const std::wstring xml = L"<SWUI width='320' height='200'><root colorBkgnd='#ffffff'>" +
                           elementsXml + L"</root></SWUI>";
  Open(xml.c_str());
  fired.clear();
  host->onEvent = [this](EventArgs* e) {
    const FiredEvent f = FieldsOf(e);
    if (f.id == 0) return FALSE;
    fired.push_back(f);
    if (f.id == EventLCSelChanging::EventID && cancelSelection) {
      static_cast<EventLCSelChanging*>(e)->bCancel = TRUE;
    }
    return FALSE;
  };
}

std::vector<FiredEvent> ListRig::Fired(DWORD id) const {
  std::vector<FiredEvent> out;
  for (const FiredEvent& f : fired) {
    if (id == 0 || f.id == id) out.push_back(f);
  }
  return out;
}

std::vector<HWND> DragPictures() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), &CollectPicture, reinterpret_cast<LPARAM>(&found));
  return found;
}
