#include "res.mgr/SResFile.h"

namespace SWUI {

size_t SResFile::GetSize(LPCWSTR path) {
  if (path == nullptr || *path == 0) return 0;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(path, &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  FindClose(find);
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return data.nFileSizeLow;
}

BOOL SResFile::Read(LPCWSTR path, void* buf, size_t size) {
  if (path == nullptr || *path == 0) return FALSE;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  BOOL ok = FALSE;
  DWORD fileSize = GetFileSize(file, nullptr);
  if (fileSize == INVALID_FILE_SIZE) {
    // keep the error GetFileSize left
  } else if (fileSize > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
  } else {
    DWORD read = 0;
    ok = ReadFile(file, buf, fileSize, &read, nullptr) && read == fileSize;
  }
  DWORD err = GetLastError();
  CloseHandle(file);
  SetLastError(err);
  return ok;
}

}  // namespace SWUI
