// The split window under random operations: panes with hostile sizes and priorities from XML,
// hostile bar sizes from XML and at run time, panes shown and hidden, destroyed and inserted,
// the window resized, bars dragged. After every step: the panes are the split window's pane
// children, the shown panes follow each other without overlapping, and painting ends.
#include <string>
#include <vector>

#include "ElementRig.h"
#include "SweepSteps.h"
#include "control/SSplitWnd.h"

using namespace SWUI;
using ctrlsweep::Run;

namespace {

std::wstring PaneXml(Run& r) {
  const std::vector<std::wstring>& sizes = ctrlsweep::HostileSizes();
  return L"<pane idealSize='" + r.Pick(sizes) + L"' minSize='" + r.Pick(sizes) + L"' maxSize='" +
         r.Pick(sizes) + L"' priority='" + r.Pick(sizes) + L"' visible='" +
         std::to_wstring(r.OneIn(5) ? 0 : 1) + L"'/>";
}

std::wstring SplitXml(Run& r) {
  std::wstring xml = L"<root><splitwnd name='s' pos='0,0,-0,-0' sepSkin='_skin.sys.split.vert' "
                     L"vertical='" +
                     std::to_wstring(r.Below(2)) + L"' sepSize='" +
                     r.Pick(ctrlsweep::HostileSizes()) + L"'>";
  for (int i = r.Below(5); i > 0; --i) xml += PaneXml(r);
  return xml + L"</splitwnd></root>";
}

void Step(Run& r, SSplitWnd* split) {
  const int count = split->GetPaneCount();
  SSplitPane* pane = split->GetPane(r.Between(-1, count));
  switch (r.Below(7)) {
    case 0:
    case 1:
      if (pane != nullptr) pane->SetVisible(!pane->IsVisible(FALSE));
      break;
    case 2: {
      RECT rc = {0, 0, r.Between(0, 500), r.Between(0, 300)};
      split->Move(&rc);
      break;
    }
    case 3:
      split->SetAttribute(SStringW(L"sepSize"), SStringW(r.Pick(ctrlsweep::HostileSizes()).c_str()),
                          FALSE);
      break;
    case 4:
      if (pane != nullptr && r.OneIn(3)) split->DestroyChild(pane);
      break;
    case 5: {
      auto* added = new SSplitPane();
      for (const wchar_t* name : {L"idealSize", L"minSize", L"maxSize", L"priority"}) {
        added->SetAttribute(SStringW(name), SStringW(r.Pick(ctrlsweep::HostileSizes()).c_str()),
                            TRUE);
      }
      split->InsertChild(added);
      split->InsertPane(added, r.Between(-1, count + 1));
      break;
    }
    default:
      ctrlsweep::RandomMouse(r, split);
      break;
  }
}

void CheckSplit(SSplitWnd* split) {
  int children = 0;
  for (SWindow* child = split->GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    auto* pane = dynamic_cast<SSplitPane*>(child);
    if (pane == nullptr) continue;
    ++children;
    REQUIRE(split->PaneIndex(pane) != -1);
  }
  REQUIRE(split->GetPaneCount() == children);
  const RECT client = split->GetClientRect();
  std::string spans = "client " + std::to_string(client.left) + "," + std::to_string(client.top) +
                      " panes";
  for (int i = 0; i < split->GetPaneCount(); ++i) {
    const RECT rc = split->GetPane(i)->GetWindowRect();
    spans += " " + std::to_string(rc.left) + "," + std::to_string(rc.top) + ".." +
             std::to_string(rc.right) + "," + std::to_string(rc.bottom) +
             (split->GetPane(i)->IsVisible(FALSE) ? "" : "(hidden)");
  }
  INFO(spans);
  // An empty split window lays nothing out (a pane inserted then keeps its own rectangle).
  if (IsRectEmpty(&client)) return;
  long long prevEnd = split->IsVertical() ? client.left : client.top;
  for (int i = 0; i < split->GetPaneCount(); ++i) {
    SSplitPane* pane = split->GetPane(i);
    if (!pane->IsVisible(FALSE)) continue;
    const RECT rc = pane->GetWindowRect();
    const long long nearEdge = split->IsVertical() ? rc.left : rc.top;
    const long long farEdge = split->IsVertical() ? rc.right : rc.bottom;
    REQUIRE(farEdge >= nearEdge);
    REQUIRE(nearEdge >= prevEnd);
    prevEnd = farEdge;
  }
}

}  // namespace

TEST_CASE("split window under random operations and hostile values") {
  ctrlsweep::Announce("split");
  sweep::Watchdog dog("split");
  for (int run = 0; run < ctrlsweep::kRuns; ++run) {
    Run r("split", run);
    ElementRig rig(400, 200, true);
    rig.Load(SplitXml(r).c_str());
    auto* split = rig.Find<SSplitWnd>(L"s");
    for (int step = 0; step < ctrlsweep::kSteps; ++step) {
      const std::string where = r.Where(step);
      dog.Enter(where);
      CAPTURE(where);
      Step(r, split);
      if (step % 10 == 0) rig.Paint();
      CheckSplit(split);
    }
  }
  dog.Enter("");
}
