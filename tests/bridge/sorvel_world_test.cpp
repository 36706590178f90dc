// One scene-side world used directly: what it registers and what clear answers.
#include <gtest/gtest.h>

#include "bridge/sorvel_world.hpp"
#include "plugin/playback_scene.hpp"

namespace {

using plugin_test::body_settings;
using plugin_test::playback_scene;
using plugin_test::sphere_shape;
using plugin_test::vec3;

TEST(sorvel_world, bodies_go_to_the_list_of_their_type_in_scene_order) {
  playback_scene s;
  host::part_shape& world = s.add_world("World");
  s.add_body(world, "Move1", sphere_shape(0.1f), vec3(0, 0, 0));
  s.add_body(world, "Static", sphere_shape(0.1f), vec3(0, 0, 0), body_settings(rigidbody_datas::static_body));
  host::part_shape& holder = s.scene->add_part(world, "Holder");
  s.add_body(holder, "Move2", sphere_shape(0.1f), vec3(0, 0, 0));
  s.add_body(world, "Kinematic", sphere_shape(0.1f), vec3(0, 0, 0), body_settings(rigidbody_datas::kinematic));
  rigidbody_datas unknown = body_settings();
  unknown.type = 7;
  s.add_body(world, "Unknown", sphere_shape(0.1f), vec3(0, 0, 0), unknown);

  sorvel_world w(world.sdk());
  ASSERT_EQ(w.moving_bodies().size(), 2u);
  EXPECT_EQ(w.moving_bodies()[0].shape, &s.scene->find("root/World/Move1")->sdk());
  EXPECT_EQ(w.moving_bodies()[1].shape, &s.scene->find("root/World/Holder/Move2")->sdk());
  ASSERT_EQ(w.static_bodies().size(), 1u);
  ASSERT_EQ(w.kinematic_bodies().size(), 1u);
  EXPECT_EQ(w.settings().shape, &world.sdk());
  w.clear();
}

TEST(sorvel_world, clear_answers_whether_an_engine_was_released) {
  playback_scene s;
  host::part_shape& world = s.add_world("World");
  host::part_shape& ball = s.add_body(world, "Ball", sphere_shape(0.1f), vec3(0, 1000, 0));
  sorvel_world never_built(world.sdk());
  EXPECT_FALSE(never_built.clear());
  EXPECT_TRUE(never_built.moving_bodies().empty());
  EXPECT_EQ(playback_scene::position_of(ball).y, 1000.0f);

  sorvel_world built(world.sdk());
  ASSERT_TRUE(built.create_bullet(s.scene.get()));
  built.update(0.5f);
  built.set_rigidbody_positions(s.scene.get());
  EXPECT_LT(playback_scene::position_of(ball).y, 1000.0f);
  sorvel_world moved(std::move(built));  // the engine goes with the move
  EXPECT_TRUE(moved.clear());
  EXPECT_EQ(playback_scene::position_of(ball).y, 1000.0f);
  EXPECT_FALSE(moved.clear());
}

}  // namespace
