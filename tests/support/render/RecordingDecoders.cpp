#include "RecordingDecoders.h"

using namespace SWUI;

namespace {

double Frequency() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(f.QuadPart);
}

}  // namespace

class RecordingDecoders::Recorded : public IImgX {
 public:
  Recorded(IImgX* inner, RecordingDecoders* owner) : inner_(inner), owner_(owner) {}
  ~Recorded() override { inner_->Release(); }
  Recorded(const Recorded&) = delete;
  Recorded& operator=(const Recorded&) = delete;
  LONG AddRef() override { return ++refs_; }
  LONG Release() override {
    const LONG left = --refs_;
    if (left == 0) OnFinalRelease();
    return left;
  }
  void OnFinalRelease() override { delete this; }
  int LoadFromMemory(void* pBuf, size_t bufLen) override {
    const BYTE* bytes = static_cast<const BYTE*>(pBuf);
    owner_->images_.emplace_back(bytes, bytes + bufLen);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const int frames = inner_->LoadFromMemory(pBuf, bufLen);
    QueryPerformanceCounter(&end);
    owner_->decodeMs_ += static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / Frequency();
    return frames;
  }
  int LoadFromFileW(LPCWSTR pszFileName) override { return inner_->LoadFromFileW(pszFileName); }
  UINT GetFrameCount() override { return inner_->GetFrameCount(); }
  IImgFrame* GetFrame(UINT iFrame) override { return inner_->GetFrame(iFrame); }

 private:
  IImgX* inner_;
  RecordingDecoders* owner_;
  LONG refs_ = 1;
};

RecordingDecoders::RecordingDecoders(IImgDecoderFactory* inner) : inner_(inner) {
  inner_->AddRef();
}

RecordingDecoders::~RecordingDecoders() { inner_->Release(); }

LONG RecordingDecoders::AddRef() { return ++refs_; }

LONG RecordingDecoders::Release() {
  const LONG left = --refs_;
  if (left == 0) OnFinalRelease();
  return left;
}

BOOL RecordingDecoders::CreateImgX(IImgX** ppImgDecoder) {
  IImgX* img = nullptr;
  if (ppImgDecoder == nullptr || !inner_->CreateImgX(&img) || img == nullptr) return FALSE;
  *ppImgDecoder = new Recorded(img, this);
  return TRUE;
}

HRESULT RecordingDecoders::SaveImage(IBitmap* pImg, LPCWSTR pszFileName, const void* pFormat) {
  return inner_->SaveImage(pImg, pszFileName, pFormat);
}

LPCWSTR RecordingDecoders::GetDescription() const { return inner_->GetDescription(); }
