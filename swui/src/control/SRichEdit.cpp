#include "control/SRichEdit.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "../core/RenderFactoryUtil.h"
#include "control/SControlSkin.h"
#include "control/SMenu.h"
#include "control/SHimetric.h"
#include "control/SRicheditDropTarget.h"
#include "control/STextPainter.h"
#include "base/AlphaChannelBackup.h"
#include "core/EventKeyDown.h"
#include "core/EventREMenu.h"
#include "core/EventRENotify.h"
#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "core/SLog.h"
#include "core/SRicheditMenuDef.h"

namespace SWUI {

namespace {

using P = SAttrParse;

// Key wishes of the dialog code.
constexpr UINT kDlgWantArrows = 0x1;
constexpr UINT kDlgWantTab = 0x2;
constexpr UINT kDlgWantReturn = 0x4;
constexpr UINT kDlgWantChars = 0x8;

constexpr int kBuiltinBorderSkin = 6;  // "_skin.sys.border"
constexpr int kDefaultMaxBuf = 32767;
constexpr char kRicheditTimer = 6;

// Bold, italic, underline, character set, offset, face, colour and size.
constexpr DWORD kDefaultCharMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_CHARSET |
                                   CFM_OFFSET | CFM_FACE | CFM_COLOR | CFM_SIZE;
static_assert(kDefaultCharMask == 0xF8000007, "default character format mask");
// Indents, offset, alignment, tab stops, numbering, right-to-left and the offset indent.
constexpr DWORD kDefaultParaMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT |
                                   PFM_TABSTOPS | PFM_NUMBERING | PFM_RTLPARA | PFM_OFFSETINDENT;
static_assert(kDefaultParaMask == 0x8001003F, "default paragraph format mask");
static_assert(sizeof(CHARFORMAT2W) == 116 && sizeof(PARAFORMAT2) == 188, "format record sizes");

// Style bits set by attribute name, with the text-services property bit told after loading.
struct StyleAttr {
  LPCWSTR name;
  DWORD style;
  DWORD txtBit;
};
const StyleAttr kStyleAttrs[] = {
    {L"hscrollBar", WS_HSCROLL, TXTBIT_SCROLLBARCHANGE},
    {L"vscrollBar", WS_VSCROLL, TXTBIT_SCROLLBARCHANGE},
    {L"autoHscroll", ES_AUTOHSCROLL, TXTBIT_SCROLLBARCHANGE},
    {L"autoVscroll", ES_AUTOVSCROLL, TXTBIT_SCROLLBARCHANGE},
    {L"multiLines", ES_MULTILINE, TXTBIT_MULTILINE},
    {L"readOnly", ES_READONLY, TXTBIT_READONLY},
    {L"wantReturn", ES_WANTRETURN, 0},
    {L"password", ES_PASSWORD, TXTBIT_USEPASSWORD},
    {L"number", ES_NUMBER, 0},
};

// Flag bits set by attribute name.
struct FlagAttr {
  LPCWSTR name;
  DWORD flag;
};
const FlagAttr kFlagAttrs[] = {
    {L"transparent", REF_TRANSPARENT}, {L"rich", REF_RICH},
    {L"vertical", REF_VERTICAL},       {L"wordWrap", REF_WORDWRAP},
    {L"allowBeep", REF_ALLOWBEEP},     {L"autoWordSel", REF_AUTOWORDSEL},
    {L"vcenter", REF_VCENTER},
};

// Mode flags and the property bit each one answers.
struct FlagBit {
  DWORD flag;
  DWORD txtBit;
};
const FlagBit kFlagBits[] = {
    {REF_RICH, TXTBIT_RICHTEXT},       {REF_AUTOWORDSEL, TXTBIT_AUTOWORDSEL},
    {REF_VERTICAL, TXTBIT_VERTICAL},   {REF_WORDWRAP, TXTBIT_WORDWRAP},
    {REF_ALLOWBEEP, TXTBIT_ALLOWBEEP}, {REF_SAVESELECTION, TXTBIT_SAVESELECTION},
};

bool IsNumberChar(UINT ch) {
  return (ch >= L'0' && ch <= L'9') || ch == L'-' || ch == L'.' || ch == L',';
}

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

// A text the text services keep exactly as given: no line breaks, tabs or other control
// characters, which a single-line edit cuts at and a multi-line one stores its own way.
bool IsPlainText(LPCWSTR text) {
  for (; text != nullptr && *text != 0; ++text) {
    if (*text < 0x20 || *text == 0x7F) return false;
  }
  return true;
}

// The height of "A" in a font; 0 when it cannot be measured.
int LetterHeight(const LOGFONTW& lf) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return 0;
  SIZE size = {0, 0};
  if (HFONT font = CreateFontIndirectW(&lf)) {
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, L"A", 1, &size);
    SelectObject(dc, old);
    DeleteObject(font);
  }
  DeleteDC(dc);
  return size.cy;
}

// Keeps the alpha channel of what GDI drawing may touch of a rectangle (logical coordinates,
// a plain translation by the viewport origin) of the 32-bit surface selected in a device
// context: GDI writes alpha 0 into every pixel it draws. Over pixels that are all opaque the
// drawn ones are made opaque again afterwards; otherwise the alpha bytes are saved and put
// back (AlphaChannelBackup). Only the part inside the clip box is kept: nothing else can be
// drawn.
class AlphaKeeper {
 public:
  AlphaKeeper(HDC hdc, const RECT& rc) {
    RECT box;
    RECT area = rc;
    if (GetClipBox(hdc, &box) != ERROR && !IntersectRect(&area, &rc, &box)) return;
    BITMAP bm{};
    HGDIOBJ bmp = GetCurrentObject(hdc, OBJ_BITMAP);
    POINT org = {0, 0};
    if (bmp != nullptr && GetObjectW(bmp, sizeof(bm), &bm) != 0 && bm.bmBitsPixel == 32 &&
        bm.bmBits != nullptr && GetViewportOrgEx(hdc, &org)) {
      RECT device = area;
      OffsetRect(&device, org.x, org.y);
      const RECT bounds = {0, 0, bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
      if (!IntersectRect(&device, &device, &bounds)) return;
      GdiFlush();
      if (AllOpaque(bm, device)) {
        bm_ = bm;
        opaque_ = device;
        return;
      }
    }
    saved_ = BackupAlphaChannel(hdc, &area, &backup_);
  }
  ~AlphaKeeper() {
    GdiFlush();
    if (saved_) RestoreAlphaChannel(&backup_);
    for (LONG y = opaque_.top; y < opaque_.bottom; ++y) {
      DWORD* row = Row(bm_, y);
      for (LONG x = opaque_.left; x < opaque_.right; ++x) row[x] |= 0xFF000000u;
    }
  }
  AlphaKeeper(const AlphaKeeper&) = delete;
  AlphaKeeper& operator=(const AlphaKeeper&) = delete;

 private:
  static DWORD* Row(const BITMAP& bm, LONG y) {
    return reinterpret_cast<DWORD*>(static_cast<BYTE*>(bm.bmBits) +
                                    static_cast<size_t>(y) * static_cast<size_t>(bm.bmWidth) * 4);
  }
  static bool AllOpaque(const BITMAP& bm, const RECT& rc) {
    for (LONG y = rc.top; y < rc.bottom; ++y) {
      const DWORD* row = Row(bm, y);
      DWORD all = 0xFF000000u;
      for (LONG x = rc.left; x < rc.right; ++x) all &= row[x];
      if ((all & 0xFF000000u) != 0xFF000000u) return false;
    }
    return true;
  }

  BITMAP bm_{};
  RECT opaque_ = {0, 0, 0, 0};
  AlphaChannelBackup backup_ = {};
  BOOL saved_ = FALSE;
};

// EM_STREAMIN from memory.
struct MemoryStream {
  const BYTE* data;
  size_t size;
  size_t pos;
};

DWORD CALLBACK ReadMemory(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb) {
  auto* stream = reinterpret_cast<MemoryStream*>(cookie);
  const size_t left = stream->size - stream->pos;
  const size_t n = std::min(left, static_cast<size_t>(cb < 0 ? 0 : cb));
  std::memcpy(buf, stream->data + stream->pos, n);
  stream->pos += n;
  *pcb = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK ReadFileStream(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb) {
  DWORD read = 0;
  if (!ReadFile(reinterpret_cast<HANDLE>(cookie), buf, static_cast<DWORD>(cb), &read, nullptr)) {
    *pcb = 0;
    return 1;
  }
  *pcb = static_cast<LONG>(read);
  return 0;
}

DWORD CALLBACK WriteFileStream(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb) {
  DWORD written = 0;
  if (!WriteFile(reinterpret_cast<HANDLE>(cookie), buf, static_cast<DWORD>(cb), &written,
                 nullptr)) {
    *pcb = 0;
    return 1;
  }
  *pcb = static_cast<LONG>(written);
  return 0;
}

// A file handle closed on leaving scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

}  // namespace

SRichEdit::SRichEdit() {
  m_dwFlags |= SWF_FOCUSABLE | SWF_CLIPCLIENT;
  m_pNcSkin = SControlSkin::Builtin(kBuiltinBorderSkin);
  std::memset(&m_cfDef, 0, sizeof(m_cfDef));
  m_cfDef.cbSize = sizeof(m_cfDef);
  std::memset(&m_pfDef, 0, sizeof(m_pfDef));
  m_pfDef.cbSize = sizeof(m_pfDef);
  GetEventSet()->AddEvent<EventKeyDown>();
  GetEventSet()->AddEvent<EventRENotify>();
  GetEventSet()->AddEvent<EventREMenu>();
}

SRichEdit::~SRichEdit() {
  // An element released without WM_DESTROY still lets its text services go.
  if (m_pTxtHost != nullptr) {
    m_pTxtHost->Shutdown();
    m_pTxtHost->Release();
  }
}

ITextServices* SRichEdit::GetTextServices() const {
  return m_pTxtHost != nullptr ? m_pTxtHost->GetTextService() : nullptr;
}

HRESULT SRichEdit::TxSend(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT ignored = 0;
  if (pResult == nullptr) pResult = &ignored;
  *pResult = 0;
  if (m_bServicesDeferred) {
    if (AnswerDeferred(uMsg, wParam, lParam, pResult)) return S_OK;
    EnsureTextServices();
  }
  ITextServices* serv = GetTextServices();
  if (serv == nullptr) return E_FAIL;
  return serv->TxSendMessage(uMsg, wParam, lParam, pResult);
}

void SRichEdit::TxPropertyBitsChange(DWORD dwMask, DWORD dwBits) {
  if (ITextServices* serv = GetTextServices()) serv->OnTxPropertyBitsChange(dwMask, dwBits);
}

DWORD SRichEdit::GetPropertyBits() const {
  DWORD bits = 0;
  if (m_dwStyle & ES_MULTILINE) bits |= TXTBIT_MULTILINE;
  if (m_dwStyle & ES_READONLY) bits |= TXTBIT_READONLY;
  if (m_dwStyle & ES_PASSWORD) bits |= TXTBIT_USEPASSWORD;
  if (!(m_dwStyle & ES_NOHIDESEL)) bits |= TXTBIT_HIDESELECTION;
  for (const FlagBit& fb : kFlagBits) {
    if (m_fFlags & fb.flag) bits |= fb.txtBit;
  }
  return bits;
}

void SRichEdit::RenewCharFormat() {
  TxPropertyBitsChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
  // Wine's text services read the host's format only when they start; they take a default
  // format handed to them.
  TxSend(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_cfDef));
}

void SRichEdit::ApplyMaxLength() {
  TxPropertyBitsChange(TXTBIT_MAXLENGTHCHANGE, TXTBIT_MAXLENGTHCHANGE);
  // Wine's text services do not read the host's length again; they take their own limit.
  TxSend(EM_EXLIMITTEXT, 0, m_cchTextMost);
}

void SRichEdit::SetEditFlag(DWORD bit, BOOL on) {
  if (on) {
    m_fFlags |= bit;
  } else {
    m_fFlags &= ~bit;
  }
}

void SRichEdit::SetFlagBit(DWORD bit, BOOL on, DWORD txtBit) {
  SetEditFlag(bit, on);
  TxPropertyBitsChange(txtBit, on ? txtBit : 0);
}

// ---- creation and destruction --------------------------------------------------------------

int SRichEdit::OnCreate(LPVOID lpCreateParam) {
  if (SPanel::OnCreate(lpCreateParam) != 0) return 1;
  InitDefaultCharFormat(nullptr);
  InitDefaultParaFormat();

  const SStringW text = m_strText.GetText(FALSE);
  // Text services that can be made (the painter is made through the same factory) may wait.
  if (CanDeferServices() && IsPlainText(text) && Painter(PainterKey()) != nullptr) {
    m_bServicesDeferred = TRUE;
    SetWindowText(text);
    return 0;
  }
  if (!CreateServices()) {
    SLog::Printf(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "SRichEdit::OnCreate",
                 "no text services for the rich edit: it is not created");
    return 1;
  }
  if (!m_strRtfSrc.IsEmpty()) {
    LoadRtfSource(m_strRtfSrc);
  } else {
    SetWindowText(text);
  }
  UpdateDropTarget();
  return 0;
}

BOOL SRichEdit::CreateServices() {
  m_pTxtHost = new STextHost(this);
  m_pTxtHost->AddRef();
  if (!m_pTxtHost->Init()) {
    m_pTxtHost->Shutdown();
    m_pTxtHost->Release();
    m_pTxtHost = nullptr;
    return FALSE;
  }
  StartServices(m_pTxtHost);
  return TRUE;
}

void SRichEdit::StartServices(STextHost* pHost) {
  ITextServices* serv = pHost->GetTextService();
  serv->OnTxInPlaceActivate(nullptr);
  pHost->SetActive(FALSE);
  serv->OnTxUIDeactivate();
  LRESULT ignored = 0;
  serv->TxSendMessage(WM_KILLFOCUS, 0, 0, &ignored);
  LRESULT lang = 0;
  serv->TxSendMessage(EM_GETLANGOPTIONS, 0, 0, &lang);
  serv->TxSendMessage(EM_SETLANGOPTIONS, 0,
                      (lang & ~IMF_AUTOFONT) | IMF_AUTOKEYBOARD | IMF_UIFONTS | IMF_DUALFONT,
                      &ignored);
  if (m_fFlags & REF_NOTIFYCHANGE) serv->TxSendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE, &ignored);
  // Wine's text services do not read the host's length again; they take their own limit.
  serv->OnTxPropertyBitsChange(TXTBIT_MAXLENGTHCHANGE, TXTBIT_MAXLENGTHCHANGE);
  serv->TxSendMessage(EM_EXLIMITTEXT, 0, m_cchTextMost, &ignored);
}

BOOL SRichEdit::CanDeferServices() const {
  return !(m_fFlags & (REF_RICH | REF_ENABLEDRAGDROP | REF_NOTIFYCHANGE)) &&
         !(m_dwStyle & (WS_HSCROLL | WS_VSCROLL)) && m_strRtfSrc.IsEmpty();
}

std::vector<BYTE> SRichEdit::PainterKey() const {
  std::vector<BYTE> key;
  auto add = [&key](const void* data, size_t size) {
    const auto* bytes = static_cast<const BYTE*>(data);
    key.insert(key.end(), bytes, bytes + size);
  };
  add(&m_cfDef, sizeof(m_cfDef));
  add(&m_pfDef, sizeof(m_pfDef));
  add(&m_dwStyle, sizeof(m_dwStyle));
  const DWORD bits = GetPropertyBits();
  add(&bits, sizeof(bits));
  add(&m_chPasswordChar, sizeof(m_chPasswordChar));
  add(&m_cchTextMost, sizeof(m_cchTextMost));
  add(&m_lAccelPos, sizeof(m_lAccelPos));
  return key;
}

STextPainter* SRichEdit::Painter(const std::vector<BYTE>& key) {
  STextServiceHelper* helper = STextServiceHelper::getSingletonPtr();
  if (helper == nullptr) return nullptr;
  if (ITextHost* found = helper->FindPainter(key)) return static_cast<STextPainter*>(found);
  auto* painter = new STextPainter();
  painter->AddRef();
  STextPainter* kept = nullptr;
  if (painter->Start(this)) {
    helper->KeepPainter(key, painter);
    kept = painter;
  }
  painter->Release();
  return kept;
}

BOOL SRichEdit::EnsureTextServices() {
  if (!m_bServicesDeferred) return GetTextServices() != nullptr;
  if (!CreateServices()) return FALSE;
  m_bServicesDeferred = FALSE;
  m_picture.reset();
  SStringW text;
  std::swap(text, m_strDeferredText);
  // As the edit's services would have been: given the text, then laid out where it is.
  TxSend(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(text)));
  UpdateDropTarget();
  UpdateInsetAndExtent();
  return TRUE;
}

BOOL SRichEdit::AnswerDeferred(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (uMsg) {
    case WM_GETTEXTLENGTH:
      *pResult = m_strDeferredText.GetLength();
      return TRUE;
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<LPWSTR>(lParam);
      if (buf == nullptr || wParam == 0) return TRUE;
      const size_t n = std::min<size_t>(static_cast<size_t>(m_strDeferredText.GetLength()),
                                        static_cast<size_t>(wParam) - 1);
      std::memcpy(buf, static_cast<LPCWSTR>(m_strDeferredText), n * sizeof(wchar_t));
      buf[n] = 0;
      *pResult = static_cast<LRESULT>(n);
      return TRUE;
    }
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      if (!IsPlainText(text)) return FALSE;
      m_strDeferredText = text != nullptr ? text : L"";
      *pResult = TRUE;
      return TRUE;
    }
    // Settings the services read from the edit when they are made, and what services that
    // are neither focused nor shown have nothing to do with.
    case EM_EXLIMITTEXT:
    case WM_ACTIVATEAPP:
      return TRUE;
    case EM_SETCHARFORMAT:
      if (wParam != SCF_DEFAULT) return FALSE;
      *pResult = TRUE;
      return TRUE;
    default:
      return FALSE;
  }
}

void SRichEdit::OnDestroy() {
  if (m_bDropTargetRegistered && m_pContainer != nullptr) m_pContainer->RevokeDragDrop(m_swnd);
  m_bDropTargetRegistered = FALSE;
  if (m_bImcDetached) {
    if (HWND host = ContainerHostHwnd()) ImmAssociateContext(host, m_hSavedImc);
    m_bImcDetached = FALSE;
  }
  if (m_pTxtHost != nullptr) {
    if (ITextServices* serv = GetTextServices()) serv->OnTxInPlaceDeactivate();
    m_pTxtHost->Shutdown();
    m_pTxtHost->Release();
    m_pTxtHost = nullptr;
  }
  SWindow::OnDestroy();
}

void SRichEdit::InitDefaultCharFormat(HFONT hFont) {
  SAutoRefPtr<IRenderTarget> rt = RenderFactoryUtil::NewRenderTarget(0, 0);
  if (rt == nullptr) return;
  BeforePaintEx(rt);

  LOGFONTW lf = {};
  if (hFont == nullptr || GetObjectW(hFont, sizeof(lf), &lf) != sizeof(lf)) {
    auto* font = static_cast<IFont*>(rt->GetCurrentObject(OT_FONT));
    if (font == nullptr) return;
    lf = *font->LogFont();
  }

  m_cfDef.dwMask = kDefaultCharMask;
  m_cfDef.yHeight = MulDiv(std::abs(lf.lfHeight), 1440, SHimetric::WindowDpi(nullptr).cy);
  m_cfDef.yOffset = 0;
  m_cfDef.dwEffects = 0;
  if (lf.lfWeight >= FW_BOLD) m_cfDef.dwEffects |= CFE_BOLD;
  if (lf.lfItalic) m_cfDef.dwEffects |= CFE_ITALIC;
  if (lf.lfUnderline) m_cfDef.dwEffects |= CFE_UNDERLINE;
  m_cfDef.crTextColor = rt->GetTextColor() & 0x00FFFFFF;
  m_cfDef.bCharSet = lf.lfCharSet;
  m_cfDef.bPitchAndFamily = lf.lfPitchAndFamily;
  lstrcpynW(m_cfDef.szFaceName, lf.lfFaceName, LF_FACESIZE);

  // The height of "A" in that font centres a single line.
  m_nFontHeight = LetterHeight(lf);
}

void SRichEdit::InitDefaultParaFormat() {
  std::memset(&m_pfDef, 0, sizeof(m_pfDef));
  m_pfDef.cbSize = sizeof(m_pfDef);
  m_pfDef.dwMask = kDefaultParaMask;
  if (m_dwStyle & ES_CENTER) {
    m_pfDef.wAlignment = PFA_CENTER;
  } else if (m_dwStyle & ES_RIGHT) {
    m_pfDef.wAlignment = PFA_RIGHT;
  } else {
    m_pfDef.wAlignment = PFA_LEFT;
  }
  m_pfDef.cTabCount = 1;
  m_pfDef.rgxTabs[0] = 720;  // twips: half an inch
}

// ---- text ----------------------------------------------------------------------------------

SStringW SRichEdit::GetWindowText(BOOL) {
  const int len = GetWindowTextLength();
  if (len <= 0) return SStringW();
  SStringW text;
  wchar_t* buf = text.GetBufferSetLength(len + 1);
  if (buf == nullptr) return SStringW();
  LRESULT copied = 0;
  TxSend(WM_GETTEXT, static_cast<WPARAM>(len + 1), reinterpret_cast<LPARAM>(buf), &copied);
  text.ReleaseBuffer(static_cast<int>(std::clamp<LRESULT>(copied, 0, len)));
  return text;
}

int SRichEdit::GetWindowTextLength() {
  LRESULT len = 0;
  TxSend(WM_GETTEXTLENGTH, 0, 0, &len);
  return static_cast<int>(len);
}

void SRichEdit::SetWindowText(LPCWSTR lpszText) {
  SSendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszText != nullptr ? lpszText : L""));
  Invalidate();
}

void SRichEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
  SSendMessage(EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
  if (!bNoScroll) SSendMessage(EM_SCROLLCARET);
}

void SRichEdit::ReplaceSel(LPCWSTR pszText, BOOL bCanUndo) {
  SSendMessage(EM_REPLACESEL, bCanUndo,
               reinterpret_cast<LPARAM>(pszText != nullptr ? pszText : L""));
}

BOOL SRichEdit::SetReadOnly(BOOL bReadOnly) {
  return static_cast<BOOL>(SSendMessage(EM_SETREADONLY, bReadOnly));
}

BOOL SRichEdit::SetLimitText(int nLength) {
  return static_cast<BOOL>(SSendMessage(EM_EXLIMITTEXT, 0, nLength));
}

LRESULT SRichEdit::OnSetText(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (FAILED(TxSend(uMsg, wParam, lParam, &result))) {
    SetMsgHandled(FALSE);
    return 0;
  }
  const auto* text = reinterpret_cast<LPCWSTR>(lParam);
  const size_t len = text != nullptr ? wcslen(text) : 0;
  if (result != 0 && len > static_cast<size_t>(m_cchTextMost)) {
    m_cchTextMost = static_cast<int>(std::min<size_t>(len, INT_MAX));
    ApplyMaxLength();
  }
  return result;
}

LRESULT SRichEdit::OnSetLimitText(UINT, WPARAM, LPARAM lParam) {
  const DWORD limit = static_cast<DWORD>(lParam);
  m_cchTextMost = limit == 0 ? kDefaultMaxBuf : static_cast<int>(std::min<DWORD>(limit, INT_MAX));
  ApplyMaxLength();
  return 0;
}

LRESULT SRichEdit::OnSetReadOnly(UINT, WPARAM wParam, LPARAM) {
  SetAttribute(SStringW(L"readOnly"), SStringW(wParam ? L"1" : L"0"), FALSE);
  return TRUE;
}

// ---- formats -------------------------------------------------------------------------------

LRESULT SRichEdit::OnSetCharFormat(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  const auto* cf = reinterpret_cast<const CHARFORMAT2W*>(lParam);
  if (wParam == SCF_DEFAULT && (cf == nullptr || cf->cbSize != sizeof(CHARFORMAT2W))) {
    SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, "SRichEdit::OnSetCharFormat",
                 "set default char format failed! only CHARFORMAT2W can be set for default "
                 "char format");
    return 0;
  }
  LRESULT result = 0;
  if (FAILED(TxSend(uMsg, wParam, lParam, &result))) {
    SetMsgHandled(FALSE);
    return 0;
  }
  if (wParam == SCF_DEFAULT) {
    m_cfDef = *cf;
    TxPropertyBitsChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
  }
  return result;
}

LRESULT SRichEdit::OnSetParaFormat(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  const auto* pf = reinterpret_cast<const PARAFORMAT2*>(lParam);
  if (pf == nullptr || pf->cbSize != sizeof(PARAFORMAT2)) return 0;
  LRESULT result = 0;
  if (FAILED(TxSend(uMsg, wParam, lParam, &result))) {
    SetMsgHandled(FALSE);
    return 0;
  }
  return result;
}

LRESULT SRichEdit::OnSetFont(UINT, WPARAM wParam, LPARAM lParam) {
  InitDefaultCharFormat(reinterpret_cast<HFONT>(wParam));
  RenewCharFormat();
  if (lParam) Invalidate();
  return 0;
}

COLORREF SRichEdit::SetDefaultTextColor(COLORREF cr) {
  const COLORREF old = m_cfDef.crTextColor;
  m_cfDef.crTextColor = cr & 0x00FFFFFF;
  m_cfDef.dwEffects &= ~CFE_AUTOCOLOR;
  RenewCharFormat();
  return old;
}

void SRichEdit::SetWordWrap(BOOL bWordWrap) {
  SetFlagBit(REF_WORDWRAP, bWordWrap, TXTBIT_WORDWRAP);
}

void SRichEdit::SetRichText(BOOL bRich) { SetFlagBit(REF_RICH, bRich, TXTBIT_RICHTEXT); }

void SRichEdit::SetSaveSelection(BOOL bSaveSelection) {
  SetFlagBit(REF_SAVESELECTION, bSaveSelection, TXTBIT_SAVESELECTION);
}

void SRichEdit::SetAlign(WORD wAlignment) {
  m_pfDef.wAlignment = wAlignment;
  TxPropertyBitsChange(TXTBIT_PARAFORMATCHANGE, TXTBIT_PARAFORMATCHANGE);
}

void SRichEdit::OnEnable(BOOL bEnable, UINT nStatus) {
  SWindow::OnEnable(bEnable, nStatus);
  if (bEnable) {
    SetDefaultTextColor(m_style.GetTextColor(SwndStyle::kStateNormal));
  } else {
    const COLORREF disabled = m_style.GetTextColor(SwndStyle::kStateDisable);
    if (disabled != CR_INVALID) SetDefaultTextColor(disabled);
  }
}

// ---- RTF -----------------------------------------------------------------------------------

BOOL SRichEdit::StreamInRtf(const BYTE* data, size_t size) {
  MemoryStream stream = {data, size, 0};
  EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&stream), 0, ReadMemory};
  if (FAILED(TxSend(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es)))) return FALSE;
  return es.dwError == 0;
}

BOOL SRichEdit::LoadRtf(LPCWSTR pszFileName) {
  if (pszFileName == nullptr) return FALSE;
  FileHandle file(CreateFileW(pszFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return FALSE;
  EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(file.get()), 0, ReadFileStream};
  if (FAILED(TxSend(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es)))) return FALSE;
  return es.dwError == 0;
}

BOOL SRichEdit::SaveRtf(LPCWSTR pszFileName) {
  if (pszFileName == nullptr) return FALSE;
  FileHandle file(CreateFileW(pszFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return FALSE;
  EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(file.get()), 0, WriteFileStream};
  if (FAILED(TxSend(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es)))) return FALSE;
  return es.dwError == 0;
}

BOOL SRichEdit::LoadRtfSource(const SStringW& source) {
  // "type:name" names a resource; a name that no resource answers (such as "C:\x.rtf") is a
  // file name, and so is a source whose colon comes first (it names no type).
  SStringW type;
  SStringW name;
  const bool typed = SplitResRef(source, SStringW(), &type, &name) && !type.IsEmpty();
  SApplication* app = SApplication::getSingletonPtr();
  if (typed && app != nullptr) {
    const size_t size = app->GetRawBufferSize(type, name);
    if (size > 0) {
      std::vector<BYTE> bytes(size);
      if (!app->GetRawBuffer(type, name, bytes.data(), size)) return FALSE;
      return StreamInRtf(bytes.data(), size);
    }
  }
  return LoadRtf(source);
}

// ---- attributes ----------------------------------------------------------------------------

HRESULT SRichEdit::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (P::IsName(name, L"style")) {
    m_dwStyle = static_cast<DWORD>(P::Int(value));
    return S_FALSE;
  }
  if (P::IsName(name, L"maxBuf")) {
    m_cchTextMost = P::Int(value);
    if (!bLoading) ApplyMaxLength();
    return S_FALSE;
  }
  for (const FlagAttr& attr : kFlagAttrs) {
    if (!P::IsName(name, attr.name)) continue;
    SetEditFlag(attr.flag, P::NonZero(value));
    return S_FALSE;
  }
  if (P::IsName(name, L"inset")) {
    RECT inset = {0, 0, 0, 0};
    const int parsed =
        swscanf(value, L"%ld,%ld,%ld,%ld", &inset.left, &inset.top, &inset.right, &inset.bottom);
    if (parsed != 4) {
      return E_FAIL;
    }
    m_rcInsetPixel = inset;
    if (!bLoading) UpdateInsetAndExtent();
    return S_FALSE;
  }
  if (P::IsName(name, L"colorText")) {
    const HRESULT hr = SPanel::SetAttribute(name, value, bLoading);
    if (!bLoading && SUCCEEDED(hr)) {
      SetDefaultTextColor(m_style.GetTextColor(SwndStyle::kStateNormal));
    }
    return hr;
  }
  if (P::IsName(name, L"rtf")) {
    if (bLoading) {
      m_strRtfSrc = value;
    } else {
      LoadRtfSource(value);
    }
    return S_FALSE;
  }
  if (P::IsName(name, L"align")) {
    m_dwStyle &= ~(ES_CENTER | ES_RIGHT);
    if (value == L"center") {
      m_dwStyle |= ES_CENTER;
    } else if (value == L"right") {
      m_dwStyle |= ES_RIGHT;
    }
    if (!bLoading) {
      InitDefaultParaFormat();
      TxPropertyBitsChange(TXTBIT_PARAFORMATCHANGE, TXTBIT_PARAFORMATCHANGE);
    }
    return S_OK;
  }
  if (P::IsName(name, L"notifyChange")) {
    const BOOL on = P::Bool(value);
    SetEditFlag(REF_NOTIFYCHANGE, on);
    if (!bLoading) {
      LRESULT mask = 0;
      TxSend(EM_GETEVENTMASK, 0, 0, &mask);
      mask = on ? (mask | ENM_CHANGE) : (mask & ~static_cast<LRESULT>(ENM_CHANGE));
      TxSend(EM_SETEVENTMASK, 0, mask);
    }
    return S_FALSE;
  }
  return SPanel::SetAttribute(name, value, bLoading);
}

HRESULT SRichEdit::DefAttributeProc(const SStringW& name, const SStringW& value, BOOL bLoading) {
  const BOOL on = P::Bool(value);
  for (const StyleAttr& attr : kStyleAttrs) {
    if (!P::IsName(name, attr.name)) continue;
    if (on) {
      m_dwStyle |= attr.style;
    } else {
      m_dwStyle &= ~attr.style;
    }
    if (!bLoading) {
      if (attr.txtBit == TXTBIT_SCROLLBARCHANGE) {
        TxPropertyBitsChange(attr.txtBit, attr.txtBit);
      } else if (attr.txtBit != 0) {
        TxPropertyBitsChange(attr.txtBit, on ? attr.txtBit : 0);
      }
      if (attr.style == ES_READONLY) UpdateDropTarget();
      if (attr.style == ES_MULTILINE) UpdateInsetAndExtent();
    }
    return S_FALSE;
  }
  if (P::IsName(name, L"passwordChar")) {
    if (!value.IsEmpty()) m_chPasswordChar = value[0];
    return S_FALSE;
  }
  if (P::IsName(name, L"enableDragdrop")) {
    SetEditFlag(REF_ENABLEDRAGDROP, on);
    if (!bLoading) UpdateDropTarget();
    return S_FALSE;
  }
  if (P::IsName(name, L"autoSel")) {
    SetEditFlag(REF_AUTOSEL, on);
    return S_FALSE;
  }
  return SPanel::DefAttributeProc(name, value, bLoading);
}

void SRichEdit::UpdateDropTarget() {
  if (m_pContainer == nullptr) return;
  // A drop goes to the text services: they are needed now (and register it themselves).
  if (m_bServicesDeferred && (m_fFlags & REF_ENABLEDRAGDROP) && !(m_dwStyle & ES_READONLY)) {
    EnsureTextServices();
    return;
  }
  if (m_bDropTargetRegistered) {
    m_pContainer->RevokeDragDrop(m_swnd);
    m_bDropTargetRegistered = FALSE;
  }
  ITextServices* serv = GetTextServices();
  if (serv == nullptr || !(m_fFlags & REF_ENABLEDRAGDROP) || (m_dwStyle & ES_READONLY)) return;
  auto* target = new SRicheditDropTarget(serv);
  m_bDropTargetRegistered = m_pContainer->RegisterDragDrop(m_swnd, target);
  target->Release();  // the container keeps its own reference
}

// ---- layout and painting -------------------------------------------------------------------

UINT SRichEdit::OnGetDlgCode() {
  UINT code = kDlgWantArrows | kDlgWantChars;
  if (m_fFlags & REF_WANTTAB) code |= kDlgWantTab;
  if (m_dwStyle & ES_WANTRETURN) code |= kDlgWantReturn;
  return code;
}

RECT SRichEdit::ScaledInset() const {
  const int scale = GetScale();
  return RECT{MulDiv(m_rcInsetPixel.left, scale, 100), MulDiv(m_rcInsetPixel.top, scale, 100),
              MulDiv(m_rcInsetPixel.right, scale, 100), MulDiv(m_rcInsetPixel.bottom, scale, 100)};
}

SIZE SRichEdit::GetDesiredSize(LPCRECT pRcContainer) {
  SIZE size = SWindow::GetDesiredSize(pRcContainer);
  // The text is measured with the font at the element's scale already; only the inset, kept
  // at scale 100, is scaled here.
  const RECT inset = ScaledInset();
  if (LayoutWraps(Horz)) size.cx += inset.left + inset.right;
  if (LayoutWraps(Vert)) size.cy += inset.top + inset.bottom;
  return size;
}

LRESULT SRichEdit::OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SPanel::OnNcCalcSize(uMsg, wParam, lParam);
  UpdateInsetAndExtent();
  return 0;
}

RECT SRichEdit::GetServicesRect() const {
  // The text services are given the text's rectangle itself, with no view inset: Wine's draw
  // the text at the top left of the client rectangle whatever inset they are told.
  RECT rc = GetClientRect();
  rc.left += m_rcTextInset.left;
  rc.top += m_rcTextInset.top;
  rc.right = std::max(rc.left, rc.right - m_rcTextInset.right);
  rc.bottom = std::max(rc.top, rc.bottom - m_rcTextInset.bottom);
  return rc;
}

void SRichEdit::UpdateInsetAndExtent() {
  RECT inset = ScaledInset();
  const RECT rcClient = GetClientRect();
  if ((m_fFlags & REF_VCENTER) && !(m_fFlags & REF_RICH) && !(m_dwStyle & ES_MULTILINE)) {
    // A line taller than the client rectangle keeps it at the top rather than above it.
    const int gap = std::max<int>(0, (rcClient.bottom - rcClient.top - m_nFontHeight) / 2);
    inset.top = inset.bottom = gap;
  }
  const SIZE dpi = SHimetric::WindowDpi(ContainerHostHwnd());
  const int dpiX = dpi.cx;
  const int dpiY = dpi.cy;
  m_rcTextInset = inset;
  const RECT text = GetServicesRect();
  m_sizelExtent.cx = SHimetric::FromPixels(text.right - text.left, dpiX);
  m_sizelExtent.cy = SHimetric::FromPixels(text.bottom - text.top, dpiY);
  m_rcInset = RECT{SHimetric::FromPixels(inset.left, dpiX),
                   SHimetric::FromPixels(inset.top, dpiY),
                   SHimetric::FromPixels(inset.right, dpiX),
                   SHimetric::FromPixels(inset.bottom, dpiY)};

  ITextServices* serv = GetTextServices();
  if (serv == nullptr) return;
  const BOOL focused = IsFocused();
  if (focused) ActivateServices(FALSE);
  // The inset has a property bit of its own.
  const DWORD changed = TXTBIT_CLIENTRECTCHANGE | TXTBIT_EXTENTCHANGE | TXTBIT_VIEWINSETCHANGE;
  serv->OnTxPropertyBitsChange(changed, changed);
  if (focused) ActivateServices(TRUE);
}

void SRichEdit::OnPaint(IRenderTarget* pRT) {
  if (m_bServicesDeferred) {
    PaintDeferred(pRT);
    return;
  }
  ITextServices* serv = GetTextServices();
  if (serv == nullptr) return;
  DrawServices(serv, pRT, GetClientRect(), GetServicesRect());
}

void SRichEdit::PaintDeferred(IRenderTarget* pRT) {
  std::vector<BYTE> stamp = PainterKey();
  STextPainter* painter = Painter(stamp);
  if (painter == nullptr) return;
  const RECT rc = GetClientRect();
  auto add = [&stamp](const void* data, size_t size) {
    const auto* bytes = static_cast<const BYTE*>(data);
    stamp.insert(stamp.end(), bytes, bytes + size);
  };
  add(static_cast<LPCWSTR>(m_strDeferredText), sizeof(wchar_t) * m_strDeferredText.GetLength());
  add(&rc, sizeof(rc));
  add(&m_rcInset, sizeof(m_rcInset));
  add(&m_sizelExtent, sizeof(m_sizelExtent));
  if (m_picture == nullptr) m_picture.reset(new STextPicture());
  HDC hdc = pRT->GetDC(0);
  const BOOL reused = m_picture->Reuse(hdc, rc, stamp);
  if (!reused) m_picture->Begin(hdc, rc, stamp);
  pRT->ReleaseDC(hdc);
  if (reused) return;
  painter->Draw(this, m_strDeferredText, pRT);
  hdc = pRT->GetDC(0);
  m_picture->End(hdc);
  pRT->ReleaseDC(hdc);
}

void SRichEdit::DrawServices(ITextServices* pServ, IRenderTarget* pRT, const RECT& rc,
                             const RECT& text) {
  pRT->PushClipRect(&rc, RGN_AND);
  HDC hdc = pRT->GetDC(0);
  const int oldMode = SetGraphicsMode(hdc, GM_COMPATIBLE);
  {
    // GDI zeroes the alpha of every pixel it touches: the text services' drawing must not
    // punch holes into a translucent surface.
    AlphaKeeper alpha(hdc, rc);
    const RECTL bounds = {text.left, text.top, text.right, text.bottom};
    pServ->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hdc, nullptr, &bounds, nullptr,
                  nullptr, nullptr, 0, TXTVIEW_ACTIVE);
  }
  if (oldMode != 0) SetGraphicsMode(hdc, oldMode);
  pRT->ReleaseDC(hdc);
  pRT->PopClip();
}

// ---- focus ---------------------------------------------------------------------------------

void SRichEdit::ActivateServices(BOOL bActive) {
  ITextServices* serv = GetTextServices();
  if (serv == nullptr) return;
  m_pTxtHost->SetActive(bActive);
  // Wine has no UI activation (E_NOTIMPL); the focus message is what counts.
  if (bActive) {
    serv->OnTxUIActivate();
    TxSend(WM_SETFOCUS, 0, 0);
  } else {
    serv->OnTxUIDeactivate();
    TxSend(WM_KILLFOCUS, 0, 0);
  }
}

void SRichEdit::OnSetFocus(SwndHandle swndOld) {
  SWindow::OnSetFocus(swndOld);
  if (!IsVisible(TRUE) || IsDisabled(TRUE) || !EnsureTextServices()) return;
  ActivateServices(TRUE);
  // All of it, however long the text has grown beyond the default limit.
  if (m_fFlags & REF_AUTOSEL) TxSend(EM_SETSEL, 0, -1);
  if ((m_dwStyle & (ES_PASSWORD | ES_NUMBER)) && !m_bImcDetached) {
    if (HWND host = ContainerHostHwnd()) {
      m_hSavedImc = ImmAssociateContext(host, nullptr);
      m_bImcDetached = TRUE;
    }
  }
}

void SRichEdit::OnKillFocus(SwndHandle swndNew) {
  SWindow::OnKillFocus(swndNew);
  ActivateServices(FALSE);
  ShowCaret(FALSE);
  if (m_bImcDetached) {
    if (HWND host = ContainerHostHwnd()) ImmAssociateContext(host, m_hSavedImc);
    m_hSavedImc = nullptr;
    m_bImcDetached = FALSE;
  }
}

// ---- timers --------------------------------------------------------------------------------

void SRichEdit::OnTimer(char idEvent) {
  if (idEvent != kRicheditTimer) {
    SetMsgHandled(FALSE);
    return;
  }
  Invalidate();
  KillTimer(kRicheditTimer);
}

LRESULT SRichEdit::OnTimer2(UINT, WPARAM wParam, LPARAM) {
  TxSend(WM_TIMER, wParam, 0);
  return 0;
}

// ---- mouse ---------------------------------------------------------------------------------

void SRichEdit::OnLButtonDown(UINT, POINT) {
  SetCapture();
  if (!IsFocused()) {
    SetFocus();
    // The selection of everything that the focus just made stays.
    if (IsFocused() && (m_fFlags & REF_AUTOSEL)) return;
  }
  TxSend(WM_LBUTTONDOWN, GetCurMsg()->wParam, GetCurMsg()->lParam);
}

void SRichEdit::OnLButtonUp(UINT, POINT) {
  TxSend(WM_LBUTTONUP, GetCurMsg()->wParam, GetCurMsg()->lParam);
  if (GetCapture() == m_swnd) ReleaseCapture();
}

LRESULT SRichEdit::OnMouseMsg(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  TxSend(uMsg, wParam, lParam, &result);
  return result;
}

LRESULT SRichEdit::OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (m_dwStyle & ES_MULTILINE) return SPanel::OnMouseWheel(uMsg, wParam, lParam);
  return SWindow::OnMouseWheel(uMsg, wParam, lParam);
}

void SRichEdit::OnShowWindow(BOOL bShow, UINT nStatus) {
  SPanel::OnShowWindow(bShow, nStatus);
  if (IsVisible(TRUE)) return;
  // The cursor may have been the text services' I-beam over what is no longer there.
  if (HWND host = ContainerHostHwnd()) {
    PostMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

BOOL SRichEdit::OnSetCursor(const POINT& pt) {
  RECT rc;
  GetClientRect(&rc);
  // The text services choose the cursor over the text.
  if (PtInRect(&rc, pt)) EnsureTextServices();
  ITextServices* serv = GetTextServices();
  if (serv == nullptr || !PtInRect(&rc, pt)) {
    SWindow::OnSetCursor(pt);
    return FALSE;
  }
  HWND host = ContainerHostHwnd();
  HDC dc = GetDC(host);
  const RECT text = GetServicesRect();
  serv->OnTxSetCursor(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &text, pt.x, pt.y);
  ReleaseDC(host, dc);
  return TRUE;
}

void SRichEdit::OnRButtonDown(UINT, POINT point) {
  if (FireCtxMenu(point)) return;
  SetFocus();
  SRicheditMenuDef* def = SRicheditMenuDef::getSingletonPtr();
  SMenu menu;
  if (def == nullptr || !menu.LoadMenu(def->GetMenuTemplate())) return;

  CHARRANGE sel = {0, 0};
  TxSend(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  LRESULT canPaste = 0;
  TxSend(EM_CANPASTE, 0, 0, &canPaste);
  const bool hasSel = sel.cpMin != sel.cpMax;
  const bool readOnly = (m_dwStyle & ES_READONLY) != 0;
  const struct {
    UINT cmd;
    bool enabled;
  } items[] = {
      {MENU_CUT, hasSel && !readOnly},           {MENU_COPY, hasSel},
      {MENU_PASTE, canPaste != 0 && !readOnly},  {MENU_DEL, hasSel && !readOnly},
      {MENU_SELALL, GetWindowTextLength() != 0},
  };
  for (const auto& item : items) {
    EnableMenuItem(menu.GetHMenu(), item.cmd,
                   MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
  }

  HWND host = ContainerHostHwnd();
  RECT rcPt = {point.x, point.y, point.x, point.y};
  ContainerFrameToHost(rcPt);
  POINT screen = {rcPt.left, rcPt.top};
  if (host != nullptr) ClientToScreen(host, &screen);
  SAutoRefPtr<SWindow> hold(this);  // the menu's loop may run anything
  const UINT cmd = menu.TrackPopupMenu(TPM_RETURNCMD, screen.x, screen.y, host);

  EventREMenu evt(this);
  evt.uCmd = cmd;
  // Handled by a subscriber of the edit, or by whoever it bubbled to.
  if (FireEvent(evt) || evt.handled > 0) return;
  switch (cmd) {
    case MENU_CUT: SSendMessage(WM_CUT); break;
    case MENU_COPY: SSendMessage(WM_COPY); break;
    case MENU_PASTE: SSendMessage(WM_PASTE); break;
    case MENU_DEL: SSendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"")); break;
    case MENU_SELALL: SSendMessage(EM_SETSEL, 0, -1); break;
    default: break;
  }
}

// ---- keys ----------------------------------------------------------------------------------

void SRichEdit::OnKeyDown(UINT nChar, UINT, UINT nFlags) {
  EventKeyDown evt(this);
  evt.nChar = nChar;
  evt.nFlags = nFlags;
  FireEvent(evt);
  // Left unhandled, Return goes on to the host (a dialog's default button), and so does Escape
  // (a dialog's cancel button): the text services have nothing to do with it.
  if (evt.bCancel || nChar == VK_ESCAPE ||
      (nChar == VK_RETURN && !(m_dwStyle & ES_WANTRETURN) && !CtrlDown())) {
    SetMsgHandled(FALSE);
    return;
  }
  TxSend(WM_KEYDOWN, GetCurMsg()->wParam, GetCurMsg()->lParam);
}

void SRichEdit::OnChar(UINT nChar, UINT, UINT) {
  bool accept = true;
  switch (nChar) {
    case L'\t': accept = (m_fFlags & REF_WANTTAB) || CtrlDown(); break;
    case L'\r':
    case L'\n': accept = CtrlDown() || (m_dwStyle & ES_WANTRETURN); break;
    default: accept = !(m_dwStyle & ES_NUMBER) || IsNumberChar(nChar); break;
  }
  if (accept) TxSend(WM_CHAR, GetCurMsg()->wParam, GetCurMsg()->lParam);
}

// ---- everything else -----------------------------------------------------------------------

BOOL SRichEdit::SwndProc(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  if (uMsg == EM_GETRECT) {
    if (lParam != 0) GetClientRect(reinterpret_cast<LPRECT>(lParam));
    lResult = 0;
    return TRUE;
  }
  // Messages of the element's own map that it declined are not the text services' either.
  switch (uMsg) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_TIMER:
    case WM_SETTEXT:
    case EM_SETCHARFORMAT:
    case EM_SETPARAFORMAT: return SWindow::SwndProc(uMsg, wParam, lParam, lResult);
    default: break;
  }
  if (GetTextServices() == nullptr && !m_bServicesDeferred) {
    return SWindow::SwndProc(uMsg, wParam, lParam, lResult);
  }
  return SUCCEEDED(TxSend(uMsg, wParam, lParam, &lResult));
}

// ---- scroll bars ---------------------------------------------------------------------------

void SRichEdit::SyncScrollBar(BOOL bVertical, SCROLLINFO si, BOOL bRedraw) {
  // The panel keeps a position only within a page; the text services report one.
  if (ITextServices* serv = GetTextServices()) {
    LONG min = 0, max = 0, pos = 0, page = 0;
    BOOL enabled = FALSE;
    const HRESULT hr = bVertical ? serv->TxGetVScroll(&min, &max, &pos, &page, &enabled)
                                 : serv->TxGetHScroll(&min, &max, &pos, &page, &enabled);
    if (SUCCEEDED(hr) && page > 0) {
      si.fMask |= SIF_PAGE;
      si.nPage = static_cast<UINT>(page);
    }
  }
  si.cbSize = sizeof(si);
  SetScrollInfo(si, bVertical);
  if (bRedraw) InvalidateRect(GetScrollBarRect(bVertical));
}

BOOL SRichEdit::OnScroll(BOOL bVertical, UINT uCode, int nPos) {
  EnsureTextServices();
  ITextServices* serv = GetTextServices();
  if (serv == nullptr) return SPanel::OnScroll(bVertical, uCode, nPos);
  const BOOL guarded = (m_fFlags & REF_SCROLLGUARD) != 0;
  m_fFlags |= REF_SCROLLGUARD;
  const int before = GetScrollPos(bVertical);
  SPanel::OnScroll(bVertical, uCode, nPos);
  TxSend(bVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(uCode, static_cast<WORD>(nPos)), 0);
  // The bar takes wherever the services went.
  LONG min = 0, max = 0, pos = 0, page = 0;
  BOOL enabled = FALSE;
  const HRESULT hr = bVertical ? serv->TxGetVScroll(&min, &max, &pos, &page, &enabled)
                               : serv->TxGetHScroll(&min, &max, &pos, &page, &enabled);
  if (SUCCEEDED(hr) && pos != GetScrollPos(bVertical)) {
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, min, max,
                     static_cast<UINT>(std::max<LONG>(page, 0)), pos, 0};
    SetScrollInfo(si, bVertical);
    InvalidateRect(GetScrollBarRect(bVertical));
  }
  // A dragged thumb shows the text under it as it goes.
  if (uCode == SB_THUMBTRACK) ThrottledUpdate();
  if (!guarded) m_fFlags &= ~REF_SCROLLGUARD;
  // The services' position is the one that counts: the panel's own step may be refused by
  // them (at an end) or be theirs to decide (a page of 0 before they told one).
  const BOOL moved = GetScrollPos(bVertical) != before;
  if (moved) Invalidate();
  return moved;
}

HRESULT SRichEdit::OnTxNotify(DWORD iNotify, LPVOID pv) {
  EventRENotify evt(this);
  evt.iNotify = iNotify;
  evt.pv = pv;
  evt.hr = S_OK;
  FireEvent(evt);
  return evt.hr;
}

}  // namespace SWUI
