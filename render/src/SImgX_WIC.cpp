#include "SImgX_WIC.h"

#include "TryNewArray.h"

namespace SWUI {

namespace {

// Frame i of decoder converted and decoded into a bitmap in memory; null when any step fails.
// A converter cannot be initialised twice, so each frame gets its own.
IWICBitmapSource* DecodeFrame(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, UINT i,
                              BOOL premultiplied) {
  SAutoRefPtr<IWICBitmapFrameDecode> frame;
  SAutoRefPtr<IWICFormatConverter> converter;
  IWICBitmapFrameDecode* rawFrame = nullptr;
  IWICFormatConverter* rawConverter = nullptr;
  if (FAILED(decoder->GetFrame(i, &rawFrame))) return nullptr;
  frame.Attach(rawFrame);
  if (FAILED(factory->CreateFormatConverter(&rawConverter))) return nullptr;
  converter.Attach(rawConverter);
  const WICPixelFormatGUID& format =
      premultiplied ? GUID_WICPixelFormat32bppPBGRA : GUID_WICPixelFormat32bppBGRA;
  if (FAILED(converter->Initialize(frame, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }
  // Decoding now, into memory WIC owns, frees the frame from the decoder and its source bytes.
  IWICBitmap* bitmap = nullptr;
  if (FAILED(factory->CreateBitmapFromSource(converter, WICBitmapCacheOnLoad, &bitmap))) {
    return nullptr;
  }
  return bitmap;
}

}  // namespace

UINT LoadWicFrames(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, BOOL premultiplied,
                   std::unique_ptr<SImgFrame_WIC[]>* frames) {
  frames->reset();
  UINT count = 0;
  if (FAILED(decoder->GetFrameCount(&count)) || count == 0) return 0;
  *frames = TryNewArray<SImgFrame_WIC>(count);
  if (!*frames) return 0;
  for (UINT i = 0; i < count; ++i) {
    IWICBitmapSource* source = DecodeFrame(factory, decoder, i, premultiplied);
    (*frames)[i].SetSource(source);
    if (source != nullptr) source->Release();  // the frame holds its own reference
  }
  return count;
}

SImgX_WIC::SImgX_WIC(IWICImagingFactory* factory, BOOL bPremultiplied)
    : factory_(factory), premultiplied_(bPremultiplied) {}

int SImgX_WIC::LoadFromMemory(void* pBuf, size_t bufLen) {
  frameCount_ = 0;
  frames_.reset();
  if (!factory_ || pBuf == nullptr || bufLen == 0 || bufLen > MAXDWORD) return 0;
  SAutoRefPtr<IWICStream> stream;
  IWICStream* rawStream = nullptr;
  if (FAILED(factory_->CreateStream(&rawStream))) return 0;
  stream.Attach(rawStream);
  if (FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(pBuf), static_cast<DWORD>(bufLen)))) {
    return 0;
  }
  IWICBitmapDecoder* decoder = nullptr;
  if (FAILED(factory_->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                               &decoder))) {
    return 0;
  }
  frameCount_ = LoadWicFrames(factory_, decoder, premultiplied_, &frames_);
  decoder->Release();
  return static_cast<int>(frameCount_);
}

int SImgX_WIC::LoadFromFileW(LPCWSTR pszFileName) {
  frameCount_ = 0;
  frames_.reset();
  if (!factory_ || pszFileName == nullptr) return 0;
  IWICBitmapDecoder* decoder = nullptr;
  if (FAILED(factory_->CreateDecoderFromFilename(pszFileName, nullptr, GENERIC_READ,
                                                 WICDecodeMetadataCacheOnLoad, &decoder))) {
    return 0;
  }
  frameCount_ = LoadWicFrames(factory_, decoder, premultiplied_, &frames_);
  decoder->Release();
  return static_cast<int>(frameCount_);
}

IImgFrame* SImgX_WIC::GetFrame(UINT iFrame) {
  return iFrame < frameCount_ ? &frames_[iFrame] : nullptr;
}

}  // namespace SWUI
