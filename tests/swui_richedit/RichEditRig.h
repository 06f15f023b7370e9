// What the rich edit tests stand on: the element rig with the program's resources loaded as
// at start-up (built-in skins, the edit menu), a container that records the caret and the
// drop targets and stands on a real hidden host window, and helpers to type and click.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ElementRig.h"
#include "control/SEdit.h"
#include "control/SRichEdit.h"

// The element rig's container, over a hidden top-level window that records the states of the
// items of every popup menu it hears of, and with the caret and drop targets recorded.
class RecordingContainer : public TestContainer {
 public:
  RecordingContainer(int width, int height);
  ~RecordingContainer();

  HWND GetHostHwnd() override { return host_; }
  BOOL RegisterDragDrop(SWUI::SwndHandle swnd, IDropTarget* target) override;
  BOOL RevokeDragDrop(SWUI::SwndHandle swnd) override;
  BOOL CreateCaret(SWUI::SwndHandle owner, HBITMAP bmp, int width, int height) override;
  BOOL ShowCaret(BOOL show) override;
  BOOL SetCaretPos(int x, int y) override;

  std::map<SWUI::SwndHandle, IDropTarget*> dropTargets;
  SWUI::SwndHandle caretOwner = 0;
  int caretShows = 0;
  bool caretVisible = false;
  POINT caretPos = {-1, -1};
  // Per popup menu shown: command id -> enabled.
  std::vector<std::map<UINT, bool>> menus;

 private:
  static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND host_ = nullptr;
};

class RichEditRig {
 public:
  explicit RichEditRig(int width = 200, int height = 100);
  ~RichEditRig();

  // Loads the XML under the root and lays it out.
  void Load(const wchar_t* xml);
  SWUI::SRichEdit* Edit(LPCWSTR name) const;
  // Typed characters (WM_CHAR each).
  static void Type(SWUI::SWindow* wnd, const std::wstring& text);
  // A key press; the handled flag of the element's answer.
  static BOOL Key(SWUI::SWindow* wnd, UINT vk);
  static void Click(SWUI::SWindow* wnd, int x, int y);
  // The current selection.
  static CHARRANGE Selection(SWUI::SWindow* wnd);
  // Paints the whole tree, then the pixels of the element's client rectangle that pred holds.
  int CountInClient(SWUI::SWindow* wnd, bool (*pred)(DWORD));
  // Rows of the element's client rectangle with a pixel that pred holds: first and last
  // (-1 when none).
  std::pair<int, int> RowsWith(SWUI::SWindow* wnd, bool (*pred)(DWORD));

  ElementRig rig;
  RecordingContainer container;
};

// Shows the context menu of an element at a point with keys posted before the menu tracks;
// a guard timer ends the menu should the keys not.
void ContextMenuWithKeys(RichEditRig& rig, SWUI::SWindow* wnd, const std::vector<UINT>& keys);

// Pixel tests on raw 0xAARRGGBB values.
bool IsWhite(DWORD px);
bool IsInk(DWORD px);  // clearly darker than white
