#include "TestAccelMgr.h"

#include <algorithm>

#include "core/CAccelerator.h"
#include "core/IAcceleratorTarget.h"

using namespace SWUI;

void TestAccelMgr::RegisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) {
  auto& targets = table_[acc.GetAcc()];
  targets.insert(targets.begin(), target);
}

void TestAccelMgr::UnregisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) {
  auto it = table_.find(acc.GetAcc());
  if (it == table_.end()) return;
  auto& targets = it->second;
  targets.erase(std::remove(targets.begin(), targets.end(), target), targets.end());
}

void TestAccelMgr::UnregisterAccelerators(IAcceleratorTarget* target) {
  for (auto& entry : table_) {
    auto& targets = entry.second;
    targets.erase(std::remove(targets.begin(), targets.end(), target), targets.end());
  }
}

BOOL TestAccelMgr::Press(DWORD acc) {
  auto it = table_.find(acc);
  if (it == table_.end()) return FALSE;
  const std::vector<IAcceleratorTarget*> targets = it->second;
  for (IAcceleratorTarget* target : targets) {
    if (target->OnAcceleratorPressed(CAccelerator(acc))) return TRUE;
  }
  return FALSE;
}

size_t TestAccelMgr::Count(DWORD acc) const {
  auto it = table_.find(acc);
  return it == table_.end() ? 0 : it->second.size();
}

size_t TestAccelMgr::Total() const {
  size_t total = 0;
  for (const auto& entry : table_) total += entry.second.size();
  return total;
}
