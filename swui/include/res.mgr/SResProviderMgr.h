// The running program's resource providers in one ordered list (the newest is asked first),
// references of the form type:name, plain files under the pseudo-type "file", and a cache of
// named cursors. Every operation holds one re-entrant lock for its whole duration.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "IBitmap.h"
#include "base/SAutoRefPtr.h"
#include "core/SCriticalSection.h"
#include "res.mgr/IResProvider.h"

namespace SWUI {

class SResProviderMgr {
 public:
  SResProviderMgr();
  virtual ~SResProviderMgr();
  SResProviderMgr(const SResProviderMgr&) = delete;
  SResProviderMgr& operator=(const SResProviderMgr&) = delete;

  // Appends the provider with a reference of its own. A UI-definition reference such as
  // "uidef:xml_init" then loads that definition from this provider and makes it current.
  void AddResProvider(IResProvider* provider, LPCWSTR uidef = nullptr);
  // Removes the most recently added entry holding exactly this pointer and releases it.
  void RemoveResProvider(IResProvider* provider);
  // The newest provider that holds the resource, or null (no reference added).
  IResProvider* GetMatchResProvider(LPCWSTR type, LPCWSTR name);

  size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name);
  BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size);

  HICON LoadIcon(LPCWSTR name, int cx = 0, int cy = 0, BOOL fromFile = FALSE);
  // "name:size" asks for a size-by-size icon; a plain name for size 0 (the system default).
  HICON LoadIconByRef(LPCWSTR ref);
  // "type:name": the image of that resource with a reference added, or null: the matching
  // provider's LoadImage, asked once per resource; the image is shared by everyone who names
  // it, so it must not be changed in place. The built-in providers decode a PNG only when it is
  // first drawn (its size is known before). "file:path" loads the file directly, a new image
  // each time.
  IBitmap* LoadImageByRef(LPCWSTR ref);
  // image resampled to width x height, made when first drawn: one copy per size of each
  // resource image, shared as the image is; a new copy of any other image.
  IBitmap* ResampledImage(IBitmap* image, int width, int height);
  // A system cursor id (at most 65535, MAKEINTRESOURCE) or a name: the system cursor names
  // answer without a provider; other names are loaded once and cached.
  HCURSOR LoadCursor(LPCWSTR idOrName, BOOL fromFile = FALSE);

  // True for the pseudo-type "file" in any letter case.
  static bool IsFileType(LPCWSTR type);
  // The platform cursor id of a system cursor name (any case), or null.
  static LPCWSTR SysCursorName2ID(LPCWSTR name);

 protected:
  // Releases every provider, oldest first, and destroys the cached cursors.
  void RemoveAll();

  SCriticalSection m_cs;

 private:
  std::vector<IResProvider*> m_providers;  // oldest first; each entry holds a reference
  std::unordered_map<std::wstring, HCURSOR> m_cursors;  // owned handles
  // Resource images by provider and lower-case "type:name", and their resampled copies.
  struct CachedImage {
    IResProvider* provider;
    SAutoRefPtr<IBitmap> image;
  };
  std::unordered_map<std::wstring, CachedImage> m_images;
  struct ResampledKey {
    IBitmap* image;
    int width;
    int height;
    SAutoRefPtr<IBitmap> copy;
  };
  std::vector<ResampledKey> m_resampled;
  // Drops the images of a provider (all of them for null).
  void ForgetImages(IResProvider* provider);
};

}  // namespace SWUI
