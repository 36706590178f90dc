// shape_roles: which kind of shape with which stream takes which role; the depth-first walk.
#include <gtest/gtest.h>

#include "properties/shape_roles.hpp"
#include "properties_scene.hpp"
#include "throwing_stream_shape.hpp"

using namespace properties_test;

namespace {

enum class kind { simple_part, surface_part, ball, bone, rotator, slider, scale_joint, mesh, sphere, line };

struct role_case {
  const char* what;
  kind shape;
  std::vector<const sx::uuid_class*> streams;
  bool world, rigidbody, primitive, joint;
};

host::shape_node& make(properties_scene& s, kind k) {
  using namespace sxsdk::part_type;
  host::scene& sc = s.scene();
  switch (k) {
    case kind::simple_part:
      return sc.add_part(s.root(), "Part", part);
    case kind::surface_part:
      return sc.add_part(s.root(), "Surface", surface);
    case kind::ball:
      return sc.add_part(s.root(), "Ball", ball_joint);
    case kind::bone:
      return sc.add_part(s.root(), "Bone", bone_joint);
    case kind::rotator:
      return sc.add_part(s.root(), "Rotator", rotator_joint);
    case kind::slider:
      return sc.add_part(s.root(), "Slider", slider_joint);
    case kind::scale_joint:
      return sc.add_part(s.root(), "Scale", sxsdk::part_type::scale_joint);
    case kind::mesh:
      return sc.add_polygon_mesh(s.root(), "Mesh");
    case kind::sphere:
      return sc.add_sphere(s.root(), "Sphere", {0, 0, 0}, {1, 1, 1});
    case kind::line:
      return sc.add_line(s.root(), "Line", {{0, 0, 0}, {1, 0, 0}}, false);
  }
  throw std::logic_error("kind");
}

}  // namespace

TEST(shape_roles, the_kind_of_shape_and_its_stream_give_the_role) {
  const sx::uuid_class* world = &physplug_uuid;
  const sx::uuid_class* modify = &physplug_modify_uuid;
  const sx::uuid_class* rigid = &physplug_rigid_uuid;
  const role_case cases[] = {
      {"simple part with a modify stream", kind::simple_part, {modify}, false, true, false, false},
      {"simple part with a world stream", kind::simple_part, {world}, true, false, false, false},
      {"simple part with both", kind::simple_part, {world, modify}, true, true, false, false},
      {"simple part with a primitive stream", kind::simple_part, {rigid}, false, false, false, false},
      {"plain simple part", kind::simple_part, {}, false, false, false, false},
      {"surface part with both", kind::surface_part, {world, modify}, false, false, false, false},
      {"ball joint with a modify stream", kind::ball, {modify, world}, false, false, false, true},
      {"bone joint with a modify stream", kind::bone, {modify}, false, false, false, true},
      {"rotator joint with a modify stream", kind::rotator, {modify}, false, false, false, true},
      {"rotator joint without", kind::rotator, {world}, false, false, false, false},
      {"slider joint with a modify stream", kind::slider, {modify}, false, false, false, true},
      {"scale joint with a modify stream", kind::scale_joint, {modify}, false, false, false, false},
      {"sphere with a primitive stream", kind::sphere, {rigid}, false, false, true, false},
      {"line with a primitive stream", kind::line, {rigid}, false, false, true, false},
      {"polygon mesh with a primitive stream", kind::mesh, {rigid, modify}, false, false, true, false},
      {"sphere with a modify stream", kind::sphere, {modify}, false, false, false, false},
  };
  for (const role_case& c : cases) {
    properties_scene s;
    host::shape_node& shape = make(s, c.shape);
    for (const sx::uuid_class* uuid : c.streams) properties_scene::put(shape, *uuid, {});
    EXPECT_EQ(is_bullet_world(shape.sdk()), c.world) << c.what;
    EXPECT_EQ(is_bullet_rigidbody(shape.sdk()), c.rigidbody) << c.what;
    EXPECT_EQ(is_bullet_primitive(shape.sdk()), c.primitive) << c.what;
    EXPECT_EQ(is_bullet_constraints_joint(shape.sdk()), c.joint) << c.what;
    EXPECT_TRUE(s.errors().empty()) << c.what;
  }
}

TEST(shape_roles, rigid_bodies_are_collected_depth_first) {
  properties_scene s;
  host::part_shape& a = s.part("A");
  host::part_shape& a1 = s.part("A1", &a);
  host::part_shape& a1x = s.part("A1x", &a1);
  host::part_shape& plain = s.part("Plain", &a);
  host::part_shape& b = s.part("B");
  for (host::shape_node* body : std::initializer_list<host::shape_node*>{&a, &a1x, &b})
    properties_scene::put(*body, physplug_modify_uuid, {});
  s.part("Inside plain", &plain);
  std::vector<sxsdk::shape_class*> bodies{nullptr};  // appended to, not replaced
  EXPECT_EQ(get_sons_rigidbody_recursively(s.root().sdk(), bodies), 4);
  const std::vector<sxsdk::shape_class*> want{nullptr, &a.sdk(), &a1x.sdk(), &b.sdk()};
  EXPECT_EQ(bodies, want);
}

TEST(shape_roles, a_host_failing_on_the_stream_lookup_shows_attribute_error_and_gives_no_role) {
  properties_scene s;
  throwing_stream_shape broken(sxsdk::shape_type::sphere, s.sdk());
  EXPECT_FALSE(is_bullet_primitive(broken));
  EXPECT_EQ(s.errors(), std::vector<std::string>{"attribute error delete it"});
  // A shape of the wrong kind is told apart before any stream is looked up.
  EXPECT_FALSE(is_bullet_world(broken));
  EXPECT_EQ(s.errors().size(), 1u);
}
