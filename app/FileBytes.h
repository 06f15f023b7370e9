// Whole small files: read with a size limit, and replaced so that the old file stays whole until
// the new one is complete.
#pragma once
#include <cstddef>
#include <string>

// Reads the whole file when it is at most maxBytes long. False for a missing or unreadable
// file, a folder, or a larger file (nothing of it is read then).
bool ReadSmallFile(const std::wstring& path, size_t maxBytes, std::string* out);

// Writes the bytes into a new temporary file in the target's folder, then renames it over
// `path` in one step. On any failure the temporary file is removed and an existing file at
// `path` is left as it was.
bool ReplaceFileWith(const std::wstring& path, const std::string& bytes);
