// The rich edit's drop target: forwarding to the text services' own target, the answers
// without one (Wine has none), and when the edit registers it with its container.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "RichEditRig.h"
#include "control/SRicheditDropTarget.h"

using namespace SWUI;

namespace {

// A drop target that records the calls it gets and answers DROPEFFECT_MOVE.
class RecordingTarget : public IDropTarget {
 public:
  std::vector<std::string> calls;
  LONG refs = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    calls.push_back("enter");
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    calls.push_back("over");
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    calls.push_back("leave");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    calls.push_back("drop");
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }
};

// Text services that only answer their drop target (or have none).
class DropOnlyServices : public ITextServices {
 public:
  RecordingTarget* target = nullptr;
  LONG refs = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT TxGetDropTarget(IDropTarget** ppDropTarget) override {
    if (target == nullptr) return E_NOTIMPL;
    target->AddRef();
    *ppDropTarget = target;
    return S_OK;
  }
  HRESULT TxSendMessage(UINT, WPARAM, LPARAM, LRESULT*) override { return E_NOTIMPL; }
  HRESULT TxDraw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECTL, LPCRECTL, LPRECT,
                 WINBOOL(CALLBACK*)(DWORD), DWORD, LONG) override {
    return E_NOTIMPL;
  }
  HRESULT TxGetHScroll(LONG*, LONG*, LONG*, LONG*, WINBOOL*) override { return E_NOTIMPL; }
  HRESULT TxGetVScroll(LONG*, LONG*, LONG*, LONG*, WINBOOL*) override { return E_NOTIMPL; }
  HRESULT OnTxSetCursor(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT, INT, INT) override {
    return E_NOTIMPL;
  }
  HRESULT TxQueryHitPoint(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT, INT, INT,
                          DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT OnTxInPlaceActivate(LPCRECT) override { return E_NOTIMPL; }
  HRESULT OnTxInPlaceDeactivate() override { return E_NOTIMPL; }
  HRESULT OnTxUIActivate() override { return E_NOTIMPL; }
  HRESULT OnTxUIDeactivate() override { return E_NOTIMPL; }
  HRESULT TxGetText(BSTR*) override { return E_NOTIMPL; }
  HRESULT TxSetText(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT TxGetCurTargetX(LONG*) override { return E_NOTIMPL; }
  HRESULT TxGetBaseLinePos(LONG*) override { return E_NOTIMPL; }
  HRESULT TxGetNaturalSize(DWORD, HDC, HDC, DVTARGETDEVICE*, DWORD, const SIZEL*, LONG*,
                           LONG*) override {
    return E_NOTIMPL;
  }
  HRESULT OnTxPropertyBitsChange(DWORD, DWORD) override { return E_NOTIMPL; }
  HRESULT TxGetCachedSize(DWORD*, DWORD*) override { return E_NOTIMPL; }
};

}  // namespace

TEST_CASE("the drop target forwards to the services' own and reports copying") {
  RecordingTarget target;
  DropOnlyServices services;
  services.target = &target;
  auto* drop = new SRicheditDropTarget(&services);
  CHECK(services.refs == 2);
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  CHECK(drop->DragEnter(nullptr, 0, POINTL{1, 2}, &effect) == S_OK);
  CHECK(effect == static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_MOVE;
  CHECK(drop->DragOver(0, POINTL{1, 2}, &effect) == S_OK);
  CHECK(effect == static_cast<DWORD>(DROPEFFECT_COPY));
  CHECK(drop->DragLeave() == S_OK);
  effect = DROPEFFECT_COPY;
  CHECK(drop->Drop(nullptr, 0, POINTL{1, 2}, &effect) == S_OK);
  // A drop whose effect is none is not forwarded.
  effect = DROPEFFECT_NONE;
  CHECK(drop->Drop(nullptr, 0, POINTL{1, 2}, &effect) == S_FALSE);
  CHECK(target.calls == std::vector<std::string>{"enter", "over", "leave", "drop"});
  CHECK(target.refs == 1);  // every reference taken was given back

  IDropTarget* asked = nullptr;
  CHECK(drop->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&asked)) == S_OK);
  CHECK(asked == drop);
  asked->Release();
  drop->Release();
  CHECK(services.refs == 1);
}

TEST_CASE("without a drop target of the services nothing is accepted or forwarded") {
  DropOnlyServices services;
  auto* drop = new SRicheditDropTarget(&services);
  DWORD effect = DROPEFFECT_COPY;
  CHECK(drop->DragEnter(nullptr, 0, POINTL{1, 2}, &effect) == S_OK);
  CHECK(effect == static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  CHECK(drop->DragOver(0, POINTL{1, 2}, &effect) == S_OK);
  CHECK(effect == static_cast<DWORD>(DROPEFFECT_NONE));
  CHECK(drop->DragLeave() == S_OK);
  effect = DROPEFFECT_COPY;
  CHECK(drop->Drop(nullptr, 0, POINTL{1, 2}, &effect) == S_FALSE);
  CHECK(effect == static_cast<DWORD>(DROPEFFECT_NONE));
  drop->Release();
}

TEST_CASE("an edit with enableDragdrop registers its drop target unless it is read-only") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='dd' pos='0,0,200,30' enableDragdrop='1'/>"
      L"<edit name='ro' pos='0,30,200,60' enableDragdrop='1' readOnly='1'/>"
      L"<edit name='plain' pos='0,60,200,90'/>"
      L"</root>");
  SRichEdit* dd = r.Edit(L"dd");
  SRichEdit* ro = r.Edit(L"ro");
  auto& targets = r.container.dropTargets;
  CHECK(targets.size() == 1u);
  CHECK(targets.count(dd->GetSwnd()) == 1u);

  dd->SetReadOnly(TRUE);
  CHECK((dd->GetStyleBits() & ES_READONLY) != 0u);
  CHECK(targets.empty());
  ro->SetReadOnly(FALSE);
  CHECK(targets.count(ro->GetSwnd()) == 1u);
  ro->SetAttribute(SStringW(L"enableDragdrop"), SStringW(L"0"), FALSE);
  CHECK(targets.empty());
  r.Edit(L"plain")->SetAttribute(SStringW(L"enableDragdrop"), SStringW(L"1"), FALSE);
  CHECK(targets.size() == 1u);

  // Destroyed, it takes its target back.
  r.Edit(L"plain")->DestroyWindow();
  CHECK(targets.empty());
}
