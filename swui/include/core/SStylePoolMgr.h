// The stack of style pools of the loaded UI definitions (application singleton 5): a style is
// looked up in the newest pool first.
#pragma once
#include <pugixml.hpp>
#include <vector>

#include "base/SAutoRefPtr.h"
#include "core/SSingleton.h"
#include "base/SString.h"
#include "res.mgr/SStylePool.h"

namespace SWUI {

class SStylePoolMgr : public SSingleton<SStylePoolMgr> {
 public:
  SStylePoolMgr();
  virtual ~SStylePoolMgr();

  // Appends the pool with a reference of its own (null is ignored).
  void PushStylePool(SStylePool* pool);
  // Removes the given pool (the newest when null) and releases the push's reference; the
  // pool pointer, which the caller must hold a reference to if it still needs it, or null when
  // the pool is not in the stack.
  SStylePool* PopStylePool(SStylePool* pool = nullptr);
  // The style of that name from the newest pool that has it; empty when none has it.
  pugi::xml_node GetStyle(const SStringW& name) const;
  size_t GetCount() const { return m_pools.size(); }

 private:
  std::vector<SAutoRefPtr<SStylePool>> m_pools;  // oldest first
};

}  // namespace SWUI
