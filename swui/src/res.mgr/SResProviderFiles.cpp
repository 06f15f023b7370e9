#include "res.mgr/SResProviderFiles.h"

#include <pugixml.hpp>

#include "res.mgr/SResFile.h"
#include "res.mgr/SResImageLoaders.h"

namespace SWUI {

namespace {

const int kMaxFolderPath = 1024;

}  // namespace

SResProviderFiles::SResProviderFiles() = default;

BOOL SResProviderFiles::Init(WPARAM wParam, LPARAM) {
  LPCWSTR folder = reinterpret_cast<LPCWSTR>(wParam);
  if (folder == nullptr || *folder == 0) return FALSE;

  std::wstring indexPath(folder);
  indexPath += L"\\uires.idx";
  pugi::xml_document doc;
  if (!doc.load_file(indexPath.c_str(), pugi::parse_default, pugi::encoding_utf8)) return FALSE;
  pugi::xml_node root = doc.child(L"resource");
  if (!root) return FALSE;

  wchar_t full[kMaxFolderPath + 1] = {0};
  DWORD len = GetFullPathNameW(folder, kMaxFolderPath + 1, full, nullptr);
  if (len == 0 || len > kMaxFolderPath) return FALSE;

  // Read aside: a folder that fails leaves the one served before in place.
  decltype(m_mapFiles) files;
  for (pugi::xml_node type = root.first_child(); type; type = type.next_sibling()) {
    if (type.type() != pugi::node_element) continue;
    for (pugi::xml_node file = type.child(L"file"); file; file = file.next_sibling(L"file")) {
      SResKey key;
      // An over-long type or name has no key: refuse the entry rather than cut it.
      if (!key.Assign(type.name(), file.attribute(L"name").value())) continue;
      files[key] = file.attribute(L"path").value();  // a later duplicate replaces
    }
  }
  m_mapFiles.swap(files);
  m_strPath = full;
  return TRUE;
}

SStringW SResProviderFiles::GetResPath(LPCWSTR type, LPCWSTR name) const {
  SResKey key;
  if (!key.Assign(type, name)) return SStringW();
  auto it = m_mapFiles.find(key);
  if (it == m_mapFiles.end()) return SStringW();
  SStringW path = m_strPath;
  path += L"\\";
  path += it->second.c_str();
  return path;
}

BOOL SResProviderFiles::HasResource(LPCWSTR type, LPCWSTR name) {
  SResKey key;
  return key.Assign(type, name) && m_mapFiles.count(key) != 0;
}

HICON SResProviderFiles::LoadIcon(LPCWSTR name, int cx, int cy) {
  SStringW path = GetResPath(L"ICON", name);
  if (path.IsEmpty()) return nullptr;
  return static_cast<HICON>(::LoadImageW(nullptr, path, IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
}

HBITMAP SResProviderFiles::LoadBitmap(LPCWSTR name) {
  SStringW path = GetResPath(L"BITMAP", name);
  if (path.IsEmpty()) return nullptr;
  return static_cast<HBITMAP>(
      ::LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HCURSOR SResProviderFiles::LoadCursor(LPCWSTR name) {
  SStringW path = GetResPath(L"CURSOR", name);
  if (path.IsEmpty()) return nullptr;
  return static_cast<HCURSOR>(::LoadImageW(nullptr, path, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
}

IBitmap* SResProviderFiles::LoadImage(LPCWSTR type, LPCWSTR name) {
  SStringW path = GetResPath(type, name);
  return path.IsEmpty() ? nullptr : DeferredBitmapFromFile(path);
}

IImgX* SResProviderFiles::LoadImgX(LPCWSTR type, LPCWSTR name) {
  SStringW path = GetResPath(type, name);
  return path.IsEmpty() ? nullptr : LoadImgXFromFile(path);
}

size_t SResProviderFiles::GetRawBufferSize(LPCWSTR type, LPCWSTR name) {
  SStringW path = GetResPath(type, name);
  return path.IsEmpty() ? 0 : SResFile::GetSize(path);
}

BOOL SResProviderFiles::GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) {
  SStringW path = GetResPath(type, name);
  return path.IsEmpty() ? FALSE : SResFile::Read(path, buf, size);
}

}  // namespace SWUI
