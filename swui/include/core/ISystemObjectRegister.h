// Fills the factory registry with a set of built-in classes, one kind per operation. The
// application object calls RegisterLayouts, RegisterSkins, RegisterWindows and
// RegisterInterpolator in that order.
#pragma once
#include "base/IObjRef.h"

namespace SWUI {

class SObjectFactoryMgr;

struct ISystemObjectRegister : IObjRef {
  virtual void RegisterLayouts(SObjectFactoryMgr*) {}
  virtual void RegisterSkins(SObjectFactoryMgr*) {}
  virtual void RegisterWindows(SObjectFactoryMgr*) {}
  virtual void RegisterInterpolator(SObjectFactoryMgr*) {}

 protected:
  ~ISystemObjectRegister() = default;
};

}  // namespace SWUI
