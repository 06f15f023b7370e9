#include "IndependentReading.h"

#include <cstdlib>
#include <map>

#include "TempFile.h"

namespace {

constexpr size_t kBankBytes = 1382;
constexpr size_t kMostBankBytes = 1402;

int UpperHex(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Pairs of upper-case hex digits into bytes; false at any other character.
bool Unhex(const std::wstring& text, std::vector<uint8_t>* bytes) {
  if (text.size() % 2) return false;
  bytes->clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    const int hi = UpperHex(text[i]);
    const int lo = UpperHex(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes->push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return true;
}

std::wstring Widen(const std::string& bytes, UINT codePage) {
  if (bytes.empty()) return std::wstring();
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
  return out;
}

std::wstring Folded(std::wstring s) {
  for (wchar_t& c : s) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return s;
}

std::wstring UpToNul(const std::wstring& s) { return s.substr(0, s.find(L'\0')); }

// ---- The mode files' settings grammar ------------------------------------------------------
// Whitespace is space, tab, CR and LF; a line is a comment when its first non-blank character is
// ';' or '#'; "[name]" opens a section (blanks, newlines included, may follow the '['; the rest of
// the line after ']' is ignored; without ']' on the line the line is dropped); "key = value"
// with key and value trimmed; a line without '=' or with an empty key is dropped. Names compare
// ignoring ASCII case; a later value of a key replaces an earlier one. The text ends at its
// first NUL.
using Sections = std::map<std::wstring, std::map<std::wstring, std::wstring>>;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
bool IsNewLine(wchar_t c) { return c == L'\r' || c == L'\n'; }

std::wstring TrimmedRight(const std::wstring& text, size_t from, size_t to) {
  while (to > from && IsBlank(text[to - 1])) --to;
  return text.substr(from, to - from);
}

Sections ParseSettings(std::wstring text) {
  text = UpToNul(text);
  Sections sections;
  std::wstring section;
  const size_t n = text.size();
  size_t i = 0;
  auto toLineEnd = [&] {
    while (i < n && !IsNewLine(text[i])) ++i;
  };
  while (true) {
    while (i < n && IsBlank(text[i])) ++i;
    if (i >= n) break;
    if (text[i] == L';' || text[i] == L'#') {
      toLineEnd();
      continue;
    }
    if (text[i] == L'[') {
      ++i;
      while (i < n && IsBlank(text[i])) ++i;
      const size_t start = i;
      while (i < n && text[i] != L']' && !IsNewLine(text[i])) ++i;
      if (i >= n || text[i] != L']') continue;
      section = Folded(TrimmedRight(text, start, i));
      sections[section];
      toLineEnd();
      continue;
    }
    const size_t keyStart = i;
    while (i < n && text[i] != L'=' && !IsNewLine(text[i])) ++i;
    if (i >= n || text[i] != L'=') continue;
    if (i == keyStart) {
      toLineEnd();
      continue;
    }
    const std::wstring key = Folded(TrimmedRight(text, keyStart, i));
    ++i;
    while (i < n && !IsNewLine(text[i]) && IsBlank(text[i])) ++i;
    const size_t valueStart = i;
    toLineEnd();
    sections[section][key] = TrimmedRight(text, valueStart, i);
  }
  return sections;
}

const std::wstring* Find(const Sections& sections, const wchar_t* section, const wchar_t* key) {
  const auto s = sections.find(section);
  if (s == sections.end()) return nullptr;
  const auto k = s->second.find(key);
  return k == s->second.end() ? nullptr : &k->second;
}

// A number as the settings are read: decimal, or hex after "0x"; nothing may follow it; a value
// longer than 63 bytes reads as missing.
long NumberValue(const std::wstring* value, long missing) {
  if (!value || value->empty()) return missing;
  const int n = WideCharToMultiByte(CP_UTF8, 0, value->c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0 || n > 64) return missing;
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, value->c_str(), -1, &s[0], n, nullptr, nullptr);
  char* end = nullptr;
  long v;
  if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    if (!s[2]) return missing;
    v = std::strtol(s.c_str() + 2, &end, 16);
  } else {
    v = std::strtol(s.c_str(), &end, 10);
  }
  return *end ? missing : v;
}

// A yes/no value: false for "0", "f", "n", "of" (any case) at its start; true for "1", "t",
// "y", "on"; anything else, an empty value and a missing one give `missing`.
bool BoolValue(const std::wstring* value, bool missing) {
  if (!value || value->empty()) return missing;
  const wchar_t c = (*value)[0];
  const wchar_t d = value->size() > 1 ? (*value)[1] : L'\0';
  if (wcschr(L"tTyY1", c)) return true;
  if (wcschr(L"fFnN0", c)) return false;
  if (c == L'o' || c == L'O') {
    if (d == L'n' || d == L'N') return true;
    if (d == L'f' || d == L'F') return false;
  }
  return missing;
}

bool Bank(const std::wstring* text, std::vector<uint8_t>* bank) {
  std::vector<uint8_t> bytes;
  if (!text || text->size() < 2 || !Unhex(*text, &bytes)) return false;
  const uint8_t check = bytes.back();
  bytes.pop_back();
  if (bytes.size() < kBankBytes || bytes.size() > kMostBankBytes) return false;
  if (ReferenceCrc8(bytes.data(), bytes.size()) != check) return false;
  bank->assign(bytes.begin(), bytes.begin() + kBankBytes);
  return true;
}

// ---- The platform's private-profile grammar -------------------------------------------------
// The file's encoding is told by its first bytes: a UTF-8 signature or a UTF-16 byte-order mark;
// anything else is the ANSI code page.
// A line ends at the next LF, or when none follows, at the next CR; lines are trimmed of
// whitespace (tab, LF, VT, FF, CR, space, ^Z); "[...]" up to the line's last ']' names a section;
// otherwise the part before the first '=' (trimmed) is a key and the rest (trimmed) its value.
// The first section of the name holds the keys looked up; names compare ignoring case; strings
// end at a NUL.
bool IsProfileSpace(wchar_t c) { return (c >= 0x09 && c <= 0x0D) || c == L' ' || c == 0x1A; }

// The text of a profile file: UTF-8 after its signature, UTF-16 after a byte-order mark (either
// order; a byte left over is dropped), else the ANSI code page.
std::wstring ProfileText(const std::string& bytes) {
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Widen(bytes.substr(3), CP_UTF8);
  const bool little = bytes.compare(0, 2, "\xFF\xFE") == 0;
  if (!little && bytes.compare(0, 2, "\xFE\xFF") != 0) return Widen(bytes, CP_ACP);
  std::wstring text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const unsigned a = static_cast<unsigned char>(bytes[i]);
    const unsigned b = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<wchar_t>(little ? a | b << 8 : a << 8 | b));
  }
  return text;
}

bool ProfileValue(const std::wstring& text, const wchar_t* section, const wchar_t* key,
                  std::wstring* value) {
  bool inSection = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t next = text.find(L'\n', pos);
    if (next == std::wstring::npos) next = text.find(L'\r', pos);
    next = next == std::wstring::npos ? text.size() : next + 1;
    size_t b = pos, e = next;
    pos = next;
    while (b < e && IsProfileSpace(text[b])) ++b;
    while (e > b && IsProfileSpace(text[e - 1])) --e;
    if (b >= e) continue;
    if (text[b] == L'[') {
      size_t close = e - 1;
      while (close > b && text[close] != L']') --close;
      if (close > b) {
        if (inSection) return false;  // only the first section of the name counts
        inSection = Folded(UpToNul(text.substr(b + 1, close - b - 1))) == Folded(section);
        continue;
      }
    }
    if (!inSection) continue;
    const size_t eq = text.find(L'=', b);
    if (eq == std::wstring::npos || eq >= e) continue;
    size_t nameEnd = eq;
    while (nameEnd > b && IsProfileSpace(text[nameEnd - 1])) --nameEnd;
    if (Folded(UpToNul(text.substr(b, nameEnd - b))) != Folded(key)) continue;
    size_t v = eq + 1;
    while (v < e && IsProfileSpace(text[v])) ++v;
    *value = UpToNul(text.substr(v, e - v));
    return true;
  }
  return false;
}

}  // namespace

uint8_t ReferenceCrc8(const uint8_t* bytes, size_t count) {
  static const uint8_t kBitImages[8] = {0x31, 0x62, 0xC4, 0x88, 0x21, 0x73, 0xE6, 0xCC};
  uint8_t table[256];
  for (int x = 0; x < 256; ++x) {
    uint8_t t = 0;
    for (int bit = 0; bit < 8; ++bit) {
      if (x & (1 << bit)) t ^= kBitImages[bit];
    }
    table[x] = t;
  }
  uint8_t c = 0;
  for (size_t i = 0; i < count; ++i) c = table[bytes[i] ^ c];
  return static_cast<uint8_t>(~c);
}

uint8_t ByteSum(const uint8_t* bytes, size_t count) {
  unsigned sum = 0;
  for (size_t i = 0; i < count; ++i) sum += bytes[i];
  return static_cast<uint8_t>(sum);
}

std::string HexText(const uint8_t* bytes, size_t count, uint8_t check) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i <= count; ++i) {
    const uint8_t b = i < count ? bytes[i] : check;
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

ModeReading ReadModeIndependently(const std::string& fileBytes) {
  ModeReading r;
  std::string bytes = fileBytes;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  const Sections s = ParseSettings(Widen(bytes, CP_UTF8));
  const long version = NumberValue(Find(s, L"data", L"version"), 0);
  if (version != 1 && version != 2) return r;
  if (!Bank(Find(s, L"singdata", L"data"), &r.singBank)) return r;
  if (!Bank(Find(s, L"discodata", L"data"), &r.discoBank)) return r;
  r.sing = BoolValue(Find(s, L"mode", L"sing"), true);
  r.ok = true;
  return r;
}

bool ReadEffectIndependently(const std::string& fileBytes, std::vector<uint8_t>* image) {
  std::wstring value;
  if (!ProfileValue(ProfileText(fileBytes), L"ORVConfig", L"data", &value)) return false;
  std::vector<uint8_t> bytes;
  if (value.size() != 2 * kBankBytes + 2 || !Unhex(value, &bytes)) return false;
  const uint8_t check = bytes.back();
  bytes.pop_back();
  if (ByteSum(bytes.data(), bytes.size()) != check) return false;
  *image = bytes;
  return true;
}

// ---- Files --------------------------------------------------------------------------------

using fixtures::RemoveTree;

TestFolder::TestFolder() {
  static int counter = 0;
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  m_path = std::wstring(base) + L"appcore_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(counter++);
  RemoveTree(m_path);
  CreateDirectoryW(m_path.c_str(), nullptr);
}

TestFolder::~TestFolder() { RemoveTree(m_path); }

std::wstring TestFolder::Write(const std::wstring& relative, const std::string& bytes) const {
  const std::wstring path = Sub(relative);
  WriteBytes(path, bytes);
  return path;
}

bool TestFolder::MakeFolder(const std::wstring& relative) const {
  return CreateDirectoryW(Sub(relative).c_str(), nullptr) != FALSE;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  return fixtures::WriteFileBytes(path, bytes.data(), bytes.size());
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<none>";
  std::string out(GetFileSize(h, nullptr), '\0');
  DWORD read = 0;
  if (!out.empty()) ReadFile(h, &out[0], static_cast<DWORD>(out.size()), &read, nullptr);
  CloseHandle(h);
  return out;
}
