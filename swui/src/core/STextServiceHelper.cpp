#include "core/STextServiceHelper.h"

#include "core/SLog.h"

namespace SWUI {

const IID kIidTextServices = {
    0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID kIidTextHost = {
    0xC5BDD8D0, 0xD26E, 0x11CE, {0xA8, 0x9E, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

STextServiceHelper::STextServiceHelper() {
  m_hRiched = LoadLibraryW(L"riched20.dll");
  if (m_hRiched == nullptr) {
    SLog::Printf(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "STextServiceHelper",
                 "riched20.dll could not be loaded, error %lu", GetLastError());
    return;
  }
  m_factory = reinterpret_cast<Factory>(
      reinterpret_cast<void*>(GetProcAddress(m_hRiched, "CreateTextServices")));
  if (m_factory == nullptr) {
    SLog::Printf(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "STextServiceHelper",
                 "riched20.dll has no CreateTextServices");
    FreeLibrary(m_hRiched);
    m_hRiched = nullptr;
  }
}

STextServiceHelper::~STextServiceHelper() {
  // The painters' services live in the library.
  ReleasePainters();
  if (m_hRiched != nullptr) FreeLibrary(m_hRiched);
}

HRESULT STextServiceHelper::CreateTextServices(IUnknown* punkOuter, ITextHost* pHost,
                                               IUnknown** ppUnk) const {
  if (ppUnk == nullptr) return E_POINTER;
  *ppUnk = nullptr;
  if (m_factory == nullptr) return E_NOTIMPL;
  return m_factory(punkOuter, pHost, ppUnk);
}

STextServiceHelper::Factory STextServiceHelper::SetFactory(Factory factory) {
  Factory old = m_factory;
  m_factory = factory;
  ReleasePainters();
  return old;
}

ITextHost* STextServiceHelper::FindPainter(const std::vector<BYTE>& key) const {
  for (const Painter& painter : m_painters) {
    if (painter.key == key) return painter.host;
  }
  return nullptr;
}

void STextServiceHelper::KeepPainter(const std::vector<BYTE>& key, ITextHost* host) {
  if (host == nullptr) return;
  // Edits of a program come in a few configurations; more than this are not kept for long.
  constexpr size_t kPainters = 16;
  if (m_painters.size() >= kPainters) {
    m_painters.front().host->Release();
    m_painters.erase(m_painters.begin());
  }
  host->AddRef();
  m_painters.push_back(Painter{key, host});
}

void STextServiceHelper::ReleasePainters() {
  std::vector<Painter> painters;
  painters.swap(m_painters);
  for (Painter& painter : painters) painter.host->Release();
}

}  // namespace SWUI
