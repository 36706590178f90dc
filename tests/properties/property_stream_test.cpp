// property_stream: the reader's sticky failure and refusals, the writer's whole rewrite, and
// random bytes under each of our stream UUIDs.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "properties/primitive_properties.hpp"
#include "properties/property_stream.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/world_properties.hpp"
#include "properties_scene.hpp"

using namespace properties_test;

namespace {

property_stream::stream_ref stream_with(host::shape_node& shape, const bytes& b) {
  properties_scene::put(shape, physplug_uuid, b);
  return property_stream::open(shape.sdk(), physplug_uuid);
}

bool finite(const btVector3& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

}  // namespace

TEST(property_stream, a_failed_read_is_sticky_even_when_smaller_reads_would_fit) {
  properties_scene s;
  host::part_shape& part = s.part("Part");
  property_stream::stream_ref stream = stream_with(part, {1, 2, 3});
  property_stream::reader in(*stream);
  std::int32_t i = 42;
  char c = 'x';
  EXPECT_FALSE(in.read_int(i));
  EXPECT_EQ(i, 42);
  EXPECT_FALSE(in.read_char(c));  // three bytes are there, but the stream is already broken
  EXPECT_EQ(c, 'x');
  EXPECT_TRUE(in.failed());
  EXPECT_FALSE(in.sound());
}

TEST(property_stream, a_refused_value_keeps_its_target_and_reading_goes_on) {
  properties_scene s;
  host::part_shape& part = s.part("Part");
  property_stream::stream_ref stream =
      stream_with(part, le_bytes().f32(std::numeric_limits<float>::infinity()).f32(2.5f).v3(1, NAN, 3).i32(9).get());
  property_stream::reader in(*stream);
  float a = 1, b = 1;
  btVector3 v(7, 7, 7);
  std::int32_t i = 0;
  EXPECT_FALSE(in.read_float(a));
  EXPECT_TRUE(in.read_float(b));
  EXPECT_FALSE(in.read_vec3(v));
  EXPECT_TRUE(in.read_int(i));
  EXPECT_EQ(a, 1.0f);
  EXPECT_EQ(b, 2.5f);
  EXPECT_EQ(v, btVector3(7, 7, 7));
  EXPECT_EQ(i, 9);
  EXPECT_FALSE(in.failed());
  EXPECT_FALSE(in.sound());
}

TEST(property_stream, create_starts_an_existing_stream_over_from_nothing) {
  properties_scene s;
  host::part_shape& part = s.part("Part");
  properties_scene::put(part, physplug_uuid, bytes(40, 0xEE));
  {
    property_stream::stream_ref stream = property_stream::create(part.sdk(), physplug_uuid);
    ASSERT_TRUE(stream);
    stream->write_int(5);
  }
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_uuid), le_bytes().i32(5).get());
}

// Random streams of random lengths under each of our UUIDs, on the shapes that read them: no
// crash (the sanitizer build watches memory), only finite numbers and valid indices come out.
TEST(property_stream, random_bytes_under_every_stream_leave_sound_records) {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> length(0, 140), byte(0, 255), rare(0, 9);
  auto noise = [&] {
    bytes b(static_cast<std::size_t>(length(random)));
    for (std::uint8_t& v : b) v = static_cast<std::uint8_t>(byte(random));
    // Often a plausible version first, so the readers get past it.
    if (b.size() >= 4 && rare(random) < 5) b[0] = b[1] = b[2] = b[3] = 0;
    if (b.size() >= 4 && rare(random) == 9) b[0] = 1, b[1] = b[2] = b[3] = 0;
    return b;
  };
  for (int round = 0; round < 600; ++round) {
    properties_scene s;
    host::part_shape& part = s.part("Part");
    host::sphere_shape& ball = s.scene().add_sphere(part, "Ball", {0, 0, 0}, {10, 10, 10});
    properties_scene::put(part, physplug_uuid, noise());
    properties_scene::put(part, physplug_modify_uuid, noise());
    properties_scene::put(ball, physplug_rigid_uuid, noise());

    world_properties w;
    w.shape = &part.sdk();
    w.get_properties();
    ASSERT_TRUE(std::isfinite(w.gravity) && std::isfinite(w.height) && std::isfinite(w.air_density) &&
                std::isfinite(w.simulation_cycle) && std::isfinite(w.scale_factor) && finite(w.boundary_min) &&
                finite(w.boundary_max))
        << round;

    primitive_properties p;
    p.shape = &ball.sdk();
    p.get_properties();
    ASSERT_TRUE(std::isfinite(p.margin) && p.direction >= 0 && p.direction <= 3) << round;

    rigidbody_properties b;
    b.shape = &part.sdk();
    b.get_properties();
    ASSERT_LE(b.group_index, 15) << round;
    ASSERT_TRUE(std::isfinite(b.mass) && std::isfinite(b.friction) && finite(b.velocity) &&
                finite(b.transform.getOrigin()) && finite(b.transform.getBasis()[0]) &&
                finite(b.transform.getBasis()[1]) && finite(b.transform.getBasis()[2]))
        << round;
  }
}
