// Attributes of the rich edit after loading, its RTF sources and files, its desired size and
// the default formats as the text services draw them.
#include <doctest/doctest.h>

#include <string>

#include "RichEditRig.h"
#include "res.mgr/SResProviderFiles.h"

using namespace SWUI;

namespace {

// A fresh folder under the temporary folder, with its path ending in a backslash.
std::wstring TempFolder(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  REQUIRE(GetTempPathW(MAX_PATH, dir) != 0);
  std::wstring path = std::wstring(dir) + name + L"\\";
  CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  REQUIRE(file != INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  REQUIRE(written == bytes.size());
}

const char kRtf[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 from rtf\\par}";

bool IsRed(DWORD px) {
  return ((px >> 16) & 0xFF) > 160 && ((px >> 8) & 0xFF) < 90 && (px & 0xFF) < 90;
}

}  // namespace

TEST_CASE("rtf: a resource by type:name, else a file (a drive letter is no type), later at once") {
  const std::wstring dir = TempFolder(L"swui_richedit_rtf");
  WriteBytes(dir + L"doc.rtf", kRtf);
  WriteBytes(dir + L"uires.idx",
             "<resource><RTF><file name=\"doc\" path=\"doc.rtf\"/></RTF></resource>");
  RichEditRig r;
  auto* files = new SResProviderFiles();
  REQUIRE(files->Init(reinterpret_cast<WPARAM>(dir.c_str()), 0));
  r.rig.app.AddResProvider(files);
  files->Release();

  const std::wstring path = dir + L"doc.rtf";
  REQUIRE(path.find(L':') != std::wstring::npos);
  std::wstring xml = L"<root><richedit name='res' pos='0,0,200,30' rtf='RTF:doc' text='no'/>";
  xml += L"<richedit name='file' pos='0,30,200,60' rtf='" + path + L"'/>";
  xml += L"<richedit name='later' pos='0,60,200,90' text='before'/></root>";
  r.Load(xml.c_str());
  CHECK(r.Edit(L"res")->GetWindowText() == L"from rtf");
  CHECK(r.Edit(L"file")->GetWindowText() == L"from rtf");

  SRichEdit* later = r.Edit(L"later");
  later->SetAttribute(SStringW(L"rtf"), SStringW(L"RTF:doc"), FALSE);
  CHECK(later->GetWindowText() == L"from rtf");
  // Neither a resource nor a file: the text stays.
  later->SetWindowText(L"kept");
  later->SetAttribute(SStringW(L"rtf"), SStringW(L"RTF:missing"), FALSE);
  CHECK(later->GetWindowText() == L"kept");
  CHECK_FALSE(later->LoadRtf((dir + L"missing.rtf").c_str()));

  // What one edit saves another loads.
  later->SetWindowText(L"saved and loaded");
  REQUIRE(later->SaveRtf((dir + L"out.rtf").c_str()));
  SRichEdit* res = r.Edit(L"res");
  REQUIRE(res->LoadRtf((dir + L"out.rtf").c_str()));
  CHECK(res->GetWindowText() == L"saved and loaded");
}

TEST_CASE("attributes after loading reach the text services") {
  RichEditRig r;
  r.Load(L"<root><richedit name='e' pos='0,0,200,40' text='Red text here'/></root>");
  SRichEdit* e = r.Edit(L"e");
  CHECK(r.CountInClient(e, IsRed) == 0);

  CHECK(SUCCEEDED(e->SetAttribute(SStringW(L"colorText"), SStringW(L"#ff0000"), FALSE)));
  CHECK(e->GetDefaultCharFormat().crTextColor == RGB(255, 0, 0));
  CHECK(r.CountInClient(e, IsRed) > 20);
  CHECK(e->SetDefaultTextColor(RGB(0, 0, 255)) == RGB(255, 0, 0));
  CHECK(r.CountInClient(e, IsRed) == 0);

  // (Wine's text services read the paragraph format only when they start: the alignment
  // after loading shows on Windows alone.)
  CHECK(e->SetAttribute(SStringW(L"align"), SStringW(L"center"), FALSE) == S_OK);
  CHECK(e->GetDefaultParaFormat().wAlignment == PFA_CENTER);
  CHECK((e->GetStyleBits() & ES_CENTER) != 0u);
  e->SetAttribute(SStringW(L"align"), SStringW(L"left"), FALSE);
  CHECK(e->GetDefaultParaFormat().wAlignment == PFA_LEFT);
  CHECK((e->GetStyleBits() & (ES_CENTER | ES_RIGHT)) == 0u);

  // A multi-line edit takes Return once told so.
  e->SetAttribute(SStringW(L"multiLines"), SStringW(L"1"), FALSE);
  e->SetAttribute(SStringW(L"wantReturn"), SStringW(L"1"), FALSE);
  e->SetSel(MAKELONG(3, 3));
  CHECK(RichEditRig::Key(e, VK_RETURN));
  CHECK(e->SSendMessage(EM_GETLINECOUNT) == 2);

  // Read-only stops typing.
  e->SetReadOnly(TRUE);
  e->SetWindowText(L"fixed");
  RichEditRig::Type(e, L"x");
  CHECK(e->GetWindowText() == L"fixed");

  CHECK(e->SetAttribute(SStringW(L"inset"), SStringW(L"1,2,3"), FALSE) == E_FAIL);
  CHECK(e->SetAttribute(SStringW(L"unknownName"), SStringW(L"1"), FALSE) == E_FAIL);
}

TEST_CASE("the alignment given in the layout is the paragraphs' when the text services start") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<richedit name='left' pos='0,0,200,30' text='Aligned'/>"
      L"<richedit name='right' pos='0,30,200,60' text='Aligned' align='right'/>"
      L"</root>");
  r.rig.Paint();
  CHECK(r.rig.render.CountIn(RECT{0, 0, 60, 30}, IsInk) > 0);
  CHECK(r.rig.render.CountIn(RECT{140, 0, 200, 30}, IsInk) == 0);
  CHECK(r.rig.render.CountIn(RECT{0, 30, 60, 60}, IsInk) == 0);
  CHECK(r.rig.render.CountIn(RECT{140, 30, 200, 60}, IsInk) > 0);
}

TEST_CASE("a password edit keeps its text but draws the password character") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='pw' pos='0,0,200,30' password='1' passwordChar='#' text='secret'/>"
      L"<edit name='plain' pos='0,30,200,60' text='######'/>"
      L"</root>");
  SRichEdit* pw = r.Edit(L"pw");
  CHECK(pw->GetWindowText() == L"secret");
  // The same ink as six '#' drawn plainly.
  const int masked = r.CountInClient(pw, IsInk);
  CHECK(masked > 0);
  CHECK(masked == r.CountInClient(r.Edit(L"plain"), IsInk));
}

TEST_CASE("the desired size is the text's plus the inset on each axis that wraps") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<richedit name='bare' pos='0,0' text='Sized'/>"
      L"<richedit name='inset' pos='0,40' text='Sized' inset='5,3,7,2'/>"
      L"<richedit name='fixed' pos='0,80,@100,@30' text='Sized' inset='5,3,7,2'/>"
      L"</root>");
  const SIZE bare = r.Edit(L"bare")->GetDesiredSize(nullptr);
  const SIZE inset = r.Edit(L"inset")->GetDesiredSize(nullptr);
  CHECK(bare.cx > 0);
  CHECK(inset.cx == bare.cx + 12);
  CHECK(inset.cy == bare.cy + 5);
  const SIZE fixed = r.Edit(L"fixed")->GetDesiredSize(nullptr);
  CHECK(fixed.cx == 100);
  CHECK(fixed.cy == 30);
}

TEST_CASE("at scale 200 the inset doubles and the text is measured once, as any element's") {
  RichEditRig r;
  r.container.scale = 200;
  r.Load(
      L"<root>"
      L"<window name='plain' pos='0,0' text='Sized'/>"
      L"<richedit name='bare' pos='0,40' text='Sized'/>"
      L"<richedit name='inset' pos='0,80' text='Sized' inset='5,3,7,2'/>"
      L"</root>");
  const SIZE plain = r.rig.Find(L"plain")->GetDesiredSize(nullptr);
  const SIZE bare = r.Edit(L"bare")->GetDesiredSize(nullptr);
  const SIZE inset = r.Edit(L"inset")->GetDesiredSize(nullptr);
  CHECK(bare.cx == plain.cx);
  CHECK(bare.cy == plain.cy);
  CHECK(inset.cx == bare.cx + 24);
  CHECK(inset.cy == bare.cy + 10);
}
