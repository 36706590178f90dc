// Fuzzes primitive_properties::get_properties: the first byte picks the kind of shape the
// stream sits on (sphere, disk, open line of 3 or 4 points, closed line, a part, a mesh), the
// rest are the bytes under physplug_rigid_uuid. Reading never crashes, leaves a direction of
// 0 to 3 and a finite margin, and what is then written (12 bytes) reads back the same.
#include <cmath>

#include "base/uuid_table.hpp"
#include "fuzz_scene.hpp"
#include "properties/primitive_properties.hpp"

namespace {

using vec3 = sx::vec<float, 3>;

host::shape_node& shape_of_kind(host::scene& scene, host::part_shape& body, std::uint8_t kind) {
  switch (kind % 7) {
    case 0:
      return scene.add_sphere(body, "Sphere", {0, 0, 0}, {50, 50, 50});
    case 1:
      return scene.add_disk(body, "Cylinder", {0, 0, 0}, 50);
    case 2:
      return scene.add_line(body, "Cone", {{0, -50, 0}, {50, -50, 0}, {0, 50, 0}}, false);
    case 3:
      return scene.add_line(body, "Capsule", {{0, -100, 0}, {50, -50, 0}, {50, 50, 0}, {0, 100, 0}}, false);
    case 4:
      return scene.add_line(body, "Box", {{-1, -2, -3}, {-1, -2, 3}, {1, -2, 3}, {1, -2, -3}}, true);
    case 5:
      return scene.add_part(body, "Part");
    default:
      return scene.add_polygon_mesh(body, "Mesh");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  sxsdk::host_ref<host::scene> scene = host::scene::create();
  host::part_shape& body = scene->add_part(scene->root(), "Body");
  host::shape_node& shape = shape_of_kind(*scene, body, data[0]);
  shape.put_stream(physplug_rigid_uuid, "", fuzz::to_bytes(data + 1, size - 1));
  primitive_properties p;
  p.shape = &shape.sdk();
  const bool read = p.get_properties();
  fuzz::require(p.direction >= 0 && p.direction <= 3, "a direction outside 0 to 3 was read");
  fuzz::require(std::isfinite(p.margin), "a non-finite margin was read");
  for (float s : p.size) fuzz::require(std::isfinite(s) && s >= 0, "a size is negative or not finite");
  fuzz::require(!read || size - 1 >= 12, "a short primitive stream read as sound");
  fuzz::require(p.regist(), "the primitive stream was not written");
  fuzz::require(shape.find_stream(physplug_rigid_uuid)->bytes.size() == 12, "the primitive stream is not 12 bytes");
  primitive_properties back;
  back.shape = &shape.sdk();
  const bool again = back.get_properties();
  fuzz::require(back.margin == p.margin && back.direction == p.direction,
                "the written primitive stream did not read back");
  fuzz::require(again == (shape.type() != sxsdk::shape_type::part && shape.type() != sxsdk::shape_type::polygon_mesh),
                "a written primitive stream read back wrongly for its kind");
  return 0;
}
