// world_properties: the 56-byte stream, its label, short and hostile streams, the dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "properties/world_properties.hpp"
#include "properties_scene.hpp"

using namespace properties_test;

namespace {

// The world stream of the format table: version 0, flags, gravity, height, air density,
// simulation cycle, boundary min and max, reserved, scale factor.
le_bytes world_stream(std::int32_t flags, float gravity, float height, float air, float cycle, vec3 lo, vec3 hi,
                      std::int32_t reserved, float scale) {
  le_bytes b;
  b.i32(0).i32(flags).f32(gravity).f32(height).f32(air).f32(cycle);
  b.v3(lo.x, lo.y, lo.z).v3(hi.x, hi.y, hi.z).i32(reserved).f32(scale);
  return b;
}

le_bytes sample_stream() {
  return world_stream(3, -3.5f, 0.25f, 1.1f, 120.0f, {-5, -6, -7}, {8, 9, 10}, 0x12345, 2.5f);
}

world_properties world_on(host::shape_node& part) {
  world_properties w;
  w.shape = &part.sdk();
  return w;
}

}  // namespace

TEST(world_properties, regist_writes_the_56_bytes_of_the_format_table) {
  properties_scene s;
  host::part_shape& part = s.part("World");
  world_properties w = world_on(part);
  w.active = true;
  w.view_debug = true;
  w.gravity = -3.5f;
  w.height = 0.25f;
  w.air_density = 1.1f;
  w.simulation_cycle = 120.0f;
  w.boundary_min.setValue(-5, -6, -7);
  w.boundary_max.setValue(8, 9, 10);
  w.reserved = 0x12345;
  w.scale_factor = 2.5f;
  ASSERT_TRUE(w.regist());
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_uuid), sample_stream().get());
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_uuid).size(), 56u);
  EXPECT_EQ(properties_scene::stream_label(part, physplug_uuid), "Active:*Bullet World");
}

TEST(world_properties, stored_bytes_read_back_field_by_field) {
  properties_scene s;
  host::part_shape& part = s.part("World");
  properties_scene::put(part, physplug_uuid, sample_stream().get());
  world_properties w = world_on(part);
  w.active = false;
  ASSERT_TRUE(w.get_properties());
  EXPECT_TRUE(w.active);
  EXPECT_TRUE(w.view_debug);
  EXPECT_EQ(w.gravity, -3.5f);
  EXPECT_EQ(w.height, 0.25f);
  EXPECT_EQ(w.air_density, 1.1f);
  EXPECT_EQ(w.simulation_cycle, 120.0f);
  EXPECT_EQ(w.boundary_min, btVector3(-5, -6, -7));
  EXPECT_EQ(w.boundary_max, btVector3(8, 9, 10));
  EXPECT_EQ(w.reserved, 0x12345);
  EXPECT_EQ(w.scale_factor, 2.5f);
}

TEST(world_properties, flags_give_active_and_view_debug_and_the_label) {
  struct flag_case {
    std::int32_t flags;
    bool active, view_debug;
    const char* label_en;
    const char* label_ja;
  };
  const flag_case cases[] = {
      {0, false, false, "Hold:Bullet World", "保留:Bullet World"},
      {1, true, false, "Active:Bullet World", "有効:Bullet World"},
      {2, false, true, "Hold:*Bullet World", "保留:*Bullet World"},
      {3, true, true, "Active:*Bullet World", "有効:*Bullet World"},
      {static_cast<std::int32_t>(0xFFFFFFFC), false, false, "Hold:Bullet World", "保留:Bullet World"},
  };
  for (const char* language : {"en", "ja"}) {
    for (const flag_case& c : cases) {
      properties_scene s(language);
      host::part_shape& part = s.part("World");
      properties_scene::put(part, physplug_uuid,
                            world_stream(c.flags, 9.8f, 0, 1.2f, 60, {-1, -1, -1}, {1, 1, 1}, 0, 1).get());
      world_properties w = world_on(part);
      ASSERT_TRUE(w.get_properties()) << c.flags;
      EXPECT_EQ(w.active, c.active) << c.flags;
      EXPECT_EQ(w.view_debug, c.view_debug) << c.flags;
      ASSERT_TRUE(w.regist());
      EXPECT_EQ(properties_scene::stream_label(part, physplug_uuid),
                std::string(language) == "ja" ? c.label_ja : c.label_en);
      // The other bits are not kept.
      EXPECT_EQ(properties_scene::stream_bytes(part, physplug_uuid)[4], (c.active ? 1 : 0) | (c.view_debug ? 2 : 0));
    }
  }
}

TEST(world_properties, no_shape_or_no_stream_reads_false_and_keeps_the_record) {
  properties_scene s;
  world_properties none;
  none.gravity = 1.0f;
  EXPECT_FALSE(none.get_properties());
  EXPECT_FALSE(none.regist());
  host::part_shape& part = s.part("Plain");
  world_properties w = world_on(part);
  w.gravity = 2.0f;
  EXPECT_FALSE(w.get_properties());
  EXPECT_EQ(w.gravity, 2.0f);
  EXPECT_TRUE(part.streams().empty());
}

TEST(world_properties, a_short_stream_keeps_the_fields_it_has_and_reports_false) {
  const le_bytes full = sample_stream();
  // Byte offsets where each field ends, in format order.
  for (std::size_t cut : {0u, 3u, 4u, 7u, 8u, 12u, 16u, 20u, 24u, 30u, 36u, 48u, 52u, 55u}) {
    properties_scene s;
    host::part_shape& part = s.part("World");
    properties_scene::put(part, physplug_uuid, full.first(cut));
    world_properties w = world_on(part);
    const world_properties defaults;
    EXPECT_FALSE(w.get_properties()) << cut;
    EXPECT_EQ(w.active, cut >= 8 ? true : defaults.active) << cut;
    EXPECT_EQ(w.view_debug, cut >= 8) << cut;
    EXPECT_EQ(w.gravity, cut >= 12 ? -3.5f : defaults.gravity) << cut;
    EXPECT_EQ(w.height, cut >= 16 ? 0.25f : defaults.height) << cut;
    EXPECT_EQ(w.air_density, cut >= 20 ? 1.1f : defaults.air_density) << cut;
    EXPECT_EQ(w.simulation_cycle, cut >= 24 ? 120.0f : defaults.simulation_cycle) << cut;
    EXPECT_EQ(w.boundary_min, cut >= 36 ? btVector3(-5, -6, -7) : defaults.boundary_min) << cut;
    EXPECT_EQ(w.boundary_max, cut >= 48 ? btVector3(8, 9, 10) : defaults.boundary_max) << cut;
    EXPECT_EQ(w.reserved, cut >= 52 ? 0x12345 : defaults.reserved) << cut;
    EXPECT_EQ(w.scale_factor, defaults.scale_factor) << cut;
  }
}

TEST(world_properties, a_non_finite_number_keeps_that_default_and_reports_false) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  properties_scene s;
  host::part_shape& part = s.part("World");
  properties_scene::put(part, physplug_uuid,
                        world_stream(1, nan, 0.5f, inf, 30.0f, {-inf, 0, 0}, {2, 2, 2}, 7, nan).get());
  world_properties w = world_on(part);
  EXPECT_FALSE(w.get_properties());
  const world_properties defaults;
  EXPECT_EQ(w.gravity, defaults.gravity);
  EXPECT_EQ(w.height, 0.5f);
  EXPECT_EQ(w.air_density, defaults.air_density);
  EXPECT_EQ(w.simulation_cycle, 30.0f);
  EXPECT_EQ(w.boundary_min, defaults.boundary_min);
  EXPECT_EQ(w.boundary_max, btVector3(2, 2, 2));
  EXPECT_EQ(w.reserved, 7);
  EXPECT_EQ(w.scale_factor, defaults.scale_factor);
}

TEST(world_properties, regist_rewrites_a_longer_stream_whole) {
  properties_scene s;
  host::part_shape& part = s.part("World");
  properties_scene::put(part, physplug_uuid, bytes(300, 0xAB));
  world_properties w = world_on(part);
  w.get_properties();
  world_properties fresh = world_on(part);
  ASSERT_TRUE(fresh.regist());
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_uuid),
            world_stream(1, 9.8f, 0, 1.2f, 60, {-1000, -1000, -1000}, {1000, 1000, 1000}, 0x20000, 1).get());
}
