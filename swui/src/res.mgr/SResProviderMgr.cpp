#include "res.mgr/SResProviderMgr.h"

#include <algorithm>
#include <climits>
#include <cwchar>

#include "core/SAutoLock.h"
#include "base/SString.h"
#include "core/SUiDef.h"
#include "res.mgr/SResFile.h"
#include "core/SApplication.h"
#include "res.mgr/SDeferredBitmap.h"
#include "res.mgr/SResImageLoaders.h"

namespace SWUI {

namespace {

struct SysCursor {
  LPCWSTR name;
  WORD id;
};

const SysCursor kSysCursors[] = {
    {L"arrow", 32512},    {L"ibeam", 32513},    {L"wait", 32514},   {L"cross", 32515},
    {L"uparrow", 32516},  {L"size", 32640},     {L"sizenwse", 32642}, {L"sizenesw", 32643},
    {L"sizewe", 32644},   {L"sizens", 32645},   {L"sizeall", 32646}, {L"no", 32648},
    {L"hand", 32649},     {L"help", 32651},
};

// The two parts of a reference "left:right" split at its first colon; false when it holds
// no colon.
bool SplitRef(LPCWSTR ref, SStringW* left, SStringW* right) {
  if (ref == nullptr) return false;
  SArray<SStringW> parts;
  if (SplitResType(SStringW(ref), parts) != 2) return false;
  *left = parts[0];
  *right = parts[1];
  return true;
}

// Leading decimal digits; 0 when there are none. A run of digits too long for an int stops
// growing the value instead of overflowing it.
int LeadingDecimal(const wchar_t* text) {
  int value = 0;
  for (; *text >= L'0' && *text <= L'9' && value <= (INT_MAX - 9) / 10; ++text) {
    value = value * 10 + (*text - L'0');
  }
  return value;
}

}  // namespace

SResProviderMgr::SResProviderMgr() = default;

SResProviderMgr::~SResProviderMgr() { RemoveAll(); }

void SResProviderMgr::RemoveAll() {
  SAutoLock lock(m_cs);
  std::vector<IResProvider*> providers;
  providers.swap(m_providers);
  ForgetImages(nullptr);
  for (IResProvider* provider : providers) provider->Release();
  for (auto& entry : m_cursors) DestroyCursor(entry.second);
  m_cursors.clear();
}

bool SResProviderMgr::IsFileType(LPCWSTR type) {
  return type != nullptr && lstrcmpiW(type, L"file") == 0;
}

LPCWSTR SResProviderMgr::SysCursorName2ID(LPCWSTR name) {
  if (name == nullptr || IS_INTRESOURCE(name)) return nullptr;
  for (const SysCursor& cursor : kSysCursors) {
    if (lstrcmpiW(cursor.name, name) == 0) return MAKEINTRESOURCEW(cursor.id);
  }
  return nullptr;
}

void SResProviderMgr::AddResProvider(IResProvider* provider, LPCWSTR uidef) {
  if (provider == nullptr) return;
  SAutoLock lock(m_cs);
  m_providers.push_back(provider);
  provider->AddRef();
  if (uidef == nullptr) return;
  SUiDef* defs = SUiDef::getSingletonPtr();
  if (defs == nullptr) return;
  IUiDefInfo* info = defs->CreateUiDefInfo(provider, uidef);
  if (info == nullptr) return;
  defs->SetUiDef(info);
  info->Release();
}

void SResProviderMgr::RemoveResProvider(IResProvider* provider) {
  SAutoLock lock(m_cs);
  for (auto it = m_providers.rbegin(); it != m_providers.rend(); ++it) {
    if (*it == provider) {
      m_providers.erase(std::next(it).base());
      ForgetImages(provider);
      provider->Release();
      return;
    }
  }
}

IResProvider* SResProviderMgr::GetMatchResProvider(LPCWSTR type, LPCWSTR name) {
  SAutoLock lock(m_cs);
  for (auto it = m_providers.rbegin(); it != m_providers.rend(); ++it) {
    if ((*it)->HasResource(type, name)) return *it;
  }
  return nullptr;
}

size_t SResProviderMgr::GetRawBufferSize(LPCWSTR type, LPCWSTR name) {
  SAutoLock lock(m_cs);
  if (type == nullptr) return 0;
  if (IsFileType(type)) return SResFile::GetSize(name);
  IResProvider* provider = GetMatchResProvider(type, name);
  return provider != nullptr ? provider->GetRawBufferSize(type, name) : 0;
}

BOOL SResProviderMgr::GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) {
  SAutoLock lock(m_cs);
  if (type == nullptr) return FALSE;
  if (IsFileType(type)) return SResFile::Read(name, buf, size);
  IResProvider* provider = GetMatchResProvider(type, name);
  return provider != nullptr ? provider->GetRawBuffer(type, name, buf, size) : FALSE;
}

HICON SResProviderMgr::LoadIcon(LPCWSTR name, int cx, int cy, BOOL fromFile) {
  SAutoLock lock(m_cs);
  if (name == nullptr) return nullptr;
  if (fromFile) {
    return static_cast<HICON>(::LoadImageW(nullptr, name, IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
  }
  IResProvider* provider = GetMatchResProvider(L"ICON", name);
  return provider != nullptr ? provider->LoadIcon(name, cx, cy) : nullptr;
}

HICON SResProviderMgr::LoadIconByRef(LPCWSTR ref) {
  SAutoLock lock(m_cs);
  if (ref == nullptr) return nullptr;
  SStringW name, size;
  if (!SplitRef(ref, &name, &size)) return LoadIcon(ref, 0, 0, FALSE);
  int n = LeadingDecimal(size);
  return LoadIcon(name, n, n, FALSE);
}

IBitmap* SResProviderMgr::LoadImageByRef(LPCWSTR ref) {
  SAutoLock lock(m_cs);
  SStringW type, name;
  if (!SplitRef(ref, &type, &name)) return nullptr;
  if (IsFileType(type)) return LoadBitmapFromFile(name);
  IResProvider* provider = GetMatchResProvider(type, name);
  if (provider == nullptr) return nullptr;
  // Resource names and types are found in any letter case.
  wchar_t address[2 * sizeof(void*) + 2];
  swprintf(address, sizeof(address) / sizeof(address[0]), L"%p|",
           static_cast<void*>(provider));
  SStringW lowered = type + L":" + name;
  lowered.MakeLower();
  const std::wstring key = std::wstring(address) + static_cast<LPCWSTR>(lowered);
  auto cached = m_images.find(key);
  if (cached != m_images.end()) {
    cached->second.image->AddRef();
    return cached->second.image;
  }
  // The provider makes the image (the built-in ones decode it when it is first drawn); the
  // manager shares it among every reference to the same resource.
  IBitmap* image = provider->LoadImage(type, name);
  if (image == nullptr) return nullptr;
  m_images[key] = CachedImage{provider, image};
  return image;
}

IBitmap* SResProviderMgr::ResampledImage(IBitmap* image, int width, int height) {
  SAutoLock lock(m_cs);
  if (image == nullptr) return nullptr;
  bool shared = false;
  for (const auto& entry : m_images) shared = shared || entry.second.image == image;
  if (!shared) return DeferredResample(image, width, height);
  for (const ResampledKey& known : m_resampled) {
    if (known.image == image && known.width == width && known.height == height) {
      known.copy->AddRef();
      return known.copy;
    }
  }
  IBitmap* copy = DeferredResample(image, width, height);
  if (copy != nullptr) m_resampled.push_back(ResampledKey{image, width, height, copy});
  return copy;
}

void SResProviderMgr::ForgetImages(IResProvider* provider) {
  for (auto it = m_images.begin(); it != m_images.end();) {
    if (provider != nullptr && it->second.provider != provider) {
      ++it;
      continue;
    }
    IBitmap* image = it->second.image;
    m_resampled.erase(std::remove_if(m_resampled.begin(), m_resampled.end(),
                                     [&](const ResampledKey& k) { return k.image == image; }),
                      m_resampled.end());
    it = m_images.erase(it);
  }
}

HCURSOR SResProviderMgr::LoadCursor(LPCWSTR idOrName, BOOL fromFile) {
  SAutoLock lock(m_cs);
  if (idOrName == nullptr) return nullptr;
  if (IS_INTRESOURCE(idOrName)) return ::LoadCursorW(nullptr, idOrName);
  if (LPCWSTR sysId = SysCursorName2ID(idOrName)) return ::LoadCursorW(nullptr, sysId);

  auto cached = m_cursors.find(idOrName);
  if (cached != m_cursors.end()) return cached->second;

  HCURSOR cursor = nullptr;
  if (fromFile) {
    cursor = static_cast<HCURSOR>(::LoadImageW(nullptr, idOrName, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
  } else if (IResProvider* provider = GetMatchResProvider(L"CURSOR", idOrName)) {
    cursor = provider->LoadCursor(idOrName);
  }
  if (cursor != nullptr) m_cursors[idOrName] = cursor;
  return cursor;
}

}  // namespace SWUI
