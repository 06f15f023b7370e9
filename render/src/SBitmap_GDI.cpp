#include "SBitmap_GDI.h"

#include <cstdint>
#include <cstring>

#include "IImgDecoderFactory.h"
#include "IRenderFactory.h"
#include "RefPtrAssign.h"

namespace SWUI {

SBitmap_GDI::SBitmap_GDI(IRenderFactory* pRenderFactory) : SBitmapBase_GDI(pRenderFactory) {}

SBitmap_GDI::~SBitmap_GDI() { Free(); }

namespace {

// Rectangles whose summary a bitmap remembers: the cells and nine-patch parts of a skin image.
constexpr size_t kSummaries = 32;

}  // namespace

void SBitmap_GDI::Free() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
  source_ = nullptr;
  summaries_.clear();
}

HRESULT SBitmap_GDI::InitDeferred(int nWid, int nHei, IBitmapSource* pSource) {
  Free();
  if (pSource == nullptr || nWid <= 0 || nHei <= 0) return E_INVALIDARG;
  width_ = nWid;
  height_ = nHei;
  source_ = pSource;
  return S_OK;
}

void SBitmap_GDI::MakePixelsNow() const {
  RefPtrAssign<IBitmapSource> source = source_;
  source_ = nullptr;
  auto* self = const_cast<SBitmap_GDI*>(this);
  // Whatever the source does, the bitmap ends with pixels or empty, never with a size alone.
  if (FAILED(source->MakePixels(self)) || bitmap_ == nullptr) self->Free();
}

SBitmap_GDI::PixelSummary SBitmap_GDI::Summarize(const RECT& rc) const {
  PixelSummary none = {false, false, 0};
  if (surface_ || rc.left < 0 || rc.top < 0 || rc.right > width_ || rc.bottom > height_ ||
      rc.left >= rc.right || rc.top >= rc.bottom) {
    return none;
  }
  for (const Summary& known : summaries_) {
    if (EqualRect(&known.rc, &rc)) return known.summary;
  }
  const auto* px = static_cast<const DWORD*>(GetPixelBits());
  if (px == nullptr) return none;
  const DWORD first = px[static_cast<size_t>(rc.top) * width_ + rc.left];
  PixelSummary summary = {true, true, first};
  for (LONG y = rc.top; y < rc.bottom && (summary.opaque || summary.uniform); ++y) {
    const DWORD* row = px + static_cast<size_t>(y) * width_;
    for (LONG x = rc.left; x < rc.right; ++x) {
      if ((row[x] >> 24) != 0xFF) summary.opaque = false;
      if (row[x] != first) summary.uniform = false;
    }
  }
  if (summaries_.size() >= kSummaries) summaries_.erase(summaries_.begin());
  summaries_.push_back(Summary{rc, summary});
  return summary;
}

HBITMAP SBitmap_GDI::CreateDIB32(int nWid, int nHei, void** ppBits) {
  *ppBits = nullptr;
  if (nWid <= 0 || nHei <= 0) return nullptr;
  if (static_cast<uint64_t>(nWid) * static_cast<uint64_t>(nHei) * 4 > 0x7FFFFFFFu) return nullptr;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = nWid;
  bmi.bmiHeader.biHeight = -nHei;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  HDC screen = ::GetDC(nullptr);
  HBITMAP bmp = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, ppBits, nullptr, 0);
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  if (bmp != nullptr && *ppBits == nullptr) {
    DeleteObject(bmp);
    bmp = nullptr;
  }
  return bmp;
}

void* SBitmap_GDI::LockPixelBits() {
  MakeDeferred();
  GdiFlush();
  // Whoever holds the bits may write them.
  summaries_.clear();
  return bits_;
}

const void* SBitmap_GDI::GetPixelBits() const {
  MakeDeferred();
  GdiFlush();
  return bits_;
}

HRESULT SBitmap_GDI::Init(int nWid, int nHei, const void* pBits) {
  Free();
  void* bits = nullptr;
  HBITMAP bmp = CreateDIB32(nWid, nHei, &bits);
  if (bmp == nullptr) return E_OUTOFMEMORY;
  const size_t size = static_cast<size_t>(nWid) * nHei * 4;
  if (pBits != nullptr) {
    memcpy(bits, pBits, size);
  } else {
    memset(bits, 0, size);
  }
  bitmap_ = bmp;
  bits_ = bits;
  width_ = nWid;
  height_ = nHei;
  return S_OK;
}

HRESULT SBitmap_GDI::InitFromFrame(IImgFrame* pImgFrame) {
  if (pImgFrame == nullptr) return E_INVALIDARG;
  UINT wid = 0;
  UINT hei = 0;
  if (!pImgFrame->GetSize(&wid, &hei)) wid = hei = 0;
  if (wid > 0x7FFFFFFFu || hei > 0x7FFFFFFFu) return E_OUTOFMEMORY;
  HRESULT hr = Init(static_cast<int>(wid), static_cast<int>(hei), nullptr);
  if (FAILED(hr)) return hr;
  if (!pImgFrame->CopyPixels(nullptr, wid * 4, wid * 4 * hei, static_cast<BYTE*>(bits_))) {
    return E_FAIL;
  }
  return S_OK;
}

HRESULT SBitmap_GDI::LoadImage(LPCWSTR pszFileName, const BYTE* pBuf, size_t szLen) {
  IImgDecoderFactory* decoders = factory_ != nullptr ? factory_->GetImgDecoderFactory() : nullptr;
  if (decoders == nullptr) return E_FAIL;
  IImgX* raw = nullptr;
  if (!decoders->CreateImgX(&raw) || raw == nullptr) return E_OUTOFMEMORY;
  RefPtrAssign<IImgX> img;
  img.Attach(raw);
  const int frames = pBuf != nullptr ? img->LoadFromMemory(const_cast<BYTE*>(pBuf), szLen)
                                     : img->LoadFromFileW(pszFileName);
  if (frames <= 0) return S_FALSE;
  return InitFromFrame(img->GetFrame(0));
}

HRESULT SBitmap_GDI::LoadFromFile(LPCWSTR pszFileName) {
  if (pszFileName == nullptr) return E_INVALIDARG;
  return LoadImage(pszFileName, nullptr, 0);
}

HRESULT SBitmap_GDI::LoadFromMemory(const BYTE* pBuf, size_t szLen) {
  if (pBuf == nullptr || szLen == 0) return S_FALSE;
  return LoadImage(nullptr, pBuf, szLen);
}

}  // namespace SWUI
