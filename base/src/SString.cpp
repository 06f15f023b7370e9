#include "base/SString.h"

namespace SWUI {

namespace {

const int kConvertStackUnits = 1024;

template <class T>
size_t SplitAt(const TStringT<T>& str, T sep, SArray<TStringT<T>>& out) {
  const T* p = str.c_str();
  const int length = str.GetLength();
  int start = 0;
  for (int i = 0; i <= length; ++i) {
    if (i == length || p[i] == sep) {
      if (i > start) out.Add(TStringT<T>(p + start, i - start));
      start = i + 1;
    }
  }
  return out.GetCount();
}

}  // namespace

SStringW StringA2W(const SStringA& src, UINT codePage) {
  if (src.IsEmpty()) return SStringW();
  wchar_t stackBuf[kConvertStackUnits];
  int n = MultiByteToWideChar(codePage, 0, src.c_str(), src.GetLength(), stackBuf,
                              kConvertStackUnits);
  if (n > 0) return SStringW(stackBuf, n);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return SStringW();
  const int need = MultiByteToWideChar(codePage, 0, src.c_str(), src.GetLength(), nullptr, 0);
  if (need <= 0) return SStringW();
  SStringW result;
  wchar_t* buf = result.GetBufferSetLength(need);
  if (!buf) return SStringW();
  n = MultiByteToWideChar(codePage, 0, src.c_str(), src.GetLength(), buf, need);
  if (n <= 0) return SStringW();
  result.ReleaseBuffer(n);
  return result;
}

SStringA StringW2A(const SStringW& src, UINT codePage) {
  if (src.IsEmpty()) return SStringA();
  char stackBuf[kConvertStackUnits];
  int n = WideCharToMultiByte(codePage, 0, src.c_str(), src.GetLength(), stackBuf,
                              kConvertStackUnits, nullptr, nullptr);
  if (n > 0) return SStringA(stackBuf, n);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return SStringA();
  const int need =
      WideCharToMultiByte(codePage, 0, src.c_str(), src.GetLength(), nullptr, 0, nullptr, nullptr);
  if (need <= 0) return SStringA();
  SStringA result;
  char* buf = result.GetBufferSetLength(need);
  if (!buf) return SStringA();
  n = WideCharToMultiByte(codePage, 0, src.c_str(), src.GetLength(), buf, need, nullptr, nullptr);
  if (n <= 0) return SStringA();
  result.ReleaseBuffer(n);
  return result;
}

size_t SplitString(const SStringW& str, wchar_t sep, SArray<SStringW>& out) {
  return SplitAt(str, sep, out);
}

size_t SplitString(const SStringA& str, char sep, SArray<SStringA>& out) {
  return SplitAt(str, sep, out);
}

size_t SplitResType(const SStringW& str, SArray<SStringW>& out) {
  const int colon = str.Find(L':');
  if (colon < 0) {
    out.Add(str);
  } else {
    out.Add(str.Left(colon));
    out.Add(str.Mid(colon + 1));
  }
  return out.GetCount();
}

bool SplitResRef(const SStringW& ref, const SStringW& defaultType, SStringW* type, SStringW* name) {
  const int colon = ref.Find(L':');
  if (colon < 0) {
    *type = defaultType;
    *name = ref;
    return false;
  }
  *type = ref.Left(colon);
  *name = ref.Mid(colon + 1);
  return true;
}

}  // namespace SWUI
