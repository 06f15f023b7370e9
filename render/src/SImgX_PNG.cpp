#include "SImgX_PNG.h"

#include <cstdio>
#include <new>
#include <utility>

#include "IPngReader_File.h"
#include "IPngReader_Mem.h"
#include "PremultiplyRgbaToBgra.h"

namespace SWUI {

SImgX_PNG::SImgX_PNG(BOOL bPremultiplied) : premultiplied_(bPremultiplied) {}

int SImgX_PNG::LoadFromMemory(void* pBuf, size_t bufLen) {
  if (pBuf == nullptr) return Take(nullptr);
  IPngReader_Mem reader(pBuf, bufLen);
  return Take(LoadApng(&reader));
}

int SImgX_PNG::LoadFromFileW(LPCWSTR pszFileName) {
  FILE* file = pszFileName != nullptr ? _wfopen(pszFileName, L"rb") : nullptr;
  if (file == nullptr) return Take(nullptr);
  IPngReader_File reader(file);
  std::unique_ptr<ApngData> data = LoadApng(&reader);
  fclose(file);
  return Take(std::move(data));
}

int SImgX_PNG::Take(std::unique_ptr<ApngData> data) {
  frames_.clear();
  data_ = std::move(data);
  if (!data_) return 0;
  const size_t frameBytes = static_cast<size_t>(data_->nWid) * data_->nHei * 4;
  PremultiplyRgbaToBgra(data_->pdata.get(), frameBytes / 4 * data_->nFrames);
  try {
    frames_.reserve(data_->nFrames);
  } catch (const std::bad_alloc&) {
    data_.reset();
    return 0;
  }
  for (UINT i = 0; i < data_->nFrames; ++i) {
    const int delay = data_->pDelay ? data_->pDelay[i] : 0;
    frames_.emplace_back(data_->pdata.get() + i * frameBytes, data_->nWid, data_->nHei, delay);
  }
  return static_cast<int>(data_->nFrames);
}

UINT SImgX_PNG::GetFrameCount() { return static_cast<UINT>(frames_.size()); }

IImgFrame* SImgX_PNG::GetFrame(UINT iFrame) {
  if (iFrame >= frames_.size()) return nullptr;
  return &frames_[iFrame];
}

}  // namespace SWUI
