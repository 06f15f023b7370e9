#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "DebugOutputCapture.h"
#include "base/SAutoRefPtr.h"
#include "core/SLog.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SObjectFactoryMgr.h"
#include "base/SObjectImpl.h"
#include "base/SXmlMark.h"
#include "base/TObjRefImpl.h"

using namespace SWUI;

namespace {

using ObjBase = SObjectImpl<IObject>;

// Stand-ins for registered classes: each records the attributes it receives.
class TestWindow : public TObjRefImpl<IObjRef>, public ObjBase {
  SWUI_CLASS_NAME_EX(ObjBase, L"window", OBJ_TYPE_WINDOW)

 public:
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override {
    applied.push_back(std::wstring(name) + L"=" + std::wstring(value) + (bLoading ? L"" : L"!"));
    return S_OK;
  }
  std::vector<std::wstring> applied;
};

class TestButton : public TestWindow {
  SWUI_CLASS_NAME(TestWindow, L"button")
};

class TestButton2 : public TestWindow {
  SWUI_CLASS_NAME(TestWindow, L"button")
};

class TestRichEdit : public TestWindow {
  SWUI_CLASS_NAME(TestWindow, L"richedit")
};

class TestEdit : public TestRichEdit {
  SWUI_CLASS_NAME(TestRichEdit, L"edit")
};

class TestSkinBase : public TObjRefImpl<IObjRef>, public ObjBase {
  SWUI_CLASS_NAME_EX(ObjBase, L"skinObjBase", OBJ_TYPE_SKIN)

 public:
  HRESULT SetAttribute(const SStringW& name, const SStringW&, BOOL) override {
    applied.push_back(std::wstring(name));
    return S_OK;
  }
  std::vector<std::wstring> applied;
};

class TestSkinButton : public TestSkinBase {
  SWUI_CLASS_NAME(TestSkinBase, L"button")
};

class SelfBase : public TObjRefImpl<IObjRef>, public ObjBase {
  SWUI_CLASS_NAME_EX(ObjBase, L"selfbase", OBJ_TYPE_LAYOUT)
};

// A factory whose class names itself as its base.
class SelfBaseFactory : public TplSObjectFactory<SelfBase> {
 public:
  LPCWSTR BaseClassName() const override { return L"SelfBase"; }
  SObjectFactory* Clone() const override { return new SelfBaseFactory(); }
};

// A factory that names no base at all.
class NoBaseFactory : public TplSObjectFactory<TestWindow> {
 public:
  LPCWSTR BaseClassName() const override { return nullptr; }
  SObjectInfo GetObjectInfo() const override { return SObjectInfo(L"nobase", OBJ_TYPE_LAYOUT); }
  SObjectFactory* Clone() const override { return new NoBaseFactory(); }
};

void ReleaseObject(IObject* obj) {
  if (obj != nullptr) dynamic_cast<IObjRef*>(obj)->Release();
}

// Factories that count their live copies, to check what the registry deletes.
int g_liveFactories = 0;
class CountingFactory : public TplSObjectFactory<TestButton> {
 public:
  CountingFactory() { ++g_liveFactories; }
  ~CountingFactory() override { --g_liveFactories; }
  SObjectFactory* Clone() const override { return new CountingFactory(); }
};

struct CaptureLog : TObjRefImpl<ILogMgr> {
  BOOL PrePrintLog(int, int) override { return TRUE; }
  void PrintLog(int, int level, const char* tag, const char* file, int line, const char* func,
                const void*, const char* text) override {
    lines.push_back(std::to_string(level) + "|" + tag + "|" + file + "|" + std::to_string(line) +
                    "|" + func + "|" + text);
  }
  std::vector<std::string> lines;
};

// A registry with default attributes for some window classes.
class DefAttrMgr : public SObjectFactoryMgr {
 public:
  pugi::xml_document doc;

 protected:
  pugi::xml_node GetClassDefAttribute(LPCWSTR className) override {
    return doc.child(L"objattr").child(className);
  }
};

}  // namespace

TEST_CASE("object keys are lower-cased and hashed as h*32+type") {
  SObjectInfo a(L"SwuiLayout", 3);
  CHECK(a.Name() == L"swuilayout");
  CHECK(a == SObjectInfo(L"SWUILAYOUT", 3));
  CHECK(a != SObjectInfo(L"swuilayout", 1));
  CHECK(SObjectInfo(L"ab", 1).Hash() == (97u * 33u + 98u) * 32u + 1u);
  CHECK(SObjectInfo(L"\u00C4", 1).Name() == L"\u00C4");  // only A-Z are folded
  SObjectInfo empty;
  CHECK(empty.IsEmpty());
  CHECK(empty.Type() == -1);
}

TEST_CASE("CreateObject finds classes by tag and kind") {
  SObjectFactoryMgr mgr;
  CHECK(mgr.TplRegisterFactory<TestButton>());
  CHECK(mgr.TplRegisterFactory<TestSkinButton>());
  CHECK(mgr.GetFactoryCount() == 2);

  IObject* window = mgr.CreateObject(SObjectInfo(L"BUTTON", OBJ_TYPE_WINDOW));
  REQUIRE(window != nullptr);
  CHECK(dynamic_cast<TestButton*>(window) != nullptr);
  CHECK(window->IsClass(L"window"));
  CHECK(dynamic_cast<TObjRefImpl<IObjRef>*>(window)->GetRefCount() == 1);
  ReleaseObject(window);

  IObject* skin = mgr.CreateObject(SObjectInfo(L"button", OBJ_TYPE_SKIN));
  REQUIRE(skin != nullptr);
  CHECK(dynamic_cast<TestSkinButton*>(skin) != nullptr);
  ReleaseObject(skin);

  SUBCASE("a missing class writes one warning line to the debugger output") {
    DebugOutputCapture capture;
    CHECK(mgr.CreateObject(SObjectInfo(L"button", OBJ_TYPE_LAYOUT)) == nullptr);
    CHECK(capture.Count("Warning: no ojbect button of type:3 in SWUI!!") == 1);
  }
  SUBCASE("or to the installed log manager") {
    SAutoRefPtr<CaptureLog> log;
    log.Attach(new CaptureLog);
    SLog::SetLogManager(log);
    CHECK(mgr.CreateObject(SObjectInfo(L"NoSuch", OBJ_TYPE_WINDOW)) == nullptr);
    SLog::SetLogManager(nullptr);
    REQUIRE(log->lines.size() == 1);
    CHECK(log->lines[0] ==
          "3|swui|src\\core\\SObjectFactory|61|SWUI::SObjectFactoryMgr::CreateObject|"
          "Warning: no ojbect nosuch of type:1 in SWUI!!");
  }
}

TEST_CASE("registering a present key needs the replace flag") {
  SObjectFactoryMgr mgr;
  REQUIRE(mgr.TplRegisterFactory<TestButton>());
  CHECK_FALSE(mgr.TplRegisterFactory<TestButton2>());
  IObject* first = mgr.CreateObject(SObjectInfo(L"button", OBJ_TYPE_WINDOW));
  CHECK(dynamic_cast<TestButton*>(first) != nullptr);
  ReleaseObject(first);

  CHECK(mgr.TplRegisterFactory<TestButton2>(TRUE));
  CHECK(mgr.GetFactoryCount() == 1);
  IObject* second = mgr.CreateObject(SObjectInfo(L"button", OBJ_TYPE_WINDOW));
  CHECK(dynamic_cast<TestButton2*>(second) != nullptr);
  ReleaseObject(second);

  CHECK(mgr.UnregisterFactory(SObjectInfo(L"Button", OBJ_TYPE_WINDOW)));
  CHECK_FALSE(mgr.UnregisterFactory(SObjectInfo(L"button", OBJ_TYPE_WINDOW)));
  CHECK(mgr.GetFactoryCount() == 0);
}

TEST_CASE("the registry owns copies of the factories it is offered") {
  {
    SObjectFactoryMgr mgr;
    {
      CountingFactory offered;
      CHECK(mgr.RegisterFactory(offered));
      CHECK(g_liveFactories == 2);
    }
    CHECK(g_liveFactories == 1);
    CHECK(mgr.RegisterFactory(CountingFactory(), TRUE));  // replaces and deletes the old copy
    CHECK(g_liveFactories == 1);
    CHECK(mgr.UnregisterFactory(SObjectInfo(L"button", OBJ_TYPE_WINDOW)));
    CHECK(g_liveFactories == 0);
    CHECK(mgr.RegisterFactory(CountingFactory()));
  }
  CHECK(g_liveFactories == 0);
}

TEST_CASE("a replacement whose copy fails leaves the registered factory") {
  struct Uncloneable : TplSObjectFactory<TestButton2> {
    SObjectFactory* Clone() const override { return nullptr; }
  };
  SObjectFactoryMgr mgr;
  REQUIRE(mgr.TplRegisterFactory<TestButton>());
  CHECK_FALSE(mgr.RegisterFactory(Uncloneable(), TRUE));
  IObject* obj = mgr.CreateObject(SObjectInfo(L"button", OBJ_TYPE_WINDOW));
  CHECK(dynamic_cast<TestButton*>(obj) != nullptr);
  ReleaseObject(obj);
}

TEST_CASE("BaseObjectInfo names the registered base class") {
  SObjectFactoryMgr mgr;
  mgr.TplRegisterFactory<TestWindow>();
  mgr.TplRegisterFactory<TestEdit>();
  mgr.TplRegisterFactory<TestSkinButton>();
  mgr.RegisterFactory(SelfBaseFactory());
  mgr.RegisterFactory(NoBaseFactory());
  struct Row {
    LPCWSTR name;
    int type;
    LPCWSTR baseName;
    int baseType;
  };
  const Row rows[] = {
      {L"edit", OBJ_TYPE_WINDOW, L"richedit", OBJ_TYPE_WINDOW},
      {L"EDIT", OBJ_TYPE_WINDOW, L"richedit", OBJ_TYPE_WINDOW},
      {L"window", OBJ_TYPE_WINDOW, L"object", OBJ_TYPE_WINDOW},
      {L"button", OBJ_TYPE_SKIN, L"skinobjbase", OBJ_TYPE_SKIN},
      {L"richedit", OBJ_TYPE_WINDOW, L"", -1},  // not registered
      {L"edit", OBJ_TYPE_SKIN, L"", -1},        // registered as another kind only
      {L"selfbase", OBJ_TYPE_LAYOUT, L"", -1},  // names itself as its base
      {L"nobase", OBJ_TYPE_LAYOUT, L"", -1},    // names no base
  };
  for (const Row& row : rows) {
    CAPTURE(std::wstring(row.name));
    SObjectInfo base = mgr.BaseObjectInfo(SObjectInfo(row.name, row.type));
    CHECK(base.Name() == row.baseName);
    CHECK(base.Type() == row.baseType);
  }
}

TEST_CASE("default attributes: class first, marked ones skipped, windows only") {
  DefAttrMgr mgr;
  REQUIRE(mgr.doc.load_string(
      L"<objattr><button size='1' class='cls' pos='2' skip='3'/><skinObjBase a='1'/>"
      L"<window x='1'/></objattr>"));
  mgr.TplRegisterFactory<TestButton>();
  mgr.TplRegisterFactory<TestWindow>();
  mgr.TplRegisterFactory<TestSkinBase>();
  pugi::xml_node button = mgr.doc.child(L"objattr").child(L"button");
  SXmlMark::SetMark(button.attribute(L"skip"), 1);

  IObject* obj = mgr.CreateObject(SObjectInfo(L"button", OBJ_TYPE_WINDOW));
  REQUIRE(obj != nullptr);
  auto* wnd = dynamic_cast<TestWindow*>(obj);
  std::vector<std::wstring> expected = {L"class=cls", L"size=1", L"pos=2"};
  CHECK(wnd->applied == expected);
  CHECK_FALSE(SXmlMark::IsMarked(button.attribute(L"class")));
  CHECK(SXmlMark::IsMarked(button.attribute(L"skip")));
  ReleaseObject(obj);

  IObject* plain = mgr.CreateObject(SObjectInfo(L"window", OBJ_TYPE_WINDOW));
  CHECK(dynamic_cast<TestWindow*>(plain)->applied == std::vector<std::wstring>{L"x=1"});
  ReleaseObject(plain);

  IObject* skin = mgr.CreateObject(SObjectInfo(L"skinObjBase", OBJ_TYPE_SKIN));
  CHECK(dynamic_cast<TestSkinBase*>(skin)->applied.empty());
  ReleaseObject(skin);
  SXmlMark::ClearMarks(mgr.doc);
}

TEST_CASE("the built-in class list: order, kinds and base names") {
  const size_t count = SObjectDefaultRegister::GetBuiltinClassCount();
  REQUIRE(count == 70);
  int perType[5] = {};
  for (size_t i = 0; i < count; ++i) {
    const auto& entry = SObjectDefaultRegister::GetBuiltinClass(i);
    REQUIRE(entry.type >= 1);
    REQUIRE(entry.type <= 4);
    ++perType[entry.type];
    if (entry.newFactory == nullptr) continue;
    // A built class must answer its own key and the listed base name.
    SObjectFactory* factory = entry.newFactory();
    CAPTURE(std::wstring(entry.key));
    CHECK(factory->GetObjectInfo() == SObjectInfo(entry.key, entry.type));
    CHECK(std::wstring(factory->BaseClassName()) == entry.baseName);
    delete factory;
  }
  CHECK(perType[OBJ_TYPE_LAYOUT] == 5);
  CHECK(perType[OBJ_TYPE_SKIN] == 10);
  CHECK(perType[OBJ_TYPE_WINDOW] == 46);
  CHECK(perType[OBJ_TYPE_INTERPOLATOR] == 9);
  // Registration order: layouts, skins, windows, interpolators.
  CHECK(std::wstring(SObjectDefaultRegister::GetBuiltinClass(0).key) == L"SwuiLayout");
  CHECK(std::wstring(SObjectDefaultRegister::GetBuiltinClass(5).key) == L"imglist");
  CHECK(std::wstring(SObjectDefaultRegister::GetBuiltinClass(15).key) == L"window");
  CHECK(std::wstring(SObjectDefaultRegister::GetBuiltinClass(60).key) == L"dateTimePicker");
  CHECK(std::wstring(SObjectDefaultRegister::GetBuiltinClass(61).key) == L"Linear");

  SObjectFactoryMgr mgr;
  SAutoRefPtr<SObjectDefaultRegister> reg;
  reg.Attach(new SObjectDefaultRegister);
  reg->RegisterLayouts(&mgr);
  reg->RegisterSkins(&mgr);
  reg->RegisterWindows(&mgr);
  reg->RegisterInterpolator(&mgr);
  size_t built = 0;
  for (size_t i = 0; i < count; ++i) {
    if (SObjectDefaultRegister::GetBuiltinClass(i).newFactory != nullptr) ++built;
  }
  CHECK(mgr.GetFactoryCount() == built);
}
