#include "res.mgr/SResKey.h"

#include <cwchar>

namespace SWUI {

namespace {

bool CopyLower(wchar_t* dst, int maxLen, LPCWSTR src) {
  // No text is no key: a null name must not find an entry written without a name.
  if (src == nullptr) return false;
  size_t len = wcslen(src);
  if (len > static_cast<size_t>(maxLen)) return false;
  wmemcpy(dst, src, len);
  dst[len] = 0;
  if (len > 0) CharLowerBuffW(dst, static_cast<DWORD>(len));
  return true;
}

}  // namespace

SResKey::SResKey() {
  wmemset(type_, 0, kMaxType + 1);
  wmemset(name_, 0, kMaxName + 1);
}

bool SResKey::Assign(LPCWSTR type, LPCWSTR name) {
  wmemset(type_, 0, kMaxType + 1);
  wmemset(name_, 0, kMaxName + 1);
  if (CopyLower(type_, kMaxType, type) && CopyLower(name_, kMaxName, name)) return true;
  wmemset(type_, 0, kMaxType + 1);
  wmemset(name_, 0, kMaxName + 1);
  return false;
}

bool SResKey::operator==(const SResKey& other) const {
  return wmemcmp(type_, other.type_, kMaxType + 1) == 0 &&
         wmemcmp(name_, other.name_, kMaxName + 1) == 0;
}

size_t SResKey::Hash() const {
  unsigned int hash = 0;
  for (const wchar_t* p = type_; *p; ++p) hash = hash * 33 + *p;
  for (const wchar_t* p = name_; *p; ++p) hash = hash * 33 + *p;
  return hash;
}

}  // namespace SWUI
