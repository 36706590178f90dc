// Fuzzes world_properties::get_properties: any bytes under physplug_uuid read without a crash,
// leave only finite numbers, and what is then written reads back the same.
#include <cmath>

#include "base/uuid_table.hpp"
#include "fuzz_scene.hpp"
#include "properties/world_properties.hpp"

namespace {

bool finite(const btVector3& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

bool same(const world_properties& a, const world_properties& b) {
  return a.active == b.active && a.view_debug == b.view_debug && a.gravity == b.gravity && a.height == b.height &&
         a.air_density == b.air_density && a.simulation_cycle == b.simulation_cycle &&
         a.boundary_min == b.boundary_min && a.boundary_max == b.boundary_max && a.reserved == b.reserved &&
         a.scale_factor == b.scale_factor;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sxsdk::host_ref<host::scene> scene = host::scene::create();
  host::part_shape& part = scene->add_part(scene->root(), "World");
  part.put_stream(physplug_uuid, "", fuzz::to_bytes(data, size));
  world_properties w;
  w.shape = &part.sdk();
  const bool sound = w.get_properties();
  fuzz::require(!sound || size >= 56, "a short world stream read as sound");
  fuzz::require(std::isfinite(w.gravity) && std::isfinite(w.height) && std::isfinite(w.air_density) &&
                    std::isfinite(w.simulation_cycle) && std::isfinite(w.scale_factor) && finite(w.boundary_min) &&
                    finite(w.boundary_max),
                "a non-finite world value was read");
  fuzz::require(w.regist(), "the world stream was not written");
  fuzz::require(part.find_stream(physplug_uuid)->bytes.size() == 56, "the world stream is not 56 bytes");
  world_properties back;
  back.shape = &part.sdk();
  fuzz::require(back.get_properties() && same(w, back), "the written world stream did not read back");
  return 0;
}
