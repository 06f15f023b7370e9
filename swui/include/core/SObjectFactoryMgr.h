// The registry of object factories, keyed by class name and kind: creates objects by XML tag
// and applies their class's default attributes.
#pragma once
#include <unordered_map>

#include "base/IObjRef.h"
#include "core/SObjectFactory.h"
#include "core/TplSObjectFactory.h"

namespace SWUI {

class SObjectFactoryMgr {
 public:
  SObjectFactoryMgr() = default;
  virtual ~SObjectFactoryMgr();
  SObjectFactoryMgr(const SObjectFactoryMgr&) = delete;
  SObjectFactoryMgr& operator=(const SObjectFactoryMgr&) = delete;

  // Stores a copy of factory under its key. A present key fails unless bReplace, which first
  // removes the present entry.
  BOOL RegisterFactory(const SObjectFactory& factory, BOOL bReplace = FALSE);
  template <class T>
  BOOL TplRegisterFactory(BOOL bReplace = FALSE) {
    return RegisterFactory(TplSObjectFactory<T>(), bReplace);
  }
  // Removes and deletes the entry; FALSE when absent.
  BOOL UnregisterFactory(const SObjectInfo& info);
  // A new object of the registered class with its default attributes applied, or null after
  // the warning line "Warning: no ojbect <name> of type:<type> in SWUI!!".
  IObject* CreateObject(const SObjectInfo& info);
  // A new object as the interface its kind promises: an object that is something else is
  // released (deleted when it is not counted) and null is answered.
  template <class T>
  static T* TakeObjectAs(IObject* obj) {
    if (obj == nullptr) return nullptr;
    if (auto* typed = dynamic_cast<T*>(obj)) return typed;
    if (auto* counted = dynamic_cast<IObjRef*>(obj)) {
      counted->Release();
    } else {
      delete obj;
    }
    return nullptr;
  }
  // The key of the registered class's base class, or the empty key when the class is not
  // registered or names itself as its base.
  SObjectInfo BaseObjectInfo(const SObjectInfo& info) const;
  // Applies the default attributes of a new window element's class: "class" first, then every
  // other unmarked attribute in document order.
  void SetSwndDefAttr(IObject* obj);

  size_t GetFactoryCount() const { return m_factories.size(); }

 protected:
  // The default-attribute element of a window class (or of its nearest base class) in the
  // current UI definition; empty when there is none (and while no UI definition exists).
  virtual pugi::xml_node GetClassDefAttribute(LPCWSTR className);

 private:
  using FactoryMap = std::unordered_map<SObjectInfo, SObjectFactory*, SObjectInfo::Hasher>;
  FactoryMap m_factories;
};

}  // namespace SWUI
