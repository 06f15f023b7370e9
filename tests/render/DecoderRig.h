// Decoder factories by module name, images decoded from bytes, frames read back as pixels.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <vector>

#include "IImgDecoderFactory.h"
#include "RefPtrAssign.h"
#include "RenderModule.h"

namespace rig {

// COM for the thread while it lives (the WIC decoder needs it).
class ComSession {
 public:
  ComSession() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComSession() { CoUninitialize(); }
  ComSession(const ComSession&) = delete;
  ComSession& operator=(const ComSession&) = delete;
};

inline SWUI::RefPtrAssign<SWUI::IImgDecoderFactory> Decoders(const wchar_t* module) {
  SWUI::IObjRef* obj = nullptr;
  REQUIRE(SWUI::CreateImgDecoderFactoryByName(module, &obj));
  REQUIRE(obj != nullptr);
  SWUI::RefPtrAssign<SWUI::IImgDecoderFactory> decoders;
  decoders.Attach(static_cast<SWUI::IImgDecoderFactory*>(obj));
  return decoders;
}

inline SWUI::RefPtrAssign<SWUI::IImgX> NewImage(SWUI::IImgDecoderFactory* decoders) {
  SWUI::IImgX* img = nullptr;
  REQUIRE(decoders->CreateImgX(&img));
  REQUIRE(img != nullptr);
  SWUI::RefPtrAssign<SWUI::IImgX> holder;
  holder.Attach(img);
  return holder;
}

// The whole frame as premultiplied B, G, R, A words.
inline std::vector<uint32_t> FramePixels(SWUI::IImgFrame* frame) {
  REQUIRE(frame != nullptr);
  UINT w = 0;
  UINT h = 0;
  REQUIRE(frame->GetSize(&w, &h));
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  REQUIRE(frame->CopyPixels(nullptr, w * 4, static_cast<UINT>(px.size() * 4),
                            reinterpret_cast<BYTE*>(px.data())));
  return px;
}

}  // namespace rig
