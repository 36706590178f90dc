#include "host/cli/scene_roles.hpp"

#include "host/scene/part_shape.hpp"
#include "host/scene/scene.hpp"
#include "sdk/shape_types.hpp"

namespace host {
namespace {

int part_type_of(const shape_node& shape) {
  if (shape.type() != sxsdk::shape_type::part) return -1;
  return static_cast<const part_shape&>(shape).get_part_type();
}

bool is_joint_type(int t) {
  namespace pt = sxsdk::part_type;
  return t == pt::bone_joint || t == pt::ball_joint || t == pt::rotator_joint || t == pt::slider_joint;
}

bool is_active_world(const shape_node& shape) {
  if (!scene_roles::has_role(shape, physics_role::world)) return false;
  return stream_decoder::world(shape.find_stream(physics_stream_ids::world)->bytes).active;
}

shape_node* first_primitive(const shape_node& part) {
  for (shape_node* son : part.sons())
    if (scene_roles::has_role(*son, physics_role::primitive)) return son;
  return nullptr;
}

void collect_bodies(shape_node& shape, std::vector<simulated_body>& out) {
  if (scene_roles::has_role(shape, physics_role::rigid_body)) {
    simulated_body b;
    b.part = &shape;
    b.primitive = first_primitive(shape);
    b.settings = stream_decoder::rigid(shape.find_stream(physics_stream_ids::modify)->bytes);
    b.path = shape.path();
    if (b.settings.type >= 0 && b.settings.type <= 2) out.push_back(b);
  }
  for (shape_node* son : shape.sons()) collect_bodies(*son, out);
}

// Calls found(world part, active) for every world part the plug-in meets, active or held; a
// world part ends the search below it.
template <typename F>
void find_all_worlds(shape_node& shape, F&& found) {
  if (scene_roles::has_role(shape, physics_role::world)) {
    found(shape, is_active_world(shape));
    return;
  }
  for (shape_node* son : shape.sons()) find_all_worlds(*son, found);
}

// Calls found(world part) for every active world part.
template <typename F>
void find_worlds(shape_node& shape, F&& found) {
  find_all_worlds(shape, [&](shape_node& world, bool active) {
    if (active) found(world);
  });
}

void place_below(const shape_node& shape, const world_place& place,
                 std::unordered_map<const shape_node*, world_place>& out) {
  for (const shape_node* son : shape.sons()) {
    out[son] = place;
    place_below(*son, place, out);
  }
}

}  // namespace

host_text physics_role_text(physics_role role) {
  switch (role) {
    case physics_role::world:
      return host_text::role_world;
    case physics_role::rigid_body:
      return host_text::role_rigid_body;
    case physics_role::primitive:
      return host_text::role_primitive;
    case physics_role::joint:
      return host_text::role_joint;
    case physics_role::soft_body:
    case physics_role::none:
      break;
  }
  return host_text::role_soft_body;
}

bool scene_roles::has_role(const shape_node& shape, physics_role role) {
  const int part_type = part_type_of(shape);
  const bool modify = shape.find_stream(physics_stream_ids::modify) != nullptr;
  switch (role) {
    case physics_role::world:
      return part_type == sxsdk::part_type::part && shape.find_stream(physics_stream_ids::world);
    case physics_role::rigid_body:
      return part_type == sxsdk::part_type::part && modify;
    case physics_role::primitive:
      return shape.type() != sxsdk::shape_type::part && shape.find_stream(physics_stream_ids::primitive);
    case physics_role::joint:
      return is_joint_type(part_type) && modify;
    case physics_role::soft_body:
      return shape.type() == sxsdk::shape_type::polygon_mesh && modify;
    case physics_role::none:
      break;
  }
  return false;
}

std::vector<physics_role> scene_roles::roles_of(const shape_node& shape) {
  std::vector<physics_role> out;
  for (physics_role r : {physics_role::world, physics_role::rigid_body, physics_role::primitive, physics_role::joint,
                         physics_role::soft_body})
    if (has_role(shape, r)) out.push_back(r);
  return out;
}

joint_bodies scene_roles::bodies_of_joint(const shape_node& joint) {
  joint_bodies out;
  const auto stream = joint.find_stream(physics_stream_ids::modify);
  if (!stream) return out;
  const joint_settings j = stream_decoder::joint(stream->bytes);
  if (j.header && (j.version == 0 || j.version == 1)) {
    out.rigid0 = j.rigid0 >= 0 ? joint.owner().node_at(j.rigid0) : nullptr;
    out.rigid1 = j.rigid1 >= 0 ? joint.owner().node_at(j.rigid1) : nullptr;
    return out;
  }
  for (shape_node* body : joint.links_of(physics_stream_ids::modify))
    (body->index() >= joint.index() ? out.rigid1 : out.rigid0) = body;
  return out;
}

std::vector<simulated_body> scene_roles::bodies(scene& s) {
  std::vector<simulated_body> out;
  find_worlds(s.root(), [&](shape_node& world) {
    for (shape_node* son : world.sons()) collect_bodies(*son, out);
  });
  return out;
}

std::vector<simulated_world> scene_roles::worlds(scene& s) {
  std::vector<simulated_world> out;
  find_worlds(s.root(), [&](shape_node& world) {
    out.push_back({&world, stream_decoder::world(world.find_stream(physics_stream_ids::world)->bytes), world.path()});
  });
  return out;
}

std::unordered_map<const shape_node*, world_place> scene_roles::places(scene& s) {
  std::unordered_map<const shape_node*, world_place> out;
  find_all_worlds(s.root(), [&](shape_node& world, bool active) {
    place_below(world, active ? world_place{&world, nullptr} : world_place{nullptr, &world}, out);
  });
  return out;
}

}  // namespace host
