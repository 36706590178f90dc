#include "host/scene/attribute_stream.hpp"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "host/scene/scene.hpp"

namespace host {

attribute_stream::attribute_stream(std::shared_ptr<stream_data> data, scene& owner)
    : data_(std::move(data)), scene_(&owner) {
  scene_->AddRef();
}

attribute_stream::~attribute_stream() { scene_->Release(); }

int attribute_stream::get_size() { return static_cast<int>(data_->bytes.size()); }

void attribute_stream::set_pointer(int position) {
  if (position < 0 || position > get_size())
    throw std::out_of_range("stream position " + std::to_string(position) + " outside 0.." +
                            std::to_string(get_size()));
  pointer_ = position;
}

void attribute_stream::set_size(int size) {
  if (size < 0 || size > get_size())
    throw std::out_of_range("stream size " + std::to_string(size) + " outside 0.." + std::to_string(get_size()));
  data_->bytes.resize(static_cast<std::size_t>(size));
  // Another handle may have cut the buffer below our position too; reads check the size anyway.
  if (pointer_ > size) pointer_ = size;
}

void attribute_stream::need(int count) const {
  const auto size = static_cast<long long>(data_->bytes.size());
  if (static_cast<long long>(pointer_) + count > size)
    throw std::out_of_range("read of " + std::to_string(count) + " bytes at " + std::to_string(pointer_) +
                            " past the end of a " + std::to_string(size) + "-byte stream");
}

void attribute_stream::take(void* out, int count) {
  need(count);
  std::memcpy(out, data_->bytes.data() + pointer_, static_cast<std::size_t>(count));
  pointer_ += count;
}

void attribute_stream::put(const void* in, int count) {
  auto& bytes = data_->bytes;
  const std::size_t end = static_cast<std::size_t>(pointer_) + static_cast<std::size_t>(count);
  if (end > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw std::length_error("attribute stream larger than 2 GiB");
  if (pointer_ > static_cast<int>(bytes.size())) pointer_ = static_cast<int>(bytes.size());
  if (end > bytes.size()) bytes.resize(static_cast<std::size_t>(pointer_) + static_cast<std::size_t>(count));
  std::memcpy(bytes.data() + pointer_, in, static_cast<std::size_t>(count));
  pointer_ += count;
}

// Little-endian whatever the machine: assemble the bytes explicitly.
std::uint32_t attribute_stream::take_u32() {
  unsigned char b[4];
  take(b, 4);
  return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

void attribute_stream::put_u32(std::uint32_t v) {
  const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  put(b, 4);
}

std::int32_t attribute_stream::read_int() { return static_cast<std::int32_t>(take_u32()); }

float attribute_stream::read_float() {
  const std::uint32_t bits = take_u32();
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

char attribute_stream::read_char() {
  char c;
  take(&c, 1);
  return c;
}

sx::vec<float, 3> attribute_stream::read_vec3() {
  need(12);  // all or nothing: no component is consumed when the vector does not fit
  sx::vec<float, 3> v;
  v.x = read_float();
  v.y = read_float();
  v.z = read_float();
  return v;
}

std::string attribute_stream::read_string() {
  const int start = pointer_;
  const std::int32_t length = read_int();
  if (length < 0 || length > get_size() - pointer_) {
    pointer_ = start;
    throw std::out_of_range("string of " + std::to_string(length) + " bytes at " + std::to_string(start) +
                            " does not fit a " + std::to_string(get_size()) + "-byte stream");
  }
  std::string s(static_cast<std::size_t>(length), '\0');
  take(s.data(), length);
  return s;
}

sxsdk::shape_class* attribute_stream::read_shape() {
  const std::int32_t index = read_int();
  return index < 0 ? nullptr : scene_->get_shape_by_index(index);
}

void attribute_stream::write_int(std::int32_t value) { put_u32(static_cast<std::uint32_t>(value)); }

void attribute_stream::write_float(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, 4);
  put_u32(bits);
}

void attribute_stream::write_char(char value) { put(&value, 1); }

void attribute_stream::write_vec3(const sx::vec<float, 3>& v) {
  write_float(v.x);
  write_float(v.y);
  write_float(v.z);
}

void attribute_stream::write_string(const std::string& value) {
  if (value.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw std::length_error("string too long for an attribute stream");
  write_int(static_cast<std::int32_t>(value.size()));
  put(value.data(), static_cast<int>(value.size()));
}

void attribute_stream::write_shape(const sxsdk::shape_class* shape) {
  // A shape of another scene, a sentinel or a removed shape has no index number here: "none".
  const shape_node* node = shape_node::of(shape);
  const int index = (node && &node->owner() == scene_) ? node->index() : -1;
  write_int(index);
}

void attribute_stream::set_label(const char* label) { data_->label = label ? label : ""; }

std::string attribute_stream::get_label() { return data_->label; }

sxsdk::scene_interface* attribute_stream::get_scene() {
  scene_->AddRef();
  return scene_;
}

}  // namespace host
