#include "res.mgr/SZipReader.h"

#include <zlib.h>

#include "core/SByteOrder.h"

#include <cstring>
#include <new>

namespace SWUI {

namespace {

const uint32_t kEndRecord = 0x06054b50;
const uint32_t kDirectoryEntry = 0x02014b50;
const uint32_t kLocalHeader = 0x04034b50;
const size_t kEndRecordBytes = 22;
const size_t kDirectoryEntryBytes = 46;
const size_t kLocalHeaderBytes = 30;
const size_t kEncryptionHeader = 12;
const uint16_t kEncrypted = 0x1;
const uint16_t kDataDescriptor = 0x8;
// Deflate cannot expand data by more than about 1032 to 1; a larger size is a lie.
const uint64_t kMaxInflateRatio = 1032;

std::wstring Normalised(LPCWSTR name, size_t length) {
  std::wstring out(name, length);
  for (wchar_t& c : out) {
    if (c == L'/') c = L'\\';
  }
  if (!out.empty()) CharLowerBuffW(&out[0], static_cast<DWORD>(out.size()));
  return out;
}

// The traditional PKWARE stream cipher over zlib's CRC-32 table.
class ZipKeys {
 public:
  explicit ZipKeys(const char* password) {
    for (const char* p = password; *p; ++p) Update(static_cast<BYTE>(*p));
  }
  BYTE Decrypt(BYTE cipher) {
    const uint32_t t = (keys_[2] | 2) & 0xFFFF;
    const BYTE plain = cipher ^ static_cast<BYTE>((t * (t ^ 1)) >> 8);
    Update(plain);
    return plain;
  }

 private:
  static uint32_t Crc(uint32_t crc, BYTE b) {
    static const z_crc_t* const table = get_crc_table();
    return table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  }
  void Update(BYTE b) {
    keys_[0] = Crc(keys_[0], b);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = Crc(keys_[2], static_cast<BYTE>(keys_[1] >> 24));
  }
  uint32_t keys_[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

// Raw deflate data into exactly size bytes.
bool Inflate(const std::vector<BYTE>& in, uint32_t size, std::vector<BYTE>* out) {
  out->resize(size);
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = out->data();
  z.avail_out = size;
  const int result = inflate(&z, Z_FINISH);
  const bool whole = result == Z_STREAM_END && z.total_out == size;
  inflateEnd(&z);
  return whole;
}

}  // namespace

SZipReader::SZipReader() = default;

SZipReader::~SZipReader() { Close(); }

void SZipReader::Close() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  memory_ = nullptr;
  open_ = false;
  size_ = 0;
  directoryStart_ = 0;
  entries_.clear();
  names_.clear();
  SecureZeroMemory(password_, sizeof(password_));
}

bool SZipReader::OpenFile(LPCWSTR path) {
  Close();
  if (path == nullptr) return false;
  file_ = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size{};
  if (file_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(file_, &size)) {
    Close();
    return false;
  }
  size_ = static_cast<uint64_t>(size.QuadPart);
  if (!ReadDirectory()) {
    Close();
    return false;
  }
  return true;
}

bool SZipReader::OpenResource(HMODULE module, LPCWSTR name, LPCWSTR type) {
  Close();
  if (name == nullptr || type == nullptr) return false;
  HRSRC res = FindResourceW(module, name, type);
  const DWORD size = res != nullptr ? SizeofResource(module, res) : 0;
  HGLOBAL global = size != 0 ? LoadResource(module, res) : nullptr;
  memory_ = global != nullptr ? static_cast<const BYTE*>(LockResource(global)) : nullptr;
  size_ = memory_ != nullptr ? size : 0;
  if (memory_ == nullptr || !ReadDirectory()) {
    Close();
    return false;
  }
  return true;
}

bool SZipReader::ReadAt(uint64_t offset, void* buffer, size_t count) const {
  if (offset > size_ || size_ - offset < count) return false;
  if (count == 0) return true;
  if (memory_ != nullptr) {
    memcpy(buffer, memory_ + offset, count);
    return true;
  }
  if (count > MAXDWORD) return false;
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  return ReadFile(file_, buffer, static_cast<DWORD>(count), &read, &at) && read == count;
}

bool SZipReader::ReadDirectory() {
  // ZIP64 is not read: an archive past 4 GiB cannot be addressed.
  if (size_ < kEndRecordBytes || size_ > UINT32_MAX) return false;
  BYTE end[kEndRecordBytes];
  if (!ReadAt(size_ - kEndRecordBytes, end, sizeof(end))) return false;
  // The record must end the archive: a comment after it is not supported.
  if (ReadLE32(end) != kEndRecord || ReadLE16(end + 20) != 0) return false;
  const uint16_t count = ReadLE16(end + 10);
  const uint32_t directorySize = ReadLE32(end + 12);
  if (directorySize > size_ - kEndRecordBytes) return false;
  directoryStart_ = size_ - kEndRecordBytes - directorySize;
  std::vector<BYTE> directory;
  try {
    directory.resize(directorySize);
    if (!ReadAt(directoryStart_, directory.data(), directory.size())) return false;
    entries_.reserve(count);
    size_t pos = 0;
    for (uint16_t i = 0; i < count; ++i) {
      if (directory.size() - pos < kDirectoryEntryBytes) return false;
      BYTE* d = directory.data() + pos;
      if (ReadLE32(d) != kDirectoryEntry) return false;
      const size_t nameLength = ReadLE16(d + 28);
      const size_t rest = nameLength + ReadLE16(d + 30) + ReadLE16(d + 32);
      if (directory.size() - pos - kDirectoryEntryBytes < rest) return false;
      entries_.push_back({ReadLE16(d + 8), ReadLE16(d + 10), ReadLE16(d + 12), ReadLE32(d + 16),
                          ReadLE32(d + 20), ReadLE32(d + 24), ReadLE32(d + 42)});
      char* name = reinterpret_cast<char*>(d + kDirectoryEntryBytes);
      for (size_t c = 0; c < nameLength; ++c) {
        if (name[c] == '/') name[c] = '\\';
      }
      std::wstring wide(nameLength, L'\0');
      const int n = nameLength == 0
                        ? 0
                        : MultiByteToWideChar(CP_OEMCP, 0, name, static_cast<int>(nameLength),
                                              &wide[0], static_cast<int>(wide.size()));
      wide.resize(n);
      names_.emplace(Normalised(wide.c_str(), wide.size()), static_cast<int>(i));
      pos += kDirectoryEntryBytes + rest;
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  open_ = true;
  return true;
}

bool SZipReader::SetPassword(LPCSTR password) {
  if (password == nullptr) return false;
  const size_t length = strlen(password);
  if (length > kMaxPassword) return false;
  memcpy(password_, password, length + 1);
  return true;
}

int SZipReader::FindEntry(LPCWSTR name) const {
  if (!open_ || name == nullptr) return -1;
  auto it = names_.find(Normalised(name, wcslen(name)));
  return it != names_.end() ? it->second : -1;
}

bool SZipReader::Plausible(const Entry& entry) const {
  if (entry.localOffset > directoryStart_ ||
      directoryStart_ - entry.localOffset < kLocalHeaderBytes + uint64_t{entry.compressedSize}) {
    return false;
  }
  const bool encrypted = (entry.flags & kEncrypted) != 0;
  if (encrypted && entry.compressedSize < kEncryptionHeader) return false;
  const uint64_t data = entry.compressedSize - (encrypted ? kEncryptionHeader : 0);
  if (entry.method == 0) return entry.size == data;
  return entry.method == 8 && entry.size <= data * kMaxInflateRatio + 64;
}

DWORD SZipReader::EntrySize(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return 0;
  const Entry& entry = entries_[index];
  return Plausible(entry) ? entry.size : 0;
}

bool SZipReader::Decrypt(const Entry& entry, uint16_t localFlags, std::vector<BYTE>* data) const {
  if (password_[0] == 0 || data->size() < kEncryptionHeader) return false;
  ZipKeys keys(password_);
  BYTE check = 0;
  for (size_t i = 0; i < kEncryptionHeader; ++i) check = keys.Decrypt((*data)[i]);
  // Writers that stream (sizes in a trailing descriptor) check with the time's high byte,
  // others with the CRC's.
  const bool passes =
      check == static_cast<BYTE>(entry.crc >> 24) ||
      ((localFlags & kDataDescriptor) && check == static_cast<BYTE>(entry.time >> 8));
  if (!passes) return false;
  for (size_t i = kEncryptionHeader; i < data->size(); ++i) {
    (*data)[i - kEncryptionHeader] = keys.Decrypt((*data)[i]);
  }
  data->resize(data->size() - kEncryptionHeader);
  return true;
}

bool SZipReader::ReadEntry(int index, std::vector<BYTE>* data) const {
  data->clear();
  if (!open_ || index < 0 || static_cast<size_t>(index) >= entries_.size()) return false;
  const Entry& entry = entries_[index];
  if (!Plausible(entry)) return false;
  BYTE local[kLocalHeaderBytes];
  // Local headers and their data lie before the central directory.
  if (entry.localOffset > directoryStart_ ||
      directoryStart_ - entry.localOffset < kLocalHeaderBytes ||
      !ReadAt(entry.localOffset, local, sizeof(local)) || ReadLE32(local) != kLocalHeader) {
    return false;
  }
  const uint16_t flags = ReadLE16(local + 6);
  const uint16_t method = ReadLE16(local + 8);
  // Without a trailing descriptor the local header must agree with the directory.
  if (method != entry.method || (flags & kEncrypted) != (entry.flags & kEncrypted)) return false;
  if (!(flags & kDataDescriptor) &&
      (ReadLE32(local + 14) != entry.crc || ReadLE32(local + 18) != entry.compressedSize ||
       ReadLE32(local + 22) != entry.size)) {
    return false;
  }
  const uint64_t dataStart = static_cast<uint64_t>(entry.localOffset) + kLocalHeaderBytes +
                             ReadLE16(local + 26) + ReadLE16(local + 28);
  if (dataStart > directoryStart_ || directoryStart_ - dataStart < entry.compressedSize)
    return false;
  try {
    std::vector<BYTE> raw(entry.compressedSize);
    if (!ReadAt(dataStart, raw.data(), raw.size())) return false;
    if ((flags & kEncrypted) && !Decrypt(entry, flags, &raw)) return false;
    if (method == 0) {
      if (raw.size() != entry.size) return false;
      data->swap(raw);
    } else if (method != 8 || !Inflate(raw, entry.size, data)) {
      data->clear();
      return false;
    }
  } catch (const std::bad_alloc&) {
    data->clear();
    return false;
  }
  if (crc32(crc32(0L, Z_NULL, 0), data->data(), static_cast<uInt>(data->size())) != entry.crc) {
    data->clear();
    return false;
  }
  return true;
}

}  // namespace SWUI
