// Figures of UI definitions, fonts and translation: loading a large definition against the
// bare XML parse of the same bytes, GetFont on a warm pool against a bare map lookup by
// description, and tr on a 5,000-message translator against a linear scan of the same table.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "RenderModule.h"
#include "core/SApplication.h"
#include "core/SFontPool.h"
#include "core/STranslator.h"
#include "core/SUiDef.h"
#include "base/TObjRefImpl.h"

using namespace SWUI;
using Clock = std::chrono::steady_clock;

namespace {

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// One resource in memory, served under any type and name.
class OneResource : public TObjRefImpl<IResProvider> {
 public:
  explicit OneResource(std::string bytes) : bytes_(std::move(bytes)) {}
  BOOL Init(WPARAM, LPARAM) override { return TRUE; }
  BOOL HasResource(LPCWSTR, LPCWSTR) override { return TRUE; }
  HICON LoadIcon(LPCWSTR, int, int) override { return nullptr; }
  HBITMAP LoadBitmap(LPCWSTR) override { return nullptr; }
  HCURSOR LoadCursor(LPCWSTR) override { return nullptr; }
  IBitmap* LoadImage(LPCWSTR, LPCWSTR) override { return nullptr; }
  IImgX* LoadImgX(LPCWSTR, LPCWSTR) override { return nullptr; }
  size_t GetRawBufferSize(LPCWSTR, LPCWSTR) override { return bytes_.size(); }
  BOOL GetRawBuffer(LPCWSTR, LPCWSTR, LPVOID buf, size_t size) override {
    if (size < bytes_.size()) return FALSE;
    memcpy(buf, bytes_.data(), bytes_.size());
    return TRUE;
  }

 private:
  std::string bytes_;
};

std::string LargeDefinition() {
  std::string xml = "<uidef><font size='12' face='Tahoma'/><string>";
  for (int i = 0; i < 500; ++i) xml += "<s" + std::to_string(i) + " value='text number " + std::to_string(i) + "'/>";
  xml += "</string><color>";
  for (int i = 0; i < 200; ++i) xml += "<c" + std::to_string(i) + " value='#" + std::to_string(100000 + i) + "'/>";
  xml += "</color><skin>";
  for (int i = 0; i < 100; ++i) xml += "<imglist name='skin" + std::to_string(i) + "' src='img:s" + std::to_string(i) + "' states='4'/>";
  xml += "</skin><style>";
  for (int i = 0; i < 100; ++i) xml += "<class name='style" + std::to_string(i) + "' colorText='#000000' font='size:12'/>";
  xml += "</style><objattr><window margin='1'/><button class='style1'/></objattr></uidef>";
  return xml;
}

void BenchLoad(SUiDef& defs) {
  const std::string xml = LargeDefinition();
  auto* provider = new OneResource(xml);
  const int rounds = 200;
  auto t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) defs.CreateUiDefInfo(provider, L"uidef:big")->Release();
  double ours = SecondsSince(t0) / rounds;
  t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    pugi::xml_document doc;
    doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
  }
  double bare = SecondsSince(t0) / rounds;
  std::printf("load definition (500 strings, 200 colours, 100 skins, 100 styles, %zu bytes): "
              "%.3f ms, bare parse %.3f ms, ratio %.2f\n",
              xml.size(), ours * 1e3, bare * 1e3, ours / bare);
  provider->Release();
}

void BenchGetFont(SFontPool& pool) {
  const wchar_t* descs[] = {L"", L"size:14", L"bold:1,size:16", L"face:arial,size:12,italic:1",
                            L"adding:2,underline:1"};
  const int n = 5;
  std::unordered_map<std::wstring, SAutoRefPtr<IFont>> bareMap;
  for (const wchar_t* d : descs) bareMap[d] = pool.GetFont(d, 100);  // warms the pool
  const int rounds = 100000;
  size_t hits = 0;
  auto t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) hits += pool.GetFont(descs[i % n], 100) != nullptr;
  double ours = SecondsSince(t0);
  t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) hits += bareMap.find(descs[i % n])->second != nullptr;
  double bare = SecondsSince(t0);
  std::printf("GetFont, warm pool: %.0f k/s, bare map by description %.0f k/s, ratio %.2f%s\n",
              rounds / ours / 1e3, rounds / bare / 1e3, ours / bare,
              hits == 2u * rounds ? "" : " (MISSES)");
}

struct Entry {
  std::wstring ctx, src, translation;
};

void BenchTr() {
  const int contexts = 50, perContext = 100;
  std::string xml = "<language name='cn'>";
  std::vector<Entry> table;
  for (int c = 0; c < contexts; ++c) {
    xml += "<context name='ctx" + std::to_string(c) + "'>";
    for (int m = 0; m < perContext; ++m) {
      std::string src = "message " + std::to_string(m * 7919 % 10007);
      std::string tr = "translation " + std::to_string(c) + "/" + std::to_string(m);
      xml += "<message><source>" + src + "</source><translation>" + tr + "</translation></message>";
      table.push_back({L"ctx" + std::to_wstring(c), std::wstring(src.begin(), src.end()),
                       std::wstring(tr.begin(), tr.end())});
    }
    xml += "</context>";
  }
  xml += "</language>";
  pugi::xml_document doc;
  doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
  pugi::xml_node language = doc.child(L"language");
  auto* translator = new STranslator();
  translator->Load(&language, STranslator::kLoadXmlNode);

  const int rounds = 20000;
  wchar_t buf[64];
  size_t found = 0;
  auto t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    const Entry& e = table[(i * 2654435761u) % table.size()];
    found += translator->tr(e.src.c_str(), e.ctx.c_str(), buf, 64) > 0;
  }
  double ours = SecondsSince(t0);
  t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    const Entry& want = table[(i * 2654435761u) % table.size()];
    for (const Entry& e : table) {
      if (e.ctx == want.ctx && e.src == want.src) {
        wcsncpy(buf, e.translation.c_str(), 63);
        ++found;
        break;
      }
    }
  }
  double bare = SecondsSince(t0);
  std::printf("tr on %zu messages: %.0f k/s, linear scan %.0f k/s, speed ratio tr/scan %.1f%s\n",
              table.size(), rounds / ours / 1e3, rounds / bare / 1e3, bare / ours,
              found == 2u * rounds ? "" : " (MISSES)");
  translator->Release();
}

}  // namespace

int main() {
  IObjRef* obj = nullptr;
  CreateRenderFactory_GDI(&obj);
  auto* render = static_cast<IRenderFactory*>(obj);
  {
    SApplication app(render, GetModuleHandleW(nullptr));
    BenchLoad(SUiDef::getSingleton());
    BenchGetFont(SFontPool::getSingleton());
    BenchTr();
  }
  render->Release();
  return 0;
}
