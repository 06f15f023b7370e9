// Smart pointer holding one reference to a reference-counted object.
#pragma once
#include <cstddef>

namespace SWUI {

template <class T>
class SAutoRefPtr {
 public:
  SAutoRefPtr() = default;
  SAutoRefPtr(std::nullptr_t) {}
  // Adds a reference to p.
  SAutoRefPtr(T* p) : p_(p) {
    if (p_ != nullptr) p_->AddRef();
  }
  SAutoRefPtr(const SAutoRefPtr& other) : SAutoRefPtr(other.p_) {}
  SAutoRefPtr(SAutoRefPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  ~SAutoRefPtr() { Reset(); }

  // Assigning the held pointer does nothing; otherwise the new object gains a reference and
  // the old one is released once the new one is stored (its destruction may run arbitrary
  // code, which then sees this pointer already holding the new object).
  SAutoRefPtr& operator=(T* p) {
    if (p == p_) return *this;
    if (p != nullptr) p->AddRef();
    T* old = p_;
    p_ = p;
    if (old != nullptr) old->Release();
    return *this;
  }
  SAutoRefPtr& operator=(const SAutoRefPtr& other) { return *this = other.p_; }
  SAutoRefPtr& operator=(SAutoRefPtr&& other) noexcept {
    if (this != &other) {
      T* old = p_;
      p_ = other.p_;
      other.p_ = nullptr;
      if (old != nullptr) old->Release();
    }
    return *this;
  }

  // Releases the held object, if any.
  void Reset() { *this = static_cast<T*>(nullptr); }

  // Takes over a reference the caller already owns (no AddRef).
  void Attach(T* p) {
    T* old = p_;
    p_ = p;
    if (old != nullptr) old->Release();
  }
  // Hands the held reference to the caller (no Release).
  T* Detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }

  T* Get() const { return p_; }
  operator T*() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  bool operator!() const { return p_ == nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace SWUI
