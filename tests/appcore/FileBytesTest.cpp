// Files from outside: read whole only when they are ordinary files within their limit, with the
// reason when not; reserved device names recognised in any form.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>

#include "FileBytes.h"
#include "IndependentReading.h"

TEST_CASE("a small file is read whole; anything else is refused unread, with its reason") {
  TestFolder folder;
  const std::wstring file = folder.Write(L"ten.txt", "0123456789");
  REQUIRE(folder.MakeFolder(L"sub"));
  HANDLE held = CreateFileW(folder.Write(L"held.txt", "x").c_str(), GENERIC_READ | GENERIC_WRITE,
                            0, nullptr, OPEN_EXISTING, 0, nullptr);
  REQUIRE(held != INVALID_HANDLE_VALUE);
  const struct {
    const char* what;
    std::wstring path;
    size_t limit;
    FileReadError error;
  } cases[] = {
      {"within its limit", file, 10, FileReadError::kNone},
      {"over its limit", file, 9, FileReadError::kTooLarge},
      {"missing", folder.Sub(L"none.txt"), 10, FileReadError::kMissing},
      {"in a missing folder", folder.Sub(L"none\\x.txt"), 10, FileReadError::kMissing},
      {"a folder", folder.Sub(L"sub"), 10, FileReadError::kNotAFile},
      {"a device", L"CON", 10, FileReadError::kNotAFile},
      {"held by another", folder.Sub(L"held.txt"), 10, FileReadError::kUnreadable},
  };
  for (const auto& c : cases) {
    CAPTURE(c.what);
    std::string bytes = "before";
    FileReadError error = FileReadError::kNone;
    CHECK(ReadSmallFile(c.path, c.limit, &bytes, &error) == (c.error == FileReadError::kNone));
    CHECK(error == c.error);
    CHECK(bytes == (c.error == FileReadError::kNone ? "0123456789" : "before"));
    CHECK(IsSmallDiskFile(c.path, c.limit) == (c.error == FileReadError::kNone));
  }
  CloseHandle(held);
}

TEST_CASE("reserved device names in any case, with an extension or blanks, at the end of a path") {
  const wchar_t* const devices[] = {L"CON",    L"nul",    L"Aux.txt",           L"com1",
                                    L"LPT9.orv", L"con .x", L"C:\\modes\\prn.orm", L"COM\u00B9",
                                    L"conin$"};
  for (size_t i = 0; i < sizeof devices / sizeof devices[0]; ++i) {
    CAPTURE(i);
    CHECK(IsDeviceName(devices[i]));
  }
  const wchar_t* const files[] = {L"CONSOLE", L"com10", L"x.con", L"C:\\con\\a.orm", L"lpt", L""};
  for (size_t i = 0; i < sizeof files / sizeof files[0]; ++i) {
    CAPTURE(i);
    CHECK_FALSE(IsDeviceName(files[i]));
  }
}
