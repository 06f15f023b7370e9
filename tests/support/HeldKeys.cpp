#include "HeldKeys.h"

#include <cstring>

namespace {

// Marks a key held; the generic modifier reads as its left side held as well.
void Hold(BYTE* state, int vk) {
  state[vk & 0xFF] |= 0x80;
  if (vk == VK_CONTROL) state[VK_LCONTROL] |= 0x80;
  if (vk == VK_SHIFT) state[VK_LSHIFT] |= 0x80;
  if (vk == VK_MENU) state[VK_LMENU] |= 0x80;
}

}  // namespace

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
  GetKeyboardState(saved_);
  BYTE state[256];
  memcpy(state, saved_, sizeof(state));
  for (int vk : keys) Hold(state, vk);
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

void HeldKeys::Only(std::initializer_list<int> keys) {
  BYTE state[256] = {};
  for (int vk : keys) Hold(state, vk);
  SetKeyboardState(state);
}
