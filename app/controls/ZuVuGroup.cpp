#include "controls/ZuVuGroup.h"

#include "controls/IVuMeter.h"
#include "core/SAutoLock.h"

using namespace SWUI;

namespace {

constexpr LPCWSTR kMeterClass = L"zuvumeter";

IVuMeter* MeterOf(SWindow* wnd) {
  if (wnd == nullptr || !wnd->IsClass(kMeterClass)) return nullptr;
  return dynamic_cast<IVuMeter*>(wnd);
}

}  // namespace

ZuVuGroup::~ZuVuGroup() { LeaveTimeline(); }

BOOL ZuVuGroup::CreateChildren(pugi::xml_node xmlNode) {
  const BOOL created = SWindow::CreateChildren(xmlNode);
  meters_.clear();
  for (SWindow* child = GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    if (MeterOf(child) != nullptr) meters_.push_back(child->GetSwnd());
  }
  countdown_ = kActiveMs;
  if (!onTimeline_ && m_pContainer != nullptr) {
    onTimeline_ = m_pContainer->RegisterTimelineHandler(this) != FALSE;
  }
  return created;
}

bool ZuVuGroup::SetLevels(const int* levels, int count) {
  if (count < 0 || (levels == nullptr && count > 0)) return false;
  SAutoLock hold(lock_);
  levels_.assign(levels, levels + count);
  pending_ = true;
  return true;
}

void ZuVuGroup::OnNextFrame() {
  countdown_ -= kFrameMs;
  if (countdown_ > 0) return;
  std::vector<int> levels;
  bool pending = false;
  {
    SAutoLock hold(lock_);
    pending = pending_;
    pending_ = false;
    levels.swap(levels_);
  }
  if (!pending) levels.clear();
  ShowLevels(levels);
  countdown_ = pending ? kActiveMs : kIdleMs;
}

void ZuVuGroup::ShowLevels(const std::vector<int>& levels) {
  for (size_t i = 0; i < meters_.size(); ++i) {
    IVuMeter* meter = MeterOf(SWindow::GetSwndFromHandle(meters_[i]));
    if (meter != nullptr) meter->SetMeterValue(i < levels.size() ? levels[i] : 0);
  }
}

void ZuVuGroup::LeaveTimeline() {
  if (onTimeline_ && m_pContainer != nullptr) m_pContainer->UnregisterTimelineHandler(this);
  onTimeline_ = false;
}

void ZuVuGroup::OnDestroy() {
  LeaveTimeline();
  meters_.clear();
  SetMsgHandled(FALSE);
}
