// The framework's one application object per process: the factory registry, the resource
// manager, the render factory, the default services, the main message loop, the named-ID
// table and eleven singletons reached by index.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "IRenderFactory.h"
#include "core/IInterpolator.h"
#include "core/IMsgLoopFactory.h"
#include "base/IObjRef.h"
#include "core/IScriptFactory.h"
#include "core/IToolTipFactory.h"
#include "core/ITranslatorMgr.h"
#include "base/SAutoRefPtr.h"
#include "core/SLayeredWindowApi.h"
#include "core/SLog.h"
#include "core/SObjectFactoryMgr.h"
#include "core/SSingleton.h"
#include "base/SString.h"
#include "res.mgr/SNamedID.h"
#include "res.mgr/SResProviderMgr.h"

namespace SWUI {

class SMessageLoop;
struct ILayout;
struct ISystemObjectRegister;
struct IObject;
struct ISkinObj;

// Indices of SApplication::GetSingleton.
enum SingletonType {
  SINGLETON_UIDEF = 0,
  SINGLETON_WINDOWMGR = 1,
  SINGLETON_TIMER = 2,
  SINGLETON_SCRIPTTIMER = 3,
  SINGLETON_FONTPOOL = 4,
  SINGLETON_STYLEPOOLMGR = 5,
  SINGLETON_SKINPOOLMGR = 6,
  SINGLETON_WINDOWFINDER = 7,
  SINGLETON_TEXTSERVICEHELPER = 8,
  SINGLETON_RICHEDITMENUDEF = 9,
  SINGLETON_SIMPLEWNDHELPER = 10,
  SINGLETON_COUNT = 11,
};

// Bits of LoadSystemNamedResource's result.
enum SysResourceFailure {
  SYSRES_SKIN_FAILED = 1,
  SYSRES_EDITMENU_FAILED = 2,
  SYSRES_MSGBOX_FAILED = 4,
};

class SApplication : public SSingleton<SApplication>,
                     public SResProviderMgr,
                     public SObjectFactoryMgr {
 public:
  // Names of the named-ID table are shorter than this.
  static const int kMaxNamedIdLength = 50;

  // hostClassName names the window class of every framework window; a null register means
  // the built-in classes (SObjectDefaultRegister).
  SApplication(IRenderFactory* renderFactory, HINSTANCE instance,
               LPCWSTR hostClassName = L"SwuiHostWnd", ISystemObjectRegister* reg = nullptr,
               BOOL imeEnabled = FALSE);
  virtual ~SApplication();

  // The singleton at an index (see SingletonType); null above 10.
  void* GetSingleton(unsigned int index) const;

  // Stores the main window, runs the main loop and returns its result; destroys the main
  // window when it still exists afterwards.
  int Run(HWND mainWnd);
  HWND GetMainWnd() const { return m_hMainWnd; }
  SMessageLoop* GetMsgLoop() const { return m_pMsgLoop; }

  // Type "file" (any case) reads name from disk; any other type comes from the newest
  // provider that holds it. FALSE when absent, unreadable or not well-formed.
  BOOL LoadXmlDocument(pugi::xml_document& doc, LPCWSTR name, LPCWSTR type);
  // Loads the framework's system skin, edit-menu and message-box definitions from provider;
  // the bits of what failed (SysResourceFailure), 0 when all loaded.
  UINT LoadSystemNamedResource(IResProvider* provider);

  // Replaces the named-ID table by a copy of the entries, kept in name order (entries that
  // come sorted are appended in turn). Entries whose names have 50 or more characters are
  // skipped.
  void InitXmlNamedID(const SNamedID::NAMEDVALUE* entries, int count, BOOL sorted);
  // The ID of a name (case-sensitive), 0 when absent or 50 characters or longer.
  int Str2ID(const SStringW& name) const;
  // The translation of src in context ctx, or src itself when there is none.
  SStringW Translate(const SStringW& src, const SStringW& ctx) const;

  // New objects of the registered classes by name (window 1, skin 2, interpolator 4), with
  // one reference, or null. A skin or interpolator name whose class is registered under that
  // kind but is no skin or interpolator gives null too.
  virtual IObject* CreateWindowByName(LPCWSTR name);
  virtual ISkinObj* CreateSkinByName(LPCWSTR name);
  virtual IInterpolator* CreateInterpolatorByName(LPCWSTR name);
  // A new layout (kind 3) with one reference; null when the name has no factory or the class
  // registered under it is no layout.
  virtual ILayout* CreateLayoutByName(LPCWSTR name);

  IRenderFactory* GetRenderFactory() const { return m_renderFactory; }
  ITranslatorMgr* GetTranslator() const { return m_translator; }
  IToolTipFactory* GetToolTipFactory() const { return m_tooltipFactory; }
  IMsgLoopFactory* GetMsgLoopFactory() const { return m_msgLoopFactory; }
  ILogMgr* GetLogManager() const { return m_logManager; }
  IObjRef* GetRealWndHandler() const { return m_realWndHandler; }
  IScriptFactory* GetScriptFactory() const { return m_scriptFactory; }
  IObjRef* GetAttrStorageFactory() const { return m_attrStorageFactory; }
  SStringW GetAppDir() const { return m_strAppDir; }
  HINSTANCE GetInstance() const { return m_hInst; }

  // Each keeps a reference to the new service and releases the old one.
  void SetTranslator(ITranslatorMgr* translator);
  void SetToolTipFactory(IToolTipFactory* factory);
  void SetLogManager(ILogMgr* logManager);
  void SetRealWndHandler(IObjRef* handler);
  void SetScriptFactory(IScriptFactory* factory);
  void SetAttrStorageFactory(IObjRef* factory);
  // FALSE while the main loop runs; otherwise the main loop is rebuilt by the new factory.
  BOOL SetMsgLoopFactory(IMsgLoopFactory* factory);

  // A new script module for a host window from the script factory: E_FAIL without one,
  // else the factory's result.
  HRESULT CreateScriptModule(SHostWnd* host, IScriptModule** ppModule);

  // The system's layered-window functions, both null without UpdateLayeredWindow; a system
  // without UpdateLayeredWindowIndirect gets a replacement (SLayeredWindowApi).
  PFN_UpdateLayeredWindow GetUpdateLayeredWindow() const { return m_fnUpdateLayeredWindow; }
  PFN_UpdateLayeredWindowIndirect GetUpdateLayeredWindowIndirect() const {
    return m_fnUpdateLayeredWindowIndirect;
  }

 protected:
  // With a provider: reads from it directly, without the "file" test and without a search.
  BOOL LoadXmlDocument(LPCWSTR name, LPCWSTR type, pugi::xml_document& doc,
                       IResProvider* provider);

 private:
  void CreateSingletons(LPCWSTR hostClassName, BOOL imeEnabled);
  void DestroySingletons();
  void InitAppDir();
  void RegisterSystemObjects(ISystemObjectRegister* reg);

  SAutoRefPtr<IObjRef> m_realWndHandler;
  SAutoRefPtr<IScriptFactory> m_scriptFactory;
  SAutoRefPtr<IRenderFactory> m_renderFactory;
  SAutoRefPtr<ITranslatorMgr> m_translator;
  SAutoRefPtr<IToolTipFactory> m_tooltipFactory;
  SAutoRefPtr<IMsgLoopFactory> m_msgLoopFactory;
  SAutoRefPtr<ILogMgr> m_logManager;
  SAutoRefPtr<IObjRef> m_attrStorageFactory;
  SNamedID m_namedID;
  SStringW m_strAppDir;
  HINSTANCE m_hInst = nullptr;
  HWND m_hMainWnd = nullptr;
  SMessageLoop* m_pMsgLoop = nullptr;
  void* m_pSingletons[SINGLETON_COUNT] = {};
  PFN_UpdateLayeredWindow m_fnUpdateLayeredWindow = nullptr;
  PFN_UpdateLayeredWindowIndirect m_fnUpdateLayeredWindowIndirect = nullptr;
};

}  // namespace SWUI
