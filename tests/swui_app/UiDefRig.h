// An application with an in-memory provider and a log that keeps the framework's lines, for
// the tests of UI definitions, fonts and translation. The font check answers only for the
// faces a test names (none by default), so results do not depend on the installed fonts.
#pragma once
#include <windows.h>

#include <set>
#include <string>

#include "FakeLogMgr.h"
#include "FakeResProvider.h"
#include "RenderModule.h"
#include "core/SApplication.h"
#include "core/SFontCheck.h"
#include "core/SUiDef.h"
#include "res.mgr/SUiDefInfo.h"

class UiDefRig {
 public:
  UiDefRig() {
    SWUI::IObjRef* obj = nullptr;
    SWUI::CreateRenderFactory_GDI(&obj);
    render = static_cast<SWUI::IRenderFactory*>(obj);
    app = new SWUI::SApplication(render, GetModuleHandleW(nullptr));
    provider = new FakeResProvider();
    log = new FakeLogMgr();
    SWUI::SLog::SetLogManager(log);
    installedFaces().clear();
    oldCheck = SWUI::SetFontCheck(&RigFontCheck);
  }
  ~UiDefRig() {
    SWUI::SetFontCheck(oldCheck);
    SWUI::SLog::SetLogManager(nullptr);
    delete app;
    provider->Release();
    log->Release();
    render->Release();
  }

  // A face the rig's font check reports as installed.
  void InstallFace(const wchar_t* face) { installedFaces().insert(face); }

  // Adds the definition text as UIDEF:name and installs it the way the program does.
  SWUI::IUiDefInfo* Install(const std::string& xml, const wchar_t* name = L"xml_init") {
    provider->Add(L"UIDEF", name, xml);
    app->AddResProvider(provider, (std::wstring(L"UIDEF:") + name).c_str());
    return Current();
  }
  SWUI::IUiDefInfo* Current() const { return SWUI::SUiDef::getSingleton().GetUiDef(); }

  bool Logged(const std::string& text) const {
    for (const std::string& line : log->lines) {
      if (line == text) return true;
    }
    return false;
  }

  SWUI::IRenderFactory* render = nullptr;
  SWUI::SApplication* app = nullptr;
  FakeResProvider* provider = nullptr;
  FakeLogMgr* log = nullptr;

 private:
  static std::set<std::wstring>& installedFaces() {
    static std::set<std::wstring> faces;
    return faces;
  }
  static BOOL RigFontCheck(LPCWSTR face) { return installedFaces().count(face) ? TRUE : FALSE; }

  SWUI::FunFontCheck oldCheck = nullptr;
};
