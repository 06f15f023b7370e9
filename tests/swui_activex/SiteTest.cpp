// The host object's interfaces: which it answers (one identity, the document host handler
// only when one is set), the services it hands out, what its container and site answer
// without any state, URL binding through urlmon, and the E_UNEXPECTED that a control still
// holding the site gets once the element is gone.
#include <doctest/doctest.h>
#include <mshtmhst.h>

#include <cstdint>
#include <string>
#include <vector>

#include "AxRig.h"
#include "RecordingBindCallback.h"
#include "TempFile.h"

using namespace SWUI;

namespace {

// A document host handler that answers nothing; only its identity matters here.
class NullUIHandler : public IDocHostUIHandler {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDocHostUIHandler) {
      *ppv = static_cast<IDocHostUIHandler*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                   IOleInPlaceFrame*, IOleInPlaceUIWindow*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE HideUI() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UpdateUI() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject**) override {
    return E_NOTIMPL;
  }

  LONG refs = 1;
};

const GUID kServices[] = {
    {0xFC4801A1, 0x2BA9, 0x11CF, {0xA2, 0x29, 0x00, 0xAA, 0x00, 0x3D, 0x73, 0x52}},
    {0x0002DF05, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}},
    {0x1B36028E, 0xB491, 0x4BB2, {0x85, 0x84, 0x8A, 0x9E, 0x0A, 0x67, 0x7D, 0x6E}},
};

// The object's identity as seen through an interface of it.
IUnknown* Identity(IUnknown* unk) {
  IUnknown* identity = nullptr;
  REQUIRE(unk->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)) == S_OK);
  identity->Release();
  return identity;
}

// A file: URL of a path.
std::wstring FileUrl(std::wstring path) {
  for (wchar_t& ch : path) {
    if (ch == L'\\') ch = L'/';
  }
  return L"file:///" + path;
}

}  // namespace

TEST_CASE("QueryInterface: the container's and the site's interfaces, one identity") {
  AxRig r;
  r.Load(AxElement(L"ax", kAxTestProgId));
  SAxContainerImpl* host = r.Find(L"ax")->GetAxContainer();
  IUnknown* identity = Identity(static_cast<IOleContainer*>(host));
  struct Case {
    const IID* iid;
    HRESULT hr;
  } cases[] = {
      {&IID_IUnknown, S_OK},
      {&IID_IDispatch, S_OK},
      {&IID_IOleContainer, S_OK},
      {&IID_IParseDisplayName, S_OK},
      {&IID_IBindHost, S_OK},
      {&IID_IServiceProvider, S_OK},
      {&IID_IOleClientSite, S_OK},
      {&IID_IOleControlSite, S_OK},
      {&IID_IOleInPlaceSite, S_OK},
      {&IID_IOleInPlaceSiteEx, S_OK},
      {&IID_IOleInPlaceSiteWindowless, S_OK},
      {&IID_IAdviseSink, S_OK},
      {&IID_IDocHostUIHandler, E_NOINTERFACE},
      {&IID_IOleWindow, E_NOINTERFACE},
      {&IID_IOleObject, E_NOINTERFACE},
  };
  for (const Case& c : cases) {
    CAPTURE(GuidText(*c.iid));
    IUnknown* got = nullptr;
    CHECK(host->QueryInterface(*c.iid, reinterpret_cast<void**>(&got)) == c.hr);
    CHECK((got != nullptr) == (c.hr == S_OK));
    if (got == nullptr) continue;
    CHECK(Identity(got) == identity);
    got->Release();
  }

  // A document host handler is handed out only while one is set.
  NullUIHandler handler;
  host->SetDocHostUIHandler(&handler);
  IDocHostUIHandler* got = nullptr;
  CHECK(host->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&got)) == S_OK);
  CHECK(got == &handler);
  CHECK(handler.refs == 3);  // the site's and ours
  got->Release();
  host->SetDocHostUIHandler(nullptr);
  CHECK(handler.refs == 1);
  CHECK(host->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&got)) ==
        E_NOINTERFACE);
}

TEST_CASE("QueryService: the three container services are the host itself; others E_FAIL") {
  AxRig r;
  r.Load(AxElement(L"ax", kAxTestProgId));
  SAxContainerImpl* host = r.Find(L"ax")->GetAxContainer();
  IServiceProvider* services = AxRig::Site<IServiceProvider>(r.Find(L"ax"), IID_IServiceProvider);
  for (const GUID& service : kServices) {
    CAPTURE(GuidText(service));
    IBindHost* bindHost = nullptr;
    CHECK(services->QueryService(service, IID_IBindHost, reinterpret_cast<void**>(&bindHost)) ==
          S_OK);
    REQUIRE(bindHost != nullptr);
    CHECK(bindHost == static_cast<IBindHost*>(host));
    bindHost->Release();
    // Through the host's own table: a site interface too.
    IOleClientSite* client = nullptr;
    CHECK(services->QueryService(service, IID_IOleClientSite,
                                 reinterpret_cast<void**>(&client)) == S_OK);
    if (client != nullptr) client->Release();
  }
  IUnknown* other = reinterpret_cast<IUnknown*>(static_cast<INT_PTR>(1));
  CHECK(services->QueryService(IID_IOleObject, IID_IUnknown, reinterpret_cast<void**>(&other)) ==
        E_FAIL);
  CHECK(other == nullptr);
  services->Release();
}

TEST_CASE("fixed answers of the container and the site") {
  AxRig r;
  r.Load(AxElement(L"ax", kAxTestProgId));
  auto* ax = r.Find(L"ax");
  SAxContainerImpl* host = ax->GetAxContainer();

  UINT count = 7;
  CHECK(host->GetTypeInfoCount(&count) == S_OK);
  CHECK(count == 0u);
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"x");
  CHECK(host->GetIDsOfNames(IID_NULL, &name, 1, 0, &id) == E_NOTIMPL);
  CHECK(host->Invoke(0, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr) ==
        E_NOTIMPL);
  CHECK(host->EnumObjects(0, nullptr) == E_NOTIMPL);
  CHECK(host->LockContainer(TRUE) == E_NOTIMPL);
  CHECK(host->ParseDisplayName(nullptr, nullptr, nullptr, nullptr) == E_NOTIMPL);

  IOleContainer* container = nullptr;
  CHECK(host->GetContainer(&container) == S_OK);
  CHECK(container == static_cast<IOleContainer*>(host));
  container->Release();
  CHECK(host->GetContainer(nullptr) == E_POINTER);

  // The window context: no frame or document, the element's rectangle, the host window.
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* doc = nullptr;
  RECT pos = {};
  RECT clip = {};
  OLEINPLACEFRAMEINFO info = {};
  info.cb = sizeof(info);
  CHECK(host->GetWindowContext(&frame, &doc, &pos, &clip, &info) == S_OK);
  CHECK(frame == nullptr);
  CHECK(doc == nullptr);
  const RECT element = ax->GetWindowRect();
  CHECK(EqualRect(&pos, &element));
  CHECK(EqualRect(&clip, &element));
  CHECK_FALSE(info.fMDIApp);
  CHECK(info.hwndFrame == r.rig.container.GetHostHwnd());
  CHECK(info.haccel == nullptr);
  CHECK(info.cAccelEntries == 0u);

  CHECK(host->SaveObject() == E_NOTIMPL);
  CHECK(host->LockInPlaceActive(TRUE) == E_NOTIMPL);
  CHECK(host->OnControlInfoChanged() == S_OK);
  CHECK(host->OnFocus(TRUE) == S_OK);
  CHECK(host->CanWindowlessActivate() == S_OK);
  CHECK(host->ScrollRect(1, 1, nullptr, nullptr) == E_NOTIMPL);
  LRESULT result = -1;
  CHECK(host->OnDefWindowMessage(WM_NULL, 0, 0, &result) == S_OK);
  CHECK(result == 0);
}

TEST_CASE("IBindHost: a URL moniker by name; binding to storage through the given callback") {
  AxRig r;
  r.Load(AxElement(L"ax", kAxTestProgId));
  IBindHost* bindHost = AxRig::Site<IBindHost>(r.Find(L"ax"), IID_IBindHost);
  const std::vector<uint8_t> bytes = {'m', 'o', 'v', 'i', 'e'};
  fixtures::TempFile file(L"ax_bind.bin", bytes);
  REQUIRE(file.Written());
  const std::wstring url = FileUrl(file.Path());

  IMoniker* moniker = nullptr;
  REQUIRE(bindHost->CreateMoniker(const_cast<LPOLESTR>(url.c_str()), nullptr, &moniker, 0) ==
          S_OK);
  REQUIRE(moniker != nullptr);

  RecordingBindCallback callback;
  IStream* stream = nullptr;
  CHECK(bindHost->MonikerBindToStorage(moniker, nullptr, &callback, IID_IStream,
                                       reinterpret_cast<void**>(&stream)) == S_OK);
  REQUIRE(stream != nullptr);
  char read[16] = {};
  ULONG got = 0;
  CHECK(stream->Read(read, sizeof(read), &got) == S_OK);
  CHECK(std::string(read, got) == "movie");
  stream->Release();
  CHECK(callback.Saw(L"GetBindInfo"));
  CHECK(callback.Saw(L"OnStartBinding"));
  CHECK(callback.Saw(L"OnStopBinding(0x0)"));
  CHECK(callback.refs == 1);  // given back when the bind context went

  IUnknown* object = nullptr;
  CHECK(bindHost->MonikerBindToObject(moniker, nullptr, nullptr, IID_IUnknown,
                                      reinterpret_cast<void**>(&object)) == E_NOTIMPL);
  moniker->Release();
  CHECK(bindHost->CreateMoniker(nullptr, nullptr, &moniker, 0) == E_INVALIDARG);
  bindHost->Release();
}

TEST_CASE("a control that holds the site past the element gets E_UNEXPECTED from every call") {
  AxRig r;
  r.Load(AxElement(L"ax", kAxTestProgId));
  auto* ax = r.Find(L"ax");
  SAxContainerImpl* host = ax->GetAxContainer();
  host->AddRef();
  r.rig.root->DestroyChild(ax);
  CHECK(AxTestLiveControls() == 0);
  CHECK(host->IsDetached());

  HDC dc = reinterpret_cast<HDC>(static_cast<INT_PTR>(1));
  IOleContainer* container = nullptr;
  IMoniker* moniker = nullptr;
  IUnknown* service = nullptr;
  UINT count = 0;
  RECT rc = {0, 0, 10, 10};
  LRESULT result = 0;
  const HRESULT answers[] = {
      host->ShowObject(),
      host->OnShowWindow(TRUE),
      host->GetContainer(&container),
      host->OnInPlaceActivateEx(nullptr, ACTIVATE_WINDOWLESS),
      host->OnPosRectChange(&rc),
      host->SetCapture(TRUE),
      host->GetCapture(),
      host->SetFocus(TRUE),
      host->GetDC(nullptr, 0, &dc),
      host->ReleaseDC(nullptr),
      host->InvalidateRect(nullptr, TRUE),
      host->InvalidateRgn(nullptr, TRUE),
      host->OnDefWindowMessage(WM_NULL, 0, 0, &result),
      host->OnInPlaceDeactivate(),
      host->CanInPlaceActivate(),
      host->OnControlInfoChanged(),
      host->CreateMoniker(const_cast<LPOLESTR>(L"file:///x"), nullptr, &moniker, 0),
      host->QueryService(kServices[0], IID_IUnknown, reinterpret_cast<void**>(&service)),
      host->GetTypeInfoCount(&count),
      host->LockContainer(TRUE),
  };
  for (size_t i = 0; i < sizeof(answers) / sizeof(answers[0]); ++i) {
    CAPTURE(i);
    CHECK(answers[i] == E_UNEXPECTED);
  }
  CHECK(dc == nullptr);
  CHECK(container == nullptr);
  CHECK(moniker == nullptr);
  CHECK(r.rig.container.capture == 0u);
  // The advise sink has nothing to answer: it ignores the call.
  host->OnViewChange(DVASPECT_CONTENT, -1);
  CHECK(host->Release() == 0);
}
