#include "res.mgr/SResProviderZip.h"

#include <pugixml.hpp>

#include <cstring>
#include <new>
#include <utility>

#include "IRenderFactory.h"
#include "SDibHeader.h"
#include "res.mgr/SDeferredBitmap.h"
#include "res.mgr/SIconLoader.h"
#include "res.mgr/SResImageLoaders.h"

namespace SWUI {

namespace {

const wchar_t kIndexName[] = L"uires.idx";

// Trailing '/' and '\' removed, then one '\'; empty for none (also when only separators).
std::wstring NormaliseChildDir(LPCWSTR dir) {
  std::wstring out = dir != nullptr ? dir : L"";
  while (!out.empty() && (out.back() == L'/' || out.back() == L'\\')) out.pop_back();
  if (!out.empty()) out += L'\\';
  return out;
}

std::unique_ptr<SZipReader> OpenArchive(const ZipResParam& param) {
  auto zip = std::make_unique<SZipReader>();
  const bool opened = param.type == 0
                          ? zip->OpenFile(param.pszZipFile)
                          : zip->OpenResource(param.hInst, param.pszResName, param.pszResType);
  if (!opened || (param.pszPsw != nullptr && !zip->SetPassword(param.pszPsw))) return nullptr;
  return zip;
}

// Every child element of every type element of the index maps (type, "name") to the
// sub-folder followed by "path".
template <class Index>
bool ReadIndex(const SZipReader& zip, const std::wstring& childDir, Index* index) {
  std::vector<BYTE> bytes;
  if (!zip.ReadEntry(zip.FindEntry((childDir + kIndexName).c_str()), &bytes)) return false;
  pugi::xml_document doc;
  if (!doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8)) {
    return false;
  }
  pugi::xml_node root = doc.child(L"resource");
  if (!root) return false;
  for (pugi::xml_node type = root.first_child(); type; type = type.next_sibling()) {
    if (type.type() != pugi::node_element) continue;
    for (pugi::xml_node file = type.first_child(); file; file = file.next_sibling()) {
      if (file.type() != pugi::node_element) continue;
      SResKey key;
      if (!key.Assign(type.name(), file.attribute(L"name").value())) continue;
      (*index)[key] = childDir + file.attribute(L"path").value();  // a later duplicate replaces
    }
  }
  return true;
}

// A bitmap file whose headers, colours and bits all lie inside the bytes, as a bitmap
// compatible with the screen.
HBITMAP BitmapFromFile(const std::vector<BYTE>& bytes) {
  const size_t kFileHeader = sizeof(BITMAPFILEHEADER);
  if (bytes.size() < kFileHeader || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
  BITMAPFILEHEADER file;
  memcpy(&file, bytes.data(), kFileHeader);
  if (file.bfSize > bytes.size()) return nullptr;
  SDibHeader dib;
  if (!dib.Read(bytes.data() + kFileHeader, bytes.size() - kFileHeader)) return nullptr;
  const int64_t rows = dib.height < 0 ? -dib.height : dib.height;
  if (dib.width <= 0 || rows == 0) return nullptr;
  const uint64_t bits = dib.compression == BI_RGB || dib.compression == BI_BITFIELDS
                            ? dib.BitsBytes(static_cast<uint64_t>(rows))
                            : dib.sizeImage;
  if (bits == 0 || file.bfOffBits < kFileHeader + dib.HeaderAndColours() ||
      file.bfOffBits > bytes.size() || bytes.size() - file.bfOffBits < bits) {
    return nullptr;
  }
  const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + kFileHeader);
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return nullptr;
  HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bytes.data() + file.bfOffBits,
                                  info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

SResProviderZip::SResProviderZip() = default;

SResProviderZip::~SResProviderZip() = default;

BOOL SResProviderZip::Init(WPARAM wParam, LPARAM) {
  const auto* param = reinterpret_cast<const ZipResParam*>(wParam);
  if (param == nullptr) return FALSE;
  std::unique_ptr<SZipReader> zip = OpenArchive(*param);
  if (!zip) return FALSE;
  std::wstring childDir = NormaliseChildDir(param->pszChildDir);
  Index index;
  try {
    if (!ReadIndex(*zip, childDir, &index)) return FALSE;
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  renderFactory_ = param->pRenderFac;
  zip_.swap(zip);  // the old archive closes as zip goes
  childDir_.swap(childDir);
  index_.swap(index);
  return TRUE;
}

int SResProviderZip::Find(LPCWSTR type, LPCWSTR name) const {
  SResKey key;
  if (!zip_ || !key.Assign(type, name)) return -1;
  auto it = index_.find(key);
  return it != index_.end() ? zip_->FindEntry(it->second.c_str()) : -1;
}

bool SResProviderZip::Read(LPCWSTR type, LPCWSTR name, std::vector<BYTE>* data) const {
  const int entry = Find(type, name);
  return entry >= 0 && zip_->ReadEntry(entry, data);
}

BOOL SResProviderZip::HasResource(LPCWSTR type, LPCWSTR name) {
  SResKey key;
  return key.Assign(type, name) && index_.count(key) != 0;
}

HICON SResProviderZip::LoadIcon(LPCWSTR name, int cx, int cy) {
  std::vector<BYTE> data;
  if (!Read(L"ICON", name, &data)) return nullptr;
  return SIconLoader::FromFileImage(data.data(), data.size(), cx, cy, FALSE, LR_DEFAULTSIZE);
}

HBITMAP SResProviderZip::LoadBitmap(LPCWSTR name) {
  std::vector<BYTE> data;
  return Read(L"BITMAP", name, &data) ? BitmapFromFile(data) : nullptr;
}

HCURSOR SResProviderZip::LoadCursor(LPCWSTR name) {
  std::vector<BYTE> data;
  if (!Read(L"CURSOR", name, &data)) return nullptr;
  return SIconLoader::FromFileImage(data.data(), data.size(), 0, 0, TRUE, LR_DEFAULTSIZE);
}

IBitmap* SResProviderZip::LoadImage(LPCWSTR type, LPCWSTR name) {
  std::vector<BYTE> data;
  if (!Read(type, name, &data)) return nullptr;
  // Without a factory of its own, the application's.
  if (renderFactory_ == nullptr) return DeferredBitmapFromMemory(data.data(), data.size());
  return DeferredImageFromBytes(renderFactory_, std::move(data));
}

IImgX* SResProviderZip::LoadImgX(LPCWSTR type, LPCWSTR name) {
  std::vector<BYTE> data;
  if (!Read(type, name, &data)) return nullptr;
  return LoadImgXFromMemory(renderFactory_, data.data(), data.size());
}

size_t SResProviderZip::GetRawBufferSize(LPCWSTR type, LPCWSTR name) {
  const int entry = Find(type, name);
  return entry >= 0 ? zip_->EntrySize(entry) : 0;
}

BOOL SResProviderZip::GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) {
  const int entry = Find(type, name);
  if (entry < 0) return FALSE;
  if (zip_->EntrySize(entry) > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::vector<BYTE> data;
  if (!zip_->ReadEntry(entry, &data) || buf == nullptr) return FALSE;
  if (!data.empty()) memcpy(buf, data.data(), data.size());
  return TRUE;
}

BOOL CreateResProvider_ZIP(IObjRef** ppObj) {
  if (ppObj == nullptr) return FALSE;
  *ppObj = new SResProviderZip();
  return TRUE;
}

}  // namespace SWUI
