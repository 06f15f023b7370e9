// The parameter table and the operations on one row of a parameter image.
// The processor's whole state is one 1392-byte image; each row of g_ParamDesc names a 1- or
// 2-byte value at a fixed offset. 2-byte values are little-endian everywhere.
#pragma once
#include <cstdint>

struct ParamDesc {
  int index;         // the row's number
  int offset;        // byte offset of the value in the image
  int bytes;         // 1 or 2
  const char* name;  // e.g. "Musicvolume"
};

constexpr int kParamCount = 1045;
constexpr int kParamImageSize = 1392;  // bytes 0..1391 described by the table
constexpr int kParamSlotSize = 1402;   // storage of one image inside the controller
constexpr int kParamTransferSize = 1382;  // carried by effect files, mode files and uploads
constexpr int kParamReadSize = 1390;      // read back from the device

extern const ParamDesc g_ParamDesc[kParamCount];

// True for a row number of the table.
inline bool IsParamRow(int row) { return row >= 0 && row < kParamCount; }

// Value of a row in an image: the byte of a 1-byte row, the little-endian u16 of a 2-byte
// row. A row outside the table gives 0 and reads nothing.
uint16_t GetParam(const uint8_t* image, int row);

// Writes the value at the row's offset by its size (low byte of a 1-byte row). A row outside
// the table writes nothing and gives false.
bool SetImageParam(uint8_t* image, int row, uint16_t value);
