// Fuzzes constraints_properties::get_properties (versions 0, 1 and 2): any bytes under
// physplug_modify_uuid on a ball joint read without a crash; a stream read whole leaves finite
// vectors and bodies among the scene's shapes, and what is then written (version 2, 104 bytes,
// with its links) reads back the same (its bodies kept as the version 2 index rule
// allows) and, written again, exactly.
#include <cmath>

#include "base/uuid_table.hpp"
#include "fuzz_scene.hpp"
#include "joints/constraints_properties.hpp"

namespace {

bool finite(const btVector3& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

// The bodies after a rewrite are among those read: a version 0 or 1 stream names them in its
// own order, while version 2 tells them apart by the index rule (a body at or after the joint
// is rigid1, a later link replacing an earlier one), so an old stream's bodies may swap, and
// two bodies both before the joint (or one shape named twice) keep only one.
bool kept_bodies(const constraints_properties& a, const constraints_properties& b) {
  for (void* body : {b.rigid0, b.rigid1})
    if (body != nullptr && body != a.rigid0 && body != a.rigid1) return false;
  return true;
}

bool same(const constraints_properties& a, const constraints_properties& b) {
  return a.type == b.type && kept_bodies(a, b) && a.linear_lower_limit == b.linear_lower_limit &&
         a.linear_upper_limit == b.linear_upper_limit && a.angular_lower_limit == b.angular_lower_limit &&
         a.angular_upper_limit == b.angular_upper_limit && a.linear_stiffness == b.linear_stiffness &&
         a.angular_stiffness == b.angular_stiffness && a.linear_damping == b.linear_damping &&
         a.angular_damping == b.angular_damping;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sxsdk::host_ref<host::scene> scene = host::scene::create();
  host::part_shape& first = scene->add_part(scene->root(), "Body A");
  host::part_shape& joint = scene->add_part(scene->root(), "Joint", sxsdk::part_type::ball_joint);
  host::part_shape& second = scene->add_part(scene->root(), "Body B");
  for (host::part_shape* body : {&first, &second})
    body->put_stream(physplug_modify_uuid, "", fuzz::bytes(93, 0));  // plain rigid bodies
  joint.put_stream(physplug_modify_uuid, "", fuzz::to_bytes(data, size));
  constraints_properties c;
  c.shape = &joint.sdk();
  if (!c.get_properties()) return 0;  // refused: nothing more is promised
  for (const btVector3* v :
       {&c.linear_lower_limit, &c.linear_upper_limit, &c.angular_lower_limit, &c.angular_upper_limit,
        &c.linear_stiffness, &c.angular_stiffness, &c.linear_damping, &c.angular_damping})
    fuzz::require(finite(*v), "a non-finite joint value was read");
  for (void* body : {c.rigid0, c.rigid1}) {
    bool in_scene = body == nullptr;
    for (host::shape_node* shape : scene->shapes_in_order()) in_scene = in_scene || body == &shape->sdk();
    fuzz::require(in_scene, "a joint body outside the scene was read");
  }
  fuzz::require(c.regist(), "the joint stream was not written");
  fuzz::require(joint.find_stream(physplug_modify_uuid)->bytes.size() == 104, "the joint stream is not 104 bytes");
  constraints_properties back;
  back.shape = &joint.sdk();
  fuzz::require(back.get_properties() && same(c, back), "the written joint stream did not read back");
  // Once written as version 2, a stream reads back exactly, bodies in their places.
  fuzz::require(back.regist(), "the joint stream was not written again");
  constraints_properties again;
  again.shape = &joint.sdk();
  fuzz::require(
      again.get_properties() && same(back, again) && again.rigid0 == back.rigid0 && again.rigid1 == back.rigid1,
      "a version 2 joint stream did not read back exactly");
  return 0;
}
