// Figures of the element tree over trees of 1,000 elements under the anchor, linear and grid
// layouts, each beside a bare baseline run in the same process: building from XML against
// parsing the same text; a full layout pass and a relayout after resizing the root against a
// walk that hands every element its own rectangle again; a full repaint into a 1024 x 768
// memory target against one BitBlt of the same surface (the goal is a ratio within 10), also
// without the backgrounds, beside as many bare fills of the render target.
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

#include "BenchFactory.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "core/SApplication.h"
#include "core/SWindow.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kPanels = 10;
constexpr int kPerPanel = 99;  // with the panels and the root: 1,001 elements

double NowMs() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// Runs body repeatedly for about budgetMs (at least once after a warm-up); answers ms per call.
template <class F>
double MsPerCall(F body, double budgetMs = 600.0) {
  body();
  int calls = 0;
  const double start = NowMs();
  double elapsed = 0.0;
  do {
    body();
    ++calls;
    elapsed = NowMs() - start;
  } while (elapsed < budgetMs);
  return elapsed / calls;
}

void Report(const char* what, double ours, double bare) {
  printf("%-40s ours %9.3f ms   bare %9.3f ms   ratio %6.2f\n", what, ours, bare,
         bare > 0 ? ours / bare : 0.0);
}

const wchar_t* const kColours[] = {L"#c04040", L"#40c040", L"#4040c0", L"#c0c040", L"#40c0c0"};

// The layout XML of one kind: ten panels of 99 coloured children.
std::wstring TreeXml(const std::wstring& kind) {
  std::wstring xml;
  if (kind == L"anchor") {
    xml = L"<root>";
  } else if (kind == L"linear") {
    xml = L"<root layout='vbox'>";
  } else {
    xml = L"<root layout='gridLayout' columnCount='2'>";
  }
  for (int p = 0; p < kPanels; ++p) {
    if (kind == L"anchor") {
      xml += L"<window pos='" + std::to_wstring((p % 2) * 512) + L"," +
             std::to_wstring((p / 2) * 150) + L",@500,@140' colorBkgnd='#f0f0f0'>";
    } else if (kind == L"linear") {
      xml += L"<window layout='hbox' width='matchParent' height='70' colorBkgnd='#f0f0f0'>";
    } else {
      xml +=
          L"<window layout='gridLayout' columnCount='11' columnWeight='1' rowWeight='1' "
          L"colorBkgnd='#f0f0f0'>";
    }
    for (int c = 0; c < kPerPanel; ++c) {
      const std::wstring colour = std::wstring(L" colorBkgnd='") + kColours[c % 5] + L"'";
      if (kind == L"anchor") {
        // Eleven to a row, each against its previous sibling, rows below the previous one.
        const wchar_t* pos = c == 0 ? L"2,2" : (c % 11 == 0 ? L"2,[2" : L"[4,{0");
        xml += std::wstring(L"<window pos='") + pos + L",@40,@13'";
      } else if (kind == L"linear") {
        xml += L"<window width='8' height='matchParent' weight='1'";
      } else {
        xml += L"<window size='30,10'";
      }
      xml += colour + L"/>";
    }
    xml += L"</window>";
  }
  return xml + L"</root>";
}

struct Tree {
  pugi::xml_document doc;
  SWindow* root = nullptr;

  void Build() {
    root = new SWindow();
    root->InitFromXml(doc.first_child());
  }
  void Destroy() {
    root->DestroyWindow();
    root = nullptr;
    SXmlMark::ClearMarks(doc);
  }
};

int CountElements(const SWindow* wnd) {
  int n = 1;
  for (SWindow* c = wnd->GetWindow(GSW_FIRSTCHILD); c != nullptr;
       c = c->GetWindow(GSW_NEXTSIBLING)) {
    n += CountElements(c);
  }
  return n;
}

// The bare visit: every element handed its own rectangle again (which changes nothing).
void HandBack(SWindow* wnd) {
  wnd->OnRelayout(wnd->GetWindowRect());
  for (SWindow* c = wnd->GetWindow(GSW_FIRSTCHILD); c != nullptr;
       c = c->GetWindow(GSW_NEXTSIBLING)) {
    HandBack(c);
  }
}

void RunKind(const std::wstring& kind, IRenderTarget* target, IRenderTarget* copy) {
  const std::wstring xml = TreeXml(kind);
  Tree tree;
  tree.doc.load_string(xml.c_str());
  const std::string name(kind.begin(), kind.end());

  const double build = MsPerCall([&] {
    tree.Build();
    tree.Destroy();
  });
  const double parse = MsPerCall([&] {
    pugi::xml_document doc;
    doc.load_string(xml.c_str());
  });

  tree.Build();
  const RECT full = {0, 0, kWidth, kHeight};
  tree.root->OnRelayout(full);
  printf("%s tree: %d elements\n", name.c_str(), CountElements(tree.root));
  Report((name + ": build from XML").c_str(), build, parse);

  // A full layout pass: every element marked (as a new scale does), then laid out.
  const double layout = MsPerCall([&] {
    tree.root->SDispatchMessage(UM_SETSCALE, 100);
    tree.root->UpdateLayout();
  });
  const double walk = MsPerCall([&] { HandBack(tree.root); });
  Report((name + ": lay out, all dirty").c_str(), layout, walk);

  bool narrow = false;
  const double resize = MsPerCall([&] {
    narrow = !narrow;
    tree.root->OnRelayout(narrow ? RECT{0, 0, kWidth - 40, kHeight - 30} : full);
  });
  Report((name + ": relayout after resizing the root").c_str(), resize, walk);

  tree.root->OnRelayout(full);
  const double paint = MsPerCall([&] { tree.root->RedrawRegion(target, nullptr); });
  const double blit = MsPerCall([&] { copy->BitBlt(&full, target, 0, 0, SRCCOPY); });
  Report((name + ": full repaint vs one BitBlt").c_str(), paint, blit);
  // What the backgrounds cost: the same tree without them, and the render target's own fills.
  std::wstring plainXml = xml;
  const std::wstring colourAttr = L" colorBkgnd='#000000'";
  for (size_t at = plainXml.find(L" colorBkgnd='"); at != std::wstring::npos;
       at = plainXml.find(L" colorBkgnd='")) {
    plainXml.erase(at, colourAttr.size());
  }
  Tree plain;
  plain.doc.load_string(plainXml.c_str());
  plain.Build();
  plain.root->OnRelayout(full);
  const double plainPaint = MsPerCall([&] { plain.root->RedrawRegion(target, nullptr); });
  Report((name + ": repaint without backgrounds").c_str(), plainPaint, blit);
  plain.Destroy();
  const int elements = CountElements(tree.root);
  const double fills = MsPerCall([&] {
    for (int i = 0; i < elements; ++i) {
      const RECT rc = {i % 25 * 40, i / 25 * 13, i % 25 * 40 + 40, i / 25 * 13 + 13};
      target->FillSolidRect(&rc, 0xFF4040C0);
    }
  });
  Report("  as many FillSolidRect of 40 x 13", fills, blit);
  tree.Destroy();
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  int result = 0;
  {
    SApplication app(factory, GetModuleHandleW(nullptr));
    IRenderTarget* made = nullptr;
    factory->CreateRenderTarget(&made, kWidth, kHeight);
    SAutoRefPtr<IRenderTarget> target;
    target.Attach(made);
    made = nullptr;
    factory->CreateRenderTarget(&made, kWidth, kHeight);
    SAutoRefPtr<IRenderTarget> copy;
    copy.Attach(made);
    if (target == nullptr || copy == nullptr) {
      result = 1;
    } else {
      for (const wchar_t* kind : {L"anchor", L"linear", L"grid"}) RunKind(kind, target, copy);
    }
  }
  return result;
}
