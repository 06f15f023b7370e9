// config.ini, the program's settings file, read and written so that nothing in it is lost:
// - It is read as UTF-8, with or without a signature, or as UTF-16 with a byte-order mark (either
//   byte order), and written as UTF-8 without a signature.
// - A line is damaged when it holds a NUL or another control character (the tab aside), bytes
//   that are no text in the file's encoding, a byte-order mark, or when it is none of: a blank
//   line, a comment (';' or '#'), a section ("[name]", then nothing or a comment) or a setting
//   ("key = value" with a key). Damaged lines are left out and the rest is read. A damaged line
//   that may have named a section (it holds '[' or ']') takes the settings after it with it, up
//   to the next good section line: which section they belong to is not known.
// - A damaged file, or one that cannot be read whole (larger than 16 MiB, a folder, no access),
//   is renamed aside before anything is written: to "config.ini.bad", where earlier ones move
//   on to "config.ini.bad.1", ".bad.2" and so on (the newest is always ".bad"). One that cannot
//   be renamed is never written over while the program runs.
// - It is written only when what it would hold changes, through a temporary file renamed over
//   it (FileBytes), so a close that changed nothing touches no disk.
// UI thread (the application object's).
#pragma once
#include <SimpleIni.h>

#include <cstddef>
#include <string>

class SettingsFile {
 public:
  // Larger files are not read (a real one is a few hundred bytes).
  static constexpr size_t kMaxBytes = 16 * 1024 * 1024;

  enum class Outcome {
    kRead,      // read whole and without damage
    kMissing,   // no file (or no path): nothing read
    kSetAside,  // damaged or unreadable, renamed aside (SetAsidePath); what could be read is in
    kLeft,      // damaged or unreadable and could not be renamed: left, and never written
  };

  // No path: nothing is read or written.
  explicit SettingsFile(std::wstring path = std::wstring()) : m_path(std::move(path)) {}

  // Empties the settings and reads the file into them by the rules above.
  Outcome Load(CSimpleIniW* settings);
  // Writes the settings when they differ from what the file holds as far as it is known. False
  // without a path, for a file that was left unread, for settings that would make a file larger
  // than kMaxBytes (which the next Load would set aside; the file stays as it is), or when the
  // write failed.
  bool Save(const CSimpleIniW& settings);

  const std::wstring& Path() const { return m_path; }
  // The name the last damaged file was given.
  const std::wstring& SetAsidePath() const { return m_setAside; }
  // False once a file was left unread.
  bool Writable() const { return m_writable; }

 private:
  std::wstring m_path;
  std::wstring m_setAside;
  bool m_writable = true;
  // What the file holds as far as the program knows (the serialised settings last read or
  // written); unknown while there is no file.
  bool m_known = false;
  std::string m_knownBytes;
};

// Reads config.ini's bytes into the settings (emptied first): true when nothing of them was
// damaged; the settings hold what could be read either way.
bool DecodeSettings(const std::string& bytes, CSimpleIniW* settings);

// Renames the file aside as "<path>.bad", moving earlier ones on to "<path>.bad.1", ".bad.2" ...
// The new name, or an empty one when a rename failed (the file is then where it was).
std::wstring SetFileAside(const std::wstring& path);
