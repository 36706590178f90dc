#include "properties/property_stream.hpp"

#include <cmath>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "sdk/host_interface.hpp"
#include "sdk/scene_interface.hpp"

namespace property_stream {

stream_ref open(sxsdk::shape_class& shape, const sx::uuid_class& uuid) {
  try {
    return stream_ref(shape.get_attribute_stream(uuid));
  } catch (...) {
    return stream_ref();
  }
}

stream_ref create(sxsdk::shape_class& shape, const sx::uuid_class& uuid) {
  stream_ref stream(shape.create_attribute_stream(uuid, property_stream_id, property_stream_id, property_stream_id));
  if (stream) {
    stream->set_pointer(0);
    stream->set_size(0);
  }
  return stream;
}

std::string text(sxsdk::stream_interface& stream, const char* id) {
  sxsdk::host_ref<sxsdk::scene_interface> scene(stream.get_scene());
  if (!scene) return id;
  return texts::get_text(*scene, id);
}

template <typename F>
bool reader::guarded(F&& read) {
  if (failed_) return false;
  try {
    read();
    return true;
  } catch (...) {
    failed_ = true;
    return false;
  }
}

reader::reader(sxsdk::stream_interface& stream) : stream_(stream) {
  guarded([this] { stream_.set_pointer(0); });
}

bool reader::has_bytes(int count) {
  if (failed_) return false;
  // Checked before asking the host, so a short stream never depends on the host throwing.
  const bool enough = guarded([&] {
    const long left = static_cast<long>(stream_.get_size()) - static_cast<long>(stream_.get_pointer());
    if (left < count) failed_ = true;
  });
  return enough && !failed_;
}

bool reader::read_int(std::int32_t& out) {
  return has_bytes(4) && guarded([&] { out = stream_.read_int(); });
}

bool reader::read_char(char& out) {
  return has_bytes(1) && guarded([&] { out = stream_.read_char(); });
}

bool reader::read_float(float& out) {
  float value = 0.0f;
  if (!has_bytes(4) || !guarded([&] { value = stream_.read_float(); })) return false;
  if (!std::isfinite(value)) {
    refused_ = true;
    return false;
  }
  out = value;
  return true;
}

bool reader::read_vec3(float* out3) {
  sx::vec<float, 3> v;
  if (!has_bytes(12) || !guarded([&] { v = stream_.read_vec3(); })) return false;
  if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) {
    refused_ = true;
    return false;
  }
  out3[0] = v.x;
  out3[1] = v.y;
  out3[2] = v.z;
  return true;
}

bool reader::read_vec3(btVector3& out) {
  float v[3];
  if (!read_vec3(v)) return false;
  out.setValue(v[0], v[1], v[2]);
  return true;
}

}  // namespace property_stream
