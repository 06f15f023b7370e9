// Makes the script modules of host windows. The application holds one only when a script
// engine is installed; without it no host window runs scripts.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"

namespace SWUI {

class SHostWnd;
struct IScriptModule;

struct IScriptFactory : IObjRef {
  // A new module for host with one reference for the caller in *ppModule.
  virtual HRESULT CreateScriptModule(SHostWnd* host, IScriptModule** ppModule) = 0;
  virtual ~IScriptFactory() = default;
};

}  // namespace SWUI
