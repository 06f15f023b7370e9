// What every level of a running skinned popup menu shares: the levels shown, in the order they
// were shown (the last one is the deepest open level and takes the keys), whether the menu's
// loop must end, the command chosen (-1 until something ends the menu), the owner window and
// the scale of every level. One instance at a time, reachable through Current(); a menu that
// is tracked while another runs joins it (one more reference), so their exit and command are
// common. The last release clears Current(). UI thread only.
#pragma once
#include <windows.h>

#include <vector>

#include "base/IObjRef.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SMenuEx;

class SMenuExRunData : public TObjRefImpl<IObjRef> {
 public:
  // The data of the menu that runs now; null when none runs.
  static SMenuExRunData* Current() { return s_pCurrent; }
  // Joins the running menu's data (one more reference) or makes new data for owner and scale
  // the current one. The caller releases what it got.
  static SMenuExRunData* Enter(HWND hOwner, int nScale);

  // The shown level whose window that is; null for any other window.
  SMenuEx* LevelOf(HWND hWnd) const;
  SMenuEx* GetLastLevel() const { return m_levels.empty() ? nullptr : m_levels.back(); }
  void PushLevel(SMenuEx* pLevel);
  // Takes a level out of the shown ones (normally the last).
  void RemoveLevel(SMenuEx* pLevel);
  size_t GetLevelCount() const { return m_levels.size(); }

  BOOL GetExit() const { return m_bExit; }
  // Ends the loop with a command.
  void Exit(int nCmd) {
    m_bExit = TRUE;
    m_nCmd = nCmd;
  }
  int GetCmd() const { return m_nCmd; }
  HWND GetOwner() const { return m_hOwner; }
  int GetScale() const { return m_nScale; }

  void OnFinalRelease() override;

 private:
  SMenuExRunData(HWND hOwner, int nScale) : m_hOwner(hOwner), m_nScale(nScale) {}
  ~SMenuExRunData() override = default;

  static SMenuExRunData* s_pCurrent;

  std::vector<SMenuEx*> m_levels;
  BOOL m_bExit = FALSE;
  int m_nCmd = -1;
  HWND m_hOwner;
  int m_nScale;
};

}  // namespace SWUI
