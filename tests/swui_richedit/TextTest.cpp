// The rich edit and the edit as text holders: creation over the text services, defaults,
// text in and out, limits, typed characters and keys.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "DebugOutputCapture.h"
#include "RichEditRig.h"
#include "core/EventKeyDown.h"
#include "core/STextServiceHelper.h"

using namespace SWUI;

TEST_CASE("creation: defaults of the rich edit and the edit, dialog codes by style") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<richedit name='re' pos='0,0,200,30'/>"
      L"<edit name='ed' pos='0,30,200,60'/>"
      L"<richedit name='tab' pos='0,60,200,90' multiLines='1' wantReturn='1' align='right'/>"
      L"</root>");
  SRichEdit* re = r.Edit(L"re");
  SRichEdit* ed = r.Edit(L"ed");
  SRichEdit* tab = r.Edit(L"tab");

  CHECK(re->GetTextServices() != nullptr);
  CHECK(re->GetEditFlags() == 0x10Du);
  CHECK(re->GetStyleBits() == static_cast<DWORD>(ES_AUTOHSCROLL));
  CHECK(re->GetLimitText() == 32767);
  CHECK(ed->IsClass(L"edit"));
  CHECK(ed->IsClass(L"richedit"));
  CHECK(ed->IsClass(L"window"));
  CHECK(std::wstring(ed->GetObjectClass()) == L"edit");
  CHECK((ed->GetEditFlags() & REF_RICH) == 0u);
  CHECK((ed->GetEditFlags() & REF_AUTOSEL) != 0u);
  CHECK(static_cast<SEdit*>(ed)->GetCueColor() == 0xFFCCCCCCu);

  const CHARFORMAT2W& cf = re->GetDefaultCharFormat();
  CHECK(cf.cbSize == 116u);
  CHECK(cf.dwMask == 0xF8000007u);
  CHECK(cf.yHeight > 0);
  CHECK(cf.szFaceName[0] != 0);
  const PARAFORMAT2& pf = re->GetDefaultParaFormat();
  CHECK(pf.cbSize == 188u);
  CHECK(pf.dwMask == 0x8001003Fu);
  CHECK(pf.wAlignment == PFA_LEFT);
  CHECK(pf.cTabCount == 1);
  CHECK(pf.rgxTabs[0] == 720);
  CHECK(tab->GetDefaultParaFormat().wAlignment == PFA_RIGHT);

  CHECK(re->OnGetDlgCode() == 9u);
  CHECK(tab->OnGetDlgCode() == 13u);
}

TEST_CASE("creation fails without text services; the factory is the seam") {
  RichEditRig r;
  auto* helper =
      static_cast<STextServiceHelper*>(r.rig.app.GetSingleton(SINGLETON_TEXTSERVICEHELPER));
  REQUIRE(helper != nullptr);
  CHECK(helper->GetModule() != nullptr);
  struct Failing {
    static HRESULT WINAPI Create(IUnknown*, ITextHost*, IUnknown** ppUnk) {
      *ppUnk = nullptr;
      return E_OUTOFMEMORY;
    }
  };
  for (STextServiceHelper::Factory factory : {&Failing::Create, STextServiceHelper::Factory{}}) {
    const STextServiceHelper::Factory real = helper->SetFactory(factory);
    SWindow* edit = NewElement(r.rig.app, L"richedit");
    r.rig.root->InsertChild(edit);
    pugi::xml_document doc;
    doc.load_string(L"<richedit text='x'/>");
    // WM_CREATE fails: the element is not created.
    CHECK_FALSE(edit->InitFromXml(doc.first_child()));
    r.rig.root->DestroyChild(edit);
    helper->SetFactory(real);
  }
}

TEST_CASE("text: the text attribute, round trips, and a text longer than maxBuf raises it") {
  RichEditRig r;
  r.Load(L"<root><edit name='e' pos='0,0,200,30' text='hello' maxBuf='5'/></root>");
  SRichEdit* e = r.Edit(L"e");
  CHECK(e->GetWindowText() == L"hello");
  CHECK(e->GetLimitText() == 5);

  e->SetWindowText(L"abcdefgh");
  CHECK(e->GetWindowText() == L"abcdefgh");
  CHECK(e->GetLimitText() == 8);

  const std::wstring wide = L"\x4e2d\x6587 \x00e9t\x00e9";
  e->SetWindowText(wide.c_str());
  CHECK(std::wstring(e->GetWindowText()) == wide);
  CHECK(e->GetWindowTextLength() == static_cast<int>(wide.size()));

  // Typing stops at the limit; 0 means 32767.
  e->SetWindowText(L"");
  e->SetLimitText(3);
  CHECK(e->GetLimitText() == 3);
  RichEditRig::Type(e, L"abcdef");
  CHECK(e->GetWindowText() == L"abc");
  e->SetLimitText(0);
  CHECK(e->GetLimitText() == 32767);
}

TEST_CASE("typed characters: number edits take digits and - . , only; Tab needs Ctrl") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='num' pos='0,0,200,20' number='1'/>"
      L"<edit name='multi' pos='0,20,200,90' multiLines='1'/>"
      L"</root>");
  SRichEdit* num = r.Edit(L"num");
  RichEditRig::Type(num, L"a1-.,b");
  CHECK(num->GetWindowText() == L"1-.,");

  SRichEdit* multi = r.Edit(L"multi");
  RichEditRig::Type(multi, L"a\tb\rc\nd");
  CHECK(multi->GetWindowText() == L"abcd");
  multi->SetWindowText(L"");
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  RichEditRig::Type(multi, L"a\tb");
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  CHECK(multi->GetWindowText() == L"a\tb");
}

TEST_CASE(
    "keys: Return without wantReturn stays unhandled for the host; EventKeyDown can stop a key") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='one' pos='0,0,200,20' text='abc'/>"
      L"<edit name='multi' pos='0,20,200,90' multiLines='1' wantReturn='1' text='abc'/>"
      L"</root>");
  SRichEdit* one = r.Edit(L"one");
  SRichEdit* multi = r.Edit(L"multi");
  std::vector<UINT> seen;
  one->SubscribeEvent(EventKeyDown::EventID, FnSlot([&seen](EventArgs* e) {
                        seen.push_back(static_cast<EventKeyDown*>(e)->nChar);
                        return false;
                      }));

  // Without wantReturn, Return is left to the host (a dialog's default button takes it).
  CHECK_FALSE(RichEditRig::Key(one, VK_RETURN));
  CHECK(seen == std::vector<UINT>{VK_RETURN});
  CHECK(one->GetWindowText() == L"abc");
  multi->SetSel(MAKELONG(3, 3));
  CHECK(RichEditRig::Key(multi, VK_RETURN));
  CHECK(multi->SSendMessage(EM_GETLINECOUNT) == 2);

  // Backspace reaches the text services unless a handler cancels it.
  one->SetSel(MAKELONG(3, 3));
  CHECK(RichEditRig::Key(one, VK_BACK));
  CHECK(one->GetWindowText() == L"ab");
  one->SubscribeEvent(EventKeyDown::EventID, FnSlot([](EventArgs* e) {
                        static_cast<EventKeyDown*>(e)->bCancel = TRUE;
                        return true;
                      }));
  CHECK_FALSE(RichEditRig::Key(one, VK_BACK));
  CHECK(one->GetWindowText() == L"ab");
}

TEST_CASE("a default character format must be a CHARFORMAT2W") {
  RichEditRig r;
  r.Load(L"<root><richedit name='e' pos='0,0,200,30' text='abc'/></root>");
  SRichEdit* e = r.Edit(L"e");
  DebugOutputCapture log;
  CHARFORMATW small = {};
  small.cbSize = sizeof(small);
  CHECK(sizeof(small) == 92u);
  CHECK(e->SSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&small)) == 0);
  CHECK(log.Contains(
      "set default char format failed! only CHARFORMAT2W can be set for default char format"));

  CHARFORMAT2W cf = e->GetDefaultCharFormat();
  cf.crTextColor = RGB(255, 0, 0);
  cf.dwMask = CFM_COLOR;
  CHECK(e->SSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)) != 0);
  CHECK(e->GetDefaultCharFormat().crTextColor == RGB(255, 0, 0));
  CHECK(e->GetDefaultCharFormat().dwMask == static_cast<DWORD>(CFM_COLOR));
}

TEST_CASE(
    "a single-line edit centres its line through the inset; a multi-line or rich one does not") {
  RichEditRig r(200, 200);
  r.Load(
      L"<root>"
      L"<edit name='one' pos='0,0,200,60' text='Hg'/>"
      L"<edit name='multi' pos='0,60,200,120' multiLines='1' text='Hg'/>"
      L"<richedit name='rich' pos='0,120,200,180' text='Hg' inset='1,2,3,4'/>"
      L"</root>");
  // Wine's text services ignore the view inset when they draw: only what the host tells
  // them can be checked here.
  const RECT& one = r.Edit(L"one")->GetViewInset();
  CHECK(one.top > 0);
  CHECK(one.top == one.bottom);
  CHECK(one.left == 0);
  CHECK(r.Edit(L"multi")->GetViewInset().top == 0);
  const RECT& rich = r.Edit(L"rich")->GetViewInset();
  const int dpiY = [] {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
  }();
  CHECK(rich.top == MulDiv(2, 2540, dpiY));
  CHECK(rich.bottom == MulDiv(4, 2540, dpiY));
}
