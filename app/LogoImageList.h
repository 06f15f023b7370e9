// The logo image list kept in the data folder's ImageCfg.ini: the image files the user added,
// each with a 32-bit value stored beside it (kept as read; 0 for a new entry), and the index
// of the selected one. The file is UTF-16 (it starts with a byte-order mark written when it is
// made), so paths in any script survive; it is read and written with the system's
// private-profile functions:
//   [DIY]      count, currentSelectIndex, and "i" = entry i's value as a profile structure
//   [DIYPath]  "i" = entry i's path
// Window-free; UI thread.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct LogoImageEntry {
  std::wstring path;
  DWORD value = 0;
};

class LogoImageList {
 public:
  static constexpr const wchar_t* kFileName = L"ImageCfg.ini";
  // A "count" above this reads as this many entries.
  static constexpr int kMaxCount = 1000;
  // Paths are kept to 259 characters and a terminator.
  static constexpr int kMaxPath = MAX_PATH;

  // The list in that file (an empty name: no file; nothing is read and every write fails).
  explicit LogoImageList(std::wstring file) : m_file(std::move(file)) {}

  // Makes the file when it is missing: the byte-order mark alone. False when it is missing and
  // cannot be made.
  bool EnsureFile() const;
  // Reads the entries ("count" of them, at most kMaxCount) and the selection: an index outside
  // the list is none (-1).
  void Load();
  // Writes "count" and every entry; false when any write failed.
  bool Save() const;
  // Appends an entry with value 0 (not written yet); false, nothing appended, when the list is
  // full or the path is empty or too long.
  bool Add(const std::wstring& path);
  // Writes the last entry, then "count": what an Add changed (each profile write rewrites the
  // whole file, so a full Save of a long list takes seconds). False when a write failed.
  bool SaveLast() const;
  // Makes index the selection and writes it; false for an index outside the list or a failed
  // write (the selection is then unchanged).
  bool Select(int index);

  const std::wstring& File() const { return m_file; }
  const std::vector<LogoImageEntry>& Entries() const { return m_entries; }
  int Count() const { return static_cast<int>(m_entries.size()); }
  int Selection() const { return m_selection; }

 private:
  bool WriteCount() const;
  bool WriteEntry(int index) const;

  std::wstring m_file;
  std::vector<LogoImageEntry> m_entries;
  int m_selection = -1;
};
