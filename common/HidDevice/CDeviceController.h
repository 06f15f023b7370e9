// The application's one device controller: the three parameter images, the queue of changed
// rows and its send throttle, and every command of the effect processor. All operations run
// on the UI thread except OnRecvEncryptData, which the receive thread calls.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>

#include "HidDevice/CDeviceManager.h"
#include "HidDevice/CSendThrottle.h"
#include "HidDevice/CChannelCurves.h"
#include "HidDevice/ParamDesc.h"

// The Wi-Fi settings block the network dialog builds: byte 0 a flag, byte 1 a mode, 2..21 the
// network name, 22..39 the password, 40..54 the address text, 55..59 the port text.
struct WifiConfigBlock {
  uint8_t bytes[60];
};

class CDeviceController : public IDeviceSessionSink {
 public:
  enum Channel { kMusic = 0, kMic, kEffect, kMain, kCenter, kSub, kSurround, kChannelCount };
  static constexpr int kModeCount = 16;
  static constexpr int kModeNameLength = 20;
  static constexpr int kWifiListSize = 20;
  static constexpr int kWifiNameLength = 20;
  static constexpr int kMaxEntriesPerReport = 11;
  static constexpr size_t kFlushAtPending = 8;
  static constexpr DWORD kDefaultTimeoutMs = 200;

  // Results of ChangePassword and CheckAdminPassword.
  enum PasswordResult {
    kPasswordOk = 0,
    kPasswordNotConnected = 1,
    kPasswordWrong = 2,  // also for a typed character that is not '0'..'9'
    kPasswordNoReply = 3,
    kPasswordUnreadable = 4,
    kPasswordBadInput = 5,
  };

  CDeviceController();
  ~CDeviceController() override;
  CDeviceController(const CDeviceController&) = delete;
  CDeviceController& operator=(const CDeviceController&) = delete;

  // --- Images ---------------------------------------------------------------------------
  uint8_t* CurrentImage() { return m_current; }
  uint8_t* Bank0Image() { return m_bank0; }
  uint8_t* Bank1Image() { return m_bank1; }
  const uint8_t* CurrentImage() const { return m_current; }
  const uint8_t* Bank0Image() const { return m_bank0; }
  const uint8_t* Bank1Image() const { return m_bank1; }

  void SetBankParam(int row, uint16_t value);
  void SetBankParams(int row, uint16_t bank0Value, uint16_t bank1Value);
  // Saves the current image into the bank being left and loads the chosen bank.
  void SwitchBankImage(bool toBank1);
  static void DumpParams(const uint8_t* image);
  // Dumps the image every controller starts from, as DumpParams does. A new controller leaves
  // this to the program, which does it after its first paint: one debug line per row is slow
  // wherever a debugger (or Wine) listens.
  static void DumpStartImage();

  // --- Parameter writes -----------------------------------------------------------------
  void SetParam(int row, uint16_t value, bool force = false);
  void SetParamQueued(int row, uint16_t value);
  void SetChannelLpfParam(int channel, int rowDelta, uint16_t value);
  void SetChannelHpfParam(int channel, int rowDelta, uint16_t value);
  int FlushPendingParams();
  void OnSendTimer();
  CSendThrottle& Throttle() { return m_throttle; }
  size_t PendingCount() const { return m_pending.size(); }

  // --- Channel look-ups -----------------------------------------------------------------
  // 0 left (mic A, echo), 1 right (mic B, reverb), 2 both; center and sub 0.
  int GetChannelLinkMode(int channel) const;
  // Rows of a channel's sides; an output the channel lacks is left as the caller set it.
  static void GetChannelDynamicsRows(int channel, int* left, int* right);
  static void GetChannelHpfRows(int channel, int* left, int* right);
  static void GetChannelLpfRows(int channel, int* left, int* right);
  // The mode row of band 0 of each EQ band set (mic A and B, echo and reverb).
  static void GetChannelEqRows(int channel, int* first, int* second);
  // The row holding the channel's link mode, -1 for a channel without one.
  static int GetChannelLinkRow(int channel);
  // The filter block the link mode selects (right for 1, left for 0 and 2), or null.
  const uint8_t* GetChannelHpfBlock(int channel) const;
  const uint8_t* GetChannelLpfBlock(int channel) const;
  int GetEffectLinkMode() const { return m_effectLinkMode; }
  void SetEffectLinkMode(int mode) { m_effectLinkMode = mode; }

  // --- EQ curves of every channel side, kept in step with the current image ---------------
  bool InitCurves();
  void RefreshCurves();
  bool UpdateEqBand(int channel, int band);
  void UpdateChannelCurves(int channel);
  void UpdateHighPassCurves(int firstChannel, int lastChannel);
  void UpdateLowPassCurves(int firstChannel, int lastChannel);
  CChannelCurves& Curves() { return m_curves; }
  const CChannelCurves& Curves() const { return m_curves; }

  // --- Session --------------------------------------------------------------------------
  void AttachDeviceManager(CDeviceManager* manager);
  CDeviceManager* GetDeviceManager() const { return m_manager; }
  bool IsConnected() const;
  bool ConnectDevice();
  bool EndSession();
  void ClearSessionFlags() override;
  bool IsSessionOpen() const { return m_sessionOpen != 0; }
  // The pause after a successful handshake (200 ms); tests shorten it.
  void SetSessionSettleMs(DWORD ms) { m_sessionSettleMs = ms; }

  // --- Banks and images -----------------------------------------------------------------
  bool SelectBank(int mode, int bank);
  bool IsBankAccepted() const { return m_bankAccepted != 0; }
  int QueryActiveBank(int code);
  // Reads the selected bank into `buffer` (kParamSlotSize bytes); true only when all 1390
  // bytes came, in which case they are also copied into the current image.
  bool ReadBankImage(uint8_t* buffer);
  bool ReadAllParams();
  // Uploads of images from outside (effect and mode files) refuse, changing and sending
  // nothing, an image with a value the program's controls cannot set (HidDevice/ParamLimits.h).
  bool UploadImage(const uint8_t* image);
  bool UploadBankImages(const uint8_t* current, const uint8_t* bank0, const uint8_t* bank1,
                        int slot, int finalCode);
  bool UploadToDeviceMode(int mode);

  // --- Device modes ---------------------------------------------------------------------
  bool SaveDeviceMode(int mode, const char* name);
  bool RecallDeviceMode(int mode);
  bool LoadDeviceModeNames();
  const char* GetDeviceModeName(int mode);
  int GetDeviceMode() const { return m_deviceMode; }
  void SetDeviceMode(int mode) { m_deviceMode = mode; }
  bool AreModeNamesLoaded() const { return m_modeNamesLoaded != 0; }

  // --- Passwords and user rights --------------------------------------------------------
  bool ReadPasswords();
  bool ArePasswordsRead() const { return m_passwordsRead != 0; }
  int ChangePassword(int kind, const wchar_t* oldPassword, const wchar_t* newPassword);
  int CheckAdminPassword(const wchar_t* typed);
  bool IsLoggedIn() const { return m_loggedIn != 0; }
  bool SetUserMode(bool administrator);
  bool IsAdminMode() const;
  bool SetKeyLock(bool on);
  bool IsKeyLocked() const;

  // --- Actions --------------------------------------------------------------------------
  bool ConnectSpdif();
  bool DisconnectSpdif();
  bool IsSpdifPresent() const { return m_spdifPresent != 0; }
  void SetSpdifPresent(bool present) { m_spdifPresent = present ? 1 : 0; }
  bool ResetChannelEq(int channel);

  // --- Wi-Fi (called from a worker thread while its dialog is modal) --------------------
  int QueryWifiState();
  int QueryWifiList();
  const char* GetWifiListEntry(int index) const;
  const char* QueryWifiConnection();
  int SetWifiConfig(WifiConfigBlock block);

  // --- Device notification (receive thread) ---------------------------------------------
  // Checks a device notification (0x7E) and acknowledges it; 0 for any other report and for a
  // good one acknowledged, 1 for a bad check or when the acknowledgement could not be sent.
  int OnRecvEncryptData(const BYTE* report) override;

  // Lets queued messages of the UI thread run for 50 ms; a WM_QUIT is posted again.
  static void PumpMessages();

 private:
  bool HasOpenProtocol() const;
  bool Request(uint8_t* request, uint8_t* reply, DWORD timeoutMs = kDefaultTimeoutMs);
  bool SendImageBlocks(uint8_t* request, const uint8_t* image);
  bool SendUploadHeader(int slot);
  bool UploadBanks(const uint8_t* current, const uint8_t* bank0, const uint8_t* bank1, int slot,
                   int finalCode);
  bool WriteSystemRow(int row, uint16_t value);
  bool SendAction(uint8_t action, uint8_t argument);
  void LogSetParam(int row, uint16_t value) const;
  bool WriteAndQueue(int row, uint16_t value, bool force);
  void SetChannelFilterParam(int left, int right, int channel, int rowDelta, uint16_t value);
  const uint8_t* LinkedBlock(int channel, int left, int right) const;
  void CopyDefaultBands(int channel, int side);
  bool EnsurePasswordsRead();

  uint8_t m_current[kParamSlotSize];
  uint8_t m_bank0[kParamSlotSize];
  uint8_t m_bank1[kParamSlotSize];

  std::map<uint32_t, uint16_t> m_pending;
  CSendThrottle m_throttle;
  CChannelCurves m_curves;
  CDeviceManager* m_manager = nullptr;

  DWORD m_sessionSettleMs = 200;
  uint32_t m_sessionOpen = 0;
  uint32_t m_bankAccepted = 0;
  uint32_t m_passwordsRead = 0;
  uint32_t m_loggedIn = 0;
  uint32_t m_modeNamesLoaded = 0;
  uint32_t m_spdifPresent = 0;
  uint32_t m_deviceMode = 0;
  int m_effectLinkMode = 0;

  // The device's passwords as digit values, kept apart from the image slots so that copying
  // whole slots can never forge or lose them.
  uint8_t m_adminPassword[6] = {};
  uint8_t m_keyPassword[4] = {};

  char m_modeNames[kModeCount][32] = {};
  char m_wifiList[kWifiListSize][kWifiNameLength + 1] = {};
  char m_wifiName[kWifiNameLength + 1] = {};
};
