#pragma once
// Reference counting shared by every object that crosses the host/plug-in line.
//
// An object returned by a host call comes with one reference that belongs to the caller, who
// gives it back with Release() (or lets sxsdk::host_ref do it). Shapes are the exception: they
// belong to the scene and are handed out by reference, without a count.
#include "sdk/iid.hpp"

namespace sxsdk {

class IUnknown {
 public:
  virtual long QueryInterface(const IID& iid, void** object) = 0;
  virtual unsigned long AddRef() = 0;
  virtual unsigned long Release() = 0;

 protected:
  ~IUnknown() = default;
};

/// Reference-counting base: the count is 0 after construction; the Release that brings it to 0
/// deletes the object.
class unknown_interface : public IUnknown {
 public:
  unknown_interface() = default;
  unknown_interface(const unknown_interface&) = delete;
  unknown_interface& operator=(const unknown_interface&) = delete;

  /// No further interfaces are offered: always 0x80000004.
  long QueryInterface(const IID&, void** object) override {
    if (object) *object = nullptr;
    return static_cast<long>(0x80000004L);
  }
  /// Count + 1; returns the new count.
  unsigned long AddRef() override { return ++count_; }
  /// Count - 1; at 0 the object deletes itself and 0 is returned.
  unsigned long Release() override {
    if (count_ == 0 || --count_ == 0) {
      delete this;
      return 0;
    }
    return count_;
  }
  virtual ~unknown_interface() = default;
  virtual bool is_implemented() const { return true; }

  unsigned long reference_count() const { return count_; }

 private:
  unsigned long count_ = 0;
};

}  // namespace sxsdk
