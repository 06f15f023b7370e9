// Resources packed in a zip archive (a file, or a resource of a module), optionally encrypted,
// listed by the archive's "uires.idx" in the archive's root or a sub-folder of it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/IObjRef.h"
#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"
#include "res.mgr/IResProvider.h"
#include "res.mgr/SResKey.h"
#include "res.mgr/SZipReader.h"

namespace SWUI {

struct IRenderFactory;

// What Init is given (wParam points at it).
struct ZipResParam {
  int type;                    // 0: an archive file; any other value: a module resource
  IRenderFactory* pRenderFac;  // makes every image; may be null (no images then)
  union {
    LPCWSTR pszZipFile;  // archive file
    HINSTANCE hInst;     // module resource
  };
  LPCWSTR pszResName;   // module resource only
  LPCWSTR pszResType;   // module resource only
  LPCSTR pszPsw;        // null or empty: none; longer than 61 characters: Init fails
  LPCWSTR pszChildDir;  // folder of the index inside the archive; null or empty: the root
};

class SResProviderZip : public TObjRefImpl<IResProvider> {
 public:
  SResProviderZip();
  ~SResProviderZip() override;

  // wParam points at a ZipResParam; lParam is ignored. Opens the archive and reads its index.
  // Works aside and takes the new archive only on success, closing the old one then: a
  // package that fails leaves the provider serving what it served before.
  BOOL Init(WPARAM wParam, LPARAM lParam) override;
  BOOL HasResource(LPCWSTR type, LPCWSTR name) override;
  // From the "ICON" entry, at cx x cy (0: the system icon size).
  HICON LoadIcon(LPCWSTR name, int cx, int cy) override;
  // From the "BITMAP" entry, a bitmap file: a bitmap compatible with the screen.
  HBITMAP LoadBitmap(LPCWSTR name) override;
  // From the "CURSOR" entry, at the system cursor size.
  HCURSOR LoadCursor(LPCWSTR name) override;
  // A PNG decoded when first drawn, any other kind at once.
  IBitmap* LoadImage(LPCWSTR type, LPCWSTR name) override;
  IImgX* LoadImgX(LPCWSTR type, LPCWSTR name) override;
  size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) override;
  BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) override;

  // The folder prefix of the index: the sub-folder without trailing '/' or '\', then one
  // '\'; empty for the archive's root.
  const std::wstring& GetChildDir() const { return childDir_; }

 private:
  using Index = std::unordered_map<SResKey, std::wstring, SResKey::Hasher>;

  int Find(LPCWSTR type, LPCWSTR name) const;
  bool Read(LPCWSTR type, LPCWSTR name, std::vector<BYTE>* data) const;

  SAutoRefPtr<IRenderFactory> renderFactory_;
  std::unique_ptr<SZipReader> zip_;
  std::wstring childDir_;
  Index index_;
};

// A new zip provider holding one reference for the caller in *ppObj (null when memory runs
// out); always TRUE.
BOOL CreateResProvider_ZIP(IObjRef** ppObj);

}  // namespace SWUI
