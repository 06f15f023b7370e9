#include "core/SApplication.h"

#include <cwchar>

#include "core/CSimpleWndHelper.h"
#include "core/ISkinObj.h"
#include "core/SAutoLock.h"
#include "core/SDefMsgLoopFactory.h"
#include "core/SDefToolTipFactory.h"
#include "core/SFontPool.h"
#include "core/SMessageLoop.h"
#include "core/SMsgTemplate.h"
#include "core/SNullTranslator.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SRicheditMenuDef.h"
#include "core/SScriptTimer.h"
#include "core/SSkinPoolMgr.h"
#include "core/SStylePoolMgr.h"
#include "core/STextServiceHelper.h"
#include "core/STimer2.h"
#include "core/SUiDef.h"
#include "core/SWindowFinder.h"
#include "core/SWindowMgr.h"
#include "layout/ILayout.h"
#include "res.mgr/SResXml.h"

namespace SWUI {

namespace {

// Construction order of the singletons; teardown runs it backwards.
const int kSingletonOrder[SINGLETON_COUNT] = {0, 1, 2, 3, 4, 6, 5, 7, 8, 9, 10};

// The order of singleton creation and deletion is part of the framework's contract, so it is
// traced to an installed log manager (never to the debugger output).
void TraceSingleton(const char* action, int index) {
  if (SLog::GetLogManager() == nullptr) return;
  SLog::Printf(LOG_LEVEL_TRACE, "swui", __FILE__, __LINE__, "SWUI::SApplication",
               "%s singleton %d", action, index);
}

}  // namespace

SApplication::SApplication(IRenderFactory* renderFactory, HINSTANCE instance,
                           LPCWSTR hostClassName, ISystemObjectRegister* reg, BOOL imeEnabled)
    : m_renderFactory(renderFactory), m_hInst(instance) {
  SLayeredWindowApi::Resolve(&m_fnUpdateLayeredWindow, &m_fnUpdateLayeredWindowIndirect);
  CreateSingletons(hostClassName, imeEnabled);

  m_translator.Attach(new SNullTranslator());
  m_tooltipFactory.Attach(new SDefToolTipFactory());
  m_msgLoopFactory.Attach(new SDefMsgLoopFactory());

  InitAppDir();
  m_pMsgLoop = m_msgLoopFactory->CreateMsgLoop();
  RegisterSystemObjects(reg);
}

SApplication::~SApplication() {
  if (m_pMsgLoop != nullptr) m_msgLoopFactory->DestroyMsgLoop(m_pMsgLoop);
  m_pMsgLoop = nullptr;
  RemoveAll();
  DestroySingletons();
  m_strAppDir = SStringW();
  m_namedID = SNamedID();
  m_attrStorageFactory = nullptr;
  m_logManager = nullptr;
  m_msgLoopFactory = nullptr;
  m_tooltipFactory = nullptr;
  m_translator = nullptr;
  m_renderFactory = nullptr;
  m_scriptFactory = nullptr;
  m_realWndHandler = nullptr;
}

void SApplication::CreateSingletons(LPCWSTR hostClassName, BOOL imeEnabled) {
  for (int index : kSingletonOrder) {
    void* singleton = nullptr;
    switch (index) {
      case SINGLETON_UIDEF: singleton = new SUiDef(); break;
      case SINGLETON_WINDOWMGR: singleton = new SWindowMgr(); break;
      case SINGLETON_TIMER: singleton = new STimer2(); break;
      case SINGLETON_SCRIPTTIMER: singleton = new SScriptTimer(); break;
      case SINGLETON_FONTPOOL: singleton = new SFontPool(m_renderFactory); break;
      case SINGLETON_STYLEPOOLMGR: singleton = new SStylePoolMgr(); break;
      case SINGLETON_SKINPOOLMGR: singleton = new SSkinPoolMgr(); break;
      case SINGLETON_WINDOWFINDER: singleton = new SWindowFinder(); break;
      case SINGLETON_TEXTSERVICEHELPER: singleton = new STextServiceHelper(); break;
      case SINGLETON_RICHEDITMENUDEF: singleton = new SRicheditMenuDef(); break;
      case SINGLETON_SIMPLEWNDHELPER:
        singleton = new CSimpleWndHelper(m_hInst, hostClassName, imeEnabled);
        break;
    }
    m_pSingletons[index] = singleton;
    TraceSingleton("create", index);
  }
}

void SApplication::DestroySingletons() {
  for (int i = SINGLETON_COUNT - 1; i >= 0; --i) {
    int index = kSingletonOrder[i];
    void* singleton = m_pSingletons[index];
    switch (index) {
      case SINGLETON_UIDEF: delete static_cast<SUiDef*>(singleton); break;
      case SINGLETON_WINDOWMGR: delete static_cast<SWindowMgr*>(singleton); break;
      case SINGLETON_TIMER: delete static_cast<STimer2*>(singleton); break;
      case SINGLETON_SCRIPTTIMER: delete static_cast<SScriptTimer*>(singleton); break;
      case SINGLETON_FONTPOOL: delete static_cast<SFontPool*>(singleton); break;
      case SINGLETON_STYLEPOOLMGR: delete static_cast<SStylePoolMgr*>(singleton); break;
      case SINGLETON_SKINPOOLMGR: delete static_cast<SSkinPoolMgr*>(singleton); break;
      case SINGLETON_WINDOWFINDER: delete static_cast<SWindowFinder*>(singleton); break;
      case SINGLETON_TEXTSERVICEHELPER: delete static_cast<STextServiceHelper*>(singleton); break;
      case SINGLETON_RICHEDITMENUDEF: delete static_cast<SRicheditMenuDef*>(singleton); break;
      case SINGLETON_SIMPLEWNDHELPER: delete static_cast<CSimpleWndHelper*>(singleton); break;
    }
    m_pSingletons[index] = nullptr;
    TraceSingleton("delete", index);
  }
}

void SApplication::InitAppDir() {
  wchar_t path[MAX_PATH + 1] = {0};
  DWORD len = GetModuleFileNameW(m_hInst, path, MAX_PATH);
  if (len == 0 || len >= MAX_PATH) {
    SLog::Printf(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "SWUI::SApplication::SApplication",
                 "GetModuleFileNameW failed, error %lu", GetLastError());
    return;
  }
  wchar_t* slash = wcsrchr(path, L'\\');
  if (slash != nullptr) *slash = 0;
  m_strAppDir = path;
}

void SApplication::RegisterSystemObjects(ISystemObjectRegister* reg) {
  SAutoRefPtr<ISystemObjectRegister> holder;
  if (reg == nullptr) {
    holder.Attach(new SObjectDefaultRegister());
    reg = holder;
  }
  reg->RegisterLayouts(this);
  reg->RegisterSkins(this);
  reg->RegisterWindows(this);
  reg->RegisterInterpolator(this);
}

void* SApplication::GetSingleton(unsigned int index) const {
  return index < SINGLETON_COUNT ? m_pSingletons[index] : nullptr;
}

int SApplication::Run(HWND mainWnd) {
  m_hMainWnd = mainWnd;
  int ret = m_pMsgLoop != nullptr ? m_pMsgLoop->Run() : 0;
  if (m_hMainWnd != nullptr && IsWindow(m_hMainWnd)) DestroyWindow(m_hMainWnd);
  return ret;
}

BOOL SApplication::LoadXmlDocument(pugi::xml_document& doc, LPCWSTR name, LPCWSTR type) {
  return LoadXmlDocument(name, type, doc, nullptr);
}

BOOL SApplication::LoadXmlDocument(LPCWSTR name, LPCWSTR type, pugi::xml_document& doc,
                                   IResProvider* provider) {
  if (name == nullptr) return FALSE;
  // A provider found by the search must stay in the list until it has been read.
  SAutoLock lock(m_cs);
  if (provider == nullptr) {
    if (IsFileType(type)) {
      return doc.load_file(name, pugi::parse_default, pugi::encoding_utf8) ? TRUE : FALSE;
    }
    provider = GetMatchResProvider(type, name);
    if (provider == nullptr) return FALSE;
  }
  return LoadResXml(provider, type, name, doc) ? TRUE : FALSE;
}

UINT SApplication::LoadSystemNamedResource(IResProvider* provider) {
  UINT failed = 0;
  AddResProvider(provider, nullptr);
  {
    pugi::xml_document doc;
    if (LoadXmlDocument(L"SYS_XML_SKIN", L"XML", doc, provider)) {
      static_cast<SSkinPoolMgr*>(GetSingleton(SINGLETON_SKINPOOLMGR))
          ->LoadBuiltinSkins(doc.child(L"skin"));
    } else {
      failed |= SYSRES_SKIN_FAILED;
    }
  }
  {
    pugi::xml_document doc;
    if (LoadXmlDocument(L"SYS_XML_EDITMENU", L"XML", doc, provider)) {
      static_cast<SRicheditMenuDef*>(GetSingleton(SINGLETON_RICHEDITMENUDEF))
          ->SetMenuTemplate(doc.child(L"editmenu"));
    } else {
      failed |= SYSRES_EDITMENU_FAILED;
    }
  }
  {
    pugi::xml_document doc;
    if (!LoadXmlDocument(L"SYS_XML_MSGBOX", L"XML", doc, provider) ||
        !SetMsgTemplate(doc.child(L"SWUI"))) {
      failed |= SYSRES_MSGBOX_FAILED;
    }
  }
  RemoveResProvider(provider);
  return failed;
}

void SApplication::InitXmlNamedID(const SNamedID::NAMEDVALUE* entries, int count, BOOL) {
  m_namedID = SNamedID();
  if (entries == nullptr) return;
  for (int i = 0; i < count; ++i) {
    // A name without its terminator inside the field is over-long: skip it, never read on.
    if (wcsnlen(entries[i].strName, kMaxNamedIdLength) >= kMaxNamedIdLength) continue;
    m_namedID.Add(entries[i].strName, entries[i].value);
  }
}

int SApplication::Str2ID(const SStringW& name) const {
  if (name.GetLength() >= kMaxNamedIdLength) return 0;
  return m_namedID.Get(name);
}

SStringW SApplication::Translate(const SStringW& src, const SStringW& ctx) const {
  if (m_translator == nullptr) return src;
  int needed = m_translator->tr(src, ctx, nullptr, 0);
  // 0 is "unknown"; -1 is "buffer too small", which with no buffer carries no length.
  if (needed <= 0) return src;
  SStringW out;
  wchar_t* buf = out.GetBuffer(needed);
  if (buf == nullptr) return src;
  int got = m_translator->tr(src, ctx, buf, needed);
  if (got <= 0) return src;
  out.ReleaseBuffer();
  return out;
}

IObject* SApplication::CreateWindowByName(LPCWSTR name) {
  return CreateObject(SObjectInfo(name, 1));
}

ISkinObj* SApplication::CreateSkinByName(LPCWSTR name) {
  return TakeObjectAs<ISkinObj>(CreateObject(SObjectInfo(name, OBJ_TYPE_SKIN)));
}

IInterpolator* SApplication::CreateInterpolatorByName(LPCWSTR name) {
  return TakeObjectAs<IInterpolator>(CreateObject(SObjectInfo(name, OBJ_TYPE_INTERPOLATOR)));
}

ILayout* SApplication::CreateLayoutByName(LPCWSTR name) {
  return TakeObjectAs<ILayout>(CreateObject(SObjectInfo(name, OBJ_TYPE_LAYOUT)));
}

void SApplication::SetTranslator(ITranslatorMgr* translator) { m_translator = translator; }

void SApplication::SetToolTipFactory(IToolTipFactory* factory) { m_tooltipFactory = factory; }

void SApplication::SetLogManager(ILogMgr* logManager) { m_logManager = logManager; }

void SApplication::SetRealWndHandler(IObjRef* handler) { m_realWndHandler = handler; }

void SApplication::SetScriptFactory(IScriptFactory* factory) { m_scriptFactory = factory; }

HRESULT SApplication::CreateScriptModule(SHostWnd* host, IScriptModule** ppModule) {
  if (m_scriptFactory == nullptr) return E_FAIL;
  return m_scriptFactory->CreateScriptModule(host, ppModule);
}

void SApplication::SetAttrStorageFactory(IObjRef* factory) { m_attrStorageFactory = factory; }

BOOL SApplication::SetMsgLoopFactory(IMsgLoopFactory* factory) {
  if (factory == nullptr) return FALSE;
  if (m_pMsgLoop != nullptr && m_pMsgLoop->IsRunning()) return FALSE;
  if (m_pMsgLoop != nullptr) m_msgLoopFactory->DestroyMsgLoop(m_pMsgLoop);
  m_msgLoopFactory = factory;
  m_pMsgLoop = m_msgLoopFactory->CreateMsgLoop();
  return TRUE;
}

}  // namespace SWUI
