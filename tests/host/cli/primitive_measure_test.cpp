// primitive_measure: scene geometry laid out here from the primitive builders' tables (control
// points, disk radius and sweep, sphere radius, in millimetres) measured back into kinds and
// sizes in metres.
#include "host/cli/primitive_measure.hpp"

#include <gtest/gtest.h>

#include "host/cli/stream_decoder.hpp"
#include "host/scene/scene.hpp"

namespace {

using vec3 = sx::vec<float, 3>;

void mark_primitive(host::shape_node& shape, int direction) {
  // version 0, margin 0.04, flags = direction
  shape.put_stream(host::physics_stream_ids::primitive, "Primitive",
                   {0, 0, 0, 0, 0x0a, 0xd7, 0x23, 0x3d, std::uint8_t(direction), 0, 0, 0});
}

struct fixture {
  sxsdk::host_ref<host::scene> s = host::scene::create();
  host::part_shape& body = s->add_part(s->root(), "Body");
};

void expect_size(const host::primitive_shape& p, float x, float y) {
  ASSERT_TRUE(p.valid);
  EXPECT_NEAR(p.size[0], x, 1e-6);
  EXPECT_NEAR(p.size[1], y, 1e-6);
}

TEST(primitive_measure, each_kind_from_its_builder_geometry) {
  fixture f;
  // Capsule along Y, radius 0.1, middle 0.2: (0,-200,0) (100,-100,0) (100,100,0) (0,200,0).
  auto& capsule = f.s->add_line(f.body, "Capsule", {{0, -200, 0}, {100, -100, 0}, {100, 100, 0}, {0, 200, 0}}, false);
  mark_primitive(capsule, 0);
  auto p = host::primitive_measure::measure(capsule);
  EXPECT_EQ(p.type, host::primitive_shape::kind::capsule);
  expect_size(p, 0.1f, 0.2f);
  // Cylinder along X, radius 0.05, height 0.3: disk radius 50, sweep (300, 0, 0).
  auto& cylinder = f.s->add_disk(f.body, "Cylinder", {-150, 0, 0}, 50);
  cylinder.set_sweep({300, 0, 0});
  mark_primitive(cylinder, 1);
  p = host::primitive_measure::measure(cylinder);
  EXPECT_EQ(p.type, host::primitive_shape::kind::cylinder);
  expect_size(p, 0.05f, 0.3f);
  EXPECT_NEAR(p.size[2], 0.05f, 1e-6);
  // Cone along Z, radius 0.08, height 0.3: (0,0,-150) (80,0,-150) (0,0,150).
  auto& cone = f.s->add_line(f.body, "Cone", {{0, 0, -150}, {80, 0, -150}, {0, 0, 150}}, false);
  mark_primitive(cone, 2);
  p = host::primitive_measure::measure(cone);
  EXPECT_EQ(p.type, host::primitive_shape::kind::cone);
  EXPECT_EQ(p.direction, 2);
  expect_size(p, 0.08f, 0.3f);
  // Sphere of radius 70.
  auto& sphere = f.s->add_sphere(f.body, "Sphere", {0, 0, 0}, {70, 70, 70});
  mark_primitive(sphere, 0);
  p = host::primitive_measure::measure(sphere);
  EXPECT_EQ(p.type, host::primitive_shape::kind::sphere);
  expect_size(p, 0.07f, 0.07f);
}

TEST(primitive_measure, a_box_reads_half_extents_from_its_first_point_whatever_its_sign) {
  fixture f;
  for (float sign : {1.0f, -1.0f}) {
    auto& box =
        f.s->add_line(f.body, "Box", {{-100 * sign, -50 * sign, -25 * sign}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}}, true);
    mark_primitive(box, 0);
    const auto p = host::primitive_measure::measure(box);
    EXPECT_EQ(p.type, host::primitive_shape::kind::box);
    expect_size(p, 0.1f, 0.05f);
    EXPECT_NEAR(p.size[2], 0.025f, 1e-6);
  }
}

TEST(primitive_measure, shapes_the_plug_in_cannot_read_are_invalid) {
  fixture f;
  auto& five = f.s->add_line(f.body, "Five", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}}, false);
  mark_primitive(five, 0);
  EXPECT_FALSE(host::primitive_measure::measure(five).valid);
  auto& unmarked = f.s->add_sphere(f.body, "Plain", {0, 0, 0}, {70, 70, 70});
  EXPECT_FALSE(host::primitive_measure::measure(unmarked).valid);
  auto& axis3 = f.s->add_line(f.body, "Cone", {{0, -1, 0}, {1, -1, 0}, {0, 1, 0}}, false);
  mark_primitive(axis3, 3);
  EXPECT_FALSE(host::primitive_measure::measure(axis3).valid);
}

}  // namespace
