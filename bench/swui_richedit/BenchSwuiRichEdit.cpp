// Figures of the rich edit element over the system's text services, each beside a bare
// baseline run in the same process: 10,000 typed characters (WM_CHAR, into one line) and one
// 100,000-character WM_SETTEXT against a native "RichEdit20W" window, and a paint of 1,000
// lines into a memory target against the text services' own TxDraw of the same text.
//
// Typing into one line costs the text services more with every character (Wine's take
// about 3 ms a character at 10,000), so the typing is timed once each, not repeated.
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "control/SRichEdit.h"
#include "core/SApplication.h"

using namespace SWUI;

namespace {

constexpr int kChars = 10000;
constexpr int kSetTextChars = 100000;
constexpr int kLines = 1000;
constexpr int kWidth = 400;

void Report(const char* what, double ours, double bare) {
  printf("%-44s ours %10.3f ms   bare %10.3f ms   ratio %6.2f\n", what, ours, bare,
         bare > 0 ? ours / bare : 0.0);
}

// A rich edit element of the given size, created from XML under a root of its own.
struct Element {
  pugi::xml_document doc;
  SWindow* root = nullptr;
  SRichEdit* edit = nullptr;

  Element(int width, int height, const wchar_t* attributes) {
    const std::wstring xml = L"<root><richedit pos='0,0,@" + std::to_wstring(width) + L",@" +
                             std::to_wstring(height) + L"' maxBuf='200000' " + attributes +
                             L"/></root>";
    doc.load_string(xml.c_str());
    root = new SWindow();
    root->InitFromXml(doc.first_child());
    root->OnRelayout(RECT{0, 0, width, height});
    SWindow* child = root->GetWindow(GSW_FIRSTCHILD);
    if (child != nullptr && child->IsClass(SRichEdit::ClassName())) {
      edit = static_cast<SRichEdit*>(child);
    }
  }
  ~Element() { root->DestroyWindow(); }
};

// A hidden native rich edit window of the same kind.
struct Native {
  HWND hwnd;
  Native(int width, int height) {
    hwnd = CreateWindowExW(0, L"RichEdit20W", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, width, height,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd != nullptr) SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 200000);
  }
  ~Native() {
    if (hwnd != nullptr) DestroyWindow(hwnd);
  }
};

wchar_t Typed(int i) { return static_cast<wchar_t>(i % 8 == 7 ? L' ' : L'a' + i % 26); }

template <class F>
double TimedOnce(F body) {
  const double start = bench::NowMs();
  body();
  return bench::NowMs() - start;
}

void RunTyping(Element& element, Native& native) {
  const double ours = TimedOnce([&] {
    for (int i = 0; i < kChars; ++i) element.edit->SSendMessage(WM_CHAR, Typed(i), 1);
  });
  const double bare = TimedOnce([&] {
    for (int i = 0; i < kChars; ++i) SendMessageW(native.hwnd, WM_CHAR, Typed(i), 1);
  });
  Report("10,000 WM_CHAR (native window as bare)", ours, bare);
  printf("%-44s ours %10.0f      native %10.0f\n", "  characters per second",
         kChars * 1000.0 / ours, kChars * 1000.0 / bare);
  const int held = element.edit->GetWindowTextLength();
  const int heldNative = GetWindowTextLengthW(native.hwnd);
  if (held != kChars || heldNative != kChars) {
    printf("  (typed %d characters; the element holds %d, the window %d)\n", kChars, held,
           heldNative);
  }
}

void RunSetText(Element& element, Native& native) {
  std::wstring text;
  text.reserve(kSetTextChars);
  for (int i = 0; i < kSetTextChars; ++i) text += Typed(i);
  const bench::Timing t = bench::BestOfAlternating(
      [&] { element.edit->SetWindowText(text.c_str()); },
      [&] { SendMessageW(native.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); },
      1000.0, 3);
  Report("one 100,000-character WM_SETTEXT (native)", t.ours, t.bare);
  printf("%-44s ours %10.0f      native %10.0f\n", "  characters per second",
         kSetTextChars * 1000.0 / t.ours, kSetTextChars * 1000.0 / t.bare);
  if (element.edit->GetWindowTextLength() != kSetTextChars ||
      GetWindowTextLengthW(native.hwnd) != kSetTextChars) {
    printf("  (the element holds %d characters, the window %d)\n",
           element.edit->GetWindowTextLength(), GetWindowTextLengthW(native.hwnd));
  }
}

void RunPaint(IRenderFactory* factory) {
  // Tall enough for every line of the default font.
  const int height = kLines * 20;
  Element element(kWidth, height, L"multiLines='1'");
  if (element.edit == nullptr) return;
  std::wstring text;
  for (int i = 0; i < kLines; ++i) text += L"line " + std::to_wstring(i) + L" of the paint\r";
  element.edit->SetWindowText(text.c_str());
  IRenderTarget* made = nullptr;
  factory->CreateRenderTarget(&made, kWidth, height);
  SAutoRefPtr<IRenderTarget> target;
  target.Attach(made);
  if (target == nullptr) return;
  const RECT all = {0, 0, kWidth, height};
  ITextServices* services = element.edit->GetTextServices();
  const RECTL bounds = {0, 0, kWidth, height};
  const bench::Timing t = bench::BestOfAlternating(
      [&] {
        target->ClearRect(&all, 0xFFFFFFFF);
        element.root->RedrawRegion(target, nullptr);
      },
      [&] {
        target->ClearRect(&all, 0xFFFFFFFF);
        HDC dc = target->GetDC(0);
        services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr,
                         nullptr, nullptr, 0, TXTVIEW_ACTIVE);
        target->ReleaseDC(dc);
      },
      1000.0, 3);
  Report("paint of 1,000 lines (bare: TxDraw)", t.ours, t.bare);
  printf("  (%ld lines in the element)\n",
         static_cast<long>(element.edit->SSendMessage(EM_GETLINECOUNT)));
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  int result = 0;
  {
    SApplication app(factory, GetModuleHandleW(nullptr));
    Element element(kWidth, 30, L"");
    Native native(kWidth, 30);
    if (element.edit == nullptr || native.hwnd == nullptr) {
      printf("no text services: element %p, native window %p\n", static_cast<void*>(element.edit),
             static_cast<void*>(native.hwnd));
      result = 1;
    } else {
      RunTyping(element, native);
      RunSetText(element, native);
      RunPaint(factory);
    }
  }
  return result;
}
