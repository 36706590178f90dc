#pragma once
// Conventions shared by every property stream: opened by UUID, read from position 0 with a
// sticky failure, created with the fixed plain-stream identifier, rewritten whole, labelled
// with localised texts.
#include <cstdint>
#include <string>

#include <LinearMath/btVector3.h>

#include "sdk/host_ref.hpp"
#include "sdk/shape_class.hpp"
#include "sdk/stream_interface.hpp"

namespace property_stream {

using stream_ref = sxsdk::host_ref<sxsdk::stream_interface>;

/// The shape's stream under `uuid` for reading, or empty when it has none. A host failure
/// while looking it up counts as no stream.
stream_ref open(sxsdk::shape_class& shape, const sx::uuid_class& uuid);

/// Creates or reopens the shape's stream under `uuid` for writing (the fixed plain-stream
/// identifier passed three times), positioned at 0 and cut to nothing, so that a shorter
/// format never leaves old bytes behind. Empty when the host gives none; host failures propagate.
stream_ref create(sxsdk::shape_class& shape, const sx::uuid_class& uuid);

/// The localised text of `id` through the stream's scene; `id` itself when there is no host.
std::string text(sxsdk::stream_interface& stream, const char* id);

/// Reads a stream from position 0. Every read checks the bytes left first and catches host
/// failures; the first failure is sticky and every later read leaves its target unchanged.
/// A float that is not finite is refused too: its target keeps its value (the record's default),
/// reading goes on, and the stream no longer counts as sound.
class reader {
 public:
  explicit reader(sxsdk::stream_interface& stream);

  bool read_int(std::int32_t& out);
  bool read_char(char& out);
  bool read_float(float& out);
  /// Three floats; all three must be finite or the target is left whole.
  bool read_vec3(btVector3& out);
  bool read_vec3(float* out3);

  /// True while no read has failed and no value was refused.
  bool sound() const { return !failed_ && !refused_; }
  /// True once a read ran out of bytes or the host failed (nothing more is read).
  bool failed() const { return failed_; }
  /// Marks a value refused by the caller's own check (an out-of-range index, say).
  void refuse() { refused_ = true; }

 private:
  bool has_bytes(int count);
  template <typename F>
  bool guarded(F&& read);

  sxsdk::stream_interface& stream_;
  bool failed_ = false;
  bool refused_ = false;
};

}  // namespace property_stream
