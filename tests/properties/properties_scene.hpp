#pragma once
// A headless scene with texts and scripted dialogs for the properties tests, plus a tiny
// little-endian byte builder so that expected stream bytes are written from the format tables
// and never by the code under test.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/uuid_table.hpp"
#include "host/scene/scene.hpp"
#include "host/ui/ui_services.hpp"
#include "sdk/sxsdk.hpp"

namespace properties_test {

using vec3 = sx::vec<float, 3>;
using bytes = std::vector<std::uint8_t>;

/// Bytes in stream order: int32 and float32 little-endian, single bytes, float triples.
class le_bytes {
 public:
  le_bytes& i32(std::int32_t v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int k = 0; k < 4; ++k) b_.push_back(static_cast<std::uint8_t>(u >> (8 * k)));
    return *this;
  }
  le_bytes& f32(float f) {
    std::int32_t v;
    std::memcpy(&v, &f, 4);
    return i32(v);
  }
  le_bytes& u8(std::uint8_t v) {
    b_.push_back(v);
    return *this;
  }
  le_bytes& v3(float x, float y, float z) { return f32(x).f32(y).f32(z); }
  const bytes& get() const { return b_; }
  /// The first n bytes (a stream cut short).
  bytes first(std::size_t n) const { return bytes(b_.begin(), b_.begin() + static_cast<long>(std::min(n, b_.size()))); }

 private:
  bytes b_;
};

/// One scene with English (or another language's) texts and a dialog script.
class properties_scene {
 public:
  explicit properties_scene(const std::string& language = "en") : ui_(language), scene_(host::scene::create(&ui_)) {}

  host::scene& scene() { return *scene_; }
  sxsdk::scene_interface& sdk() { return *scene_; }
  host::dialog_script& script() { return ui_.script(); }
  host::part_shape& root() { return scene_->root(); }

  host::part_shape& part(const std::string& name, host::shape_node* dad = nullptr) {
    return scene_->add_part(dad ? *dad : root(), name);
  }
  /// The stored bytes under uuid (empty when the shape has no such stream).
  static bytes stream_bytes(host::shape_node& shape, const sx::uuid_class& uuid) {
    auto data = shape.find_stream(uuid);
    return data ? data->bytes : bytes();
  }
  static std::string stream_label(host::shape_node& shape, const sx::uuid_class& uuid) {
    auto data = shape.find_stream(uuid);
    return data ? data->label : std::string("<no stream>");
  }
  static void put(host::shape_node& shape, const sx::uuid_class& uuid, const bytes& b) {
    shape.put_stream(uuid, "", b);
  }
  /// Every message-window text of the plain kind, in order.
  std::vector<std::string> messages() const { return scene_->messages().texts(host::message_window::kind::message); }
  std::vector<std::string> errors() const { return scene_->messages().texts(host::message_window::kind::error); }

 private:
  host::ui_services ui_;  // outlives the scene: its dialogs use the script
  sxsdk::host_ref<host::scene> scene_;
};

}  // namespace properties_test
