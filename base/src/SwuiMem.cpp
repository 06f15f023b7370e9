#include "base/SwuiMem.h"

#include <cstdlib>

namespace SWUI {

void* SwuiMalloc(size_t size) { return std::malloc(size); }

// The runtime's realloc frees the block and answers null for size 0, which a caller would
// read as "not resized, the old block is still valid": ask for one byte instead.
void* SwuiRealloc(void* block, size_t size) { return std::realloc(block, size ? size : 1); }

void* SwuiCalloc(size_t count, size_t elemSize) {
  if (elemSize != 0 && count > 0xFFFFFFFFull / elemSize) return nullptr;
  return std::calloc(count, elemSize);
}

void SwuiFree(void* block) { std::free(block); }

HRESULT MultiplyNoOverflow(UINT* product, UINT a, UINT b) {
  const unsigned long long wide = static_cast<unsigned long long>(a) * b;
  if (wide > 0xFFFFFFFFull) return E_INVALIDARG;
  *product = static_cast<UINT>(wide);
  return S_OK;
}

void FreeBlockChain(void* first) {
  while (first) {
    void* next = *static_cast<void**>(first);
    SwuiFree(first);
    first = next;
  }
}

}  // namespace SWUI
