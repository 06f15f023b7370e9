#include <doctest/doctest.h>

#include <cstring>

#include "HidDevice/CommandReport.h"
#include "HidDevice/Crc8.h"

TEST_CASE("Crc8 of null, of nothing and of zero bytes") {
  const uint8_t zeros[63] = {};
  CHECK(Crc8(nullptr, 10) == 0);
  CHECK(Crc8(zeros, 0) == 0xFF);
  CHECK(Crc8(zeros, 63) == 0xFF);
  const uint8_t one = 1;
  CHECK(Crc8(&one, 1) == static_cast<uint8_t>(~0x31));
  const uint8_t two[] = {0x01, 0x02};  // c = T[1] = 0x31, then T[0x02 ^ 0x31] = T[0x33]
  CHECK(Crc8(two, 2) == static_cast<uint8_t>(~0x01));
}

TEST_CASE("Crc8 table is linear over XOR and fixed by its powers of two") {
  const uint8_t* t = Crc8Table();
  const uint8_t basis[8] = {0x31, 0x62, 0xC4, 0x88, 0x21, 0x73, 0xE6, 0xCC};
  for (int bit = 0; bit < 8; ++bit) CHECK(t[1 << bit] == basis[bit]);
  int bad = 0;
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) bad += (t[a ^ b] != (t[a] ^ t[b])) ? 1 : 0;
  CHECK(bad == 0);
  CHECK(t[0xFF] == 0x67);
  CHECK(t[0x80] == 0xCC);
}

TEST_CASE("Sealing a report sets byte 63 to the check of bytes 0..62") {
  uint8_t r[64] = {};
  r[0] = CmdWriteParams;
  r[4] = 3;
  CommandReport::Seal(r);
  CHECK(r[63] == Crc8(r, 63));
  CHECK(CommandReport::HasGoodCheck(r));
  r[10] ^= 1;
  CHECK_FALSE(CommandReport::HasGoodCheck(r));
  CHECK(CommandReport::ReplyCode(0xFF) == 0x00);
}
