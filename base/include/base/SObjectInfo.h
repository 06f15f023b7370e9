// The key of a creatable class: its name, lower-cased in A-Z when the key is made, and its
// kind. The same name may be registered once per kind.
#pragma once
#include <cstddef>

#include "base/IObject.h"
#include "base/SString.h"

namespace SWUI {

class SObjectInfo {
 public:
  // The empty key: empty name, kind -1.
  SObjectInfo() = default;
  SObjectInfo(LPCWSTR name, int type);

  const SStringW& Name() const { return m_name; }
  int Type() const { return m_type; }
  bool IsEmpty() const { return m_name.IsEmpty() && m_type == OBJ_TYPE_UNDEF; }

  // h * 32 + type, where h starts at 0 and becomes h * 33 + c for each character.
  unsigned int Hash() const;

  friend bool operator==(const SObjectInfo& a, const SObjectInfo& b) {
    return a.m_type == b.m_type && a.m_name == b.m_name;
  }
  friend bool operator!=(const SObjectInfo& a, const SObjectInfo& b) { return !(a == b); }

  // For hashed containers.
  struct Hasher {
    size_t operator()(const SObjectInfo& info) const { return info.Hash(); }
  };

 private:
  SStringW m_name;
  int m_type = OBJ_TYPE_UNDEF;
};

}  // namespace SWUI
