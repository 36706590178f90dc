#pragma once
// A small RAII holder for a reference-counted host object: it adopts the caller's reference
// and releases it on every path out of the scope.
#include <utility>

namespace sxsdk {

template <typename T>
class host_ref {
 public:
  host_ref() = default;
  /// Adopts the reference the host handed out (no AddRef).
  explicit host_ref(T* adopted) : p_(adopted) {}
  host_ref(const host_ref&) = delete;
  host_ref& operator=(const host_ref&) = delete;
  host_ref(host_ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  host_ref& operator=(host_ref&& other) noexcept {
    if (this != &other) reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ~host_ref() { reset(); }

  /// Releases the held object and adopts another (or none).
  void reset(T* adopted = nullptr) {
    if (p_) p_->Release();
    p_ = adopted;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace sxsdk
