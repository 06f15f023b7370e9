// The factory of a class T that carries its identity (SWUI_CLASS_NAME) and a public
// constructor without arguments.
#pragma once
#include "core/SObjectFactory.h"

namespace SWUI {

template <class T>
class TplSObjectFactory : public SObjectFactory {
 public:
  IObject* NewObject() const override {
    return static_cast<IObject*>(new T());
  }
  LPCWSTR BaseClassName() const override { return T::BaseClassName(); }
  SObjectInfo GetObjectInfo() const override { return SObjectInfo(T::ClassName(), T::ClassType()); }
  SObjectFactory* Clone() const override { return new TplSObjectFactory<T>(); }
};

}  // namespace SWUI
