// Resources compiled into a module of the program (its PE resource section).
#pragma once
#include <windows.h>

#include "base/TObjRefImpl.h"
#include "res.mgr/IResProvider.h"

namespace SWUI {

class SResProviderPE : public TObjRefImpl<IResProvider> {
 public:
  SResProviderPE();

  // wParam is the module handle; lParam is ignored. Fails for a null module and for a module
  // that holds no resources at all, so a caller learns at once that nothing can be served.
  BOOL Init(WPARAM wParam, LPARAM lParam) override;
  BOOL HasResource(LPCWSTR type, LPCWSTR name) override;
  HICON LoadIcon(LPCWSTR name, int cx, int cy) override;
  HBITMAP LoadBitmap(LPCWSTR name) override;
  HCURSOR LoadCursor(LPCWSTR name) override;
  // A PNG decoded when first drawn, any other kind at once.
  IBitmap* LoadImage(LPCWSTR type, LPCWSTR name) override;
  IImgX* LoadImgX(LPCWSTR type, LPCWSTR name) override;
  size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) override;
  BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) override;

  HINSTANCE GetModule() const { return m_hResInst; }

  // The module resource type of a type text: BITMAP, ICON, CURSOR and HTML (any case) map to
  // the standard types; every other text names a custom type.
  static LPCWSTR MapResourceType(LPCWSTR type);

 private:
  HRSRC Find(LPCWSTR type, LPCWSTR name) const;
  // The resource's bytes in place (no copy) and their count; null when absent or empty.
  const void* Bytes(LPCWSTR type, LPCWSTR name, DWORD* size) const;

  HINSTANCE m_hResInst = nullptr;
};

}  // namespace SWUI
