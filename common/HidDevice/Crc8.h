// The 8-bit check that closes every command report and the hex text of the mode files.
#pragma once
#include <cstddef>
#include <cstdint>

// Table-driven check over `length` bytes: start from 0, c = T[b ^ c] per byte, result ~c.
// A null buffer gives 0 (not complemented); zero bytes give 0xFF.
uint8_t Crc8(const void* data, size_t length);

// The fixed 256-entry table behind Crc8 (linear over XOR: T[a ^ b] == T[a] ^ T[b]).
const uint8_t* Crc8Table();
