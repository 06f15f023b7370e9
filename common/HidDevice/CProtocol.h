// Synchronous request and reply over one HID link: a request gets its check byte, is written,
// and the caller waits until the receive thread delivers the matching reply, trying again on a
// time-out or a rejected reply. Reports that answer no waiting request go to the owner.
#pragma once
#include <windows.h>

#include <atomic>

#include "HidDevice/CHidBase.h"
#include "HidDevice/CommandReport.h"

class CDeviceManager;

class CProtocol {
 public:
  static const DWORD kReportSize = CommandReport::kSize;

  CProtocol();
  virtual ~CProtocol();
  CProtocol(const CProtocol&) = delete;
  CProtocol& operator=(const CProtocol&) = delete;

  // Unsolicited payload (report bytes 4..) after the owner has seen the report.
  virtual BOOL OnNotifyData(const BYTE* data, DWORD length) = 0;
  virtual BOOL GetDeviceInfo(int kind, void* out, DWORD size) = 0;
  virtual BOOL Command(int kind, const void* data, DWORD size) = 0;
  // A report that answers no request; nonzero when handled here (the owner then never sees it).
  virtual BOOL OnNotify(const BYTE* report);
  // Opens the link, starts receiving and attaches to the owner's receive thread.
  virtual BOOL OnConnectDevice(void* arg);
  // Stops receiving and closes the link. FALSE when the receive loop did not leave this
  // protocol within 3000 ms: the link is then left open, and the receive thread must be
  // stopped before the protocol is deleted (the destructor closes the link).
  virtual BOOL Close();
  virtual BOOL Init(USHORT vendorId, USHORT productId, const wchar_t* path);
  // Check, code, flag, in that order; the first failure is logged and decides.
  virtual BOOL CheckReply(const BYTE* reply, BYTE expectedCode, DWORD length);
  virtual BOOL Write(const BYTE* data, DWORD length);
  // Receive thread: a report for the waiting request is copied to it, any other goes on.
  virtual void OnRecv(const BYTE* report);

  // One whole exchange at a time: a caller on another thread waits until the request in flight
  // has its reply or gave up, so a reply never reaches the wrong caller. Sets request byte 63,
  // returns 1 once a reply passed CheckReply. On failure the reply buffer is all zero.
  BOOL SendAndReceive(BYTE* request, BYTE* reply, DWORD tries, DWORD timeoutMs);
  // Fails the request in flight at once (its waiting ends, no try follows) and every later
  // one, without writing: the protocol is about to be closed and deleted. Any thread.
  void Abort();
  // Writes a report (byte 63 set) without awaiting a reply; up to 5 tries.
  BOOL SendNotReceive(BYTE* report);

  void SetOwner(CDeviceManager* owner) { m_owner = owner; }
  CDeviceManager* GetOwner() const { return m_owner; }
  CHidBase& Hid() { return m_hid; }
  bool IsReceiving() const { return m_receiving != 0; }
  HANDLE StoppedEvent() const { return m_stoppedEvent; }
  const wchar_t* GetPath() const { return m_path; }
  USHORT GetVendorId() const { return m_vendorId; }
  USHORT GetProductId() const { return m_productId; }

 private:
  void Arm(BYTE* reply, BYTE expectedCode);
  void Disarm();

  CDeviceManager* m_owner;
  CHidBase m_hid;
  CHidBase::DevicePath m_path;
  CRITICAL_SECTION m_lock;         // guards the request in flight: the four fields below
  DWORD m_waiting;
  BYTE m_expectedCode;
  HANDLE m_replyEvent;             // auto-reset
  BYTE* m_replyBuffer;
  CRITICAL_SECTION m_requestLock;  // held across a whole SendAndReceive
  HANDLE m_stoppedEvent;           // manual-reset; set when the receive loop leaves us
  HANDLE m_abortEvent;             // manual-reset; set by Abort
  std::atomic<DWORD> m_receiving;
  std::atomic<DWORD> m_aborted;
  bool m_attached;                 // a receive loop was given this protocol
  USHORT m_vendorId, m_productId;
  DWORD m_replyLength;
  DWORD m_writeLength;
};
