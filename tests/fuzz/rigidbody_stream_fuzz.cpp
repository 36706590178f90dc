// Fuzzes rigidbody_properties::get_properties (versions 0 and 1): any bytes under
// physplug_modify_uuid read without a crash, leave a group index of 0 to 15 and finite numbers,
// link the primitive only when the stream is whole, and what is then written (version 1,
// 93 bytes) reads back the same.
#include <cmath>

#include "base/uuid_table.hpp"
#include "fuzz_scene.hpp"
#include "properties/rigidbody_properties.hpp"

namespace {

bool finite(const btVector3& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

bool finite(const btTransform& t) {
  const btMatrix3x3& b = t.getBasis();
  return finite(b[0]) && finite(b[1]) && finite(b[2]) && finite(t.getOrigin());
}

bool same(const rigidbody_properties& a, const rigidbody_properties& b) {
  return a.type == b.type && a.group_index == b.group_index && a.group == b.group && a.mask == b.mask &&
         a.mass == b.mass && a.friction == b.friction && a.restitution == b.restitution &&
         a.linear_damping == b.linear_damping && a.angular_damping == b.angular_damping && a.velocity == b.velocity &&
         a.transform.getBasis() == b.transform.getBasis() && a.transform.getOrigin() == b.transform.getOrigin() &&
         a.primitive == b.primitive;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sxsdk::host_ref<host::scene> scene = host::scene::create();
  host::part_shape& part = scene->add_part(scene->root(), "Body");
  part.put_stream(physplug_modify_uuid, "", fuzz::to_bytes(data, size));
  host::sphere_shape& ball = scene->add_sphere(part, "Sphere", {0, 0, 0}, {100, 100, 100});
  ball.put_stream(physplug_rigid_uuid, "", {0, 0, 0, 0, 0x0a, 0xd7, 0x23, 0x3d, 0, 0, 0, 0});
  rigidbody_properties b;
  b.shape = &part.sdk();
  b.get_properties();
  fuzz::require(b.group_index <= 15, "a group index above 15 was read");
  fuzz::require(b.group == static_cast<std::int16_t>(static_cast<std::uint16_t>(1u << b.group_index)),
                "group is not the bit of the group index");
  fuzz::require(std::isfinite(b.mass) && std::isfinite(b.friction) && std::isfinite(b.restitution) &&
                    std::isfinite(b.linear_damping) && std::isfinite(b.angular_damping) && finite(b.velocity) &&
                    finite(b.transform),
                "a non-finite rigid body value was read");
  std::int32_t version = 0;
  int length = 0;
  const bool cut = b.stream_cut_short(version, length);
  fuzz::require(cut == (size < std::size_t(rigidbody_properties::stream_size(version))), "a cut stream was not told");
  fuzz::require(b.primitive == (cut ? nullptr : &ball.sdk()), "a whole stream links its primitive, a cut one none");
  b.primitive = &ball.sdk();  // what follows is written whole
  fuzz::require(b.regist(), "the rigid body stream was not written");
  fuzz::require(part.find_stream(physplug_modify_uuid)->bytes.size() == 93, "the rigid body stream is not 93 bytes");
  rigidbody_properties back;
  back.shape = &part.sdk();
  fuzz::require(back.get_properties() && same(b, back), "the written rigid body stream did not read back");
  return 0;
}
