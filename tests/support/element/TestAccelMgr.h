// The accelerator table of a focus manager, as the element rig's container offers it: targets
// by combination, the last registered asked first.
#pragma once
#include <map>
#include <vector>

#include "core/IAcceleratorMgr.h"

class TestAccelMgr : public SWUI::IAcceleratorMgr {
 public:
  void RegisterAccelerator(const SWUI::CAccelerator& acc,
                           SWUI::IAcceleratorTarget* target) override;
  void UnregisterAccelerator(const SWUI::CAccelerator& acc,
                             SWUI::IAcceleratorTarget* target) override;
  void UnregisterAccelerators(SWUI::IAcceleratorTarget* target) override;

  // Asks the combination's targets in order; TRUE when one took it.
  BOOL Press(DWORD acc);
  // Targets registered for a combination, and for all of them.
  size_t Count(DWORD acc) const;
  size_t Total() const;

 private:
  std::map<DWORD, std::vector<SWUI::IAcceleratorTarget*>> table_;
};
