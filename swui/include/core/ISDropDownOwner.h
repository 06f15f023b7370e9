// The element a drop-down window belongs to (a combo box): the drop-down takes its host window,
// its message loop and its scale from it, and tells it when it opens and closes.
#pragma once

namespace SWUI {

class SWindow;
class SDropDownWnd;

struct ISDropDownOwner {
  virtual SWindow* GetDropDownOwner() = 0;
  // Called once the drop-down's window exists.
  virtual void OnCreateDropDown(SDropDownWnd* pDropDown) = 0;
  // Called once while the drop-down's window is being destroyed.
  virtual void OnDestroyDropDown(SDropDownWnd* pDropDown) = 0;

 protected:
  ~ISDropDownOwner() = default;
};

}  // namespace SWUI
