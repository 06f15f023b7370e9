// Return in an edit of a modal dialog: without "wantReturn" it is the dialog's (its id-1
// button fires and ends it with IDOK), with it the edit's own.
#include <doctest/doctest.h>

#include "HostHarness.h"
#include "ModalDriver.h"
#include "control/SRichEdit.h"
#include "core/SHostDialog.h"

using namespace SWUI;

namespace {

// A dialog built from layout text when WM_INITDIALOG arrives.
class EditDialog : public SHostDialog {
 public:
  explicit EditDialog(const wchar_t* layout) { REQUIRE(doc_.load_string(layout)); }

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override {
    if (mapId == 0 && hWnd == m_hWnd && msg == WM_INITDIALOG) {
      InitFromXml(doc_.child(L"SWUI"), 0, 0);
      lResult = FALSE;
      return TRUE;
    }
    return SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
  }

  SRichEdit* Edit() const {
    SWindow* wnd = GetRoot()->FindChildByName(L"e");
    REQUIRE(wnd != nullptr);
    return static_cast<SRichEdit*>(wnd);
  }

 private:
  pugi::xml_document doc_;
};

}  // namespace

TEST_CASE("Return in a single-line edit ends the dialog through its id-1 button") {
  HostHarness h(true);
  struct Case {
    const wchar_t* layout;
    INT_PTR expected;
    LRESULT lines;
  } cases[] = {
      {L"<SWUI width='200' height='120'><root colorBkgnd='#ffffff'>"
       L"<edit name='e' pos='10,10,@180,@24' text='abc'/>"
       L"<window name='ok' id='1' pos='10,80,@60,@30'/></root></SWUI>",
       IDOK, 1},
      {L"<SWUI width='200' height='120'><root colorBkgnd='#ffffff'>"
       L"<edit name='e' pos='10,10,@180,@60' text='abc' multiLines='1' wantReturn='1'/>"
       L"<window name='ok' id='1' pos='10,80,@60,@30'/></root></SWUI>",
       9, 2},
  };
  for (const Case& c : cases) {
    CAPTURE(c.expected);
    EditDialog dlg(c.layout);
    LRESULT lines = 0;
    ModalDriver drive({[&] {
                         dlg.Edit()->SetFocus();
                         dlg.Edit()->SetSel(MAKELONG(3, 3));
                       },
                       [&] { PostMessageW(dlg.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); },
                       [&] {
                         lines = dlg.Edit()->SSendMessage(EM_GETLINECOUNT);
                         dlg.EndDialog(9);
                       }});
    CHECK(dlg.DoModal(nullptr) == c.expected);
    CHECK_FALSE(drive.TimedOut());
    if (c.expected == 9) CHECK(lines == c.lines);
  }
}
