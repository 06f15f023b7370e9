// Zip packages under damage, read through Init of a provider that already serves a good
// package: a failed Init leaves the good package served, and every read of a damaged one
// fails or gives exactly the original bytes.
#include <doctest/doctest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "SweepRig.h"
#include "TempFile.h"
#include "ZipFixtures.h"
#include "res.mgr/SResProviderZip.h"

using namespace SWUI;
using fixtures::ZipEntrySpec;

namespace {

const int kMutations = 4000;  // each case writes a file: some 2 ms under Wine
const char kPassword[] = "sweep password";

// Names that differ in several characters, so that damage cannot turn one into another.
const std::map<std::wstring, std::string> kTexts = {
    {L"alpha", "alpha: a stored entry"},
    {L"bravo", "bravo: deflated, deflated, deflated, deflated, deflated bytes"},
    {L"charlie", "charlie: stored and encrypted"},
    {L"delta", "delta: deflated, encrypted, sizes after the data; deflated, encrypted"},
    {L"echo", "echo: deflated with sizes after the data, echo echo echo echo"},
};

ZipEntrySpec Entry(const std::string& name, const std::string& data, bool deflate, bool encrypt,
                   bool descriptor) {
  ZipEntrySpec e;
  e.name = name;
  e.data = data;
  e.deflate = deflate;
  e.password = encrypt ? kPassword : "";
  e.dataDescriptor = descriptor;
  return e;
}

std::string Package(const std::string& prefix) {
  std::string index = "<resource><TEXT>";
  for (const auto& t : kTexts) {
    const std::string name(t.first.begin(), t.first.end());
    index += "<file name=\"" + name + "\" path=\"" + name + ".txt\"/>";
  }
  index += "</TEXT></resource>";
  auto text = [&](const wchar_t* name) { return prefix + kTexts.at(name); };
  return fixtures::MakeZip({Entry("pack/uires.idx", index, true, false, false),
                            Entry("pack/alpha.txt", text(L"alpha"), false, false, false),
                            Entry("pack/bravo.txt", text(L"bravo"), true, false, false),
                            Entry("pack/charlie.txt", text(L"charlie"), false, true, false),
                            Entry("pack/delta.txt", text(L"delta"), true, true, true),
                            Entry("pack/echo.txt", text(L"echo"), true, false, true)});
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  return fixtures::WriteFileBytes(path, bytes.data(), bytes.size());
}

BOOL Init(SResProviderZip& zip, const std::wstring& path) {
  ZipResParam p{};
  p.pszZipFile = path.c_str();
  p.pszPsw = kPassword;
  p.pszChildDir = L"pack";
  return zip.Init(reinterpret_cast<WPARAM>(&p), 0);
}

// Each text is absent or unreadable (allowed only when `exact` is false), or exactly
// prefix + its original.
bool ServesOnly(SResProviderZip& zip, const std::string& prefix, bool exact) {
  for (const auto& t : kTexts) {
    const size_t size = zip.GetRawBufferSize(L"TEXT", t.first.c_str());
    if (size > (1u << 20)) return false;  // no entry here can claim that much
    std::string buf(size, '\0');
    const bool read = size != 0 && zip.GetRawBuffer(L"TEXT", t.first.c_str(), &buf[0], size);
    if (!read && exact) return false;
    if (read && buf != prefix + t.second) return false;
  }
  return true;
}

}  // namespace

TEST_CASE("zip sweep: damaged packages never replace a good one nor serve wrong bytes") {
  const std::wstring goodPath = fixtures::TempPath(L"sweep-good.zip");
  const std::wstring damagedPath = fixtures::TempPath(L"sweep-damaged.zip");
  REQUIRE(WriteFileBytes(goodPath, Package("old ")));
  auto* zip = new SResProviderZip;  // released before the files go
  REQUIRE(Init(*zip, goodPath));
  REQUIRE(ServesOnly(*zip, "old ", true));
  const std::string input = Package("");
  REQUIRE(WriteFileBytes(damagedPath, input));
  {
    SResProviderZip check;
    REQUIRE(Init(check, damagedPath));
    REQUIRE(ServesOnly(check, "", true));
  }
  const sweep::Result r =
      sweep::Run("zip", input, kMutations, [&](const std::string& bytes, bool truncated) {
        if (!WriteFileBytes(damagedPath, bytes)) return false;
        if (!Init(*zip, damagedPath)) return ServesOnly(*zip, "old ", true);
        // Cut archives lose their end record: none may open.
        const bool ok = !truncated && ServesOnly(*zip, "", false);
        return Init(*zip, goodPath) && ok;
      });
  CHECK_MESSAGE(r.failures == 0, "first failing case: ", r.firstFailure, ", seed ", sweep::Seed());
  zip->Release();
  DeleteFileW(goodPath.c_str());
  DeleteFileW(damagedPath.c_str());
}
