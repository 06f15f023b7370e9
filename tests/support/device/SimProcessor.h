// The simulated effect processor's command side: what it keeps (two parameter banks, the
// device-mode names, passwords, the Wi-Fi list and settings, uploads, firmware) and one handler
// per command code. A handler fills bytes 4..62 (and 1..2 where the command defines them) of a
// reply that already carries code + 1 and the accepted flag; the caller seals it.
// To teach it a new command, add a handler and one line in the constructor's table.
//
// Uploads (an assumption about the device, which its commands leave open): the 24 blocks of an
// upload ('h', then 'j' ...) fill a buffer; a bank selection with mode 0 ('|' 0, bank) copies a
// complete buffer into that bank. A complete upload to slot 0 that no such selection commits
// (an effect import sends only the header and the blocks) becomes the bank the device works with
// (`activeBank`) just before the device handles its next request of any other kind, so a write
// that follows lands on the uploaded image. A test that looks at the banks right after the last
// block, with no request since, calls Settle() first.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class SimProcessor {
 public:
  static const int kBankSize = 1390;
  static const int kImageSize = 1382;   // what an upload carries
  static const int kModeCount = 16;
  static const int kNameSize = 20;
  static const int kUploadBlock = 59;
  static const int kUploadBlocks = 24;
  static const int kWifiListMax = 20;

  SimProcessor();

  // Handles one request (64 bytes). Returns false when the device answers nothing (a
  // notification acknowledgement); else `reply` holds the 64-byte reply, byte 63 not yet set.
  bool Handle(const uint8_t* request, uint8_t* reply);
  // Applies a complete, uncommitted upload to slot 0 to the active bank now (see above).
  void Settle();

  // --- What the device keeps -----------------------------------------------------------
  uint8_t banks[2][kBankSize];
  int activeBank = 0;         // the bank the device works with; 'd' writes land here
  int readBank = 0;           // the bank chosen for reading (select with mode 1)
  bool sessionOpen = false;
  char modeNames[kModeCount][kNameSize + 1];
  int deviceMode = 0;
  uint8_t adminPassword[6] = {1, 2, 3, 4, 5, 6};   // digit values 0..9
  uint8_t keyPassword[4] = {0, 0, 0, 0};
  std::vector<std::string> wifiList;              // names of visible networks (<= 20 bytes)
  std::string wifiConnected;
  uint8_t wifiState = 0;
  uint8_t wifiSetResult = 1;                      // reply byte 4 to a Wi-Fi settings write
  uint8_t wifiConfig[59] = {};                    // bytes 4..62 of the last settings write
  uint8_t deviceInfo[33] = {};                    // reply bytes 4..36 of the information query
  bool spdifConnected = false;
  int lastAction = -1, lastActionArg = -1;        // the last 'l' request's bytes 4 and 5
  int lastActiveBankCode = -1;                    // byte 4 of the last active-bank request
  int readLengthClaim = -1;  // when >= 0, byte 4 of every read reply (the data stay as asked)
  // Image upload: the buffer fills block by block; selecting a bank with mode 0 commits it.
  uint8_t upload[kUploadBlock * kUploadBlocks] = {};
  uint32_t uploadBlocksSeen = 0;                  // bit per block since the last commit
  int uploadSlot = -1;
  int uploadsCommitted = 0;
  int uploadsSettled = 0;                         // slot-0 uploads that became the active bank
  // Firmware update.
  std::vector<uint8_t> firmware;
  int firmwareBlocksAnnounced = 0;
  int firmwareBlocksReceived = 0;

 private:
  typedef void (SimProcessor::*Handler)(const uint8_t* req, uint8_t* rep);
  bool UploadComplete() const;
  void OnSessionKey(const uint8_t* req, uint8_t* rep);
  void OnFirmwareBegin(const uint8_t* req, uint8_t* rep);
  void OnFirmwareBlock(const uint8_t* req, uint8_t* rep);
  void OnReadParams(const uint8_t* req, uint8_t* rep);
  void OnChangePassword(const uint8_t* req, uint8_t* rep);
  void OnWriteParams(const uint8_t* req, uint8_t* rep);
  void OnReadModeNames(const uint8_t* req, uint8_t* rep);
  void OnUploadBegin(const uint8_t* req, uint8_t* rep);
  void OnUploadBlock(const uint8_t* req, uint8_t* rep);
  void OnAction(const uint8_t* req, uint8_t* rep);
  void OnRecallMode(const uint8_t* req, uint8_t* rep);
  void OnSession(const uint8_t* req, uint8_t* rep);
  void OnSaveMode(const uint8_t* req, uint8_t* rep);
  void OnReadPasswords(const uint8_t* req, uint8_t* rep);
  void OnSelectBank(const uint8_t* req, uint8_t* rep);
  void OnActiveBank(const uint8_t* req, uint8_t* rep);
  void OnDeviceConfig(const uint8_t* req, uint8_t* rep);
  void OnWifiState(const uint8_t* req, uint8_t* rep);
  void OnWifiList(const uint8_t* req, uint8_t* rep);
  void OnWifiConnection(const uint8_t* req, uint8_t* rep);

  std::map<uint8_t, Handler> m_handlers;
};
