// scene_roles: which rigid bodies a playback simulates, decided from the streams as the plug-in
// decides it (held worlds skipped, a world nested in an active world joining it, bodies under
// bodies registered, unknown types left out), and the roles of single shapes.
#include "host/cli/scene_roles.hpp"

#include <gtest/gtest.h>

#include "host/scene/scene.hpp"

namespace {

using host::physics_role;
using host::physics_stream_ids;

std::vector<std::uint8_t> world_stream(bool active) {
  std::vector<std::uint8_t> b(56, 0);
  b[4] = active ? 1 : 0;  // flags, bit 0: active
  return b;
}

std::vector<std::uint8_t> rigid_stream(int type) {
  std::vector<std::uint8_t> b(93, 0);
  b[0] = 1;                   // version 1
  b[4] = std::uint8_t(type);  // type
  return b;
}

struct fixture {
  sxsdk::host_ref<host::scene> s = host::scene::create();

  host::part_shape& world(host::shape_node& dad, const char* name, bool active) {
    auto& w = s->add_part(dad, name);
    w.put_stream(physics_stream_ids::world, "", world_stream(active));
    return w;
  }
  host::part_shape& body(host::shape_node& dad, const char* name, int type = 0) {
    auto& b = s->add_part(dad, name);
    b.put_stream(physics_stream_ids::modify, "", rigid_stream(type));
    return b;
  }
  std::vector<std::string> bodies() {
    std::vector<std::string> out;
    for (const auto& b : host::scene_roles::bodies(*s)) out.push_back(b.path);
    return out;
  }
};

TEST(scene_roles, bodies_of_active_worlds_only_with_nested_worlds_joining_the_outer_one) {
  fixture f;
  auto& a = f.world(f.s->root(), "A", true);
  auto& ball = f.body(a, "Ball");
  f.body(ball, "Inner");  // a body under a body is a body too
  auto& nested = f.world(a, "Nested", false);
  f.body(nested, "Joined");  // held or not, a world inside a world is no world
  f.body(a, "Odd", 5);       // no such type: the plug-in registers nothing
  auto& held = f.world(f.s->root(), "Held", false);
  f.body(held, "Still");
  auto& group = f.s->add_part(f.s->root(), "Group");
  auto& b = f.world(group, "B", true);
  f.body(b, "Box", 2);
  f.body(f.s->root(), "Loose");  // outside every world
  EXPECT_EQ(f.bodies(),
            (std::vector<std::string>{"root/A/Ball", "root/A/Ball/Inner", "root/A/Nested/Joined", "root/Group/B/Box"}));
  std::vector<std::string> worlds;
  for (const auto& w : host::scene_roles::worlds(*f.s)) worlds.push_back(w.path);
  EXPECT_EQ(worlds, (std::vector<std::string>{"root/A", "root/Group/B"}));
}

TEST(scene_roles, roles_follow_the_shape_kind) {
  fixture f;
  auto& both = f.world(f.s->root(), "Both", true);
  both.put_stream(physics_stream_ids::modify, "", rigid_stream(0));
  EXPECT_EQ(host::scene_roles::roles_of(both),
            (std::vector<physics_role>{physics_role::world, physics_role::rigid_body}));
  auto& joint = f.s->add_part(f.s->root(), "Joint", sxsdk::part_type::ball_joint);
  joint.put_stream(physics_stream_ids::modify, "", {});
  joint.put_stream(physics_stream_ids::world, "", world_stream(true));
  EXPECT_EQ(host::scene_roles::roles_of(joint), (std::vector<physics_role>{physics_role::joint}));
  auto& mesh = f.s->add_polygon_mesh(f.s->root(), "Cloth");
  mesh.put_stream(physics_stream_ids::modify, "", {});
  EXPECT_EQ(host::scene_roles::roles_of(mesh), (std::vector<physics_role>{physics_role::soft_body}));
  auto& prim_part = f.s->add_part(f.s->root(), "NotPrimitive");
  prim_part.put_stream(physics_stream_ids::primitive, "", {});
  EXPECT_TRUE(host::scene_roles::roles_of(prim_part).empty());
  auto& rotator = f.s->add_part(f.s->root(), "Scale", sxsdk::part_type::scale_joint);
  rotator.put_stream(physics_stream_ids::modify, "", {});
  EXPECT_TRUE(host::scene_roles::roles_of(rotator).empty());
}

}  // namespace
