// An array whose length comes from an image (or a bitmap of any size): a failed allocation is
// a refused image, reported as null, not the end of the program.
#pragma once
#include <cstddef>
#include <memory>
#include <new>

namespace SWUI {

template <class T>
std::unique_ptr<T[]> TryNewArray(size_t count) {
  try {
    return std::unique_ptr<T[]>(new T[count]);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace SWUI
