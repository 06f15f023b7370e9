// Registers the framework's built-in classes. The list of built-in classes (key, kind, base
// name, in registration order) is fixed; a class is registered once it is built, that is once
// its entry has a factory.
#pragma once
#include <cstddef>

#include "core/ISystemObjectRegister.h"
#include "core/SObjectFactory.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SObjectDefaultRegister : public TObjRefImpl<ISystemObjectRegister> {
 public:
  struct BuiltinClass {
    LPCWSTR key;       // XML tag as written; the registry lower-cases it
    int type;          // ObjectType
    LPCWSTR baseName;  // the base name its factory reports
    // A new factory of the class, or null while the class is not built yet.
    SObjectFactory* (*newFactory)();
  };

  void RegisterLayouts(SObjectFactoryMgr* mgr) override;
  void RegisterSkins(SObjectFactoryMgr* mgr) override;
  void RegisterWindows(SObjectFactoryMgr* mgr) override;
  void RegisterInterpolator(SObjectFactoryMgr* mgr) override;

  // The 70 built-in classes: layouts, skins, window elements, interpolators, each group in its
  // registration order.
  static size_t GetBuiltinClassCount();
  static const BuiltinClass& GetBuiltinClass(size_t index);

 private:
  static void RegisterType(SObjectFactoryMgr* mgr, int type);
};

}  // namespace SWUI
