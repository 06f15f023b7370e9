// PC modes: named copies of both parameter banks, one settings file each in the folder "mode"
// of the program folder. A mode file ("<name>.orm") holds [data] "version" = 2, [mode] "sing"
// (which bank was current when it was saved) and the banks as [SingData] "data" and
// [DiscoData] "data", each the bank's first 1382 bytes as 2764 upper-case hex digits and two of
// their Crc8. Older "<name>.morv" files of version 1 or 2 are modes too.
//
// The list is kept sorted: the ".morv" modes first, then the ".orm" modes, each group by name
// ignoring case, so that an index stored in the settings names the same mode after the next
// scan. The program folder is passed in; messages belong to the callers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PCModeEntry {
  std::wstring name;  // the file name without its extension
  std::wstring path;  // the full path of the file
};
using PCModeList = std::vector<PCModeEntry>;

// Files larger than this are no mode files: never listed, never read.
constexpr size_t kMaxModeFileBytes = 1 << 20;

// "<program folder>\mode".
std::wstring PCModeFolder(const std::wstring& programFolder);
// True for a name that can be a file name: not empty, none of \ / : * ? " < > | nor control
// characters, no trailing dot or space, no reserved device name such as "CON" or "com1.x"
// ("Name contains illegal charactors" otherwise).
bool IsValidPCModeName(const std::wstring& name);
// "<program folder>\mode\<name>.orm"; empty for an invalid name or a path of MAX_PATH or more.
std::wstring PCModeFilePath(const std::wstring& programFolder, const std::wstring& name);

// Empties the list and fills it with every file of the mode folder named "<name>.morv" or
// "<name>.orm" (extension in any case, name not empty), at most kMaxModeFileBytes long, whose
// [data] "version" reads 1 or 2; sorted as above.
void ScanPCModes(const std::wstring& programFolder, PCModeList* list);

// Saves both banks under `name` and puts the mode into the list. The current image is the bank
// its `MainWorkMode` names (sing when its low seven bits are 0): saved as "SingData" with bank
// 1 as "DiscoData", or as "DiscoData" with bank 0 as "SingData". Creates the mode folder when
// missing. An existing file of that name (in any case) is replaced through a temporary file, so
// a failed save loses nothing; its list entry keeps its place. Returns the mode's index in the
// list, with *replaced telling whether it replaced a listed mode; -1 when the name is invalid,
// an image is missing, or the folder or file cannot be written ("Save failed").
int SavePCMode(const std::wstring& programFolder, PCModeList* list, const std::wstring& name,
               const uint8_t* current, const uint8_t* bank0, const uint8_t* bank1,
               bool* replaced = nullptr);

// Reads mode `index` into the three images (the first 1382 bytes of each): the sing and disco
// banks, and the current image from the bank [mode] "sing" names (sing unless it reads false:
// a value beginning "0", "f", "n" or "of" in any case). Fails, changing no image, for an index
// outside the list, a missing or larger file, a version other than 1 or 2, a bank text that is
// not at least 1382 well-formed bytes with their Crc8, or a bank with a value no control can set
// (HidDevice/ParamLimits.h) ("Can not open file").
bool LoadPCMode(int index, const PCModeList& list, uint8_t* current, uint8_t* singBank,
                uint8_t* discoBank);
// LoadPCMode's reading of the file's bytes, with the same rules and outcomes.
bool DecodePCModeFile(const std::string& fileBytes, uint8_t* current, uint8_t* singBank,
                      uint8_t* discoBank);

// Deletes mode `index`: its file (one already gone counts as deleted), then its entry. False,
// entry kept, for an index outside the list or a file that cannot be deleted ("Delete failed,
// may delete file without permission").
bool DeletePCMode(int index, PCModeList* list);

// The entry at `index`, or null.
const PCModeEntry* GetPCMode(int index, const PCModeList& list);

// Index of the ".orm" mode saved under `name` (compared ignoring case, as file names are), or -1.
int FindPCMode(const PCModeList& list, const std::wstring& name);

// A single-bank file: [data] "data", the image's hex text, and [data] "version" = 2, at the same
// path as a mode of that name (replaced the same safe way). False as SavePCMode fails.
bool SavePCModeBank(const std::wstring& programFolder, const std::wstring& name,
                    const uint8_t* image);
// Reads a single-bank file's [data] "data" into the image's first 1382 bytes; fails as
// LoadPCMode does, changing nothing.
bool LoadPCModeBank(const std::wstring& path, uint8_t* image);
