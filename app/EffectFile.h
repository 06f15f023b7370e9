// Effect files ("*.orv"): the first 1382 bytes of the current parameter image in the platform's
// private-profile format, section "ORVConfig", key "data", written and read by the platform's
// structure functions: 2764 upper-case hex digits of the bytes, then two of the low byte of
// their sum. The file dialogs, the messages and the upload belong to the callers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Characters of the value: two per byte and two of the checksum.
constexpr int kEffectValueChars = 2 * 1382 + 2;
// Larger files are refused unread (a real one is about 3 KiB).
constexpr size_t kMaxEffectFileBytes = 64 * 1024;
// The dialogs' default extension: a name typed without one gets ".orv".
constexpr wchar_t kEffectFileExtension[] = L"orv";

// Writes image bytes 0 .. 1381 as [ORVConfig] "data" of the file at `path` (a full path; the
// file is created when missing, its other sections stay). False when the platform refuses the
// write, and for a device name or an existing file that an import would not read (larger than
// kMaxEffectFileBytes, a folder), which is left as it was ("Failed to export effect to file").
bool ExportEffectFile(const wchar_t* path, const uint8_t* image);

// Reads a file's effect into `out` (room for 1382 bytes). Only an ordinary file of at most
// kMaxEffectFileBytes is read at all (no folder, device or pipe). The value must be exactly
// 2766 upper-case hex digits closed by the right checksum, and every row a control sets must hold
// a value that control can set (HidDevice/ParamLimits.h); that is checked here before the
// platform's structure read, whose bytes must then agree. False leaves `out` untouched: a refused
// file changes nothing ("Failed to import effect from file").
bool ReadEffectFile(const wchar_t* path, uint8_t* out);

// The dialogs' filter for a translated description: "<description>(*.orv)", then "*.orv;",
// each closed by a NUL, and the closing NUL.
std::wstring EffectFileFilter(const std::wstring& description);
