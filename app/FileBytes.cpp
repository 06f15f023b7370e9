#include "FileBytes.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr DWORD kChunk = 1 << 20;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : m_handle(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }
  bool Close() {
    if (!IsOpen()) return true;
    const bool ok = CloseHandle(m_handle) != FALSE;
    m_handle = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE m_handle;
};

// The size of the next transfer of at most one chunk.
DWORD NextPart(size_t total, size_t done) {
  return static_cast<DWORD>(total - done < kChunk ? total - done : kChunk);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD part = NextPart(bytes.size(), done);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, part, &written, nullptr)) return false;
    if (written != part) return false;
    done += part;
  }
  return true;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

bool WriteTemporary(const std::wstring& temporary, const std::string& bytes, bool flush) {
  FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  const bool written = WriteAll(file.Get(), bytes) && (!flush || FlushFileBuffers(file.Get()));
  return file.Close() && written;
}

// The name after the last separator.
std::wstring LastPart(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Paths into the system's device namespace ("\\.\COM1", "\\.\pipe\x") name no file.
bool IsDevicePath(const std::wstring& path) {
  return path.size() >= 4 && (path[0] == L'\\' || path[0] == L'/') &&
         (path[1] == L'\\' || path[1] == L'/') && path[2] == L'.' &&
         (path[3] == L'\\' || path[3] == L'/');
}

HANDLE OpenForReading(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

FileReadError OpenError(const std::wstring& path, DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    return FileReadError::kMissing;
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return FileReadError::kNotAFile;
  }
  return FileReadError::kUnreadable;
}

// The size of an open ordinary file; false for a device, a pipe or a failed query.
bool DiskFileSize(HANDLE file, unsigned long long* size) {
  LARGE_INTEGER value;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &value) || value.QuadPart < 0) {
    return false;
  }
  *size = static_cast<unsigned long long>(value.QuadPart);
  return true;
}

FileReadError ReadOpenFile(HANDLE file, size_t maxBytes, std::string* out) {
  unsigned long long size = 0;
  if (!DiskFileSize(file, &size)) return FileReadError::kNotAFile;
  if (size > maxBytes) return FileReadError::kTooLarge;
  std::string bytes(static_cast<size_t>(size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD part = NextPart(bytes.size(), done);
    DWORD read = 0;
    if (!ReadFile(file, &bytes[done], part, &read, nullptr) || read != part) {
      return FileReadError::kUnreadable;
    }
    done += part;
  }
  out->swap(bytes);
  return FileReadError::kNone;
}

}  // namespace

bool ReadSmallFile(const std::wstring& path, size_t maxBytes, std::string* out,
                   FileReadError* error) {
  FileReadError result = FileReadError::kNotAFile;
  if (out != nullptr && !IsDeviceName(path) && !IsDevicePath(path)) {
    FileHandle file(OpenForReading(path));
    result = file.IsOpen() ? ReadOpenFile(file.Get(), maxBytes, out)
                           : OpenError(path, GetLastError());
  }
  if (error != nullptr) *error = result;
  return result == FileReadError::kNone;
}

bool IsSmallDiskFile(const std::wstring& path, size_t maxBytes) {
  if (path.empty() || IsDeviceName(path) || IsDevicePath(path)) return false;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) ||
      ((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) >
          maxBytes) {
    return false;
  }
  // What the name leads to once opened decides.
  FileHandle file(OpenForReading(path));
  unsigned long long size = 0;
  return file.IsOpen() && DiskFileSize(file.Get(), &size) && size <= maxBytes;
}

bool IsDeviceName(const std::wstring& path) {
  static const wchar_t* const kReserved[] = {
      L"CON",  L"PRN",  L"AUX",  L"NUL",       L"CONIN$",    L"CONOUT$",
      L"COM1", L"COM2", L"COM3", L"COM4",      L"COM5",      L"COM6",
      L"COM7", L"COM8", L"COM9", L"COM\u00B9", L"COM\u00B2", L"COM\u00B3",
      L"LPT1", L"LPT2", L"LPT3", L"LPT4",      L"LPT5",      L"LPT6",
      L"LPT7", L"LPT8", L"LPT9", L"LPT\u00B9", L"LPT\u00B2", L"LPT\u00B3"};
  const std::wstring name = LastPart(path);
  size_t base = name.find(L'.');
  if (base == std::wstring::npos) base = name.size();
  while (base > 0 && name[base - 1] == L' ') --base;
  for (const wchar_t* reserved : kReserved) {
    if (CompareStringOrdinal(name.c_str(), static_cast<int>(base), reserved,
                             static_cast<int>(wcslen(reserved)), TRUE) == CSTR_EQUAL) {
      return true;
    }
  }
  return false;
}

bool ReplaceFileWith(const std::wstring& path, const std::string& bytes) {
  wchar_t temporary[MAX_PATH];
  if (!GetTempFileNameW(FolderOf(path).c_str(), L"tvr", 0, temporary)) return false;
  const bool replacing = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  const bool ok =
      WriteTemporary(temporary, bytes, replacing) &&
      MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temporary);
  return ok;
}
