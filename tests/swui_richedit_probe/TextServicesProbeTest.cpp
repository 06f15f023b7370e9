// Guards what the rich edit element takes for granted of the system's text services: the
// ITextServices / ITextHost methods are thiscall on i386 (mingw-w64's header gives them no
// calling convention, so g++ makes them thiscall too) while IUnknown stays stdcall; callbacks
// reach the host with its own `this`, text goes in and out unchanged and TxDraw paints into
// a DIB. A broken convention shows as a wrong `this`, a crash or a corrupted stack, all of
// which fail here rather than deep inside an element test.
#include <windows.h>
// The text-services headers need the Windows types first.
#include <doctest/doctest.h>
#include <imm.h>
#include <richedit.h>
#include <textserv.h>

#include <string>

namespace {

// mingw-w64 declares these two ids but no library defines them.
const IID kIidTextServices = {
    0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID kIidTextHost = {
    0xC5BDD8D0, 0xD26E, 0x11CE, {0xA8, 0x9E, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

// A bare host: answers what the services ask with fixed values, and counts every callback
// together with whether it arrived with this object as `this`. No member is touched through
// a `this` that is not the host's own.
class ProbeHost : public ITextHost {
 public:
  static ProbeHost* expected;
  int calls = 0;
  int foreign = 0;
  LONG refs = 1;
  CHARFORMATW cf = {};
  PARAFORMAT pf = {};
  RECT client = {0, 0, 200, 40};

  ProbeHost() {
    expected = this;
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR | CFM_FACE | CFM_SIZE |
                CFM_CHARSET | CFM_OFFSET;
    cf.yHeight = 200;  // 10 pt
    cf.crTextColor = RGB(0, 0, 0);
    cf.bCharSet = DEFAULT_CHARSET;
    lstrcpyW(cf.szFaceName, L"Tahoma");
    pf.cbSize = sizeof(pf);
    pf.dwMask = PFM_ALIGNMENT | PFM_TABSTOPS;
    pf.wAlignment = PFA_LEFT;
    pf.cTabCount = 1;
    pf.rgxTabs[0] = 720;
  }

  // IUnknown (stdcall).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!Seen(this)) return E_FAIL;
    if (riid == IID_IUnknown || riid == kIidTextHost) {
      *ppv = static_cast<ITextHost*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Seen(this) ? ++refs : 0; }
  ULONG STDMETHODCALLTYPE Release() override { return Seen(this) ? --refs : 0; }

  // ITextHost (thiscall).
  HDC TxGetDC() override { return Seen(this) ? GetDC(nullptr) : nullptr; }
  INT TxReleaseDC(HDC hdc) override { return Seen(this) ? ReleaseDC(nullptr, hdc) : 0; }
  WINBOOL TxShowScrollBar(INT, WINBOOL) override { return Seen(this); }
  WINBOOL TxEnableScrollBar(INT, INT) override { return Seen(this); }
  WINBOOL TxSetScrollRange(INT, LONG, INT, WINBOOL) override { return Seen(this); }
  WINBOOL TxSetScrollPos(INT, INT, WINBOOL) override { return Seen(this); }
  void TxInvalidateRect(LPCRECT, WINBOOL) override { Seen(this); }
  void TxViewChange(WINBOOL) override { Seen(this); }
  WINBOOL TxCreateCaret(HBITMAP, INT, INT) override { return Seen(this); }
  WINBOOL TxShowCaret(WINBOOL) override { return Seen(this); }
  WINBOOL TxSetCaretPos(INT, INT) override { return Seen(this); }
  WINBOOL TxSetTimer(UINT, UINT) override { return Seen(this); }
  void TxKillTimer(UINT) override { Seen(this); }
  void TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) override { Seen(this); }
  void TxSetCapture(WINBOOL) override { Seen(this); }
  void TxSetFocus() override { Seen(this); }
  void TxSetCursor(HCURSOR, WINBOOL) override { Seen(this); }
  WINBOOL TxScreenToClient(LPPOINT) override { return Seen(this); }
  WINBOOL TxClientToScreen(LPPOINT) override { return Seen(this); }
  HRESULT TxActivate(LONG* old) override {
    if (!Seen(this)) return E_FAIL;
    *old = 0;
    return S_OK;
  }
  HRESULT TxDeactivate(LONG) override { return Seen(this) ? S_OK : E_FAIL; }
  HRESULT TxGetClientRect(LPRECT prc) override {
    if (!Seen(this)) return E_FAIL;
    *prc = client;
    return S_OK;
  }
  HRESULT TxGetViewInset(LPRECT prc) override {
    if (!Seen(this)) return E_FAIL;
    SetRectEmpty(prc);
    return S_OK;
  }
  HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override {
    if (!Seen(this)) return E_FAIL;
    *ppCF = &cf;
    return S_OK;
  }
  HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override {
    if (!Seen(this)) return E_FAIL;
    *ppPF = &pf;
    return S_OK;
  }
  COLORREF TxGetSysColor(int index) override { return Seen(this) ? GetSysColor(index) : 0; }
  HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override {
    if (!Seen(this)) return E_FAIL;
    *style = TXTBACK_TRANSPARENT;
    return S_OK;
  }
  HRESULT TxGetMaxLength(DWORD* length) override {
    if (!Seen(this)) return E_FAIL;
    *length = 32767;
    return S_OK;
  }
  HRESULT TxGetScrollBars(DWORD* bars) override {
    if (!Seen(this)) return E_FAIL;
    *bars = ES_AUTOHSCROLL;
    return S_OK;
  }
  HRESULT TxGetPasswordChar(TCHAR* ch) override {
    if (!Seen(this)) return E_FAIL;
    *ch = L'*';
    return S_OK;
  }
  HRESULT TxGetAcceleratorPos(LONG* pos) override {
    if (!Seen(this)) return E_FAIL;
    *pos = -1;
    return S_OK;
  }
  HRESULT TxGetExtent(LPSIZEL) override { return Seen(this) ? E_NOTIMPL : E_FAIL; }
  HRESULT OnTxCharFormatChange(const CHARFORMATW*) override { return Seen(this) ? S_OK : E_FAIL; }
  HRESULT OnTxParaFormatChange(const PARAFORMAT*) override { return Seen(this) ? S_OK : E_FAIL; }
  HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override {
    if (!Seen(this)) return E_FAIL;
    *bits = (TXTBIT_RICHTEXT | TXTBIT_HIDESELECTION) & mask;
    return S_OK;
  }
  HRESULT TxNotify(DWORD, void*) override { return Seen(this) ? S_OK : E_FAIL; }
  HIMC TxImmGetContext() override {
    Seen(this);
    return nullptr;
  }
  void TxImmReleaseContext(HIMC) override { Seen(this); }
  HRESULT TxGetSelectionBarWidth(LONG* width) override {
    if (!Seen(this)) return E_FAIL;
    *width = 0;
    return S_OK;
  }

 private:
  static bool Seen(ProbeHost* self) {
    if (self != expected) {
      ++expected->foreign;
      return false;
    }
    ++self->calls;
    return true;
  }
};

ProbeHost* ProbeHost::expected = nullptr;

// The text services of one host, released at the end.
struct Services {
  HMODULE dll = LoadLibraryW(L"riched20.dll");
  IUnknown* unknown = nullptr;
  ITextServices* services = nullptr;

  explicit Services(ProbeHost& host) {
    REQUIRE(dll != nullptr);
    auto create = reinterpret_cast<PCreateTextServices>(
        reinterpret_cast<void*>(GetProcAddress(dll, "CreateTextServices")));
    const bool found = create != nullptr;
    REQUIRE(found);
    REQUIRE(create(nullptr, &host, &unknown) == S_OK);
    REQUIRE(unknown->QueryInterface(kIidTextServices, reinterpret_cast<void**>(&services)) == S_OK);
  }
  ~Services() {
    if (services != nullptr) services->Release();
    if (unknown != nullptr) unknown->Release();
    FreeLibrary(dll);
  }

  LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    services->TxSendMessage(msg, wParam, lParam, &result);
    return result;
  }
};

}  // namespace

TEST_CASE("text services: host callbacks keep this, text round-trips, TxDraw marks a DIB") {
  ProbeHost host;
  {
    Services ts(host);
    CHECK(ts.services->OnTxInPlaceActivate(&host.client) == S_OK);

    const std::wstring text = L"Probe 123 \x00e9\x4e2d";
    CHECK(ts.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0);
    CHECK(ts.Send(WM_GETTEXTLENGTH, 0, 0) == static_cast<LRESULT>(text.size()));
    wchar_t back[64] = {};
    ts.Send(WM_GETTEXT, 64, reinterpret_cast<LPARAM>(back));
    CHECK(std::wstring(back) == text);

    // A white 32-bit DIB: the text drawn into it must leave pixels that are not white.
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 200;
    bmi.bmiHeader.biHeight = -40;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    REQUIRE(dib != nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    auto* px = static_cast<DWORD*>(bits);
    for (int i = 0; i < 200 * 40; ++i) px[i] = 0x00FFFFFF;
    RECTL bounds = {0, 0, 200, 40};
    CHECK(ts.services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr,
                              nullptr, nullptr, 0, TXTVIEW_ACTIVE) == S_OK);
    GdiFlush();
    int marked = 0;
    for (int i = 0; i < 200 * 40; ++i) marked += (px[i] & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
    CHECK(marked > 20);
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);

    // What the element treats as "not there": Wine has no drop target of the services and
    // no UI activation. Should this change, the element's fallbacks are no longer exercised.
    IDropTarget* drop = reinterpret_cast<IDropTarget*>(1);
    CHECK(ts.services->TxGetDropTarget(&drop) == E_NOTIMPL);
    CHECK(ts.services->OnTxUIActivate() == E_NOTIMPL);
    CHECK(ts.services->OnTxInPlaceDeactivate() == S_OK);
  }
  CHECK(host.calls > 10);
  CHECK(host.foreign == 0);
}

TEST_CASE("text services: record sizes the element hands over") {
  CHECK(sizeof(CHARFORMATW) == 92);
  CHECK(sizeof(CHARFORMAT2W) == 116);
  CHECK(sizeof(PARAFORMAT2) == 188);
}
