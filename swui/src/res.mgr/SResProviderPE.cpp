#include "res.mgr/SResProviderPE.h"

#include <cstring>

#include "res.mgr/SResImageLoaders.h"

namespace SWUI {

namespace {

const LPCWSTR kCursorType = MAKEINTRESOURCEW(12);  // RT_GROUP_CURSOR
const LPCWSTR kAniCursorType = MAKEINTRESOURCEW(21);  // RT_ANICURSOR

BOOL CALLBACK StopAtFirstType(HMODULE, LPWSTR, LONG_PTR found) {
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

bool ModuleHasResources(HMODULE module) {
  bool found = false;
  EnumResourceTypesW(module, StopAtFirstType, reinterpret_cast<LONG_PTR>(&found));
  return found;
}

bool IsType(LPCWSTR type, LPCWSTR word) { return lstrcmpiW(type, word) == 0; }

}  // namespace

SResProviderPE::SResProviderPE() = default;

LPCWSTR SResProviderPE::MapResourceType(LPCWSTR type) {
  if (IS_INTRESOURCE(type)) return type;
  if (IsType(type, L"BITMAP")) return RT_BITMAP;
  if (IsType(type, L"ICON")) return RT_GROUP_ICON;
  if (IsType(type, L"CURSOR")) return kCursorType;
  if (IsType(type, L"HTML")) return RT_HTML;
  return type;
}

BOOL SResProviderPE::Init(WPARAM wParam, LPARAM) {
  HINSTANCE module = reinterpret_cast<HINSTANCE>(wParam);
  if (module == nullptr || !ModuleHasResources(module)) return FALSE;
  m_hResInst = module;
  return TRUE;
}

HRSRC SResProviderPE::Find(LPCWSTR type, LPCWSTR name) const {
  if (m_hResInst == nullptr || type == nullptr || name == nullptr) return nullptr;
  LPCWSTR mapped = MapResourceType(type);
  HRSRC res = FindResourceW(m_hResInst, name, mapped);
  if (res == nullptr && mapped == kCursorType) res = FindResourceW(m_hResInst, name, kAniCursorType);
  return res;
}

const void* SResProviderPE::Bytes(LPCWSTR type, LPCWSTR name, DWORD* size) const {
  *size = 0;
  HRSRC res = Find(type, name);
  if (res == nullptr) return nullptr;
  DWORD n = SizeofResource(m_hResInst, res);
  HGLOBAL global = n != 0 ? LoadResource(m_hResInst, res) : nullptr;
  const void* bytes = global != nullptr ? LockResource(global) : nullptr;
  if (bytes != nullptr) *size = n;
  return bytes;
}

BOOL SResProviderPE::HasResource(LPCWSTR type, LPCWSTR name) { return Find(type, name) != nullptr; }

HICON SResProviderPE::LoadIcon(LPCWSTR name, int cx, int cy) {
  if (m_hResInst == nullptr || name == nullptr) return nullptr;
  return static_cast<HICON>(::LoadImageW(m_hResInst, name, IMAGE_ICON, cx, cy, 0));
}

HBITMAP SResProviderPE::LoadBitmap(LPCWSTR name) {
  if (m_hResInst == nullptr || name == nullptr) return nullptr;
  return ::LoadBitmapW(m_hResInst, name);
}

HCURSOR SResProviderPE::LoadCursor(LPCWSTR name) {
  if (m_hResInst == nullptr || name == nullptr) return nullptr;
  DWORD size = 0;
  const void* ani = nullptr;
  if (HRSRC res = FindResourceW(m_hResInst, name, kAniCursorType)) {
    size = SizeofResource(m_hResInst, res);
    HGLOBAL global = size != 0 ? LoadResource(m_hResInst, res) : nullptr;
    ani = global != nullptr ? LockResource(global) : nullptr;
  }
  if (ani != nullptr) {
    return CreateIconFromResource(static_cast<PBYTE>(const_cast<void*>(ani)), size, FALSE,
                                  0x00030000);
  }
  return ::LoadCursorW(m_hResInst, name);
}

IBitmap* SResProviderPE::LoadImage(LPCWSTR type, LPCWSTR name) {
  DWORD size = 0;
  const void* bytes = Bytes(type, name, &size);
  return bytes != nullptr ? DeferredBitmapFromMemory(bytes, size) : nullptr;
}

IImgX* SResProviderPE::LoadImgX(LPCWSTR type, LPCWSTR name) {
  DWORD size = 0;
  const void* bytes = Bytes(type, name, &size);
  return bytes != nullptr ? LoadImgXFromMemory(bytes, size) : nullptr;
}

size_t SResProviderPE::GetRawBufferSize(LPCWSTR type, LPCWSTR name) {
  HRSRC res = Find(type, name);
  return res != nullptr ? SizeofResource(m_hResInst, res) : 0;
}

BOOL SResProviderPE::GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) {
  DWORD n = 0;
  const void* bytes = Bytes(type, name, &n);
  if (bytes == nullptr) return FALSE;
  if (n > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  memcpy(buf, bytes, n);
  return TRUE;
}

}  // namespace SWUI
