// Shared services of the rich-text edit elements (application singleton 8): the system's
// windowless text services, riched20.dll, loaded once with its "CreateTextServices" entry.
// Both stay null when the library or the entry is missing; every rich edit then fails its
// creation.
//
// The factory is the one seam of the edits: a test may put its own function in place of the
// library's entry (SetFactory) and give the library's back afterwards.
//
// riched20 calls the host's ITextHost methods, and is called through ITextServices, with the
// thiscall convention on i386. mingw-w64's textserv.h gives those methods no calling
// convention, which g++ compiles as thiscall too, so the interfaces are used as declared;
// IUnknown stays stdcall (tests/swui_richedit_probe guards this).
#pragma once
#include <windows.h>
// The text-services headers need the Windows types first.
#include <imm.h>
#include <richedit.h>
#include <textserv.h>

#include <vector>

#include "core/SSingleton.h"

namespace SWUI {

// mingw-w64 declares the ids of the two interfaces but no library defines them.
extern const IID kIidTextServices;  // {8D33F740-CF58-11CE-A89D-00AA006CADC5}
extern const IID kIidTextHost;      // {C5BDD8D0-D26E-11CE-A89E-00AA006CADC5}

class STextServiceHelper : public SSingleton<STextServiceHelper> {
 public:
  using Factory = HRESULT(WINAPI*)(IUnknown* punkOuter, ITextHost* pITextHost, IUnknown** ppUnk);

  STextServiceHelper();
  virtual ~STextServiceHelper();

  // New text services for a host through the factory in use (E_NOTIMPL without one).
  HRESULT CreateTextServices(IUnknown* punkOuter, ITextHost* pHost, IUnknown** ppUnk) const;

  // The loaded library (null when missing) and the factory in use.
  HMODULE GetModule() const { return m_hRiched; }
  Factory GetFactory() const { return m_factory; }
  // Puts a factory in place (null: none, as when the library is missing); the previous one.
  // The painters made through the old one go.
  Factory SetFactory(Factory factory);

  // Text services kept only to draw with, shared by the edits of one configuration (an
  // opaque key the edits make); each is held by its host. Null when none is kept for key.
  ITextHost* FindPainter(const std::vector<BYTE>& key) const;
  // Keeps host (with a reference of its own) for key; the oldest of too many goes.
  void KeepPainter(const std::vector<BYTE>& key, ITextHost* host);

 private:
  void ReleasePainters();

  HMODULE m_hRiched = nullptr;
  Factory m_factory = nullptr;
  struct Painter {
    std::vector<BYTE> key;
    ITextHost* host;
  };
  std::vector<Painter> m_painters;
};

}  // namespace SWUI
