// What the program's own controls can write into each row of the parameter image: the one table
// every door into the image (effect files, mode files, uploads) checks outside values against.
// A row a control sets may hold its flag bit (mute, enable, Auto) and, below it, a value from 0
// to the largest the control can set: a slider's top, a combo box's last item, 1 for a switch,
// an EQ band field's table end. Rows no control shows take any value.
#pragma once
#include <cstdint>

struct ParamLimit {
  uint16_t flagMask;  // the flag bit a control keeps in the row, 0 for none
  uint16_t max;       // the largest value below the flag bit
};

// The limit of a row a control sets; false for a row no control sets or a row outside the table.
bool GetParamLimit(int row, ParamLimit* out);
// True when a control can set the row to this value (any value for a row no control sets).
bool IsSettableParamValue(int row, uint16_t value);
// The first row lying wholly within the image's first `bytes` bytes whose value no control can
// set, -1 when there is none.
int FindUnsettableParam(const uint8_t* image, int bytes);
