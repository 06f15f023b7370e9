// The resource manager: provider order, the pseudo-type "file", icon and image references,
// cursors and raw buffers.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "FakeResProvider.h"
#include "IBitmap.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "RawRead.h"
#include "TempFolder.h"
#include "core/SApplication.h"
#include "res.mgr/SResProviderMgr.h"

using SWUI::SResProviderMgr;

TEST_CASE("the newest provider wins and the older one serves after its removal") {
  auto* older = new FakeResProvider();
  auto* newer = new FakeResProvider();
  older->Add(L"LAYOUT", L"XML_MAINWND", "old");
  older->Add(L"LAYOUT", L"ONLY_OLD", "only old");
  newer->Add(L"LAYOUT", L"XML_MAINWND", "new");
  {
    SResProviderMgr mgr;
    mgr.AddResProvider(older);
    mgr.AddResProvider(newer);
    CHECK(older->GetRefCount() == 2);
    CHECK(mgr.GetMatchResProvider(L"LAYOUT", L"XML_MAINWND") == newer);
    CHECK(ReadRaw(mgr, L"LAYOUT", L"XML_MAINWND") == "new");
    CHECK(ReadRaw(mgr, L"LAYOUT", L"ONLY_OLD") == "only old");
    CHECK(ReadRaw(mgr, L"LAYOUT", L"MISSING") == "<none>");
    CHECK(mgr.GetRawBufferSize(nullptr, L"XML_MAINWND") == 0);

    mgr.RemoveResProvider(newer);
    CHECK(newer->GetRefCount() == 1);
    CHECK(ReadRaw(mgr, L"LAYOUT", L"XML_MAINWND") == "old");
    mgr.RemoveResProvider(newer);  // absent: nothing happens
    CHECK(newer->GetRefCount() == 1);
  }
  CHECK(older->GetRefCount() == 1);  // the manager released what it held
  older->Release();
  newer->Release();
}

TEST_CASE("the same provider added twice is removed newest entry first") {
  auto* a = new FakeResProvider();
  auto* b = new FakeResProvider();
  a->Add(L"IMG", L"x", "a");
  b->Add(L"IMG", L"x", "b");
  SResProviderMgr mgr;
  mgr.AddResProvider(a);
  mgr.AddResProvider(b);
  mgr.AddResProvider(a);
  mgr.RemoveResProvider(a);  // the later entry goes; b is now the newest
  CHECK(ReadRaw(mgr, L"IMG", L"x") == "b");
  CHECK(a->GetRefCount() == 2);
  a->Release();
  b->Release();
}

TEST_CASE("file references read the disk and never ask a provider") {
  TempFolder dir;
  std::wstring file = dir.Write(L"data.bin", "0123456789");
  auto* provider = new FakeResProvider();
  SResProviderMgr mgr;
  mgr.AddResProvider(provider);

  for (LPCWSTR type : {L"file", L"FILE", L"File"}) {
    CAPTURE(std::string(type, type + wcslen(type)));
    CHECK(mgr.GetRawBufferSize(type, file.c_str()) == 10);
    CHECK(ReadRaw(mgr, type, file.c_str()) == "0123456789");
  }
  CHECK(mgr.GetRawBufferSize(L"file", (dir.Path() + L"\\missing.bin").c_str()) == 0);
  // A drive letter's colon belongs to the path: the reference splits at its first colon.
  CHECK(mgr.LoadImageByRef((L"file:" + dir.Path() + L"\\missing.png").c_str()) == nullptr);
  CHECK(mgr.LoadImageByRef(L"FILE:C:\\no\\such.png") == nullptr);
  CHECK(provider->hasCalls == 0);
  CHECK(provider->imageLoads == 0);

  // A reference without a colon names nothing.
  CHECK(mgr.LoadImageByRef(L"justaname") == nullptr);
  CHECK(provider->hasCalls == 0);
  provider->Release();
}

TEST_CASE("a destination one byte short gives error 122 and stays untouched") {
  TempFolder dir;
  std::wstring file = dir.Write(L"five.bin", "abcde");
  auto* provider = new FakeResProvider();
  provider->Add(L"XML", L"five", "abcde");
  SResProviderMgr mgr;
  mgr.AddResProvider(provider);

  struct Case {
    LPCWSTR type;
    LPCWSTR name;
  };
  for (Case c : {Case{L"file", file.c_str()}, Case{L"XML", L"five"}}) {
    CHECK(RefusesShortBuffer(mgr, c.type, c.name));
    CHECK(ReadRaw(mgr, c.type, c.name) == "abcde");
  }
  provider->Release();
}

TEST_CASE("icon references carry an optional size after the colon") {
  auto* provider = new FakeResProvider();
  provider->Add(L"ICON", L"ICON_LOGO", "");
  SResProviderMgr mgr;
  mgr.AddResProvider(provider);

  struct Case {
    LPCWSTR ref;
    int size;
  };
  for (Case c : {Case{L"ICON_LOGO:32", 32}, Case{L"ICON_LOGO", 0}, Case{L"ICON_LOGO:16px", 16},
                 Case{L"ICON_LOGO:big", 0}}) {
    CAPTURE(c.size);
    provider->lastIcon.clear();
    mgr.LoadIconByRef(c.ref);
    CHECK(provider->lastIcon == L"ICON_LOGO");
    CHECK(provider->lastIconCx == c.size);
    CHECK(provider->lastIconCy == c.size);
  }
  provider->lastIcon.clear();
  CHECK(mgr.LoadIconByRef(L"OTHER:32") == nullptr);  // no provider holds it
  CHECK(provider->lastIcon.empty());
  provider->Release();
}

TEST_CASE("system cursor names answer without a provider; other cursors load once") {
  auto* provider = new FakeResProvider();
  provider->Add(L"CURSOR", L"mycursor", "");
  SResProviderMgr mgr;
  mgr.AddResProvider(provider);

  struct Case {
    LPCWSTR name;
    LPCWSTR id;
  };
  for (Case c : {Case{L"hand", IDC_HAND}, Case{L"HAND", IDC_HAND}, Case{L"arrow", IDC_ARROW},
                 Case{L"IBeam", IDC_IBEAM}, Case{L"help", IDC_HELP}, Case{L"sizeall", IDC_SIZEALL}}) {
    CHECK(mgr.LoadCursor(c.name) == LoadCursorW(nullptr, c.id));
  }
  CHECK(mgr.LoadCursor(IDC_WAIT) == LoadCursorW(nullptr, IDC_WAIT));
  CHECK(provider->hasCalls == 0);
  CHECK(SResProviderMgr::SysCursorName2ID(L"Help") == IDC_HELP);
  CHECK(SResProviderMgr::SysCursorName2ID(L"pointer") == nullptr);

  HCURSOR first = mgr.LoadCursor(L"mycursor");
  REQUIRE(first != nullptr);
  CHECK(mgr.LoadCursor(L"mycursor") == first);
  CHECK(provider->cursorLoads == 1);
  CHECK(mgr.LoadCursor(L"unknown") == nullptr);  // no provider holds it
  CHECK(provider->hasCalls > 0);
  provider->Release();
}

TEST_CASE("providers may be added and removed on one thread while another reads") {
  auto* stable = new FakeResProvider();
  stable->Add(L"XML", L"stable", "always");
  SResProviderMgr mgr;
  mgr.AddResProvider(stable);

  struct Churn {
    SResProviderMgr* mgr;
    volatile LONG stop;
    static DWORD WINAPI Run(void* arg) {
      auto* self = static_cast<Churn*>(arg);
      while (!self->stop) {
        auto* extra = new FakeResProvider();
        extra->Add(L"XML", L"extra", "x");
        for (int i = 0; i < 32; ++i) self->mgr->AddResProvider(extra);
        for (int i = 0; i < 32; ++i) self->mgr->RemoveResProvider(extra);
        extra->Release();
      }
      return 0;
    }
  } churn{&mgr, 0};
  HANDLE thread = CreateThread(nullptr, 0, Churn::Run, &churn, 0, nullptr);
  REQUIRE(thread != nullptr);
  int misses = 0;
  for (int i = 0; i < 20000; ++i) {
    if (ReadRaw(mgr, L"XML", L"stable") != "always") ++misses;
  }
  InterlockedExchange(&churn.stop, 1);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CHECK(misses == 0);
  CHECK(mgr.GetMatchResProvider(L"XML", L"extra") == nullptr);
  stable->Release();
}

TEST_CASE("an image reference asks the matching provider's LoadImage, once per resource") {
  SWUI::IObjRef* obj = nullptr;
  SWUI::CreateRenderFactory_GDI(&obj);
  auto* render = static_cast<SWUI::IRenderFactory*>(obj);
  {
    SWUI::SApplication app(render, GetModuleHandleW(nullptr));
    // A provider that makes its images itself: 7 x 3, whatever its bytes say.
    auto* provider = new FakeResProvider();
    provider->Add(L"IMG", L"logo", "not an encoded image");
    provider->makeImage = [render] {
      SWUI::IBitmap* made = nullptr;
      if (render->CreateBitmap(&made) && made->Init(7, 3, nullptr) != S_OK) {
        made->Release();
        made = nullptr;
      }
      return made;
    };
    app.AddResProvider(provider);
    SWUI::IBitmap* first = app.LoadImageByRef(L"IMG:logo");
    REQUIRE(first != nullptr);
    CHECK(first->Width() == 7u);
    CHECK(first->Height() == 3u);
    CHECK(provider->lastImage == L"IMG:logo");
    SWUI::IBitmap* again = app.LoadImageByRef(L"IMG:logo");
    CHECK(again == first);  // shared, the provider asked once
    CHECK(provider->imageLoads == 1);
    CHECK(app.LoadImageByRef(L"IMG:absent") == nullptr);
    CHECK(provider->imageLoads == 1);  // no provider has it: none asked
    if (again != nullptr) again->Release();
    first->Release();
    app.RemoveResProvider(provider);
    provider->Release();
  }
  render->Release();
}
