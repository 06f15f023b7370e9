// Lets any thread raise a framework event whose subscribers then run on the UI thread: the
// event crosses through the queue of a hidden message-only window owned by the thread that
// created the centre. The centre is an event set of its own (the events that may be raised
// through it) plus centre-wide subscribers that hear every event it fires. Create and destroy
// it on the UI thread; only FireEventAsync may be called from other threads.
#pragma once
#include <memory>
#include <vector>

#include "core/EventArgs.h"
#include "core/INotifyCallback.h"
#include "core/ISlotFunctor.h"
#include "core/SEventSet.h"
#include "core/SNotifyReceiver.h"
#include "core/SSingleton.h"

namespace SWUI {

class SNotifyCenter : public SSingleton<SNotifyCenter>, public SEventSet, public INotifyCallback {
 public:
  // Needs the application (its window class) for the receiver window.
  SNotifyCenter();
  // Events still queued are released undelivered.
  ~SNotifyCenter() override;

  // Any thread: queues e (a heap event) for the UI thread with a reference of its own; the
  // caller keeps and later releases its own reference. FALSE, with nothing kept, when e is
  // null or the event cannot be queued.
  BOOL FireEventAsync(EventArgs* e);

  // UI thread: fires e when the centre has its id, then, while it still bubbles, the
  // centre-wide subscribers from the last registered to the first.
  void OnFireEvent(EventArgs* e) override;

  // Adds a copy of slot as a centre-wide subscriber; false when an equal one is registered.
  bool RegisterEventMap(const ISlotFunctor& slot);
  // Removes the equal centre-wide subscriber; false when there is none.
  bool UnregisterEventMap(const ISlotFunctor& slot);

  HWND GetReceiverHwnd() const { return m_receiver.m_hWnd; }

 private:
  using SlotPtr = std::shared_ptr<ISlotFunctor>;

  bool IsRegistered(const SlotPtr& slot) const;

  // Shared so that a subscriber that unregisters itself (or another) while the list is being
  // walked stays alive until the walk is done with it.
  std::vector<SlotPtr> m_slots;
  SNotifyReceiver m_receiver;
};

}  // namespace SWUI
