// The GDI render factory and the built-in resources every element benchmark starts from (the
// program links the render module itself), and a host window built from layout text.
#pragma once
#include <windows.h>

#include "IRenderFactory.h"
#include "RenderModule.h"
#include <pugixml.hpp>

#include "core/SApplication.h"
#include "core/SHostWnd.h"
#include "base/SAutoRefPtr.h"
#include "res.mgr/SResProviderPE.h"

namespace bench {

// A new GDI render factory, or null when the render module cannot make one.
inline SWUI::SAutoRefPtr<SWUI::IRenderFactory> GdiRenderFactory() {
  SWUI::IObjRef* obj = nullptr;
  SWUI::SAutoRefPtr<SWUI::IRenderFactory> factory;
  if (SWUI::CreateRenderFactory_GDI(&obj) && obj != nullptr) {
    factory.Attach(static_cast<SWUI::IRenderFactory*>(obj));
  }
  return factory;
}

// A memory render target of the factory, or null.
inline SWUI::SAutoRefPtr<SWUI::IRenderTarget> NewRenderTarget(SWUI::IRenderFactory* factory,
                                                              int width, int height) {
  SWUI::IRenderTarget* made = nullptr;
  factory->CreateRenderTarget(&made, width, height);
  SWUI::SAutoRefPtr<SWUI::IRenderTarget> target;
  target.Attach(made);
  return target;
}

// Loads the framework's built-in skins and styles from this executable's resources into app;
// with keepProvider the provider also stays as one of app's resource providers. False when the
// resources or their skins cannot be loaded.
inline bool LoadBuiltInResources(SWUI::SApplication& app, bool keepProvider) {
  auto* provider = new SWUI::SResProviderPE();
  const bool loaded =
      provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0) &&
      (app.LoadSystemNamedResource(provider) & SWUI::SYSRES_SKIN_FAILED) == 0;
  if (loaded && keepProvider) app.AddResProvider(provider);
  provider->Release();
  return loaded;
}

// Makes host a popup at (50, 50) from the "SWUI" element of layout (parsed into doc, which
// must live as long as the host), sized by the layout and shown without activation. False when
// the layout does not parse or the window cannot be made.
inline bool OpenHost(SWUI::SHostWnd& host, pugi::xml_document& doc, const wchar_t* layout) {
  if (!doc.load_string(layout)) return false;
  if (host.CreateEx(nullptr, WS_POPUP, 0, 50, 50, 1, 1) == nullptr ||
      !host.InitFromXml(doc.child(L"SWUI"), 0, 0)) {
    return false;
  }
  SetWindowPos(host.m_hWnd, HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return true;
}

}  // namespace bench
