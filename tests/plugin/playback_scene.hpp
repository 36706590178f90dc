#pragma once
// A headless scene played through the real plug-in: the host's plug-in loader opens the
// library and makes its components (create_interface), registers them with the scene and
// reports the sequence mode to them; the test sends the other events as the host would.
// Worlds and bodies are written with the properties classes, exactly as the creators store
// them.
#include <cstring>
#include <string>
#include <vector>

#include <stdexcept>
#include "engine/collisionshape_datas.hpp"
#include "engine/rigidbody_datas.hpp"
#include "engine/world_datas.hpp"

#include "base/uuid_table.hpp"
#include "host/plugins/plugin_host.hpp"
#include "host/scene/scene.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/world_properties.hpp"

namespace plugin_test {

using vec3 = sx::vec<float, 3>;

/// A collision shape record in metres: box half extents, sphere radius.
inline collisionshape_datas box_shape(float half_x, float half_y, float half_z) {
  collisionshape_datas d;
  d.type = collisionshape_datas::box;
  d.size[0] = half_x;
  d.size[1] = half_y;
  d.size[2] = half_z;
  return d;
}
inline collisionshape_datas sphere_shape(float radius) {
  collisionshape_datas d;
  d.type = collisionshape_datas::sphere;
  d.size[0] = d.size[1] = d.size[2] = radius;
  return d;
}

/// Rigid body settings (type, mass, friction, ...) over the creator's defaults.
inline rigidbody_datas body_settings(std::int32_t type = rigidbody_datas::move, float mass = 1.0f) {
  rigidbody_datas d;
  d.type = type;
  d.mass = type == rigidbody_datas::move ? mass : 0.0f;
  return d;
}

class playback_scene {
 public:
  sxsdk::host_ref<host::scene> scene;
  host::plugin_host plugins;
  /// The "Bullet Modify" attribute as the host holds it.
  sxsdk::attribute_interface* modify = nullptr;
  bool flag = false;
  float position = 0.0f;

  playback_scene() : playback_scene(host::scene::create()) {}
  /// The plug-in loaded for a scene made elsewhere (a loaded scene file).
  explicit playback_scene(sxsdk::host_ref<host::scene> made) : scene(std::move(made)), plugins(*scene) {
    if (!plugins.load(PHYSPLUG_PLUGIN_PATH)) throw std::runtime_error("the plug-in library did not load");
    host::plugin_host::component* attribute = plugins.find(physplug_modify_uuid);
    modify = attribute ? attribute->attribute() : nullptr;
    if (!modify) throw std::runtime_error("the plug-in has no Bullet Modify attribute");
  }
  playback_scene(const playback_scene&) = delete;
  playback_scene& operator=(const playback_scene&) = delete;

  /// A world part under `dad` (the root by default) carrying `settings`.
  host::part_shape& add_world(const std::string& name, world_datas settings = world_datas(),
                              host::shape_node* dad = nullptr) {
    host::part_shape& part = scene->add_part(dad ? *dad : scene->root(), name);
    world_properties world;
    static_cast<world_datas&>(world) = settings;
    world.shape = &part.sdk();
    if (!world.regist()) throw std::runtime_error("test scene: world stream not written: " + name);
    return part;
  }

  /// A rigid body part under `dad` at `position` (mm) with a primitive of `shape` (metres)
  /// inside, its start transform taken from the scene as the creator does.
  host::part_shape& add_body(host::shape_node& dad, const std::string& name, const collisionshape_datas& shape,
                             const vec3& position, rigidbody_datas settings = body_settings()) {
    host::part_shape& part = scene->add_part(dad, name);
    part.set_transformation(sxsdk::mat4::translate(position));
    scene->set_current_shape(part);
    primitive_properties primitive(shape);
    primitive.shape = nullptr;
    if (!primitive.create_or_modify_sorvel_shape(*scene, shape.type))
      throw std::runtime_error("test scene: primitive not made: " + name);
    rigidbody_properties body;
    static_cast<rigidbody_datas&>(body) = settings;
    body.shape = &part.sdk();
    body.primitive = primitive.shape;
    body.get_transrate_data();
    if (!body.regist()) throw std::runtime_error("test scene: rigid body stream not written: " + name);
    scene->set_current_shape(scene->root());
    return part;
  }

  /// The host enters sequence mode (the attribute hears of it).
  void enter() {
    scene->set_sequence_mode(true);
    position = scene->get_sequence_value();
  }
  void leave() { scene->set_sequence_mode(false); }
  /// One sequence change to `frame`, as the host's player sends it.
  void go_to(float frame) {
    position = frame;
    scene->set_sequence_value(frame);
    plugins.sequence_changed(frame);
  }
  /// Every frame after the current position up to `frame`.
  void play_to(int frame) {
    for (int f = int(position) + 1; f <= frame; ++f) go_to(float(f));
  }

  /// World position of a part's origin, millimetres.
  static vec3 position_of(host::part_shape& part) {
    const sxsdk::mat4 m = part.get_local_to_world_matrix();
    return vec3(m[3][0], m[3][1], m[3][2]);
  }

  std::vector<std::string> messages() const { return scene->messages().texts(host::message_window::kind::message); }
  std::vector<std::string> errors() const { return scene->messages().texts(host::message_window::kind::error); }
  /// Every line of the message window, in order, whatever its kind.
  std::vector<std::string> all_lines() const {
    std::vector<std::string> lines;
    for (const auto& line : scene->messages().lines()) lines.push_back(line.text);
    return lines;
  }
};

/// Everything a saved scene holds of its shapes that the simulation may touch: every shape's
/// path, own transformation (bit for bit) and every stream (uuid, label, bytes).
inline std::string scene_state(host::scene& scene) {
  std::string state;
  for (host::shape_node* shape : scene.shapes_in_order()) {
    state += shape->path() + '\n';
    const sxsdk::mat4 m = shape->own_transformation();
    state.append(reinterpret_cast<const char*>(&m), sizeof m);
    for (const auto& stream : shape->streams()) {
      state += stream->uuid.to_string() + stream->label;
      state.append(stream->bytes.begin(), stream->bytes.end());
    }
  }
  return state;
}

}  // namespace plugin_test
