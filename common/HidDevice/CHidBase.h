// The raw link to one USB HID device: lists matching HID interfaces, opens one with separate
// overlapped read and write handles, writes one output report, blocks in one input-report read,
// and registers a window for HID arrival and removal notices. It knows nothing of commands.
#pragma once
#include <windows.h>

#include <atomic>

class CHidBase {
 public:
  static const int kMaxPath = MAX_PATH;     // 260 wide characters, terminator included
  static const int kMaxDevices = 10;        // paths kept by an enumeration
  static const DWORD kBufferSize = 128;     // largest report, report ID byte included
  typedef wchar_t DevicePath[kMaxPath];

  CHidBase();
  virtual ~CHidBase();
  CHidBase(const CHidBase&) = delete;
  CHidBase& operator=(const CHidBase&) = delete;

  // Number of present HID interfaces whose vendor and product IDs match; the first ten paths
  // go into `paths` when it is given (the count may exceed ten).
  static int EnumDevices(DevicePath* paths, USHORT vendorId, USHORT productId);

  BOOL OpenDevice(const wchar_t* path);
  void Close();
  // Writes `length` bytes (1 .. output length - 1) as one output report with report ID 0.
  BOOL Write(const void* data, DWORD length);
  // Blocks until one input report has arrived; `data` then points after the report ID byte.
  // Fails on an I/O error, on a dead handle, and when woken by WakeRead before a report came.
  BOOL Read(BYTE** data);
  // Makes a blocked Read return (and every later Read fail) until the link is closed.
  void WakeRead();

  DWORD GetInputLength() const { return m_inputLength; }
  DWORD GetOutputLength() const { return m_outputLength; }
  const wchar_t* GetPath() const { return m_path; }
  bool IsOpen() const { return m_hWrite != INVALID_HANDLE_VALUE; }

  // Replaces the process-wide HID arrival/removal registration; a null window only removes it.
  static BOOL RegisterDeviceNotify(HWND window);

  // Copies at most 259 characters and always terminates (null source gives "").
  static void CopyPath(DevicePath& dst, const wchar_t* src);

 private:
  // What an overlapped read writes into until it has completed: its OVERLAPPED and buffer.
  struct ReadSlot {
    OVERLAPPED ov;
    BYTE buffer[kBufferSize];
  };

  void FinishPendingWrite();
  void CancelPendingRead();
  // The read slot, made when there is none (at the first open, after one was abandoned).
  ReadSlot* TakeReadSlot();

  DevicePath m_path;
  HANDLE m_hWrite;
  HANDLE m_hRead;
  DWORD m_inputLength;
  DWORD m_outputLength;
  BYTE m_writeBuffer[kBufferSize];
  OVERLAPPED m_writeOv;
  // Owned and freed with the object, except when a read would not end even cancelled: that
  // slot is left to the read for good (never freed nor reused) and a new one is made.
  std::atomic<ReadSlot*> m_read;
  // The receive thread writes too (acknowledgements): writes are serialised, and the write
  // buffer is not reused while the previous write is still pending.
  CRITICAL_SECTION m_writeLock;
  bool m_writePending;
  bool m_readPending;  // a read was issued and its completion not yet seen
  std::atomic<bool> m_wake;

  static HDEVNOTIFY s_notify;
};
