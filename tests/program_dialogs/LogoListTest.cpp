// The logo list in ImageCfg.ini: the file is made UTF-16 so that any path survives, the
// values stored beside the paths are kept as read, and whatever the file says, the list holds
// at most 1000 entries and its selection lies inside it.
#include <doctest/doctest.h>

#include <string>

#include "DialogAppRig.h"
#include "LogoImageList.h"
#include "TempFile.h"

namespace {

struct ListFolder {
  ListFolder() : folder(fixtures::TempPath(L"logolist")) {
    fixtures::RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  ~ListFolder() { fixtures::RemoveTree(folder); }
  std::wstring File() const { return folder + L"\\ImageCfg.ini"; }
  std::wstring folder;
};

}  // namespace

TEST_CASE("logo list: made as UTF-16, two non-ASCII paths and a stored value round-trip") {
  ListFolder dir;
  LogoImageList list(dir.File());
  REQUIRE(list.EnsureFile());
  CHECK(ReadBytes(dir.File()) == "\xFF\xFE");
  const std::wstring first = L"C:\\图片\\标志.png";
  const std::wstring second = L"D:\\Ünïcødé λόγος\\лого.jpg";
  REQUIRE(list.Add(first));
  REQUIRE(list.Add(second));
  REQUIRE(list.Save());
  CHECK(ReadBytes(dir.File()).substr(0, 2) == "\xFF\xFE");

  // Another program's value beside entry 1 is kept through a reading and a writing.
  DWORD value = 0xDEADBEEF;
  REQUIRE(WritePrivateProfileStructW(L"DIY", L"1", &value, sizeof(value), dir.File().c_str()));
  LogoImageList again(dir.File());
  again.Load();
  REQUIRE(again.Count() == 2);
  CHECK(again.Entries()[0].path == first);
  CHECK(again.Entries()[1].path == second);
  CHECK(again.Entries()[0].value == 0);
  CHECK(again.Entries()[1].value == 0xDEADBEEF);
  CHECK(again.Selection() == -1);
  REQUIRE(again.Save());
  LogoImageList third(dir.File());
  third.Load();
  REQUIRE(third.Count() == 2);
  CHECK(third.Entries()[1].value == 0xDEADBEEF);
  CHECK(third.Entries()[1].path == second);
}

TEST_CASE("logo list: the count is bounded and a selection outside the list is none") {
  struct Case {
    const char* what;
    const wchar_t* diy;
    int count;
    int selection;
  };
  const Case cases[] = {
      {"a billion entries", L"count=1000000000\r\ncurrentSelectIndex=999\r\n", 1000, 999},
      {"a count past the signed range", L"count=4294967295\r\n", 0, -1},
      {"a negative count", L"count=-3\r\ncurrentSelectIndex=0\r\n", 0, -1},
      {"the selection one past the end", L"count=2\r\ncurrentSelectIndex=2\r\n", 2, -1},
      {"a negative selection", L"count=2\r\ncurrentSelectIndex=-7\r\n", 2, -1},
      {"the last entry selected", L"count=2\r\ncurrentSelectIndex=1\r\n", 2, 1},
      {"no selection", L"count=2\r\n", 2, -1},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    ListFolder dir;
    REQUIRE(WriteBytes(dir.File(), Utf16File(std::wstring(L"[DIY]\r\n") + c.diy)));
    LogoImageList list(dir.File());
    list.Load();
    CHECK(list.Count() == c.count);
    CHECK(list.Selection() == c.selection);
  }
}

TEST_CASE("logo list: a selection outside the list or a failed write changes nothing") {
  ListFolder dir;
  LogoImageList list(dir.File());
  REQUIRE(list.EnsureFile());
  REQUIRE(list.Add(L"C:\\a.png"));
  REQUIRE(list.Add(L"C:\\b.png"));
  REQUIRE(list.Save());
  CHECK_FALSE(list.Select(2));
  CHECK_FALSE(list.Select(-1));
  REQUIRE(list.Select(1));
  CHECK(GetPrivateProfileIntW(L"DIY", L"currentSelectIndex", -1, dir.File().c_str()) == 1);

  {
    FileHeld held(dir.File());
    CHECK_FALSE(list.Select(0));
    CHECK(list.Selection() == 1);
    CHECK_FALSE(list.Save());
  }

  LogoImageList nowhere{std::wstring()};
  CHECK_FALSE(nowhere.EnsureFile());
  CHECK(nowhere.Add(L"C:\\a.png"));
  CHECK_FALSE(nowhere.Save());
  CHECK_FALSE(nowhere.Select(0));
}
