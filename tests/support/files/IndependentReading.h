// A second reading of effect and mode files, written from the file formats alone, that the
// damaged-file tests hold the program's readers against: its own hex and checks, its own INI
// grammar (the mode files' settings grammar, the platform's private-profile grammar).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The device check computed from the generator of its table (the table is linear over XOR, so
// its entries for the eight single bits fix it), not from the program's table.
uint8_t ReferenceCrc8(const uint8_t* bytes, size_t count);

// Upper-case hex of the bytes followed by the two digits of `check`.
std::string HexText(const uint8_t* bytes, size_t count, uint8_t check);
// The check of an effect file: the low byte of the bytes' sum.
uint8_t ByteSum(const uint8_t* bytes, size_t count);

// A mode file as its grammar reads it: version, which bank is current and both banks (1382
// bytes each), or ok false when a mode loader must refuse it.
struct ModeReading {
  bool ok = false;
  bool sing = true;
  std::vector<uint8_t> singBank, discoBank;
};
ModeReading ReadModeIndependently(const std::string& fileBytes);

// An effect file as the private-profile grammar reads it: the 1382 bytes, or false.
bool ReadEffectIndependently(const std::string& fileBytes, std::vector<uint8_t>* image);

// A fresh folder under the temporary directory, removed with everything in it afterwards.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::wstring& Path() const { return m_path; }
  std::wstring Sub(const std::wstring& name) const { return m_path + L"\\" + name; }
  // Writes bytes to a path below the folder (folders must exist); the full path.
  std::wstring Write(const std::wstring& relative, const std::string& bytes) const;
  bool MakeFolder(const std::wstring& relative) const;

 private:
  std::wstring m_path;
};

bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
