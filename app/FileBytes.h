// Whole small files: read with a size limit, and replaced so that the old file stays whole until
// the new one is complete. Only ordinary files on a disk are read: never a folder, a device or a
// pipe, whose reading could block or never end.
#pragma once
#include <cstddef>
#include <string>

// Why a file was not read.
enum class FileReadError {
  kNone,
  kMissing,     // neither the file nor (for a path in a missing folder) its folder exists
  kNotAFile,    // a folder, a device or a pipe
  kTooLarge,    // larger than asked for; nothing of it is read
  kUnreadable,  // anything else: no access, shared away, a failed read
};

// Reads the whole file when it is an ordinary file of at most maxBytes. False for anything else
// (nothing of it is read then), with the reason in *error when asked.
bool ReadSmallFile(const std::wstring& path, size_t maxBytes, std::string* out,
                   FileReadError* error = nullptr);

// Whether the path names an ordinary file of at most maxBytes, judged without reading any of it
// (a name that stands for a device, such as "CON" or "com1.orv", is not even opened).
bool IsSmallDiskFile(const std::wstring& path, size_t maxBytes);

// Whether the last part of a path is one of the system's reserved device names ("CON", "PRN",
// "AUX", "NUL", "CONIN$", "CONOUT$", "COM1".."COM9", "LPT1".."LPT9" and their superscript-digit
// forms), in any case, judged on the part before its first dot without trailing blanks
// ("con .txt" too).
bool IsDeviceName(const std::wstring& path);

// Writes the bytes into a new temporary file in the target's folder, then renames it over
// `path` in one step. The temporary file's data is flushed to the disk before it replaces an
// existing file, so that a crash cannot leave the name on data that never reached the disk; a
// new file is not flushed (a crash loses nothing that was there). On any failure the temporary
// file is removed and an existing file at `path` is left as it was.
bool ReplaceFileWith(const std::wstring& path, const std::string& bytes);
