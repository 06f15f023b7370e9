#include "LogoImageList.h"

#include <cwchar>
#include <string>

namespace {

const wchar_t kSection[] = L"DIY";
const wchar_t kPathSection[] = L"DIYPath";
const wchar_t kCountKey[] = L"count";
const wchar_t kSelectionKey[] = L"currentSelectIndex";

std::wstring Key(int index) { return std::to_wstring(index); }

}  // namespace

bool LogoImageList::EnsureFile() const {
  if (m_file.empty()) return false;
  if (GetFileAttributesW(m_file.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  // CREATE_NEW: a file made meanwhile by someone else is left alone.
  HANDLE file = CreateFileW(m_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
  const wchar_t mark = 0xFEFF;
  DWORD written = 0;
  const bool ok = WriteFile(file, &mark, sizeof(mark), &written, nullptr) && written == sizeof(mark);
  return CloseHandle(file) && ok;
}

void LogoImageList::Load() {
  m_entries.clear();
  m_selection = -1;
  if (m_file.empty()) return;
  const LPCWSTR file = m_file.c_str();
  // The count is read as a signed number: anything negative is an empty list.
  const int count = static_cast<int>(GetPrivateProfileIntW(kSection, kCountKey, 0, file));
  const int entries = count < 0 ? 0 : (count > kMaxCount ? kMaxCount : count);
  m_entries.reserve(static_cast<size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    LogoImageEntry entry;
    const std::wstring key = Key(i);
    if (!GetPrivateProfileStructW(kSection, key.c_str(), &entry.value, sizeof(entry.value), file)) {
      entry.value = 0;
    }
    wchar_t path[kMaxPath] = {};
    GetPrivateProfileStringW(kPathSection, key.c_str(), L"", path, kMaxPath, file);
    entry.path = path;
    m_entries.push_back(entry);
  }
  const int selection = static_cast<int>(GetPrivateProfileIntW(kSection, kSelectionKey, -1, file));
  m_selection = selection >= 0 && selection < Count() ? selection : -1;
}

bool LogoImageList::Save() const {
  if (m_file.empty()) return false;
  bool ok = WriteCount();
  for (int i = 0; i < Count(); ++i) ok = WriteEntry(i) && ok;
  return ok;
}

bool LogoImageList::SaveLast() const {
  if (m_file.empty() || m_entries.empty()) return false;
  // The count last: an entry that could not be written is not counted in the file.
  return WriteEntry(Count() - 1) && WriteCount();
}

bool LogoImageList::WriteCount() const {
  return WritePrivateProfileStringW(kSection, kCountKey, Key(Count()).c_str(), m_file.c_str()) !=
         FALSE;
}

bool LogoImageList::WriteEntry(int index) const {
  const std::wstring key = Key(index);
  DWORD value = m_entries[static_cast<size_t>(index)].value;
  const bool stored = WritePrivateProfileStructW(kSection, key.c_str(), &value, sizeof(value),
                                                 m_file.c_str()) != FALSE;
  return WritePrivateProfileStringW(kPathSection, key.c_str(),
                                    m_entries[static_cast<size_t>(index)].path.c_str(),
                                    m_file.c_str()) &&
         stored;
}

bool LogoImageList::Add(const std::wstring& path) {
  if (Count() >= kMaxCount || path.empty() || path.size() >= static_cast<size_t>(kMaxPath)) {
    return false;
  }
  m_entries.push_back(LogoImageEntry{path, 0});
  return true;
}

bool LogoImageList::Select(int index) {
  if (index < 0 || index >= Count() || m_file.empty()) return false;
  if (!WritePrivateProfileStringW(kSection, kSelectionKey, Key(index).c_str(), m_file.c_str())) {
    return false;
  }
  m_selection = index;
  return true;
}
