// Fuzzes alternative_bone_attribute::down_load: any bytes as a ball joint's bone-limit stream
// read without a crash and leave finite axes and limits; what is then written (84 bytes) reads
// back the same.
#include <cmath>

#include "base/uuid_table.hpp"
#include "fuzz_scene.hpp"
#include "joints/alternative_bone_attribute.hpp"
#include "properties/property_stream.hpp"

namespace {

bool finite(const sx::vec<float, 3>& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool same(const alternative_bone_attribute& a, const alternative_bone_attribute& b) {
  return a.axis_x == b.axis_x && a.axis_y == b.axis_y && a.axis_z == b.axis_z && a.guide_length_1 == b.guide_length_1 &&
         a.guide_length_2 == b.guide_length_2 && a.limit_x == b.limit_x && a.limit_y == b.limit_y &&
         a.limit_z == b.limit_z && a.display_size == b.display_size && a.flags == b.flags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sxsdk::host_ref<host::scene> scene = host::scene::create();
  host::part_shape& joint = scene->add_part(scene->root(), "Joint", sxsdk::part_type::ball_joint);
  joint.put_stream(alternative_bone_joint_uuid, "", fuzz::to_bytes(data, size));
  alternative_bone_attribute a;
  auto in = property_stream::open(joint.sdk(), alternative_bone_joint_uuid);
  fuzz::require(bool(in), "no stream to read");
  const bool failed = a.down_load(*in, joint.sdk());
  in.reset();
  for (const auto* v : {&a.axis_x, &a.axis_y, &a.limit_x, &a.limit_y, &a.limit_z, &a.display_size})
    fuzz::require(finite(*v), "a non-finite bone-limit value was read");
  if (failed) return 0;
  auto out = property_stream::create(joint.sdk(), alternative_bone_joint_uuid);
  fuzz::require(bool(out), "no stream to write");
  fuzz::require(!a.up_load(*out, joint.sdk()), "the bone-limit stream was not written");
  out.reset();
  fuzz::require(joint.find_stream(alternative_bone_joint_uuid)->bytes.size() == 84,
                "the bone-limit stream is not 84 bytes");
  alternative_bone_attribute back;
  auto again = property_stream::open(joint.sdk(), alternative_bone_joint_uuid);
  fuzz::require(!back.down_load(*again, joint.sdk()) && same(a, back),
                "the written bone-limit stream did not read back");
  return 0;
}
