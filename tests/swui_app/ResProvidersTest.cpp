// The PE provider over the test program's own resources, the folder provider over an index,
// and their factory.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "RawRead.h"
#include "TempFolder.h"
#include "res.mgr/SResKey.h"
#include "res.mgr/SResProviderFactory.h"
#include "res.mgr/SResProviderFiles.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

TEST_CASE("the PE provider serves string-typed resources of the test program") {
  SResProviderPE pe;
  CHECK_FALSE(pe.Init(0, 0));
  REQUIRE(pe.Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));

  CHECK(pe.HasResource(L"TEXTDATA", L"TEXT_HELLO"));
  CHECK(pe.HasResource(L"textdata", L"text_hello"));
  CHECK(ReadRaw(pe, L"TEXTDATA", L"TEXT_HELLO") == "hello resource");
  CHECK(ReadRaw(pe, L"LAYOUT", L"XML_TEST") == "<layout name=\"test\"/>\n");
  CHECK_FALSE(pe.HasResource(L"LAYOUT", L"TEXT_HELLO"));
  CHECK(pe.GetRawBufferSize(L"LAYOUT", L"NOPE") == 0);
  CHECK(pe.LoadImage(L"LAYOUT", L"NOPE") == nullptr);

  CHECK(RefusesShortBuffer(pe, L"TEXTDATA", L"TEXT_HELLO"));
  char buf[32];
  CHECK_FALSE(pe.GetRawBuffer(L"TEXTDATA", L"NOPE", buf, sizeof(buf)));
}

namespace {

// Writes the headers of a DLL that holds no section and so no resources.
std::string ModuleWithoutResources() {
  std::string file(0x200, '\0');
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(&file[0]);
  dos->e_magic = IMAGE_DOS_SIGNATURE;
  dos->e_lfanew = 0x40;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(&file[0x40]);
  nt->Signature = IMAGE_NT_SIGNATURE;
  nt->FileHeader.Machine = IMAGE_FILE_MACHINE_I386;
  nt->FileHeader.SizeOfOptionalHeader = sizeof(IMAGE_OPTIONAL_HEADER32);
  nt->FileHeader.Characteristics = IMAGE_FILE_EXECUTABLE_IMAGE | IMAGE_FILE_32BIT_MACHINE | IMAGE_FILE_DLL;
  IMAGE_OPTIONAL_HEADER32& opt = nt->OptionalHeader;
  opt.Magic = IMAGE_NT_OPTIONAL_HDR32_MAGIC;
  opt.ImageBase = 0x10000000;
  opt.SectionAlignment = 0x1000;
  opt.FileAlignment = 0x200;
  opt.MajorOperatingSystemVersion = 4;
  opt.MajorSubsystemVersion = 4;
  opt.SizeOfImage = 0x1000;
  opt.SizeOfHeaders = 0x200;
  opt.Subsystem = IMAGE_SUBSYSTEM_WINDOWS_GUI;
  opt.NumberOfRvaAndSizes = IMAGE_NUMBEROF_DIRECTORY_ENTRIES;
  return file;
}

}  // namespace

TEST_CASE("the PE provider refuses a module without resources") {
  TempFolder dir;
  std::wstring path = dir.Write(L"nores.dll", ModuleWithoutResources());
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  REQUIRE(module != nullptr);
  SResProviderPE pe;
  CHECK_FALSE(pe.Init(reinterpret_cast<WPARAM>(module), 0));
  FreeLibrary(module);
}

TEST_CASE("the PE provider finds cursor groups and animated cursors by the type word") {
  SResProviderPE pe;
  REQUIRE(pe.Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  for (LPCWSTR type : {L"CURSOR", L"cursor", L"Cursor"}) {
    CHECK(pe.HasResource(type, L"CUR_PLAIN"));
    CHECK(pe.HasResource(type, L"CUR_ANI"));  // only an animated cursor carries this name
  }
  CHECK(pe.GetRawBufferSize(L"cursor", L"CUR_ANI") == 402);
  std::string ani(402, '\0');
  REQUIRE(pe.GetRawBuffer(L"cursor", L"CUR_ANI", &ani[0], ani.size()));
  CHECK(ani.compare(0, 4, "RIFF") == 0);

  HCURSOR plain = pe.LoadCursor(L"CUR_PLAIN");
  HCURSOR animated = pe.LoadCursor(L"CUR_ANI");
  CHECK(plain != nullptr);
  CHECK(animated != nullptr);
  if (animated != nullptr) DestroyCursor(animated);
  CHECK(pe.LoadCursor(L"NO_CURSOR") == nullptr);
}

TEST_CASE("the PE provider maps the standard type words in any case") {
  struct Case {
    LPCWSTR text;
    LPCWSTR type;
  };
  for (Case c : {Case{L"BITMAP", RT_BITMAP}, Case{L"icon", RT_GROUP_ICON},
                 Case{L"Cursor", RT_GROUP_CURSOR}, Case{L"html", RT_HTML}}) {
    CHECK(SResProviderPE::MapResourceType(c.text) == c.type);
  }
  CHECK(wcscmp(SResProviderPE::MapResourceType(L"LAYOUT"), L"LAYOUT") == 0);
}

TEST_CASE("resource keys ignore case and refuse what does not fit") {
  SResKey a, b;
  REQUIRE(a.Assign(L"LAYOUT", L"XML_Main"));
  REQUIRE(b.Assign(L"layout", L"xml_main"));
  CHECK(a == b);
  CHECK(a.Hash() == b.Hash());
  CHECK(std::wstring(a.Type()) == L"layout");

  // hash * 33 + character over the type, then the name.
  SResKey small;
  REQUIRE(small.Assign(L"a", L"b"));
  CHECK(small.Hash() == size_t(L'a') * 33 + L'b');

  CHECK(a.Assign(std::wstring(29, L't').c_str(), std::wstring(99, L'n').c_str()));
  CHECK_FALSE(a.Assign(std::wstring(30, L't').c_str(), L"n"));
  CHECK_FALSE(a.Assign(L"t", std::wstring(100, L'n').c_str()));
  CHECK_FALSE(a.Assign(L"t", nullptr));
  CHECK_FALSE(a.Assign(nullptr, L"n"));
  CHECK(std::wstring(a.Type()).empty());
}

TEST_CASE("the folder provider reads its index; a later duplicate wins") {
  TempFolder dir;
  dir.Write(L"first.xml", "first");
  dir.Write(L"Second.xml", "second");
  dir.Write(L"uires.idx",
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
            "<resource>\n"
            "  <LAYOUT>\n"
            "    <file name=\"xml_main\" path=\"first.xml\"/>\n"
            "    <file name=\"XML_MAIN\" path=\"Second.xml\"/>\n"
            "    <file name=\"no_path\"/>\n"
            "    <file path=\"first.xml\"/>\n"
            "    <file name=\"" + std::string(100, 'n') + "\" path=\"first.xml\"/>\n"
            "  </LAYOUT>\n"
            "  <IMG><file name=\"logo\" path=\"first.xml\"/></IMG>\n"
            "</resource>\n");
  SResProviderFiles files;
  REQUIRE(files.Init(reinterpret_cast<WPARAM>(dir.Path().c_str()), 0));

  CHECK(files.HasResource(L"Layout", L"XML_MAIN"));
  CHECK(ReadRaw(files, L"layout", L"xml_main") == "second");
  CHECK(std::wstring(files.GetResPath(L"LAYOUT", L"xml_main")) == dir.Path() + L"\\Second.xml");
  CHECK(std::wstring(files.GetResPath(L"LAYOUT", L"no_path")) == dir.Path() + L"\\");
  CHECK_FALSE(files.HasResource(L"LAYOUT", nullptr));  // never the index's nameless entry
  CHECK(ReadRaw(files, L"IMG", L"logo") == "first");
  CHECK_FALSE(files.HasResource(L"IMG", L"xml_main"));
  CHECK_FALSE(files.HasResource(L"LAYOUT", std::wstring(100, L'n').c_str()));
  CHECK_FALSE(files.HasResource(L"LAYOUT", std::wstring(99, L'n').c_str()));
  CHECK(RefusesShortBuffer(files, L"LAYOUT", L"xml_main"));
}

TEST_CASE("the folder provider fails without a well-formed index, keeping the folder it had") {
  struct Case {
    const char* what;
    const char* index;  // null: no index file
  };
  TempFolder good;
  good.Write(L"main.xml", "main");
  good.Write(L"uires.idx",
             "<resource><LAYOUT><file name='main' path='main.xml'/></LAYOUT></resource>");
  for (Case c : {Case{"missing", nullptr}, Case{"malformed", "<resource><LAYOUT>"},
                 Case{"wrong root", "<resources><LAYOUT/></resources>"}}) {
    CAPTURE(c.what);
    TempFolder dir;
    if (c.index != nullptr) dir.Write(L"uires.idx", c.index);
    SResProviderFiles files;
    CHECK_FALSE(files.Init(reinterpret_cast<WPARAM>(dir.Path().c_str()), 0));
    CHECK_FALSE(files.HasResource(L"LAYOUT", L"main"));

    REQUIRE(files.Init(reinterpret_cast<WPARAM>(good.Path().c_str()), 0));
    CHECK_FALSE(files.Init(reinterpret_cast<WPARAM>(dir.Path().c_str()), 0));
    CHECK(ReadRaw(files, L"LAYOUT", L"main") == "main");
    CHECK(std::wstring(files.GetFolder()) == good.Path());
  }
}

TEST_CASE("CreateResProvider makes the two kinds and nothing else") {
  IResProvider* provider = nullptr;
  REQUIRE(CreateResProvider(RES_PE, &provider));
  CHECK(dynamic_cast<SResProviderPE*>(provider) != nullptr);
  provider->Release();
  REQUIRE(CreateResProvider(RES_FILE, &provider));
  CHECK(dynamic_cast<SResProviderFiles*>(provider) != nullptr);
  provider->Release();
  provider = reinterpret_cast<IResProvider*>(1);
  CHECK_FALSE(CreateResProvider(2, &provider));
  CHECK(provider == nullptr);
}
