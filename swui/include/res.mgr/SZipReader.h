// A reader of zip archives held in a file or in a module resource: the central directory,
// stored and deflated entries, traditional PKWARE encryption. No ZIP64, no archive comment
// (the end record must be the archive's last 22 bytes). Every size and offset is checked
// against the archive before it is used, and an entry is handed out only when it inflates to
// exactly its size and its CRC-32 matches, so a damaged archive fails rather than serving
// wrong bytes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace SWUI {

class SZipReader {
 public:
  static const size_t kMaxPassword = 61;  // characters

  SZipReader();
  ~SZipReader();
  SZipReader(const SZipReader&) = delete;
  SZipReader& operator=(const SZipReader&) = delete;

  // Each closes what was open, then opens and reads the central directory; false (and closed)
  // when the archive cannot be opened or its end record or directory is damaged.
  bool OpenFile(LPCWSTR path);
  bool OpenResource(HMODULE module, LPCWSTR name, LPCWSTR type);
  // Closes the archive and forgets the password.
  void Close();
  bool IsOpen() const { return open_; }

  // The password for encrypted entries: refused when null or longer than kMaxPassword
  // characters; empty means none.
  bool SetPassword(LPCSTR password);

  // The first entry whose name matches, without regard to case, '/' and '\' alike; -1 when
  // none does.
  int FindEntry(LPCWSTR name) const;
  // The entry's uncompressed size as the central directory gives it; 0 for an entry whose
  // sizes cannot be true (a stored entry whose sizes differ, a deflated one larger than
  // deflate can expand, data past the directory), so nobody allocates for a lie.
  DWORD EntrySize(int index) const;
  // The entry's bytes; false when it cannot be read, is encrypted and the password is missing
  // or wrong, or its data do not check.
  bool ReadEntry(int index, std::vector<BYTE>* data) const;

 private:
  struct Entry {
    uint16_t flags;
    uint16_t method;
    uint16_t time;
    uint32_t crc;
    uint32_t compressedSize;
    uint32_t size;
    uint32_t localOffset;
  };

  bool ReadDirectory();
  bool Plausible(const Entry& entry) const;
  bool ReadAt(uint64_t offset, void* buffer, size_t count) const;
  bool Decrypt(const Entry& entry, uint16_t localFlags, std::vector<BYTE>* data) const;

  bool open_ = false;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  const BYTE* memory_ = nullptr;  // a locked module resource: nothing to free
  uint64_t size_ = 0;
  uint64_t directoryStart_ = 0;
  std::vector<Entry> entries_;
  std::unordered_map<std::wstring, int> names_;  // lower-case, '\' separated
  char password_[64] = {};
};

}  // namespace SWUI
