// The image decoders against GDI+, an animated PNG against as many still decodes, and zip
// package reads against the folder provider.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "IImgDecoderFactory.h"
#include "PngFixtures.h"
#include "RenderModule.h"
#include "ZipFixtures.h"
#include "res.mgr/SResProviderFiles.h"
#include "res.mgr/SResProviderZip.h"

using namespace SWUI;

namespace {

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// Milliseconds per run of body, after one warm-up run.
double TimeMs(int rounds, const std::function<void()>& body) {
  body();
  const double start = Now();
  for (int i = 0; i < rounds; ++i) body();
  return (Now() - start) / rounds;
}

IImgDecoderFactory* Decoders(const wchar_t* module) {
  IObjRef* obj = nullptr;
  if (!CreateImgDecoderFactoryByName(module, &obj) || obj == nullptr) return nullptr;
  return static_cast<IImgDecoderFactory*>(obj);
}

// One decode of bytes through decoders; the frame count.
int Decode(IImgDecoderFactory* decoders, std::vector<BYTE>& bytes) {
  IImgX* img = nullptr;
  decoders->CreateImgX(&img);
  const int frames = img->LoadFromMemory(bytes.data(), bytes.size());
  img->Release();
  return frames;
}

// A 256 x 256 picture of colour gradients with some grain and a soft alpha edge, about as
// compressible as a photograph-like skin image.
fixtures::PngImage Picture(int phase) {
  fixtures::PngImage image = fixtures::Fill(256, 256, {0, 0, 0, 0});
  uint32_t noise = 12345u + phase;
  for (UINT y = 0; y < 256; ++y) {
    for (UINT x = 0; x < 256; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>((noise >> 16) & 15);
      const UINT edge = x < y ? x : y;
      image.pixels[y * 256 + x] = {
          static_cast<BYTE>(x + phase + grain), static_cast<BYTE>(y * 2 + phase + grain),
          static_cast<BYTE>((x ^ y) + phase), static_cast<BYTE>(edge < 16 ? edge * 16 : 255)};
    }
  }
  return image;
}

void DecoderFigures() {
  std::vector<BYTE> png = fixtures::EncodePng(Picture(0));
  IImgDecoderFactory* gdip = Decoders(L"imgdecoder-gdip");
  const int rounds = 40;
  const double bare = TimeMs(rounds, [&] { Decode(gdip, png); });
  printf("256x256 RGBA PNG (%zu bytes), GDI+ %.3f ms per decode\n", png.size(), bare);
  for (const wchar_t* module : {L"imgdecoder-png", L"imgdecoder-stb", L"imgdecoder-wic"}) {
    IImgDecoderFactory* decoders = Decoders(module);
    if (decoders == nullptr) {
      printf("  %ls: not available\n", module);
      continue;
    }
    const double ms = TimeMs(rounds, [&] { Decode(decoders, png); });
    printf("  %-16ls decoder %8.3f ms  GDI+ %8.3f ms  ratio %5.2f\n", module, ms, bare, ms / bare);
    decoders->Release();
  }
  gdip->Release();
}

void AnimationFigures() {
  fixtures::ApngSpec spec;
  spec.width = spec.height = 256;
  std::vector<std::vector<BYTE>> stills;
  for (int i = 0; i < 10; ++i) {
    fixtures::ApngFrameSpec f;
    f.image = Picture(i * 20);
    f.delayNum = 1;
    f.delayDen = 10;
    spec.frames.push_back(f);
    stills.push_back(fixtures::EncodePng(f.image));
  }
  std::vector<BYTE> apng = fixtures::EncodeApng(spec);
  IImgDecoderFactory* decoders = Decoders(L"imgdecoder-png");
  const int rounds = 8;
  const double animated = TimeMs(rounds, [&] { Decode(decoders, apng); });
  const double bare = TimeMs(rounds, [&] {
    for (auto& still : stills) Decode(decoders, still);
  });
  printf("10-frame 256x256 APNG: decoder %.3f ms, ten still decodes %.3f ms, ratio %.2f\n",
         animated, bare, animated / bare);
  decoders->Release();
}

std::wstring TempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::wstring dir = std::wstring(base) + L"tevaro_bench_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

// MB per second of reading a resource whole, size first as every caller does.
double ReadMBps(IResProvider* provider, LPCWSTR name, int rounds) {
  std::string buf;
  const double ms = TimeMs(rounds, [&] {
    buf.resize(provider->GetRawBufferSize(L"DATA", name));
    provider->GetRawBuffer(L"DATA", name, &buf[0], buf.size());
  });
  return buf.size() / 1048576.0 / (ms / 1000.0);
}

void ZipFigures() {
  std::string payload;
  for (int i = 0; payload.size() < (1u << 20); ++i) {
    payload += "<state index=\"" + std::to_string(i % 4) + "\" src=\"img:skin_" +
               std::to_string(i % 97) + "\" margin=\"" + std::to_string(i % 13) + "\"/>\n";
  }
  const std::string index =
      "<resource><DATA><file name=\"stored\" path=\"s.bin\"/><file name=\"deflated\" "
      "path=\"d.bin\"/><file name=\"encrypted\" path=\"e.bin\"/></DATA></resource>";
  auto entry = [](const char* name, const std::string& data, bool deflate, const char* pw) {
    fixtures::ZipEntrySpec e;
    e.name = name;
    e.data = data;
    e.deflate = deflate;
    e.password = pw;
    return e;
  };
  const std::wstring dir = TempDir();
  const std::wstring zipPath = dir + L"\\bench.zip";
  WriteFileBytes(zipPath,
                 fixtures::MakeZip(
                     {entry("uires.idx", index, false, ""), entry("s.bin", payload, false, ""),
                      entry("d.bin", payload, true, ""), entry("e.bin", payload, true, "bench")}));
  WriteFileBytes(dir + L"\\uires.idx", index);
  WriteFileBytes(dir + L"\\s.bin", payload);

  SResProviderZip zip;
  ZipResParam param{};
  param.pszZipFile = zipPath.c_str();
  param.pszPsw = "bench";
  SResProviderFiles folder;
  if (!zip.Init(reinterpret_cast<WPARAM>(&param), 0) ||
      !folder.Init(reinterpret_cast<WPARAM>(dir.c_str()), 0)) {
    printf("zip reads: could not set up the packages\n");
    return;
  }
  const int rounds = 20;
  const double bare = ReadMBps(&folder, L"stored", rounds);
  printf("1 MB resource reads: folder provider %.1f MB/s\n", bare);
  for (const wchar_t* kind : {L"stored", L"deflated", L"encrypted"}) {
    const double mbps = ReadMBps(&zip, kind, rounds);
    printf("  zip %-10ls %8.1f MB/s  folder %8.1f MB/s  ratio %5.2f\n", kind, mbps, bare,
           mbps / bare);
  }
  for (const wchar_t* file : {L"\\bench.zip", L"\\uires.idx", L"\\s.bin"}) {
    DeleteFileW((dir + file).c_str());
  }
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  DecoderFigures();
  AnimationFigures();
  ZipFigures();
  CoUninitialize();
  return 0;
}
