// What ActiveX hosting takes for granted of the platform, under the Wine the tests run on:
// classes registered at run time under HKEY_CLASSES_ROOT are found by class id and ProgID
// (those under HKCU Software\Classes are not), text class ids parse, a class object
// registered for the process alone is handed out for the hosting's class context, the movie
// player is not installed, OleLockRunning locks and unlocks an object (which then goes with
// its last release), CreateBindCtx and urlmon's CreateURLMonikerEx and
// RegisterBindStatusCallback work, and the screen has 96 pixels per inch. A changed fact fails
// here rather than deep in an element test.
#include <doctest/doctest.h>
#include <ole2.h>
#include <urlmon.h>

#include <string>

#include "AxTestControl.h"
#include "AxTestRegistration.h"
#include "OleSession.h"
#include "RecordingBindCallback.h"

namespace {

constexpr DWORD kHostingContext = 23;  // in-process server and handler, local, remote
const CLSID kClsidMoviePlayer = {
    0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// Creates a class by id with the hosting's context; the HRESULT, and the object released.
HRESULT CreateAndRelease(REFCLSID clsid) {
  IUnknown* unk = nullptr;
  const HRESULT hr =
      CoCreateInstance(clsid, nullptr, kHostingContext, IID_IUnknown, reinterpret_cast<void**>(&unk));
  if (unk != nullptr) unk->Release();
  return hr;
}

using CreateUrlMonikerExFn = HRESULT(WINAPI*)(IMoniker*, LPCWSTR, IMoniker**, DWORD);
using RegisterBindStatusCallbackFn = HRESULT(WINAPI*)(IBindCtx*, IBindStatusCallback*,
                                                      IBindStatusCallback**, DWORD);

template <class Fn>
Fn Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

TEST_CASE("class ids: HKCR classes create by text and ProgID, HKCU ones are not seen") {
  OleSession ole;
  REQUIRE(ole.ok());
  AxTestReset();
  const std::wstring text = GuidText(kClsidAxWindowless);
  CLSID parsed = CLSID_NULL;
  CLSID fromProgId = CLSID_NULL;
  {
    AxTestRegistration user(HKEY_CURRENT_USER, L"Software\\Classes\\");
    REQUIRE(user.ok());
    CHECK(FAILED(CLSIDFromProgID(kAxTestProgId, &fromProgId)));
    CHECK(CreateAndRelease(kClsidAxWindowless) == REGDB_E_CLASSNOTREG);
  }
  {
    AxTestRegistration machine;
    REQUIRE(machine.ok());
    CHECK(CLSIDFromString(text.c_str(), &parsed) == S_OK);
    CHECK(IsEqualCLSID(parsed, kClsidAxWindowless));
    CHECK(CLSIDFromProgID(kAxTestProgId, &fromProgId) == S_OK);
    CHECK(IsEqualCLSID(fromProgId, kClsidAxWindowless));
    CHECK(CreateAndRelease(kClsidAxWindowless) == S_OK);
    CHECK(AxTestLiveControls() == 0);
  }
  // Unregistered again.
  CHECK(CreateAndRelease(kClsidAxWindowless) == REGDB_E_CLASSNOTREG);
  CHECK(FAILED(CLSIDFromProgID(kAxTestProgId, &fromProgId)));
  // Text that names no class.
  CHECK(FAILED(CLSIDFromString(L"{C682435B-9F9D-4D8A", &parsed)));
  CHECK(FAILED(CLSIDFromProgID(L"bad", &parsed)));
}

TEST_CASE("the movie player is absent; a class object of the process stands in for it") {
  OleSession ole;
  REQUIRE(ole.ok());
  AxTestReset();
  CHECK(CreateAndRelease(kClsidMoviePlayer) == REGDB_E_CLASSNOTREG);

  IClassFactory* factory = nullptr;
  REQUIRE(AxTestClassObject(kClsidAxStandIn, IID_IClassFactory,
                            reinterpret_cast<void**>(&factory)) == S_OK);
  DWORD cookie = 0;
  REQUIRE(CoRegisterClassObject(kClsidMoviePlayer, factory, CLSCTX_INPROC_SERVER,
                                REGCLS_MULTIPLEUSE, &cookie) == S_OK);
  IOleObject* object = nullptr;
  CHECK(CoCreateInstance(kClsidMoviePlayer, nullptr, kHostingContext, IID_IOleObject,
                         reinterpret_cast<void**>(&object)) == S_OK);
  REQUIRE(object != nullptr);
  // The object itself, called directly: its own record has the call.
  DWORD status = 0;
  CHECK(object->GetMiscStatus(DVASPECT_CONTENT, &status) == S_OK);
  CHECK(AxTestLiveControls() == 1);
  REQUIRE(AxTestRecordCount() == 1);
  CHECK(std::wstring(AxTestRecordEntry(0)) == L"GetMiscStatus");
  object->Release();
  CHECK(AxTestLiveControls() == 0);

  CHECK(CoRevokeClassObject(cookie) == S_OK);
  factory->Release();
  CHECK(CreateAndRelease(kClsidMoviePlayer) == REGDB_E_CLASSNOTREG);
}

TEST_CASE("OleLockRunning locks and unlocks; unlocked and released, the object is gone") {
  OleSession ole;
  REQUIRE(ole.ok());
  AxTestRegistration reg;
  REQUIRE(reg.ok());
  IUnknown* unk = nullptr;
  REQUIRE(CoCreateInstance(kClsidAxWindowless, nullptr, kHostingContext, IID_IUnknown,
                           reinterpret_cast<void**>(&unk)) == S_OK);
  CHECK(OleLockRunning(unk, TRUE, FALSE) == S_OK);
  CHECK(AxTestLiveControls() == 1);
  CHECK(OleLockRunning(unk, FALSE, TRUE) == S_OK);
  CHECK(unk->Release() == 0);
  CHECK(AxTestLiveControls() == 0);
}

TEST_CASE("bind contexts, URL monikers and bind status callbacks from urlmon.dll") {
  OleSession ole;
  REQUIRE(ole.ok());
  IBindCtx* ctx = nullptr;
  REQUIRE(CreateBindCtx(0, &ctx) == S_OK);

  HMODULE urlmon = LoadLibraryW(L"urlmon.dll");
  REQUIRE(urlmon != nullptr);
  auto create = Entry<CreateUrlMonikerExFn>(urlmon, "CreateURLMonikerEx");
  auto registerCallback = Entry<RegisterBindStatusCallbackFn>(urlmon, "RegisterBindStatusCallback");
  REQUIRE((create != nullptr && registerCallback != nullptr));

  IMoniker* moniker = nullptr;
  REQUIRE(create(nullptr, L"http://example.invalid/a.bin", &moniker, URL_MK_UNIFORM) == S_OK);
  LPOLESTR name = nullptr;
  REQUIRE(moniker->GetDisplayName(ctx, nullptr, &name) == S_OK);
  CHECK(std::wstring(name) == L"http://example.invalid/a.bin");
  CoTaskMemFree(name);
  moniker->Release();

  RecordingBindCallback callback;
  IBindStatusCallback* previous = nullptr;
  CHECK(registerCallback(ctx, &callback, &previous, 0) == S_OK);
  CHECK(previous == nullptr);
  CHECK(callback.refs > 1);  // the bind context holds it
  ctx->Release();
  CHECK(callback.refs == 1);
  FreeLibrary(urlmon);
}

TEST_CASE("the screen has 96 pixels per inch both ways") {
  HDC screen = GetDC(nullptr);
  REQUIRE(screen != nullptr);
  CHECK(GetDeviceCaps(screen, LOGPIXELSX) == 96);
  CHECK(GetDeviceCaps(screen, LOGPIXELSY) == 96);
  ReleaseDC(nullptr, screen);
}
