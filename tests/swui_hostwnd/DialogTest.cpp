// Modal dialogs, message boxes and drop-down windows, driven from inside their loops.
#include <doctest/doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "HostHarness.h"
#include "ModalDriver.h"
#include "TestElements.h"
#include "control/SIconWnd.h"
#include "control/STabCtrl.h"
#include "core/SDropDownWnd.h"
#include "core/SHostDialog.h"
#include "core/SMessageBoxImpl.h"
#include "core/SMsgTemplate.h"

using namespace SWUI;

namespace {

// A dialog built from layout text when WM_INITDIALOG arrives; onInit runs after that.
class TestDialog : public SHostDialog {
 public:
  explicit TestDialog(const wchar_t* layout) { REQUIRE(doc.load_string(layout)); }

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override {
    if (mapId == 0 && hWnd == m_hWnd && msg == WM_INITDIALOG) {
      InitFromXml(doc.child(L"SWUI"), 0, 0);
      if (onInit) onInit(*this);
      lResult = FALSE;
      return TRUE;
    }
    if (msg == WM_SHOWWINDOW && wParam) shown = true;
    return SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
  }

  SWindow* Find(LPCWSTR name) const { return GetRoot()->FindChildByName(name); }
  // A click on an element, posted to the dialog.
  void Click(LPCWSTR name) {
    const RECT rc = Find(name)->GetWindowRect();
    const LPARAM pt = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::PostMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    ::PostMessageW(m_hWnd, WM_LBUTTONUP, 0, pt);
  }

  pugi::xml_document doc;
  std::function<void(TestDialog&)> onInit;
  bool shown = false;
};

const wchar_t kDialog[] =
    L"<SWUI width='200' height='120'><root colorBkgnd='#ffffff'>"
    L" <window name='ok' id='1' pos='10,80,@60,@30'/>"
    L" <window name='cancel' id='2' pos='80,80,@60,@30'/>"
    L"</root></SWUI>";

// The pixels of an icon drawn at 32 x 32, to tell icons apart.
std::vector<DWORD> IconPixels(HICON icon) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = 32;
  bmi.bmiHeader.biHeight = -32;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
  GdiFlush();
  std::vector<DWORD> px(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 32 * 32);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return px;
}

}  // namespace

TEST_CASE(
    "EndDialog while WM_INITDIALOG is handled: the code comes back, nothing shows, the owner is "
    "enabled again") {
  HostHarness h;
  h.Open(L"<SWUI width='50' height='50'><root/></SWUI>");
  TestDialog dlg(kDialog);
  dlg.onInit = [](TestDialog& d) { d.EndDialog(5); };
  ModalDriver guard({});
  CHECK(dlg.DoModal(h.Hwnd()) == 5);
  CHECK_FALSE(dlg.shown);
  CHECK(IsWindowEnabled(h.Hwnd()));
  CHECK(dlg.m_hWnd == nullptr);
  CHECK_FALSE(guard.TimedOut());
}

TEST_CASE(
    "a running dialog disables its owner; keys, the close box and its buttons end it with their "
    "ids") {
  HostHarness h;
  h.Open(L"<SWUI width='50' height='50'><root/></SWUI>");
  struct Case {
    const char* what;
    std::function<void(TestDialog&)> act;
    INT_PTR code;
  };
  const Case cases[] = {
      {"Escape", [](TestDialog& d) { PostMessageW(d.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
      {"Return", [](TestDialog& d) { PostMessageW(d.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
      {"WM_CLOSE", [](TestDialog& d) { PostMessageW(d.m_hWnd, WM_CLOSE, 0, 0); }, IDCANCEL},
      {"click id 1", [](TestDialog& d) { d.Click(L"ok"); }, IDOK},
      {"click id 2", [](TestDialog& d) { d.Click(L"cancel"); }, IDCANCEL},
      {"EndDialog twice",
       [](TestDialog& d) {
         d.EndDialog(3);
         d.EndDialog(4);
       },
       3},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    TestDialog dlg(kDialog);
    bool ownerDisabled = false;
    ModalDriver drive({[&] {
                        ownerDisabled = !IsWindowEnabled(h.Hwnd());
                        CHECK(IsWindowVisible(dlg.m_hWnd));
                        c.act(dlg);
                      }},
                      3000, [&] { dlg.EndDialog(-1); });
    CHECK(dlg.DoModal(h.Hwnd()) == c.code);
    CHECK(ownerDisabled);
    CHECK(IsWindowEnabled(h.Hwnd()));
    CHECK_FALSE(drive.TimedOut());
  }
}

TEST_CASE("Escape and Return pass over a disabled or hidden button") {
  HostHarness h;
  TestDialog dlg(
      L"<SWUI width='200' height='120'><root>"
      L" <window name='ok' id='1' pos='10,80,@60,@30' visible='0'/>"
      L" <window name='cancel' id='2' pos='80,80,@60,@30' enable='0'/>"
      L"</root></SWUI>");
  ModalDriver drive(
      {[&] { PostMessageW(dlg.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); },
       [&] { PostMessageW(dlg.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); }, [&] { dlg.EndDialog(9); }},
      3000, [&] { dlg.EndDialog(-1); });
  CHECK(dlg.DoModal(nullptr) == 9);
}

TEST_CASE("a WM_QUIT that ends a dialog's loop is posted again for the loop outside") {
  HostHarness h;
  TestDialog dlg(kDialog);
  ModalDriver drive({[] { PostQuitMessage(42); }}, 3000, [&] { dlg.EndDialog(-1); });
  CHECK(dlg.DoModal(nullptr) == SHostDialog::kRunning);
  MSG msg;
  REQUIRE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  CHECK(msg.wParam == 42u);
  CHECK_FALSE(IsWindow(dlg.m_hWnd));
}

namespace {

// The framework's own message box template, loaded from the program's resources by the
// harness (SYS_XML_MSGBOX).
struct MsgBoxRig : HostHarness {
  MsgBoxRig() : HostHarness(true) { REQUIRE(GetMsgTemplate()); }
  ~MsgBoxRig() { ClearMsgTemplate(); }
};

// The box's element of a name inside the current button page.
SWindow* Shown(SMessageBoxImpl& box, LPCWSTR name) {
  auto* pages = box.GetRoot()->FindChildByName2<STabCtrl>(L"btnSwitch");
  REQUIRE(pages != nullptr);
  SWindow* page = pages->GetItem(pages->GetCurSel());
  REQUIRE(page != nullptr);
  CHECK(page->IsVisible(TRUE));
  return page->FindChildByName(name);
}

void ClickOn(SMessageBoxImpl& box, SWindow* wnd) {
  const RECT rc = wnd->GetWindowRect();
  const LPARAM pt = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  PostMessageW(box.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pt);
  PostMessageW(box.m_hWnd, WM_LBUTTONUP, 0, pt);
}

// Returns a caption of its own for "yes".
class CaptionedBox : public SMessageBoxImpl {
 protected:
  SStringW GetButtonText(int id) const override {
    return id == IDYES ? SStringW(L"Sure") : SStringW();
  }
};

}  // namespace

TEST_CASE_FIXTURE(MsgBoxRig,
                  "MB_YESNO|MB_ICONQUESTION: two buttons 6 and 7, the question icon, the prompt "
                  "title, a click on 7 gives 7") {
  SMessageBoxImpl box;
  ModalDriver drive(
      {[&] {
        SWindow* yes = Shown(box, L"button1st");
        SWindow* no = Shown(box, L"button2nd");
        REQUIRE(yes != nullptr);
        REQUIRE(no != nullptr);
        CHECK(Shown(box, L"button3rd") == nullptr);
        CHECK(yes->GetID() == IDYES);
        CHECK(no->GetID() == IDNO);
        CHECK(yes->GetWindowText() == SStringW(L"Yes"));
        CHECK(no->GetWindowText() == SStringW(L"No"));
        CHECK(box.GetRoot()->FindChildByName(L"msgtitle")->GetWindowText() == SStringW(L"prompt"));
        CHECK(box.GetRoot()->FindChildByName(L"msgtext")->GetWindowText() == SStringW(L"Really?"));
        auto* icon = box.GetRoot()->FindChildByName2<SIconWnd>(L"msgicon");
        REQUIRE(icon != nullptr);
        REQUIRE(icon->GetIcon() != nullptr);
        CHECK(IconPixels(icon->GetIcon()) == IconPixels(LoadIconW(nullptr, IDI_QUESTION)));
        CHECK(IconPixels(icon->GetIcon()) != IconPixels(LoadIconW(nullptr, IDI_HAND)));
        RECT rc;
        GetWindowRect(box.m_hWnd, &rc);
        CHECK(rc.right - rc.left == 280);  // at least minSize
        CHECK(rc.bottom - rc.top == 150);
        CHECK(HostHarness::SavePng(box, L"msgbox_yesno_question"));
        ClickOn(box, no);
      }},
      3000, [&] { box.EndDialog(-1); });
  CHECK(box.MessageBox(nullptr, L"Really?", L"", MB_YESNO | MB_ICONQUESTION) == IDNO);
  CHECK_FALSE(drive.TimedOut());
}

TEST_CASE_FIXTURE(
    MsgBoxRig,
    "message boxes: close box, unknown type bits, long texts, captions of the program, no icon") {
  std::wstring longText;
  for (int i = 0; i < 60; ++i) longText += L"words ";
  {
    SMessageBoxImpl box;
    ModalDriver drive({[&] { PostMessageW(box.m_hWnd, WM_CLOSE, 0, 0); }}, 3000,
                      [&] { box.EndDialog(-1); });
    CHECK(box.MessageBox(nullptr, L"x", L"Title", MB_YESNOCANCEL) == IDCANCEL);
  }
  {
    // Low bits beyond the six sets: an OK box. Its title is the caption; no icon bits hide
    // the icon; the size follows the text.
    SMessageBoxImpl box;
    ModalDriver drive(
        {[&] {
          SWindow* ok = Shown(box, L"button1st");
          REQUIRE(ok != nullptr);
          CHECK(ok->GetID() == IDOK);
          CHECK(Shown(box, L"button2nd") == nullptr);
          CHECK(box.GetRoot()->FindChildByName(L"msgtitle")->GetWindowText() == SStringW(L"Title"));
          CHECK_FALSE(box.GetRoot()->FindChildByName(L"msgicon")->IsVisible(FALSE));
          SWindow* text = box.GetRoot()->FindChildByName(L"msgtext");
          const SIZE desired = text->GetDesiredSize(-1, -1);
          RECT rc;
          GetWindowRect(box.m_hWnd, &rc);
          CHECK(rc.right - rc.left == std::max<LONG>(280, desired.cx + 20 + 60));
          CHECK(rc.bottom - rc.top == std::max<LONG>(150, desired.cy + 50 + 56));
          // The text spans its parent's height.
          CHECK(text->GetWindowRect().top == 50);
          CHECK(text->GetWindowRect().bottom == (rc.bottom - rc.top) - 56);
          CHECK(HostHarness::SavePng(box, L"msgbox_long_text"));
          // The box is as tall as the text draws: the rows between the text's area and the
          // buttons hold only the background.
          IRenderTarget* rt = box.GetMemRenderTarget();
          const DWORD background = rt->GetPixel(5, rc.bottom - rc.top - 53) & 0xFFFFFF;
          int strays = 0;
          for (int y = rc.bottom - rc.top - 56; y < rc.bottom - rc.top - 50; ++y) {
            for (int x = 60; x < rc.right - rc.left - 20; ++x) {
              if ((rt->GetPixel(x, y) & 0xFFFFFF) != background) ++strays;
            }
          }
          CHECK(strays == 0);
          PostMessageW(box.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
        }},
        3000, [&] { box.EndDialog(-1); });
    CHECK(box.MessageBox(nullptr, longText.c_str(), L"Title", 0x0F) == IDOK);
  }
  {
    CaptionedBox box;
    ModalDriver drive({[&] {
                        CHECK(Shown(box, L"button1st")->GetWindowText() == SStringW(L"Sure"));
                        CHECK(Shown(box, L"button2nd")->GetWindowText() == SStringW(L"No"));
                        ClickOn(box, Shown(box, L"button1st"));
                      }},
                      3000, [&] { box.EndDialog(-1); });
    CHECK(box.MessageBox(nullptr, L"x", L"t", MB_YESNO) == IDYES);
  }
}

TEST_CASE_FIXTURE(MsgBoxRig, "button captions are kept to 19 characters") {
  pugi::xml_document doc;
  doc.append_copy(GetMsgTemplate());
  doc.child(L"SWUI").child(L"buttonText").child(L"ok").text().set(L"ABCDEFGHIJKLMNOPQRSTUVWXY");
  REQUIRE(SetMsgTemplate(doc.child(L"SWUI")));
  SMessageBoxImpl box;
  ModalDriver drive(
      {[&] {
        CHECK(Shown(box, L"button1st")->GetWindowText() == SStringW(L"ABCDEFGHIJKLMNOPQRS"));
        box.EndDialog(IDOK);
      }},
      3000, [&] { box.EndDialog(-1); });
  CHECK(box.MessageBox(nullptr, L"x", L"t", MB_OK) == IDOK);
}

namespace {

struct SystemBoxCall {
  HWND owner;
  std::wstring text;
  std::wstring caption;
  UINT type;
};
std::vector<SystemBoxCall> g_systemBoxCalls;

int WINAPI RecordSystemBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  g_systemBoxCalls.push_back(SystemBoxCall{owner, text, caption, type});
  return IDRETRY;
}

}  // namespace

TEST_CASE("without a template the system's message box answers, through its replaceable function") {
  HostHarness h;
  ClearMsgTemplate();
  SMessageBoxImpl::BindSystemMessageBox(&RecordSystemBox);
  g_systemBoxCalls.clear();
  CHECK(SMessageBox(nullptr, L"text", L"caption", MB_RETRYCANCEL) == IDRETRY);
  SMessageBoxImpl::BindSystemMessageBox(nullptr);
  REQUIRE(g_systemBoxCalls.size() == 1);
  CHECK(g_systemBoxCalls[0].text == L"text");
  CHECK(g_systemBoxCalls[0].caption == L"caption");
  CHECK(g_systemBoxCalls[0].type == static_cast<UINT>(MB_RETRYCANCEL));
}

namespace {

struct DropRig : HostHarness {
  DropRig() {
    app.TplRegisterFactory<DropOwnerWnd>();
    Open(
        L"<SWUI width='200' height='100'><root><dropowner name='combo' "
        L"pos='10,10,@100,@20'/></root></SWUI>");
    owner = Find<DropOwnerWnd>(L"combo");
  }
  DropOwnerWnd* owner = nullptr;
};

}  // namespace

TEST_CASE_FIXTURE(DropRig,
                  "a drop-down ends with IDCANCEL outside itself, on Escape, losing the capture, "
                  "the focus or the application; IDOK on Return") {
  HWND stranger = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  REQUIRE(stranger != nullptr);
  struct Case {
    const char* what;
    std::function<void(SDropDownWnd&)> act;
    UINT code;
  };
  const Case cases[] = {
      {"press outside",
       [](SDropDownWnd& d) {
         SendMessageW(d.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, -5));
       },
       IDCANCEL},
      {"Return", [](SDropDownWnd& d) { SendMessageW(d.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
      {"Escape", [](SDropDownWnd& d) { SendMessageW(d.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); },
       IDCANCEL},
      {"press inside, release outside",
       [](SDropDownWnd& d) {
         SendMessageW(d.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
         SendMessageW(d.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
       },
       IDCANCEL},
      {"application deactivated",
       [](SDropDownWnd& d) { SendMessageW(d.m_hWnd, WM_ACTIVATEAPP, FALSE, 0); }, IDCANCEL},
      {"focus to another window",
       [&](SDropDownWnd& d) {
         SendMessageW(d.m_hWnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(stranger), 0);
       },
       IDCANCEL},
      {"capture taken by another window",
       [&](SDropDownWnd& d) {
         SetCapture(d.m_hWnd);
         SetCapture(stranger);
         ReleaseCapture();
       },
       IDCANCEL},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    owner->created = owner->destroyed = 0;
    SDropDownWnd drop(owner);
    RECT rc = {300, 300, 400, 400};
    REQUIRE(drop.Create(&rc, nullptr));
    CHECK(owner->created == 1);
    CHECK(GetWindow(drop.m_hWnd, GW_OWNER) == Hwnd());
    c.act(drop);
    CHECK(drop.GetExitCode() == c.code);
    CHECK(drop.m_hWnd == nullptr);
    CHECK(owner->destroyed == 1);
    drop.EndDropDown(IDOK);  // once ended it stays ended
    CHECK(drop.GetExitCode() == c.code);
  }
  DestroyWindow(stranger);
}

TEST_CASE_FIXTURE(
    DropRig,
    "a drop-down swallows a release it saw no press for, keeps clicks inside and never activates") {
  SDropDownWnd drop(owner);
  RECT rc = {300, 300, 400, 400};
  REQUIRE(drop.Create(&rc, nullptr));
  SendMessageW(drop.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  CHECK(drop.GetExitCode() == SDropDownWnd::kOpen);
  SendMessageW(drop.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(drop.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
  CHECK(drop.GetExitCode() == SDropDownWnd::kOpen);
  CHECK(SendMessageW(drop.m_hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Hwnd()), 0) ==
        MA_NOACTIVATEANDEAT);
  CHECK(drop.GetExitCode() == SDropDownWnd::kOpen);
  drop.EndDropDown(IDOK);
  CHECK(drop.GetExitCode() == static_cast<UINT>(IDOK));
  CHECK(owner->created == 1);
  CHECK(owner->destroyed == 1);
}
