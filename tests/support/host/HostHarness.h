// The host harness: what tests of the host window, of elements and of controls stand on.
//
//   HostHarness h;                                  // an application over the GDI renderer
//   h.app.TplRegisterFactory<SMyCtrl>();            // register what the layout uses
//   h.Open(L"<SWUI width='200' height='100'><root colorBkgnd='#ffffff'>"
//          L"<mine name='c' pos='10,10,@50,@20'/></root></SWUI>");
//   h.Click(h.CenterOf(L"c"));                       // cursor moved there, input posted, drained
//   h.Paint();                                       // what is invalid, into the memory target
//   CHECK(h.Rgb(15, 15) == 0x0000FF);                // a pixel of the memory target
//   h.SavePng(L"mine_clicked", 2);                   // <exe folder>\png\mine_clicked.png
//   CHECK(h.host->CountEvents(EventCmd::EventID, id) == 1);
//
// The window is a popup shown without activation at a fixed place, so the cursor can be put
// where the input says (mouse tracking follows the real cursor). Input is posted and drained
// through the application's message loop filters (tooltips, drop-downs), as the real loop
// does. Timers never need to run: element timers and animation frames are sent directly.
// Control tests add solid-colour recording skins (CellSkin.h) with AddSkins before Open.
// Test programs that use it share the desktop's cursor: give them the ctest resource lock
// "desktop_input" (tevaro_test's LOCK).
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "DebugOutputCapture.h"
#include "HeldKeys.h"
#include "RenderRig.h"
#include "TestHostWnd.h"
#include "TestSkinPools.h"
#include "core/SApplication.h"
#include "core/SWindow.h"

// Wide texts in doctest's messages.
namespace doctest {
template <>
struct StringMaker<std::wstring> {
  static String convert(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n,
                        nullptr, nullptr);
    return String(("\"" + out + "\"").c_str());
  }
};
template <>
struct StringMaker<std::vector<UINT>> {
  static String convert(const std::vector<UINT>& values) {
    std::string out = "{";
    char buf[16];
    for (size_t i = 0; i < values.size(); ++i) {
      snprintf(buf, sizeof(buf), i == 0 ? "0x%X" : ", 0x%X", values[i]);
      out += buf;
    }
    return String((out + "}").c_str());
  }
};
}  // namespace doctest

struct HostOptions {
  POINT pos = {100, 100};  // screen position of the window
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  bool show = true;  // shown without activation
  int width = 0;     // 0: the layout's
  int height = 0;
};

class HostHarness {
 public:
  // With systemResources the framework's built-in skins and defaults are loaded from the
  // test program's own resources (embedded with tevaro_embed_resources).
  explicit HostHarness(bool systemResources = false);
  ~HostHarness();
  HostHarness(const HostHarness&) = delete;
  HostHarness& operator=(const HostHarness&) = delete;

  // ---- the host ------------------------------------------------------------------------
  // Builds a host from layout text ("<SWUI ...>"): window created, tree built, shown and
  // painted. The text stays alive with the harness; opening again replaces the host. One
  // harness (one application) may live at a time.
  TestHostWnd& Open(const wchar_t* layoutXml, const HostOptions& options = HostOptions());
  // Destroys the window (the object stays for inspection).
  void Close();
  HWND Hwnd() const { return host->m_hWnd; }
  SWUI::SRootWindow* Root() const { return host->GetRoot(); }
  // The element of that name (the test fails without one).
  SWUI::SWindow* Find(LPCWSTR name) const;
  template <class T>
  T* Find(LPCWSTR name) const {
    T* typed = dynamic_cast<T*>(Find(name));
    REQUIRE_MESSAGE(typed != nullptr, "the element is not of the class asked for");
    return typed;
  }
  RECT RectOf(LPCWSTR name) const { return Find(name)->GetWindowRect(); }
  POINT CenterOf(LPCWSTR name) const;
  POINT ToScreen(POINT client) const;

  // ---- skins ---------------------------------------------------------------------------
  // Test skins (CellSkin.h) from a "skin" element's children, pushed while the harness lives,
  // and one of them by name.
  void AddSkins(const wchar_t* xml) { skins.Add(app, xml); }
  CellSkin* Skin(const wchar_t* name) const { return skins.Cells(name); }

  // ---- pixels --------------------------------------------------------------------------
  // Paints what is invalid into the memory target now and prints the window (WM_PRINT) into
  // a surface of its own.
  void Paint();
  // A raw pixel of the memory target (premultiplied 0xAARRGGBB), and its colour alone.
  DWORD Pixel(int x, int y) const;
  DWORD Rgb(int x, int y) const { return Pixel(x, y) & 0xFFFFFF; }
  // The colour of a pixel of the last print (Paint), 0xRRGGBB.
  DWORD PrintedRgb(int x, int y) const;
  // How many pixels of a rectangle of the memory target have that colour.
  int CountRgb(const RECT& rc, DWORD rgb) const;
  // Two colours (0xRRGGBB) within 2 of each other in every channel (a blend's rounding).
  static bool NearRgb(DWORD a, DWORD b);
  // How many pixels of a rectangle (client coordinates) of any host differ between its memory
  // target and what its window shows, read back from the window: painted, never shown.
  static int CountUnshown(SWUI::SHostWnd& other, const RECT& rc);
  // The memory target as <exe folder>\png\<name>.png, enlarged by zoom.
  bool SavePng(const std::wstring& name, int zoom = 1) const;
  // The same for any host (a dialog inside its loop), painted first.
  static bool SavePng(SWUI::SHostWnd& other, const std::wstring& name, int zoom = 1);
  // The same as a file of the given path (its folder must exist).
  static bool SavePngFile(SWUI::SHostWnd& other, const std::wstring& path, int zoom = 1);

  // ---- input (client coordinates; each call drains the queue) --------------------------
  void MouseMove(POINT pt, WPARAM keys = 0);
  void MouseDown(POINT pt, UINT msg = WM_LBUTTONDOWN);
  void MouseUp(POINT pt, UINT msg = WM_LBUTTONUP);
  // Move, press and release of the left button.
  void Click(POINT pt);
  void RClick(POINT pt);
  void Wheel(POINT pt, int delta, UINT msg = WM_MOUSEWHEEL);
  // The mouse leaves the window (the cursor is put outside it).
  void MouseLeave();
  void KeyDown(UINT vk);
  void KeyUp(UINT vk);
  // Down and up; TranslateMessage adds the characters, as the real loop does.
  void Key(UINT vk);
  void Char(WCHAR ch);
  // WM_SYSCHAR, and WM_SYSKEYDOWN, with Alt held.
  void SysChar(WCHAR ch);
  void SysKeyDown(UINT vk);

  // ---- timers, frames, messages --------------------------------------------------------
  // An element timer (SWindow::SetTimer) fired now.
  void ElementTimer(SWUI::SWindow* wnd, UINT id);
  // Animation frames delivered now (the host's 10 ms timer).
  void Frames(int count = 1);
  // Runs every queued message through the application's loop (filters, translation); with
  // heldTimers the host's own timers that came due are taken off the queue undelivered.
  void Drain();
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
  // A WM_QUIT met while draining (it is taken off the queue and remembered).
  bool SawQuit() const { return sawQuit_; }
  int QuitCode() const { return quitCode_; }
  void ForgetQuit() { sawQuit_ = false; }

  // Captures the framework's log lines (debugger output) from now on; one capture may live
  // in the process at a time, so a harness captures only when asked.
  DebugOutputCapture& CaptureLog();

  // While set, the frames and element timers the system would deliver to the host are
  // dropped: a test drives them with Frames and ElementTimer alone, however long it takes.
  bool heldTimers = false;

  RenderRig render;
  SWUI::SApplication app;
  TestSkinPools skins;
  std::unique_ptr<TestHostWnd> host;

 private:
  void Post(UINT msg, WPARAM wParam, LPARAM lParam);
  void PutCursor(POINT client);

  std::unique_ptr<DebugOutputCapture> log_;
  pugi::xml_document doc_;
  HDC printDC_ = nullptr;
  HBITMAP printBitmap_ = nullptr;
  HGDIOBJ printOld_ = nullptr;
  DWORD* printBits_ = nullptr;
  SIZE printSize_ = {0, 0};
  bool sawQuit_ = false;
  int quitCode_ = 0;
};
