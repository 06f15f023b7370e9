// Holds the current UI definition (application singleton 0), which the named-value getters,
// the font pool and the class default attributes answer from.
#pragma once
#include <windows.h>

#include "core/IUiDefInfo.h"
#include "base/SAutoRefPtr.h"
#include "core/SSingleton.h"

namespace SWUI {

struct IResProvider;

class SUiDef : public SSingleton<SUiDef> {
 public:
  SUiDef();
  virtual ~SUiDef();

  // Loads the definition named by ref ("type:name") from provider, current while it loads so
  // that it may refer to what it has already read, then restores the current one. Its skin
  // and style pools are pushed on their managers (here only, so once). A new definition with
  // one reference for the caller, partly or wholly empty when loading failed (the failure is
  // logged).
  IUiDefInfo* CreateUiDefInfo(IResProvider* provider, LPCWSTR ref);
  // Makes info current (a reference of its own; null clears).
  void SetUiDef(IUiDefInfo* info);
  IUiDefInfo* GetUiDef() const { return m_pCurUiDef; }

 private:
  SAutoRefPtr<IUiDefInfo> m_pCurUiDef;
};

}  // namespace SWUI
