#include "control/SMenuExRunData.h"

#include <algorithm>

#include "control/SMenuEx.h"

namespace SWUI {

SMenuExRunData* SMenuExRunData::s_pCurrent = nullptr;

SMenuExRunData* SMenuExRunData::Enter(HWND hOwner, int nScale) {
  if (s_pCurrent != nullptr) {
    s_pCurrent->AddRef();
  } else {
    s_pCurrent = new SMenuExRunData(hOwner, nScale);
  }
  return s_pCurrent;
}

void SMenuExRunData::OnFinalRelease() {
  if (s_pCurrent == this) s_pCurrent = nullptr;
  delete this;
}

SMenuEx* SMenuExRunData::LevelOf(HWND hWnd) const {
  if (hWnd == nullptr) return nullptr;
  for (SMenuEx* level : m_levels) {
    if (level->m_hWnd == hWnd) return level;
  }
  return nullptr;
}

void SMenuExRunData::PushLevel(SMenuEx* pLevel) {
  if (pLevel != nullptr && std::find(m_levels.begin(), m_levels.end(), pLevel) == m_levels.end()) {
    m_levels.push_back(pLevel);
  }
}

void SMenuExRunData::RemoveLevel(SMenuEx* pLevel) {
  auto it = std::find(m_levels.rbegin(), m_levels.rend(), pLevel);
  if (it != m_levels.rend()) m_levels.erase(std::next(it).base());
}

}  // namespace SWUI
