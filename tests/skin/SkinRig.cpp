#include "SkinRig.h"

#include <doctest/doctest.h>

#include <pugixml.hpp>


using namespace SWUI;

namespace {

// {B96B3CAF-0728-11D3-9D7B-0000F81EF32E}
constexpr GUID kPngFormat = {0xb96b3caf, 0x0728, 0x11d3,
                             {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

}  // namespace

SkinRig::SkinRig(int width, int height)
    : render(width, height), app(render.Factory(), GetModuleHandleW(nullptr)) {}

void SkinRig::Clear(COLORREF cr) const {
  IBitmap* surface = render.Surface();
  const RECT all = {0, 0, static_cast<LONG>(surface->Width()), static_cast<LONG>(surface->Height())};
  Target()->ClearRect(&all, cr);
}

SAutoRefPtr<ISkinObj> SkinRig::Make(const wchar_t* xml) const {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(xml));
  pugi::xml_node node = doc.first_child();
  ISkinObj* skin = const_cast<SApplication&>(app).CreateSkinByName(node.name());
  REQUIRE(skin != nullptr);
  skin->InitFromXml(node);
  SAutoRefPtr<ISkinObj> held;
  held.Attach(skin);
  return held;
}

HRESULT SkinRig::Set(ISkinObj* skin, const wchar_t* name, const wchar_t* value) {
  return skin->SetAttribute(SStringW(name), SStringW(value), FALSE);
}

SAutoRefPtr<IBitmap> SkinRig::Strip(int cellW, int cellH, const std::vector<DWORD>& cells,
                                    bool vertical) const {
  const int n = static_cast<int>(cells.size());
  const int w = vertical ? cellW : cellW * n;
  const int h = vertical ? cellH * n : cellH;
  std::vector<DWORD> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) px[y * w + x] = cells[vertical ? y / cellH : x / cellW];
  }
  return render.MakeBitmap(w, h, px.data());
}

TempImageFile::TempImageFile(IBitmap* bitmap, const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  path_ = std::wstring(dir) + L"tevaro-skin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          name + L".png";
  REQUIRE(bitmap->Save(path_.c_str(), &kPngFormat) == S_OK);
}

TempImageFile::~TempImageFile() { DeleteFileW(path_.c_str()); }
