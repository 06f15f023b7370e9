// Creates objects of one class for the factory registry.
#pragma once
#include "base/IObject.h"
#include "base/SObjectInfo.h"

namespace SWUI {

class SObjectFactory {
 public:
  virtual ~SObjectFactory() = default;
  // A new object with one reference, as its IObject part; null when memory runs out.
  virtual IObject* NewObject() const = 0;
  // The name of the class's direct base class.
  virtual LPCWSTR BaseClassName() const = 0;
  virtual SObjectInfo GetObjectInfo() const = 0;
  // A new factory of the same class, owned by the caller.
  virtual SObjectFactory* Clone() const = 0;
};

}  // namespace SWUI
