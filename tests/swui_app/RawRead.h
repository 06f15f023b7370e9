// Reading a resource's raw bytes the way every caller does: size first, then the bytes.
// Works on a provider and on the resource manager alike.
#pragma once
#include <windows.h>

#include <string>

// The bytes of the resource, or "<none>" when it is absent or the read fails.
template <class Source>
std::string ReadRaw(Source& source, LPCWSTR type, LPCWSTR name) {
  std::string out(source.GetRawBufferSize(type, name), '\0');
  if (out.empty() || !source.GetRawBuffer(type, name, &out[0], out.size())) return "<none>";
  return out;
}

// True when a destination one byte short of the resource is refused with
// ERROR_INSUFFICIENT_BUFFER and left untouched.
template <class Source>
bool RefusesShortBuffer(Source& source, LPCWSTR type, LPCWSTR name) {
  const size_t size = source.GetRawBufferSize(type, name);
  if (size == 0) return false;
  std::string buf(size, 'x');
  SetLastError(0);
  if (source.GetRawBuffer(type, name, &buf[0], size - 1)) return false;
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER && buf == std::string(size, 'x');
}
