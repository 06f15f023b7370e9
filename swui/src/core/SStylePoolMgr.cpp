#include "core/SStylePoolMgr.h"

namespace SWUI {

SStylePoolMgr::SStylePoolMgr() = default;

SStylePoolMgr::~SStylePoolMgr() = default;

void SStylePoolMgr::PushStylePool(SStylePool* pool) {
  if (pool != nullptr) m_pools.emplace_back(pool);
}

SStylePool* SStylePoolMgr::PopStylePool(SStylePool* pool) {
  if (m_pools.empty()) return nullptr;
  auto it = m_pools.end() - 1;
  if (pool != nullptr) {
    it = m_pools.end();
    for (auto candidate = m_pools.rbegin(); candidate != m_pools.rend(); ++candidate) {
      if (candidate->Get() == pool) {
        it = std::next(candidate).base();
        break;
      }
    }
    if (it == m_pools.end()) return nullptr;
  }
  SStylePool* popped = it->Get();
  m_pools.erase(it);
  return popped;
}

pugi::xml_node SStylePoolMgr::GetStyle(const SStringW& name) const {
  for (auto it = m_pools.rbegin(); it != m_pools.rend(); ++it) {
    pugi::xml_node style = (*it)->GetStyle(name);
    if (style) return style;
  }
  return pugi::xml_node();
}

}  // namespace SWUI
