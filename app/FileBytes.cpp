#include "FileBytes.h"

#include <windows.h>

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

bool WriteTemporary(const std::wstring& temporary, const std::string& bytes) {
  FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
  return file.Close() && written;
}

}  // namespace

bool ReadSmallFile(const std::wstring& path, size_t maxBytes, std::string* out) {
  if (!out) return false;
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    return false;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD part = NextPart(bytes.size(), done);
    DWORD read = 0;
    if (!ReadFile(file.Get(), &bytes[done], part, &read, nullptr) || read != part) return false;
    done += part;
  }
  out->swap(bytes);
  return true;
}

bool ReplaceFileWith(const std::wstring& path, const std::string& bytes) {
  wchar_t temporary[MAX_PATH];
  if (!GetTempFileNameW(FolderOf(path).c_str(), L"tvr", 0, temporary)) return false;
  const bool ok =
      WriteTemporary(temporary, bytes) &&
      MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temporary);
  return ok;
}
