// Lookups by id and name with a depth, the typed lookups with their trace lines, ObjectCast.
#include <doctest/doctest.h>

#include "DebugOutputCapture.h"
#include "ElementRig.h"
#include "core/EventCmd.h"
#include "core/EventSwndSize.h"
#include "core/ObjectCast.h"

using namespace SWUI;

namespace {

// root
//   a (id 1)
//     a1 (id 2)
//       a11 (id 3)
//     a2 (id 4, name "twin")
//   b (id 5)
//     b1 (id 4, name "twin"), a probe
//   c (id 0)
const wchar_t kTree[] =
    L"<root><window name='a' id='1'><window name='a1' id='2'><window name='a11' id='3'/></window>"
    L"<window name='twin' id='4'/></window>"
    L"<window name='b' id='5'><probe name='twin' id='4'/><probe name='deep' id='6'/></window>"
    L"<window name='c' id='0'/></root>";

const wchar_t* NameOf(const SWindow* wnd) { return wnd != nullptr ? wnd->GetName() : L"(null)"; }

}  // namespace

TEST_CASE("FindChildByID: depth and order") {
  ElementRig rig;
  rig.Load(kTree);
  struct Case {
    int id;
    int depth;
    const wchar_t* found;
  } cases[] = {
      {1, 1, L"a"},      {2, 1, L"(null)"}, {2, 2, L"a1"},       {3, 2, L"(null)"},
      {3, 3, L"a11"},    {3, -1, L"a11"},   {0, -1, L"(null)"},  // id 0 finds nothing
      {1, 0, L"(null)"},                                         // depth 0 finds nothing
      {4, -1, L"twin"},  {6, 2, L"deep"},   {99, -1, L"(null)"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.id);
    CAPTURE(c.depth);
    CHECK(std::wstring(NameOf(rig.root->FindChildByID(c.id, c.depth))) == c.found);
  }
  // Of two elements with id 4 (grandchildren of a and of b), the one under the earlier child.
  CHECK(rig.root->FindChildByID(4)->GetParent() == rig.Find(L"a"));
  // A direct child wins over a grandchild.
  CHECK(rig.Find(L"b")->FindChildByID(4, 1)->IsClass(L"probe"));
  CHECK(rig.root->FindChildByName(L"twin")->GetParent() == rig.Find(L"a"));
  CHECK(rig.root->FindChildByName(L"Twin") == nullptr);  // names compare exactly
  CHECK(rig.root->FindChildByName(nullptr) == nullptr);
  CHECK(rig.root->FindChildByName(L"a11", 2) == nullptr);
  CHECK(rig.root->FindChildByName(L"a11", 3) != nullptr);
}

TEST_CASE("typed lookups: the class must match; a miss writes one trace line") {
  ElementRig rig;
  rig.Load(kTree);
  DebugOutputCapture capture;
  CHECK(rig.root->FindChildByID2<ProbeWnd>(6) == rig.Find(L"deep"));
  CHECK(rig.root->FindChildByName2<SWindow>(L"deep") == rig.Find(L"deep"));  // a subclass
  CHECK(capture.Lines().empty());

  // The id exists but belongs to a plain window.
  CHECK(rig.root->FindChildByID2<ProbeWnd>(5) == nullptr);
  CHECK(rig.root->FindChildByName2<ProbeWnd>(L"a1", 2) == nullptr);
  CHECK(rig.root->FindChildByID2<ProbeWnd>(42) == nullptr);
  const std::vector<std::string> lines = capture.Lines();
  REQUIRE(lines.size() == 3);
  CHECK(lines[0] ==
        "FindChildByID2 Failed, no window of class [probe] with id of [5] was found within [-1] "
        "levels");
  CHECK(lines[1] ==
        "FindChildByName2 Failed, no window of class [probe] with name of [a1] was found within "
        "[2] levels");
  CHECK(lines[2] ==
        "FindChildByID2 Failed, no window of class [probe] with id of [42] was found within [-1] "
        "levels");
}

TEST_CASE("ObjectCast: by the class test, for elements and events") {
  ElementRig rig;
  rig.Load(kTree);
  IObject* deep = rig.Find(L"deep");
  IObject* plain = rig.Find(L"a");
  CHECK(ObjectCast<ProbeWnd>(deep) == rig.Find(L"deep"));
  CHECK(ObjectCast<SWindow>(deep) == rig.Find(L"deep"));
  CHECK(ObjectCast<ProbeWnd>(plain) == nullptr);
  CHECK(ObjectCast<SWindow>(static_cast<IObject*>(nullptr)) == nullptr);
  EventCmd cmd(plain);
  IObject* evt = &cmd;
  CHECK(ObjectCast<EventCmd>(evt) == &cmd);
  CHECK(ObjectCast<EventArgs>(evt) == &cmd);
  CHECK(ObjectCast<EventSwndSize>(evt) == nullptr);
  CHECK(std::wstring(EventCmd::ClassName()) == L"on_command");
}
