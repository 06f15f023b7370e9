// The application object: singletons and their order, services, system resources, XML
// documents, the named-ID table, translation and the main loop.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "FakeLogMgr.h"
#include "FakeResProvider.h"
#include "RenderModule.h"
#include "TempFolder.h"
#include "core/CSimpleWndHelper.h"
#include "core/SApplication.h"
#include "core/SDefMsgLoopFactory.h"
#include "core/SDefToolTipFactory.h"
#include "core/SMessageLoop.h"
#include "core/SRicheditMenuDef.h"
#include "core/SUiDef.h"

using namespace SWUI;

namespace {

struct RenderFactory {
  RenderFactory() {
    IObjRef* obj = nullptr;
    REQUIRE(CreateRenderFactory_GDI(&obj));
    factory = static_cast<IRenderFactory*>(obj);
  }
  ~RenderFactory() { factory->Release(); }
  IRenderFactory* factory = nullptr;
};

struct AppFixture {
  RenderFactory render;
  SApplication app{render.factory, GetModuleHandleW(nullptr)};
};

// Answers tr with a fixed result; writes "translated" when given a buffer.
class FakeTranslator : public TObjRefImpl<ITranslatorMgr> {
 public:
  explicit FakeTranslator(int answer) : answer_(answer) {}
  void SetLanguage(LPCWSTR) override {}
  void GetLanguage(wchar_t name[64]) override { name[0] = 0; }
  BOOL CreateTranslator(ITranslator**) override { return FALSE; }
  BOOL InstallTranslator(ITranslator*) override { return FALSE; }
  BOOL UninstallTranslator(REFGUID) override { return FALSE; }
  int tr(LPCWSTR, LPCWSTR, wchar_t* buf, int bufLen) override {
    if (answer_ > 0 && buf != nullptr) {
      if (bufLen < answer_) return -1;
      wcscpy(buf, L"translated");
    }
    return answer_;
  }
  BOOL UpdateLogFont(LPCWSTR, LOGFONTW*) override { return FALSE; }

 private:
  int answer_;
};

// Records its name when its last reference goes.
template <class Base>
class Recorded : public Base {
 public:
  template <class... Args>
  Recorded(std::vector<std::string>* log, const char* name, Args... args)
      : Base(args...), log_(log), name_(name) {}
  void OnFinalRelease() override {
    log_->push_back(name_);
    Base::OnFinalRelease();
  }

 private:
  std::vector<std::string>* log_;
  const char* name_;
};

// A render factory that makes nothing.
class NullRenderFactory : public TObjRefImpl<IRenderFactory> {
 public:
  IImgDecoderFactory* GetImgDecoderFactory() override { return nullptr; }
  void SetImgDecoderFactory(IImgDecoderFactory*) override {}
  BOOL CreateRenderTarget(IRenderTarget**, int, int) override { return FALSE; }
  BOOL CreateFont(IFont**, const LOGFONTW&) override { return FALSE; }
  BOOL CreateBitmap(IBitmap**) override { return FALSE; }
  BOOL CreateRegion(IRegion**) override { return FALSE; }
  BOOL Reserved9(void*) override { return FALSE; }
  BOOL Reserved10(void*, void*) override { return FALSE; }
  BOOL Reserved11(void*) override { return FALSE; }
};

// Answers every request for a script module with S_FALSE and no module.
class NullScriptFactory : public TObjRefImpl<IScriptFactory> {
 public:
  HRESULT CreateScriptModule(SHostWnd*, IScriptModule** ppModule) override {
    *ppModule = nullptr;
    return S_FALSE;
  }
};

const char kSkin[] = "<skin><imglist name=\"a\"/></skin>";
const char kEditMenu[] = "<editmenu><item id=\"1\">cut</item></editmenu>";
const char kMsgBox[] = "<SWUI frameSize=\"10,10,10,10\" minSize=\"200,100\"><root/></SWUI>";

}  // namespace

TEST_CASE("the application builds and tears down its singletons in their fixed order") {
  auto* log = new FakeLogMgr();
  SLog::SetLogManager(log);
  {
    RenderFactory render;
    SApplication app(render.factory, GetModuleHandleW(nullptr));
    CHECK(SApplication::getSingletonPtr() == &app);
    CHECK(app.GetSingleton(SINGLETON_UIDEF) == SUiDef::getSingletonPtr());
    CHECK(app.GetSingleton(10) == CSimpleWndHelper::getSingletonPtr());
    CHECK(app.GetSingleton(11) == nullptr);
    CHECK(app.GetSingleton(static_cast<unsigned int>(-1)) == nullptr);
    for (unsigned int i = 0; i < SINGLETON_COUNT; ++i) CHECK(app.GetSingleton(i) != nullptr);
  }
  SLog::SetLogManager(nullptr);
  CHECK(SApplication::getSingletonPtr() == nullptr);
  CHECK(SUiDef::getSingletonPtr() == nullptr);

  std::vector<std::string> order;
  for (const std::string& line : log->lines) {
    if (line.find("singleton") != std::string::npos) order.push_back(line);
  }
  std::vector<std::string> expected;
  for (int i : {0, 1, 2, 3, 4, 6, 5, 7, 8, 9, 10}) expected.push_back("create singleton " + std::to_string(i));
  for (int i : {10, 9, 8, 7, 5, 6, 4, 3, 2, 1, 0}) expected.push_back("delete singleton " + std::to_string(i));
  CHECK(order == expected);
  log->Release();
}

TEST_CASE_FIXTURE(AppFixture, "the application's defaults and services") {
  CHECK(app.GetRenderFactory() == render.factory);
  CHECK(app.GetTranslator() != nullptr);
  CHECK(app.GetToolTipFactory() != nullptr);
  CHECK(app.GetMsgLoopFactory() != nullptr);
  CHECK(app.GetMsgLoop() != nullptr);
  CHECK(app.GetLogManager() == nullptr);
  CHECK(app.GetRealWndHandler() == nullptr);
  IScriptModule* module = nullptr;
  CHECK(app.CreateScriptModule(nullptr, &module) == E_FAIL);  // no script factory

  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir(exe);
  dir.resize(dir.rfind(L'\\'));
  CHECK(std::wstring(app.GetAppDir()) == dir);

  // Setters keep one reference and release the old service.
  auto* log = new FakeLogMgr();
  app.SetLogManager(log);
  CHECK(log->GetRefCount() == 2);
  app.SetLogManager(log);
  CHECK(log->GetRefCount() == 2);
  // While installed, the application's log manager receives the framework's lines.
  SLog::Write(LOG_LEVEL_INFO, "swui", __FILE__, __LINE__, __func__, "routed line");
  CHECK(log->lines == std::vector<std::string>{"routed line"});
  app.SetLogManager(nullptr);
  CHECK(log->GetRefCount() == 1);
  log->Release();
}

TEST_CASE("teardown releases the services in their fixed order") {
  std::vector<std::string> released;
  auto* render = new Recorded<NullRenderFactory>(&released, "render");
  {
    SApplication app(render, GetModuleHandleW(nullptr));
    render->Release();  // the application now holds the last reference
    auto* translator = new Recorded<FakeTranslator>(&released, "translator", 0);
    auto* tooltips = new Recorded<SDefToolTipFactory>(&released, "tooltip");
    auto* loops = new Recorded<SDefMsgLoopFactory>(&released, "msgloop");
    auto* log = new Recorded<FakeLogMgr>(&released, "log");
    auto* realWnd = new Recorded<TObjRefImpl<IObjRef>>(&released, "realwnd");
    auto* script = new Recorded<NullScriptFactory>(&released, "script");
    auto* attrs = new Recorded<TObjRefImpl<IObjRef>>(&released, "attrs");
    app.SetTranslator(translator);
    app.SetToolTipFactory(tooltips);
    REQUIRE(app.SetMsgLoopFactory(loops));
    app.SetLogManager(log);
    app.SetRealWndHandler(realWnd);
    app.SetScriptFactory(script);
    app.SetAttrStorageFactory(attrs);
    for (IObjRef* service : std::initializer_list<IObjRef*>{translator, tooltips, loops, log,
                                                            realWnd, script, attrs}) {
      service->Release();
    }
    IScriptModule* module = reinterpret_cast<IScriptModule*>(1);
    CHECK(app.CreateScriptModule(nullptr, &module) == S_FALSE);  // the factory's answer
    CHECK(module == nullptr);
    CHECK(released.empty());
  }
  const std::vector<std::string> expected = {"attrs", "log", "msgloop", "tooltip",
                                             "translator", "render", "script", "realwnd"};
  CHECK(released == expected);
}

TEST_CASE_FIXTURE(AppFixture, "system resources report what failed and the provider leaves again") {
  struct Case {
    bool skin, editMenu, msgBox;
    UINT expected;
  };
  for (Case c : {Case{true, false, false, 6}, Case{true, true, true, 0},
                 Case{false, false, false, 7}, Case{false, true, false, 5}}) {
    CAPTURE(c.expected);
    auto* provider = new FakeResProvider();
    if (c.skin) provider->Add(L"XML", L"SYS_XML_SKIN", kSkin);
    if (c.editMenu) provider->Add(L"XML", L"SYS_XML_EDITMENU", kEditMenu);
    if (c.msgBox) provider->Add(L"XML", L"SYS_XML_MSGBOX", kMsgBox);
    CHECK(app.LoadSystemNamedResource(provider) == c.expected);
    CHECK(provider->GetRefCount() == 1);
    CHECK(app.GetMatchResProvider(L"XML", L"SYS_XML_SKIN") == nullptr);
    provider->Release();
  }
  auto* menu = static_cast<SRicheditMenuDef*>(app.GetSingleton(SINGLETON_RICHEDITMENUDEF));
  CHECK(std::wstring(menu->GetMenuTemplate().name()) == L"editmenu");

  // A message box template without its sizes is refused.
  auto* provider = new FakeResProvider();
  provider->Add(L"XML", L"SYS_XML_MSGBOX", "<SWUI minSize=\"1,1\"/>");
  CHECK((app.LoadSystemNamedResource(provider) & SYSRES_MSGBOX_FAILED) != 0);
  provider->Release();
}

TEST_CASE_FIXTURE(AppFixture, "XML documents come from files or from the providers") {
  TempFolder dir;
  std::wstring file = dir.Write(L"doc.xml", "<root a=\"file\"/>");
  pugi::xml_document doc;
  CHECK(app.LoadXmlDocument(doc, file.c_str(), L"FILE"));
  CHECK(std::wstring(doc.child(L"root").attribute(L"a").value()) == L"file");
  CHECK_FALSE(app.LoadXmlDocument(doc, (dir.Path() + L"\\none.xml").c_str(), L"file"));

  auto* older = new FakeResProvider();
  auto* newer = new FakeResProvider();
  older->Add(L"LAYOUT", L"main", "<root a=\"older\"/>");
  newer->Add(L"LAYOUT", L"main", "<root a=\"newer\"/>");
  newer->Add(L"LAYOUT", L"broken", "<root");
  app.AddResProvider(older);
  app.AddResProvider(newer);
  CHECK(app.LoadXmlDocument(doc, L"main", L"LAYOUT"));
  CHECK(std::wstring(doc.child(L"root").attribute(L"a").value()) == L"newer");
  CHECK_FALSE(app.LoadXmlDocument(doc, L"broken", L"LAYOUT"));
  CHECK_FALSE(app.LoadXmlDocument(doc, L"absent", L"LAYOUT"));

  // A read that fails must not be parsed as if it had filled the buffer.
  newer->FailReads(true);
  CHECK_FALSE(app.LoadXmlDocument(doc, L"main", L"LAYOUT"));
  app.RemoveResProvider(newer);
  app.RemoveResProvider(older);
  older->Release();
  newer->Release();
}

TEST_CASE_FIXTURE(AppFixture, "the named-ID table answers by exact name") {
  SNamedID::NAMEDVALUE entries[4] = {};
  const wchar_t* names[] = {L"btn_ok", L"Btn_Cancel", L"edit_name", L"x"};
  const int ids[] = {100, 101, 65535, 7};
  for (int i = 0; i < 4; ++i) {
    wcscpy(entries[i].strName, names[i]);
    entries[i].value = ids[i];
  }
  app.InitXmlNamedID(entries, 4, FALSE);  // unsorted: the table sorts them
  CHECK(app.Str2ID(L"btn_ok") == 100);
  CHECK(app.Str2ID(L"Btn_Cancel") == 101);
  CHECK(app.Str2ID(L"edit_name") == 65535);
  CHECK(app.Str2ID(L"x") == 7);
  CHECK(app.Str2ID(L"BTN_OK") == 0);
  CHECK(app.Str2ID(L"btn_cancel") == 0);
  CHECK(app.Str2ID(L"missing") == 0);
  CHECK(app.Str2ID(L"") == 0);

  // Names of 50 characters or more do not fit: never found, never stored.
  SNamedID::NAMEDVALUE longEntry = {};
  wmemset(longEntry.strName, L'a', 50);  // a 50-character name
  longEntry.value = 9;
  app.InitXmlNamedID(&longEntry, 1, TRUE);
  CHECK(app.Str2ID(SStringW(longEntry.strName)) == 0);
  CHECK(app.Str2ID(std::wstring(49, L'a').c_str()) == 0);
  CHECK(app.Str2ID(std::wstring(200, L'a').c_str()) == 0);
  CHECK(app.Str2ID(L"btn_ok") == 0);  // the table was replaced
}

TEST_CASE_FIXTURE(AppFixture, "Translate falls back to the source text") {
  CHECK(std::wstring(app.Translate(L"Hello", L"ctx")) == L"Hello");  // the null translator
  struct Case {
    int answer;
    const wchar_t* expected;
  };
  for (Case c : {Case{0, L"Hello"}, Case{-1, L"Hello"}, Case{11, L"translated"}}) {
    CAPTURE(c.answer);
    auto* translator = new FakeTranslator(c.answer);
    app.SetTranslator(translator);
    translator->Release();
    CHECK(std::wstring(app.Translate(L"Hello", L"ctx")) == c.expected);
  }
}

namespace {

// On WM_APP tries to replace the running loop's factory, then ends the loop.
struct ReplaceWhileRunning : SWUI::IMessageFilter {
  SApplication* app = nullptr;
  BOOL result = -1;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_APP) return FALSE;
    auto* factory = new SDefMsgLoopFactory();
    result = app->SetMsgLoopFactory(factory);
    factory->Release();
    PostQuitMessage(42);
    return TRUE;
  }
};

}  // namespace

TEST_CASE_FIXTURE(AppFixture, "Run returns the exit code and destroys the main window") {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  REQUIRE(wnd != nullptr);
  ReplaceWhileRunning filter;
  filter.app = &app;
  app.GetMsgLoop()->AddMessageFilter(&filter);
  PostMessageW(wnd, WM_APP, 0, 0);
  CHECK(app.Run(wnd) == 42);
  CHECK(filter.result == FALSE);  // refused while the loop ran
  CHECK_FALSE(IsWindow(wnd));
  CHECK(app.GetMainWnd() == wnd);

  auto* factory = new SDefMsgLoopFactory();
  CHECK(app.SetMsgLoopFactory(factory));
  CHECK(app.GetMsgLoopFactory() == factory);
  CHECK(factory->GetRefCount() == 2);
  factory->Release();
  CHECK(app.GetMsgLoop() != nullptr);
  CHECK_FALSE(app.GetMsgLoop()->IsRunning());
}
