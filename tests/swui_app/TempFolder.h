// A fresh folder under the temporary directory, removed with its files afterwards.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "TempFile.h"

class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"swui_app_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(counter_++);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring Write(const std::wstring& name, const std::string& bytes) {
    std::wstring file = path_ + L"\\" + name;
    fixtures::WriteFileBytes(file, bytes.data(), bytes.size());
    files_.push_back(file);
    return file;
  }

 private:
  static inline int counter_ = 0;
  std::wstring path_;
  std::vector<std::wstring> files_;
};
