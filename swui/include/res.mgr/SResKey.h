// Key of a resource in the folder provider's index: a type and a name in fixed-size fields,
// lower-cased so that lookups ignore letter case.
#pragma once
#include <windows.h>
#include <cstddef>

namespace SWUI {

class SResKey {
 public:
  static const int kMaxType = 29;   // characters, the terminator excluded
  static const int kMaxName = 99;

  SResKey();
  // False, and the key left empty, when the type or the name is null or does not fit its
  // field: such a key would otherwise be cut and collide with a shorter one.
  bool Assign(LPCWSTR type, LPCWSTR name);

  LPCWSTR Type() const { return type_; }
  LPCWSTR Name() const { return name_; }
  bool operator==(const SResKey& other) const;
  // hash = hash * 33 + character over the type's characters, then the name's.
  size_t Hash() const;

  struct Hasher {
    size_t operator()(const SResKey& key) const { return key.Hash(); }
  };

 private:
  wchar_t type_[kMaxType + 1];
  wchar_t name_[kMaxName + 1];
};

}  // namespace SWUI
