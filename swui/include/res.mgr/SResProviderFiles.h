// Resources stored as loose files in a folder, listed by the folder's index "uires.idx".
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>

#include "base/SString.h"
#include "base/TObjRefImpl.h"
#include "res.mgr/IResProvider.h"
#include "res.mgr/SResKey.h"

namespace SWUI {

class SResProviderFiles : public TObjRefImpl<IResProvider> {
 public:
  SResProviderFiles();

  // wParam is the folder path (LPCWSTR); lParam is ignored. Reads the folder's index;
  // fails when it is missing, malformed or has no root "resource", and then keeps serving the
  // folder it served before (none on a new provider).
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

  // The file of a resource: the folder, a backslash and the indexed relative path; empty
  // when the index does not list it.
  SStringW GetResPath(LPCWSTR type, LPCWSTR name) const;
  SStringW GetFolder() const { return m_strPath; }

 private:
  SStringW m_strPath;
  std::unordered_map<SResKey, std::wstring, SResKey::Hasher> m_mapFiles;
};

}  // namespace SWUI
