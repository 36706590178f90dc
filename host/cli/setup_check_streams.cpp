// setup_check: property streams the plug-in cannot read whole. It then keeps defaults for what
// is missing (a world, a primitive), refuses the shape (a rigid body, a soft body) or builds a
// joint from what it found, none of which is what the user set.
#include "host/cli/host_texts.hpp"
#include "host/cli/setup_check.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace {

struct stream_state {
  bool whole = true;
  int version = 0;
  std::size_t bytes = 0;
  std::size_t expected = 0;  ///< 0: the length is not what is wrong
};

stream_state state_of(const shape_node& shape, physics_role role) {
  const auto& bytes = shape
                          .find_stream(role == physics_role::world       ? physics_stream_ids::world
                                       : role == physics_role::primitive ? physics_stream_ids::primitive
                                                                         : physics_stream_ids::modify)
                          ->bytes;
  stream_state s;
  s.bytes = bytes.size();
  stream_decoder::version(bytes, s.version);
  switch (role) {
    case physics_role::world:
      s.expected = stream_decoder::world_bytes;
      s.whole = stream_decoder::world(bytes).valid;
      break;
    case physics_role::primitive:
      s.expected = stream_decoder::primitive_bytes;
      s.whole = stream_decoder::primitive(bytes).valid;
      break;
    case physics_role::rigid_body:
      s.expected = stream_decoder::rigid_bytes(s.version);
      s.whole = stream_decoder::rigid(bytes).valid;
      break;
    case physics_role::joint: {
      const joint_settings j = stream_decoder::joint(bytes);
      s.whole = j.valid;
      s.expected = j.expected_bytes;
      break;
    }
    case physics_role::soft_body:
      s.whole = stream_decoder::cloth(bytes).valid;
      break;
    case physics_role::none:
      break;
  }
  if (s.expected > 0 && s.bytes > s.expected) s.expected = 0;  // too long: damaged, not short
  return s;
}

}  // namespace

void setup_check::check_streams() {
  for (const shape_node* shape : scene_.shapes_in_order()) {
    for (const physics_role role : scene_roles::roles_of(*shape)) {
      const stream_state s = state_of(*shape, role);
      if (s.whole) continue;
      const std::string name = texts_(physics_role_text(role));
      std::string problem = s.bytes < 4 ? texts_.format(host_text::problem_stream_no_version, name, s.bytes)
                            : s.expected
                                ? texts_.format(host_text::problem_stream_short, name, s.version, s.bytes, s.expected)
                                : texts_.format(host_text::problem_stream_damaged, name, s.version, s.bytes);
      add(shape, "stream_unreadable", std::move(problem), texts_(host_text::fix_stream));
    }
    // A soft body mesh's projection bindings.
    const auto binding = shape->find_stream(physics_stream_ids::figure);
    if (binding && scene_roles::has_role(*shape, physics_role::soft_body) &&
        stream_decoder::bindings(binding->bytes) < 0) {
      int version = 0;
      const std::string name = texts_(host_text::settings_projection);
      add(shape, "stream_unreadable",
          stream_decoder::version(binding->bytes, version)
              ? texts_.format(host_text::problem_stream_damaged, name, version, binding->bytes.size())
              : texts_.format(host_text::problem_stream_no_version, name, binding->bytes.size()),
          texts_(host_text::fix_stream));
    }
  }
}

}  // namespace host
