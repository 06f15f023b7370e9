// Drives a modal loop (a dialog's DoModal, a message box) from inside: a thread timer runs
// the test's steps one per tick while the loop runs, after the messages queued before each
// tick were handled. Steps post or send input, read the dialog and finally end it. When the
// steps are done and the loop still runs after the watchdog time, the bail-out runs (by
// default it posts WM_QUIT, which ends every modal loop; the driver takes the stray WM_QUIT
// off the queue again when it goes), so no test can block. Make it right before the modal
// call: its timer runs in whatever loop dispatches messages next.
//
//   SHostDialog dlg(L"LAYOUT:dlg");
//   ModalDriver drive({[&] { PostMessageW(dlg.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }});
//   CHECK(dlg.DoModal(nullptr) == IDCANCEL);
//   CHECK_FALSE(drive.TimedOut());
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

class ModalDriver {
 public:
  using Step = std::function<void()>;

  explicit ModalDriver(std::vector<Step> steps, DWORD watchdogMs = 5000, Step bailOut = Step());
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // Every step ran.
  bool Finished() const { return next_ >= steps_.size(); }
  // The watchdog had to end the loop.
  bool TimedOut() const { return timedOut_; }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD);
  void Tick();

  std::vector<Step> steps_;
  size_t next_ = 0;
  DWORD watchdogMs_;
  Step bailOut_;
  UINT_PTR timer_ = 0;
  DWORD doneAt_ = 0;
  bool timedOut_ = false;
};
