#include "SettingsFile.h"

#include <windows.h>

#include "FileBytes.h"

namespace {

// More damaged files than this are not kept apart: a further one is left where it is.
constexpr int kMostKeptAside = 1000;

struct Line {
  std::wstring text;
  bool damaged = false;
};

bool IsBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Characters no line of the file holds: controls, DEL, byte-order marks, non-characters and
// surrogates that do not pair.
bool HasBadCharacter(const std::wstring& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if ((c < 0x20 && c != L'\t') || c == 0x7F || c == 0xFEFF || c == 0xFFFE || c == 0xFFFF) {
      return true;
    }
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return true;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

// Each line of UTF-8 bytes, split at CR, LF or CR LF, to visit(line, bytes, length); a line
// whose bytes are no UTF-8 is damaged. One Line is reused, so that a large file costs no
// allocation per line.
template <class Visit>
void ForEachUtf8Line(const std::string& bytes, size_t from, Visit visit) {
  Line line;
  size_t pos = from;
  while (pos < bytes.size()) {
    size_t end = pos;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    line.text.clear();
    line.damaged = false;
    if (end > pos) {
      const int length = static_cast<int>(end - pos);
      const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data() + pos, length,
                                        nullptr, 0);
      if (n > 0) {
        line.text.resize(static_cast<size_t>(n));
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data() + pos, length,
                            &line.text[0], n);
      } else {
        line.damaged = true;
      }
    }
    visit(line, bytes.data() + pos, end - pos);
    if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++end;
    pos = end + 1;
  }
}

// Each line of UTF-16 code units in either byte order to visit(line, nullptr, 0); a byte left
// over is a damaged line.
template <class Visit>
void ForEachUtf16Line(const std::string& bytes, size_t from, bool bigEndian, Visit visit) {
  std::wstring text;
  text.reserve((bytes.size() - from) / 2);
  for (size_t i = from; i + 1 < bytes.size(); i += 2) {
    const unsigned char a = static_cast<unsigned char>(bytes[i]);
    const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<wchar_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  Line line;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && !IsBreak(text[end])) ++end;
    line.text.assign(text, pos, end - pos);
    visit(line, nullptr, 0);
    if (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n') ++end;
    pos = end + 1;
  }
  if ((bytes.size() - from) % 2 != 0) {
    line.text.clear();
    line.damaged = true;
    visit(line, nullptr, 0);
  }
}

// Each line of the file, in its encoding, to visit(line, utf8 bytes or null, length).
template <class Visit>
void ForEachLine(const std::string& bytes, Visit visit) {
  auto starts = [&bytes](const char* mark, size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
  };
  if (starts("\xFF\xFE", 2)) return ForEachUtf16Line(bytes, 2, false, visit);
  if (starts("\xFE\xFF", 2)) return ForEachUtf16Line(bytes, 2, true, visit);
  ForEachUtf8Line(bytes, starts("\xEF\xBB\xBF", 3) ? 3 : 0, visit);
}

enum class Kind { kDamaged, kBlank, kSection, kSetting };

bool IsBlankOrComment(const std::wstring& text, size_t from) {
  while (from < text.size() && IsBlank(text[from])) ++from;
  return from >= text.size() || text[from] == L';' || text[from] == L'#';
}

// What a line is, by the settings' grammar.
Kind KindOf(const Line& line) {
  const std::wstring& text = line.text;
  if (line.damaged || HasBadCharacter(text)) return Kind::kDamaged;
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  if (IsBlankOrComment(text, first)) return Kind::kBlank;
  if (text[first] == L'[') {
    const size_t close = text.find(L']', first + 1);
    if (close == std::wstring::npos || !IsBlankOrComment(text, close + 1)) return Kind::kDamaged;
    for (size_t i = first + 1; i < close; ++i) {
      if (!IsBlank(text[i])) return Kind::kSection;
    }
    return Kind::kDamaged;  // no name
  }
  const size_t equals = text.find(L'=', first);
  if (equals == std::wstring::npos || equals == first) return Kind::kDamaged;
  return Kind::kSetting;
}

bool MayHaveNamedSection(const Line& line) {
  return line.damaged || line.text.find_first_of(L"[]") != std::wstring::npos;
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &bytes[0], n, nullptr, nullptr);
  return bytes;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Numbered(const std::wstring& bad, int n) { return bad + L"." + std::to_wstring(n); }

}  // namespace

bool DecodeSettings(const std::string& bytes, CSimpleIniW* settings) {
  settings->Reset();
  bool damaged = false;
  bool sectionLost = false;
  // The good lines as UTF-8: a UTF-8 file's own bytes, a UTF-16 file's lines converted.
  std::string kept;
  kept.reserve(bytes.size() + 2);
  ForEachLine(bytes, [&](const Line& line, const char* utf8, size_t length) {
    const Kind kind = KindOf(line);
    if (kind == Kind::kDamaged) {
      damaged = true;
      if (MayHaveNamedSection(line)) sectionLost = true;
      return;
    }
    if (kind == Kind::kSection) sectionLost = false;
    if (kind == Kind::kSetting && sectionLost) return;
    if (utf8 != nullptr) {
      kept.append(utf8, length);
    } else {
      kept += ToUtf8(line.text);
    }
    kept += "\r\n";
  });
  if (settings->LoadData(kept.data(), kept.size()) < 0) {
    settings->Reset();
    return false;
  }
  return !damaged;
}

std::wstring SetFileAside(const std::wstring& path) {
  const std::wstring bad = path + L".bad";
  if (Exists(bad)) {
    int free = 1;
    while (free <= kMostKeptAside && Exists(Numbered(bad, free))) ++free;
    if (free > kMostKeptAside) return std::wstring();
    for (int n = free; n > 1; --n) {
      if (!MoveFileW(Numbered(bad, n - 1).c_str(), Numbered(bad, n).c_str())) return std::wstring();
    }
    if (!MoveFileW(bad.c_str(), Numbered(bad, 1).c_str())) return std::wstring();
  }
  return MoveFileW(path.c_str(), bad.c_str()) ? bad : std::wstring();
}

SettingsFile::Outcome SettingsFile::Load(CSimpleIniW* settings) {
  settings->Reset();
  if (m_path.empty()) return Outcome::kMissing;
  std::string bytes;
  FileReadError error = FileReadError::kNone;
  const bool read = ReadSmallFile(m_path, kMaxBytes, &bytes, &error);
  if (!read && error == FileReadError::kMissing) {
    m_writable = true;
    m_known = false;
    return Outcome::kMissing;
  }
  if (read && DecodeSettings(bytes, settings)) {
    m_writable = true;
    m_known = settings->Save(m_knownBytes, false) >= 0;
    return Outcome::kRead;
  }
  const std::wstring aside = SetFileAside(m_path);
  if (aside.empty()) {
    m_writable = false;
    return Outcome::kLeft;
  }
  m_setAside = aside;
  m_writable = true;
  m_known = false;
  return Outcome::kSetAside;
}

bool SettingsFile::Save(const CSimpleIniW& settings) {
  if (m_path.empty() || !m_writable) return false;
  std::string bytes;
  if (settings.Save(bytes, false) < 0) return false;
  if (m_known && bytes == m_knownBytes) return true;
  // A file the next start would not read is not written: the one there stays.
  if (bytes.size() > kMaxBytes) return false;
  if (!ReplaceFileWith(m_path, bytes)) return false;
  m_knownBytes.swap(bytes);
  m_known = true;
  return true;
}
