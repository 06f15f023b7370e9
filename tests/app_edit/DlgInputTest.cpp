// The input dialog (the program's "LAYOUT:XML_INPUTDLG"): what it shows, the texts it refuses
// with a tip beside the edit while it stays, and how it ends.
#include <doctest/doctest.h>

#include <functional>
#include <string>

#include "HostHarness.h"
#include "ModalDriver.h"
#include "control/SRichEdit.h"
#include "core/EventCmd.h"
#include "controls/CTipWnd.h"
#include "controls/SDlgInput.h"

using namespace SWUI;

namespace {

SRichEdit* EditOf(SDlgInput& dlg) {
  SRichEdit* edit = dlg.GetRoot()->FindChildByName2<SRichEdit>(L"txt_input");
  REQUIRE(edit != nullptr);
  return edit;
}

std::wstring TipText() {
  if (CTipWnd::GetInstance() == nullptr) return L"(no tip)";
  SWindow* text = CTipWnd::GetInstance()->GetRoot()->FindChildByName(L"txt_tip");
  REQUIRE(text != nullptr);
  return std::wstring(text->GetWindowText());
}

void Command(SDlgInput& dlg, LPCWSTR name) {
  SWindow* wnd = dlg.GetRoot()->FindChildByName(name);
  REQUIRE(wnd != nullptr);
  wnd->FireCommand();
}

// A command from an element of the id other than the dialog's buttons.
std::function<void(SDlgInput&)> IdCommand(int id) {
  return [id](SDlgInput& dlg) {
    EventCmd evt(nullptr);
    evt.idFrom = id;
    dlg.HandleEvent(&evt);
  };
}

struct Outcome {
  INT_PTR result = 0;
  std::wstring tip;          // the refusal shown, if any
  bool tipAfter = false;     // a tip showed when the dialog had ended
  bool stayed = false;       // still running after OK
  bool editFocused = false;  // the edit has the focus again after the refusal
  POINT tipAnchor = {0, 0};  // the tip's bottom-left corner
  POINT expectedAnchor = {0, 0};
};

// Puts text into the edit, presses OK, reads what happened and, when the dialog stayed,
// cancels it.
Outcome RunOk(SDlgInput& dlg, const wchar_t* text) {
  Outcome out;
  CTipWnd::HideTip();
  ModalDriver drive({[&] { EditOf(dlg)->SetWindowText(text); },
                     [&] { Command(dlg, L"btnOK"); },
                     [&] {
                       out.stayed = dlg.GetResult() == SHostDialog::kRunning;
                       out.tip = TipText();
                       out.editFocused = EditOf(dlg)->IsFocused();
                       if (CTipWnd* tip = CTipWnd::GetInstance()) {
                         RECT rc;
                         GetWindowRect(tip->m_hWnd, &rc);
                         out.tipAnchor = POINT{rc.left, rc.bottom};
                       }
                       const RECT edit = EditOf(dlg)->GetWindowRect();
                       out.expectedAnchor = POINT{edit.left + 50, edit.top + 15};
                       ClientToScreen(dlg.m_hWnd, &out.expectedAnchor);
                       if (out.stayed) Command(dlg, L"btnCancel");
                     }});
  out.result = dlg.DoModal(nullptr);
  CHECK_FALSE(drive.TimedOut());
  out.tipAfter = CTipWnd::GetInstance() != nullptr;
  CTipWnd::HideTip();
  return out;
}

}  // namespace

TEST_CASE("the input dialog shows its title and text, selected, in the focused edit") {
  HostHarness h(true);
  const struct {
    const wchar_t* title;
    const wchar_t* shown;
  } cases[] = {{L"Rename", L"Rename"}, {L"", L"Input"}};
  for (const auto& c : cases) {
    SDlgInput dlg(L"Mode 1", c.title, 20);
    CHECK(dlg.GetTitle() == c.shown);
    std::wstring title;
    CHARRANGE sel = {0, 0};
    bool focused = false;
    int limit = 0;
    ModalDriver drive({[&] {
      title = dlg.GetRoot()->FindChildByName(L"txt_title")->GetWindowText().c_str();
      SRichEdit* edit = EditOf(dlg);
      edit->SSendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
      focused = edit->IsFocused();
      limit = edit->GetLimitText();
    },
                       [&] {
                         HostHarness::SavePng(dlg, L"dlginput", 1);
                         dlg.EndDialog(IDCANCEL);
                       }});
    CHECK(dlg.DoModal(nullptr) == IDCANCEL);
    CHECK(title == c.shown);
    CHECK(focused);
    CHECK(sel.cpMin == 0);
    CHECK(sel.cpMax >= 6);
    CHECK(limit == 20);
    CHECK(dlg.GetText() == L"Mode 1");  // cancelled: the initial text
  }
}

TEST_CASE("the input dialog refuses with a tip beside the edit and stays") {
  HostHarness h(true);
  const struct {
    const wchar_t* text;
    int maxLength;
    const wchar_t* forbidden;
    const wchar_t* tip;
  } cases[] = {
      {L"   ", 20, L"", L"输入文本不能为空\uFF01"},
      {L"", -1, L"", L"输入文本不能为空\uFF01"},
      {L"123456789", 8, L"", L"输入的字符个数大于8\uFF01"},
      {L"  12345678  ", 8, L"", nullptr},  // trimmed first: 8 characters
      {L"a/b", 20, L"/\\", L"不能包含字符\u201C/\\\u201D"},
      {L"a\\b", -1, L"/\\", L"不能包含字符\u201C/\\\u201D"},
      {L"ab", 20, L"/\\", nullptr},
  };
  for (const auto& c : cases) {
    CAPTURE(std::wstring(c.text));
    SDlgInput dlg(L"", L"Name", c.maxLength);
    dlg.SetForbiddenChars(c.forbidden);
    const Outcome out = RunOk(dlg, c.text);
    if (c.tip == nullptr) {
      CHECK(out.result == IDOK);
      CHECK_FALSE(out.tipAfter);
      CHECK(dlg.GetText() == SStringW(c.text).Trim());
      continue;
    }
    CHECK(out.stayed);
    CHECK(out.result == IDCANCEL);
    CHECK(out.tip == c.tip);
    CHECK(out.editFocused);
    CHECK(out.tipAnchor.x == out.expectedAnchor.x);
    CHECK(out.tipAnchor.y == out.expectedAnchor.y);
  }
}

TEST_CASE("the input dialog with empty text allowed takes blanks untrimmed") {
  HostHarness h(true);
  SDlgInput dlg(L"", L"Name", 8);
  dlg.SetAllowEmpty(true);
  const Outcome out = RunOk(dlg, L"   ");
  CHECK(out.result == IDOK);
  CHECK(dlg.GetText() == L"   ");
}

TEST_CASE("without a maximum the input dialog's edit keeps its own limit") {
  HostHarness h(true);
  SDlgInput dlg(L"", L"Name", -1);
  int limit = 0;
  std::wstring typed;
  ModalDriver drive({[&] { limit = EditOf(dlg)->GetLimitText(); },
                     [&] { EditOf(dlg)->SetSel(MAKELONG(0, 0)); },
                     [&] { PostMessageW(dlg.m_hWnd, WM_CHAR, L'x', 0); },
                     [&] {
                       typed = EditOf(dlg)->GetWindowText().c_str();
                       Command(dlg, L"btnOK");
                     }});
  CHECK(dlg.DoModal(nullptr) == IDOK);
  CHECK(limit == 32767);
  CHECK(typed == L"x");
  CHECK(dlg.GetText() == L"x");
}

TEST_CASE("the input dialog ends: Return and any id-1 command validate, the rest cancel") {
  HostHarness h(true);
  struct Case {
    const wchar_t* how;
    const wchar_t* text;
    std::function<void(SDlgInput&)> act;
    INT_PTR result;
  };
  const Case cases[] = {
      {L"Return", L"ok", [](SDlgInput& d) { PostMessageW(d.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); },
       IDOK},
      {L"another id-1 command", L"ok", IdCommand(IDOK), IDOK},
      {L"another id-2 command", L"ok", IdCommand(IDCANCEL), IDCANCEL},
      {L"close box", L"ok", [](SDlgInput& d) { Command(d, L"btn_close"); }, IDCANCEL},
      {L"Cancel", L"ok", [](SDlgInput& d) { Command(d, L"btnCancel"); }, IDCANCEL},
      {L"Escape", L"ok", [](SDlgInput& d) { PostMessageW(d.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); },
       IDCANCEL},
      {L"Return with blanks", L"  ",
       [](SDlgInput& d) { PostMessageW(d.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); },
       SHostDialog::kRunning},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.how));
    SDlgInput dlg(L"", L"Name", 20);
    INT_PTR during = 0;
    ModalDriver drive({[&] { EditOf(dlg)->SetWindowText(c.text); }, [&] { c.act(dlg); },
                       [&] {
                         during = dlg.GetResult();
                         dlg.EndDialog(7);
                       }});
    const INT_PTR result = dlg.DoModal(nullptr);
    if (c.result == SHostDialog::kRunning) {
      CHECK(during == SHostDialog::kRunning);  // refused: still running at the next step
      CHECK(result == 7);
    } else {
      CHECK(result == c.result);
    }
    CTipWnd::HideTip();
  }
}
