// A resource provider held in memory that counts what it is asked.
#pragma once
#include <windows.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "base/TObjRefImpl.h"
#include "res.mgr/IResProvider.h"

class FakeResProvider : public SWUI::TObjRefImpl<SWUI::IResProvider> {
 public:
  void Add(const std::wstring& type, const std::wstring& name, const std::string& bytes) {
    items_[{type, name}] = bytes;
  }
  // GetRawBuffer fails for every resource while set, though the sizes stay.
  void FailReads(bool fail) { failReads_ = fail; }

  BOOL Init(WPARAM, LPARAM) override { return TRUE; }
  BOOL HasResource(LPCWSTR type, LPCWSTR name) override {
    ++hasCalls;
    return Find(type, name) != nullptr;
  }
  HICON LoadIcon(LPCWSTR name, int cx, int cy) override {
    lastIcon = name;
    lastIconCx = cx;
    lastIconCy = cy;
    return nullptr;
  }
  HBITMAP LoadBitmap(LPCWSTR) override { return nullptr; }
  HCURSOR LoadCursor(LPCWSTR) override {
    ++cursorLoads;
    BYTE andMask[4 * 32], xorMask[4 * 32];
    memset(andMask, 0xFF, sizeof(andMask));
    memset(xorMask, 0, sizeof(xorMask));
    return CreateCursor(GetModuleHandleW(nullptr), 0, 0, 32, 32, andMask, xorMask);
  }
  SWUI::IBitmap* LoadImage(LPCWSTR type, LPCWSTR name) override {
    ++imageLoads;
    lastImage = std::wstring(type != nullptr ? type : L"") + L":" + (name != nullptr ? name : L"");
    return makeImage ? makeImage() : nullptr;
  }
  SWUI::IImgX* LoadImgX(LPCWSTR, LPCWSTR) override { return nullptr; }
  size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) override {
    const std::string* item = Find(type, name);
    return item != nullptr ? item->size() : 0;
  }
  BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) override {
    const std::string* item = Find(type, name);
    if (item == nullptr || failReads_) return FALSE;
    if (item->size() > size) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    memcpy(buf, item->data(), item->size());
    return TRUE;
  }

  int hasCalls = 0;
  int cursorLoads = 0;
  int imageLoads = 0;
  std::wstring lastImage;  // "type:name" of the last LoadImage
  // The images LoadImage makes itself (none while empty).
  std::function<SWUI::IBitmap*()> makeImage;
  std::wstring lastIcon;
  int lastIconCx = -1;
  int lastIconCy = -1;

 private:
  const std::string* Find(LPCWSTR type, LPCWSTR name) const {
    if (type == nullptr || name == nullptr) return nullptr;
    auto it = items_.find({type, name});
    return it != items_.end() ? &it->second : nullptr;
  }

  std::map<std::pair<std::wstring, std::wstring>, std::string> items_;
  bool failReads_ = false;
};
