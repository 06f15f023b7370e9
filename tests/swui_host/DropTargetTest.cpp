// The drop-target dispatcher: the element under the cursor, and only it, hears the drag.
#include <doctest/doctest.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "HostRig.h"
#include "core/SDropTargetDispatcher.h"

using namespace SWUI;

namespace {

// Counts references; answers nothing else.
class FakeDataObject : public IDataObject {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  ULONG refs = 1;
};

// Records the calls it gets, as "name:call", into a shared log; accepts copies.
class FakeTarget : public IDropTarget {
 public:
  FakeTarget(std::vector<std::string>* log, const char* name) : log(log), name(name) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL pt,
                                      DWORD* effect) override {
    lastData = data;
    return Record("enter", pt, effect);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL pt, DWORD* effect) override {
    return Record("over", pt, effect);
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    log->push_back(std::string(name) + ":leave");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect) override {
    lastData = data;
    return Record("drop", pt, effect);
  }

  std::vector<std::string>* log;
  const char* name;
  ULONG refs = 1;
  IDataObject* lastData = nullptr;
  POINTL lastPoint = {0, 0};

 private:
  HRESULT Record(const char* call, POINTL pt, DWORD* effect) {
    log->push_back(std::string(name) + ":" + call);
    lastPoint = pt;
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
};

// A host window at a known screen position and a tree in it:
// root (0,0,200,100) > parent P (0,0,100,100) > child C (20,20,60,60); root > sibling B
// (100,0,200,100).
struct DropRig {
  DropRig() {
    host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, kHostX, kHostY, 200, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host != nullptr);
    root.SetHost(host);
    parent.SetHost(host);
    child.SetHost(host);
    sibling.SetHost(host);
  }
  ~DropRig() { DestroyWindow(host); }
  // A screen point at the given client point of the host.
  static POINTL At(int x, int y) { return POINTL{kHostX + x, kHostY + y}; }

  static const int kHostX = 300;
  static const int kHostY = 200;
  HostRig app;
  HWND host = nullptr;
  FakeElement root{RECT{0, 0, 200, 100}};
  FakeElement parent{RECT{0, 0, 100, 100}, &root};
  FakeElement child{RECT{20, 20, 60, 60}, &parent};
  FakeElement sibling{RECT{100, 0, 200, 100}, &root};
  std::vector<std::string> log;
  FakeDataObject data;
};

}  // namespace

TEST_CASE("only the element hit hears the drag, never an ancestor") {
  DropRig rig;
  SDropTargetDispatcher dispatcher(&rig.root);
  FakeTarget parentTarget(&rig.log, "P");
  REQUIRE(dispatcher.RegisterDragDrop(rig.parent.Handle(), &parentTarget));
  DWORD effect = DROPEFFECT_MOVE;
  CHECK(dispatcher.DragEnter(&rig.data, 0, DropRig::At(30, 30), &effect) == S_OK);
  CHECK(dispatcher.GetHoverSwnd() == rig.child.Handle());
  CHECK(effect == DROPEFFECT_NONE);
  CHECK(rig.log.empty());
  effect = DROPEFFECT_MOVE;
  CHECK(dispatcher.Drop(&rig.data, 0, DropRig::At(30, 30), &effect) == S_OK);
  CHECK(effect == DROPEFFECT_NONE);
  CHECK(rig.log.empty());

  // On the parent's own area its target hears it, with screen coordinates.
  CHECK(dispatcher.DragEnter(&rig.data, 0, DropRig::At(80, 10), &effect) == S_OK);
  CHECK(rig.log == std::vector<std::string>{"P:enter"});
  CHECK(effect == DROPEFFECT_COPY);
  CHECK(parentTarget.lastPoint.x == DropRig::kHostX + 80);
  CHECK(parentTarget.lastData == &rig.data);
  CHECK(dispatcher.DragLeave() == S_OK);
}

TEST_CASE("moving between elements leaves one and enters the other; leave and drop end it") {
  DropRig rig;
  SDropTargetDispatcher dispatcher(&rig.root);
  FakeTarget childTarget(&rig.log, "C");
  FakeTarget siblingTarget(&rig.log, "B");
  REQUIRE(dispatcher.RegisterDragDrop(rig.child.Handle(), &childTarget));
  REQUIRE(dispatcher.RegisterDragDrop(rig.sibling.Handle(), &siblingTarget));
  CHECK(childTarget.refs == 2);

  DWORD effect = 0;
  dispatcher.DragEnter(&rig.data, 0, DropRig::At(30, 30), &effect);
  CHECK(rig.data.refs == 2);  // kept for the drag
  dispatcher.DragOver(0, DropRig::At(31, 30), &effect);
  dispatcher.DragOver(0, DropRig::At(150, 30), &effect);
  CHECK(rig.log == std::vector<std::string>{"C:enter", "C:over", "C:leave", "B:enter"});
  CHECK(siblingTarget.lastData == &rig.data);

  // The drag leaves the window: the current target is told and nothing stays current, so
  // the next drag starts with an enter, not an over.
  rig.log.clear();
  dispatcher.DragLeave();
  CHECK(rig.log == std::vector<std::string>{"B:leave"});
  CHECK(dispatcher.GetHoverSwnd() == 0);
  CHECK(rig.data.refs == 1);
  dispatcher.DragEnter(&rig.data, 0, DropRig::At(150, 30), &effect);
  dispatcher.DragOver(0, DropRig::At(150, 31), &effect);
  CHECK(rig.log == std::vector<std::string>{"B:leave", "B:enter", "B:over"});

  rig.log.clear();
  dispatcher.Drop(&rig.data, 0, DropRig::At(150, 31), &effect);
  CHECK(rig.log == std::vector<std::string>{"B:drop"});
  CHECK(dispatcher.GetHoverSwnd() == 0);
  CHECK(rig.data.refs == 1);
}

TEST_CASE("registration: one target per element, references held until revoked or destroyed") {
  DropRig rig;
  FakeTarget first(&rig.log, "1");
  FakeTarget second(&rig.log, "2");
  {
    SDropTargetDispatcher dispatcher(&rig.root);
    CHECK(dispatcher.RegisterDragDrop(rig.child.Handle(), &first));
    CHECK_FALSE(dispatcher.RegisterDragDrop(rig.child.Handle(), &second));
    CHECK(first.refs == 2);
    CHECK(second.refs == 1);
    CHECK(dispatcher.RevokeDragDrop(rig.child.Handle()));
    CHECK_FALSE(dispatcher.RevokeDragDrop(rig.child.Handle()));
    CHECK(first.refs == 1);
    CHECK(dispatcher.RegisterDragDrop(rig.child.Handle(), &second));
    CHECK(dispatcher.RegisterDragDrop(rig.sibling.Handle(), &first));
    DWORD effect = 0;
    dispatcher.DragEnter(&rig.data, 0, DropRig::At(30, 30), &effect);

    void* itf = nullptr;
    CHECK(dispatcher.QueryInterface(IID_IDropTarget, &itf) == S_OK);
    CHECK(itf == static_cast<IDropTarget*>(&dispatcher));
    CHECK(dispatcher.QueryInterface(IID_IUnknown, &itf) == S_OK);
    CHECK(dispatcher.QueryInterface(IID_IDataObject, &itf) == E_NOINTERFACE);
    CHECK(itf == nullptr);
    CHECK(dispatcher.AddRef() == 1);
    CHECK(dispatcher.Release() == 1);
  }
  // Destruction released every target and the drag's data object.
  CHECK(first.refs == 1);
  CHECK(second.refs == 1);
  CHECK(rig.data.refs == 1);
}
