// Holds the current UI definition (application singleton 0).
#pragma once
#include <windows.h>

#include "core/IUiDefInfo.h"
#include "core/SAutoRefPtr.h"
#include "core/SSingleton.h"

namespace SWUI {

struct IResProvider;

class SUiDef : public SSingleton<SUiDef> {
 public:
  SUiDef();
  virtual ~SUiDef();

  // Loads the definition named by ref ("type:name") from provider; a new definition with
  // one reference for the caller, or null. Definitions are not read yet: always null.
  IUiDefInfo* CreateUiDefInfo(IResProvider* provider, LPCWSTR ref);
  // Makes info current (a reference of its own; null clears).
  void SetUiDef(IUiDefInfo* info);
  IUiDefInfo* GetUiDef() const { return m_pCurUiDef; }

 private:
  SAutoRefPtr<IUiDefInfo> m_pCurUiDef;
};

}  // namespace SWUI
