#pragma once
// host::attribute_stream: the handle the plug-in gets for an attribute stream. Each handle has
// its own read/write position over the shared bytes (little-endian int32 and float32, 8-bit
// chars, vectors as three floats, strings as an int32 byte count and the bytes, shapes as
// their int32 index number, -1 for none). A read past the end throws std::out_of_range and
// leaves the position where it was.
#include <memory>

#include "host/scene/stream_data.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/stream_interface.hpp"

namespace host {

class scene;

class attribute_stream final : public sxsdk::stream_interface {
 public:
  /// Shares `data`; holds a reference to `owner` (the scene that resolves shape references)
  /// for as long as the handle lives. The count starts at 0 as for every host object.
  attribute_stream(std::shared_ptr<stream_data> data, scene& owner);
  ~attribute_stream() override;

  void set_pointer(int position) override;
  int get_pointer() override { return pointer_; }
  int get_size() override;
  void set_size(int size) override;

  std::int32_t read_int() override;
  float read_float() override;
  char read_char() override;
  sx::vec<float, 3> read_vec3() override;
  std::string read_string() override;
  sxsdk::shape_class* read_shape() override;

  void write_int(std::int32_t value) override;
  void write_float(float value) override;
  void write_char(char value) override;
  void write_vec3(const sx::vec<float, 3>& value) override;
  void write_string(const std::string& value) override;
  void write_shape(const sxsdk::shape_class* shape) override;

  void set_label(const char* label) override;
  std::string get_label() override;
  sxsdk::scene_interface* get_scene() override;

  /// The shared buffer (host side).
  const std::shared_ptr<stream_data>& data() const { return data_; }

 private:
  // Throws std::out_of_range when fewer than `count` bytes are left.
  void need(int count) const;
  // Copies `count` bytes at the position into `out` and advances; throws without moving when
  // fewer bytes are left.
  void take(void* out, int count);
  // Writes `count` bytes at the position (overwriting, then appending) and advances.
  void put(const void* in, int count);
  std::uint32_t take_u32();
  void put_u32(std::uint32_t value);

  std::shared_ptr<stream_data> data_;
  scene* scene_;
  int pointer_ = 0;
};

}  // namespace host
