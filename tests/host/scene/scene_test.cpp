#include "host/scene/scene.hpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "host/scene/scene_fixture.hpp"

namespace {

using host_test::scene_fixture;
using host_test::vec3;

// The oracle: a depth-first walk through the SDK's own tree calls (son, brother, sentinel),
// knowing nothing of the scene's cached order.
void walk(sxsdk::shape_class& shape, std::vector<sxsdk::shape_class*>& out) {
  out.push_back(&shape);
  if (!shape.has_son()) return;
  for (sxsdk::shape_class* s = &shape.get_son(); s != &s->get_sentinel(); s = &s->get_bro()) walk(*s, out);
}

std::vector<sxsdk::shape_class*> depth_first(host::scene& sc) {
  std::vector<sxsdk::shape_class*> out;
  walk(sc.get_root(), out);
  return out;
}

void expect_index_numbers_match_walk(host::scene& sc) {
  const auto order = depth_first(sc);
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(order[i]->get_index(), static_cast<int>(i));
    EXPECT_EQ(sc.get_shape_by_index(static_cast<int>(i)), order[i]);
  }
  EXPECT_EQ(sc.get_shape_by_index(static_cast<int>(order.size())), nullptr);
  EXPECT_EQ(sc.get_shape_by_index(-1), nullptr);
}

struct scene_tree : ::testing::Test, scene_fixture {};

TEST_F(scene_tree, index_numbers_are_depth_first_from_the_root) {
  part("root/A");
  part("root/A/A1");
  mesh("root/A/A1/M");
  part("root/B");
  sphere("root/A/S");
  EXPECT_EQ(scene->get_root().get_index(), 0);
  EXPECT_EQ(at("root/A").index(), 1);
  EXPECT_EQ(at("root/A/A1").index(), 2);
  EXPECT_EQ(at("root/A/A1/M").index(), 3);
  EXPECT_EQ(at("root/A/S").index(), 4);
  EXPECT_EQ(at("root/B").index(), 5);
  expect_index_numbers_match_walk(*scene);
}

TEST_F(scene_tree, index_numbers_follow_random_insertions_and_removals) {
  std::mt19937 rng(12345);
  std::vector<host::shape_node*> parts{&scene->root()};
  for (int step = 0; step < 400; ++step) {
    auto& order = scene->shapes_in_order();
    const int choice = static_cast<int>(rng() % 10);
    host::shape_node& somewhere = *order[rng() % order.size()];
    if (choice < 2 && &somewhere != &scene->root()) {
      somewhere.sdk().remove();
    } else if (choice < 4 && somewhere.type() == sxsdk::shape_type::part) {
      scene->add_sphere(somewhere, "s", {}, {1, 1, 1});
    } else if (choice < 7) {
      // Creation through the SDK at a random current shape: last son or elder brother.
      scene->set_current_shape(somewhere);
      scene->create_part("p");
    } else if (somewhere.type() == sxsdk::shape_type::part) {
      scene->add_part(somewhere, "q");
    }
    if (step % 7 == 0) expect_index_numbers_match_walk(*scene);
  }
  expect_index_numbers_match_walk(*scene);
  EXPECT_GT(scene->shape_count(), 20);
}

TEST_F(scene_tree, every_list_of_sons_ends_at_its_sentinel) {
  auto& a = part("root/A");
  auto& b = part("root/A/B");
  auto& m = mesh("root/A/M");
  sxsdk::shape_class& sentinel = a.get_son().get_sentinel();
  EXPECT_EQ(sentinel.get_type(), sxsdk::shape_type::sentinel);
  EXPECT_EQ(&b.get_bro(), &m.sdk());
  EXPECT_EQ(&m.get_bro(), &sentinel);
  EXPECT_EQ(&sentinel.get_sentinel(), &sentinel);
  EXPECT_EQ(&sentinel.get_bro(), &sentinel);
  EXPECT_EQ(sentinel.get_index(), -1);
  EXPECT_EQ(sentinel.get_dad(), &a.sdk());
  // An empty list: has_son is false and get_son gives the sentinel.
  EXPECT_FALSE(b.has_son());
  EXPECT_EQ(b.get_son().get_type(), sxsdk::shape_type::sentinel);
  EXPECT_EQ(&b.get_son(), &b.get_son().get_sentinel());
  // The root stands in a list of its own.
  EXPECT_EQ(scene->get_root().get_dad(), nullptr);
  EXPECT_EQ(scene->get_root().get_bro().get_type(), sxsdk::shape_type::sentinel);
  int count = 0;
  for (sxsdk::shape_class& s : sxsdk::sons(a)) count += s.get_type() != 0;
  EXPECT_EQ(count, 2);
}

TEST_F(scene_tree, find_follows_a_path_of_names) {
  part("root/World");
  auto& ball = part("root/World/Ball", sxsdk::part_type::ball_joint);
  EXPECT_EQ(scene->find("root/World/Ball"), &ball);
  EXPECT_EQ(scene->find("root"), &scene->root());
  EXPECT_EQ(scene->find("root/Nothing"), nullptr);
  EXPECT_EQ(scene->find("World"), nullptr);
  EXPECT_EQ(ball.path(), "root/World/Ball");
}

// Where a new shape goes, by the kind of the current shape.
TEST_F(scene_tree, make_current_decides_where_new_shapes_go) {
  struct placement_case {
    const char* name;
    int part_type;     // of the current part, or -1 for a polygon mesh
    bool as_last_son;  // else as the elder brother of the current shape
  };
  const std::vector<placement_case> cases = {
      {"simple part", sxsdk::part_type::part, true},
      {"surface part", sxsdk::part_type::surface, true},
      {"ball joint", sxsdk::part_type::ball_joint, false},
      {"bone joint", sxsdk::part_type::bone_joint, false},
      {"rotator joint", sxsdk::part_type::rotator_joint, false},
      {"polygon mesh", -1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    scene_fixture f;
    auto& dad = f.part("root/Dad");
    f.part("root/Dad/First");
    host::shape_node& current = c.part_type < 0 ? static_cast<host::shape_node&>(f.mesh("root/Dad/Current"))
                                                : f.part("root/Dad/Current", c.part_type);
    if (c.part_type >= 0) f.part("root/Dad/Current/Son");
    f.part("root/Dad/Last");
    current.sdk().make_current();
    f.scene->begin_creating();
    sxsdk::part_class& made = f.scene->create_part("New");
    f.scene->end_creating();
    EXPECT_EQ(&f.scene->current_shape(), &current);  // creating leaves the current shape
    const auto sons = (c.as_last_son ? current : dad).sons();
    if (c.as_last_son) {
      EXPECT_EQ(&sons.back()->sdk(), &made);
    } else {
      ASSERT_EQ(sons.size(), 4u);
      EXPECT_EQ(&sons[1]->sdk(), &made);
      EXPECT_EQ(sons[2], &current);
    }
  }
}

TEST_F(scene_tree, the_root_is_current_by_default_and_after_removal_of_the_current_shape) {
  auto& line = scene->create_line("L", 0, nullptr, false);
  EXPECT_EQ(line.get_dad(), &scene->get_root());
  auto& a = part("root/A");
  a.make_current();
  auto& s = scene->create_sphere("S", {1, 2, 3}, 5);
  EXPECT_EQ(s.get_dad(), &a.sdk());
  EXPECT_EQ(s.get_radius_vector(), vec3(5, 5, 5));
  a.remove();
  EXPECT_EQ(&scene->current_shape(), &scene->root());
  EXPECT_EQ(scene->create_disk("D", {}, 3).get_dad(), &scene->get_root());
}

TEST_F(scene_tree, creation_brackets_nest_and_never_go_negative) {
  scene->end_creating();
  EXPECT_EQ(scene->creating_depth(), 0);
  scene->begin_creating();
  scene->begin_creating();
  scene->end_creating();
  EXPECT_EQ(scene->creating_depth(), 1);
}

TEST_F(scene_tree, create_line_starts_every_handle_at_its_point) {
  const vec3 pts[] = {{1, 2, 3}, {4, 5, 6}};
  auto& line = scene->create_line("Box", 2, pts, true);
  EXPECT_TRUE(line.is_closed());
  ASSERT_EQ(line.get_number_of_control_points(), 2);
  auto& cp = line.control_point(1);
  for (vec3 v :
       {cp.get_position(), cp.get_in_handle(), cp.get_out_handle(), cp.get_fourth_handle(), cp.get_fifth_handle()})
    EXPECT_EQ(v, pts[1]);
  EXPECT_THROW(line.control_point(2), std::out_of_range);
}

TEST_F(scene_tree, removing_a_subtree_forgets_its_active_and_edit_state) {
  auto& a = part("root/A");
  auto& m = mesh("root/A/M", {{0, 0, 0}, {1, 0, 0}});
  auto& b = part("root/B");
  scene->set_active_shapes({&m, &b});
  scene->begin_mesh_edit(m, sxsdk::selection_mode::vertices);
  a.remove();
  EXPECT_TRUE(m.removed());
  EXPECT_EQ(m.index(), -1);
  EXPECT_EQ(scene->get_number_of_active_shapes(), 1);
  EXPECT_EQ(&scene->get_active_shape(), &b.sdk());
  EXPECT_FALSE(scene->is_mesh_edit_mode());
  EXPECT_EQ(b.index(), 1);
  EXPECT_THROW(scene->root().remove(), std::logic_error);
}

TEST_F(scene_tree, typed_views_refuse_other_kinds) {
  auto& m = mesh("root/M");
  EXPECT_EQ(&m.sdk().get_polygon_mesh(), &m);
  EXPECT_THROW(m.sdk().get_part(), std::logic_error);
  EXPECT_THROW(m.sdk().get_line(), std::logic_error);
  EXPECT_THROW(m.sdk().get_ball_joint(), std::logic_error);
  auto& rotator = part("root/R", sxsdk::part_type::rotator_joint);
  EXPECT_TRUE(rotator.is_rotator_joint());
  EXPECT_FALSE(rotator.is_ball_joint());
  EXPECT_THROW(rotator.get_ball_joint(), std::logic_error);
  sxsdk::host_ref<sxsdk::joint_interface> j(rotator.get_joint());
  EXPECT_TRUE(j);
}

TEST_F(scene_tree, a_part_counts_the_points_of_every_line_and_mesh_below_it) {
  auto& c = part("root/C");
  mesh("root/C/M1", std::vector<vec3>(4));
  part("root/C/Sub");
  mesh("root/C/Sub/M2", std::vector<vec3>(6));
  scene->add_line(at("root/C"), "L", {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, false);
  sphere("root/C/S");
  EXPECT_EQ(c.get_number_of_points(), 13);
}

}  // namespace
