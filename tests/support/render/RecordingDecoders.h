// An image decoder factory that passes every decode on to the one it wraps and keeps a copy
// of each encoded image it was asked to decode: put on a render factory
// (SetImgDecoderFactory), it counts what is decoded through it and lets the same images be
// decoded again by another decoder, and times those decodes.
#pragma once
#include <windows.h>

#include <vector>

#include "IImgDecoderFactory.h"

class RecordingDecoders : public SWUI::IImgDecoderFactory {
 public:
  // Holds a reference to inner.
  explicit RecordingDecoders(SWUI::IImgDecoderFactory* inner);
  ~RecordingDecoders() override;
  RecordingDecoders(const RecordingDecoders&) = delete;
  RecordingDecoders& operator=(const RecordingDecoders&) = delete;

  LONG AddRef() override;
  LONG Release() override;
  void OnFinalRelease() override { delete this; }
  BOOL CreateImgX(SWUI::IImgX** ppImgDecoder) override;
  HRESULT SaveImage(SWUI::IBitmap* pImg, LPCWSTR pszFileName, const void* pFormat) override;
  LPCWSTR GetDescription() const override;

  // Every encoded image decoded from memory so far, in order.
  const std::vector<std::vector<BYTE>>& Images() const { return images_; }
  size_t Count() const { return images_.size(); }
  // Milliseconds spent in the wrapped decoder's decodes from memory so far.
  double DecodeMs() const { return decodeMs_; }

 private:
  class Recorded;

  SWUI::IImgDecoderFactory* inner_;
  std::vector<std::vector<BYTE>> images_;
  double decodeMs_ = 0.0;
  LONG refs_ = 1;
};
