// Soft bodies: cloth that hangs, lands and reports its nodes; refusals of malformed records.
#include "engine/bullet_world.hpp"

#include "engine/engine_scene.hpp"
#include "engine/softbody_solver.hpp"

#include <BulletSoftBody/btSoftBody.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <limits>

using namespace engine_test;

namespace {

// An n x n grid of nodes, `size` metres wide, in the horizontal plane at `origin`, two triangles
// per cell. Node (i, j) is i * n + j, along x then z.
softbody_datas cloth(int n, float size, const btVector3& origin) {
  softbody_datas d;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      d.vertices.push_back(origin.x() + size * i / (n - 1));
      d.vertices.push_back(origin.y());
      d.vertices.push_back(origin.z() + size * j / (n - 1));
    }
  for (int i = 0; i + 1 < n; ++i)
    for (int j = 0; j + 1 < n; ++j) {
      const int a = i * n + j, b = a + 1, c = a + n, e = c + 1;
      d.triangles.insert(d.triangles.end(), {a, c, b, b, c, e});
    }
  return d;
}

world_datas soft_world(float height = 0.0f, float scale = 1.0f) {
  world_datas w;
  w.height = height;
  w.scale_factor = scale;
  return w;
}

std::vector<btVector3> nodes_of(engine_scene& scene, void* body_key, int index = 0) {
  std::vector<btVector3> nodes;
  EXPECT_TRUE(scene.engine.get_softbody_positions(body_key, index, nodes));
  return nodes;
}

btSoftBody* bullet_soft(engine_scene& scene, void* body_key, int index = 0) {
  return scene.engine.engine()->find_soft_body(body_key, index);
}

}  // namespace

// Each case: what the two hanging corners are anchored to.
// A little damping lets the cloth stop swinging within the few seconds played.
TEST(bullet_world, a_cloth_anchored_at_two_corners_hangs_from_them) {
  struct anchor_case {
    const char* what;
    bool to_body;
    bool unknown_key;
  };
  const anchor_case cases[] = {
      {"pinned", false, false}, {"anchored to a static body", true, false}, {"naming no body: pinned", false, true}};
  for (const anchor_case& c : cases) {
    engine_scene scene(soft_world(), true);
    softbody_datas d = cloth(9, 1.0f, btVector3(0.0f, 2.0f, 0.0f));
    d.kDP = 0.05f;
    softbody_datas::anchor_struct anchor;
    anchor.nodes = {0, 8};  // the corners (0, 0) and (0, 1) of the x = 0 edge
    if (c.to_body) {
      rigidbody_datas& bar = scene.body(shape_record(collisionshape_datas::box, 0.05f, 0.05f, 0.6f),
                                        btVector3(-0.3f, 2.0f, 0.5f), rigidbody_datas::static_body);
      anchor.rigid = bar.shape;
    } else if (c.unknown_key) {
      anchor.rigid = key(123);
    }
    d.anchors.push_back(anchor);
    ASSERT_TRUE(scene.engine.addSoftBody(d, key(1))) << c.what;
    scene.play(3.0f);
    const btVector3 corner = nodes_of(scene, key(1))[0];
    scene.play(1.0f);
    const std::vector<btVector3> nodes = nodes_of(scene, key(1));
    ASSERT_EQ(nodes.size(), 81u);
    EXPECT_LT(nodes[0].distance(corner), 0.01f) << c.what << ": the corner holds still";
    // A pin is exact. An anchor pulls its node toward the body by a share (kAHR) of the gap per
    // iteration while the node keeps its mass, so it settles a little below under the weight.
    const float held = c.to_body ? 0.25f : 1e-6f;
    EXPECT_LT(nodes[0].distance(btVector3(0.0f, 2.0f, 0.0f)), held) << c.what;
    EXPECT_LT(nodes[8].distance(btVector3(0.0f, 2.0f, 1.0f)), held) << c.what;
    // The far edge hangs straight below, about as far down as the cloth is long (it stretches
    // under its own weight with the default four position iterations).
    for (int far_node : {72, 76, 80}) {
      EXPECT_LT(nodes[far_node].y(), 1.1f) << c.what << " node " << far_node;
      EXPECT_GT(nodes[far_node].y(), 0.65f) << c.what << " node " << far_node;
      EXPECT_LT(std::fabs(nodes[far_node].x()), 0.15f) << c.what << " node " << far_node;
    }
  }
}

TEST(bullet_world, a_free_cloth_comes_to_rest_on_the_ground_above_height) {
  engine_scene scene(soft_world(0.5f), true);
  softbody_datas d = cloth(9, 1.0f, btVector3(-0.5f, 1.5f, -0.5f));
  ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
  scene.play(4.0f);
  const std::vector<btVector3> before = nodes_of(scene, key(1));
  scene.play(0.25f);
  const std::vector<btVector3> after = nodes_of(scene, key(1));
  for (std::size_t i = 0; i < after.size(); ++i) {
    ASSERT_GT(after[i].y(), 0.5f - 0.005f) << i;
    ASSERT_LT(after[i].y(), 0.5f + 0.25f) << i << ": lying on the ground, perhaps folded";
    ASSERT_LT(after[i].distance(before[i]), 0.02f) << i << ": at rest";
  }
}

// The soft world reads gravity from its own world information: a cloth in free fall for half a
// second drops as far as a rigid body does (1/scale as far in metres: gravity is not scaled).
TEST(bullet_world, a_falling_cloth_feels_the_world_gravity_at_any_scale) {
  for (float scale : {1.0f, 2.0f}) {
    world_datas w = soft_world(-100.0f, scale);
    w.gravity = 5.0f;
    engine_scene scene(w, true);
    rigidbody_datas& ball = scene.body(sphere(0.1f), btVector3(5.0f, 10.0f, 0.0f));
    softbody_datas d = cloth(5, 1.0f, btVector3(0.0f, 10.0f, 0.0f));
    ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
    scene.play(0.5f);
    const float fallen = 10.0f - nodes_of(scene, key(1))[12].y();
    EXPECT_NEAR(fallen, 10.0f - scene.position(ball).y(), 0.02f) << scale;
    EXPECT_NEAR(fallen, 0.5 * 5.0 * 0.25 / scale, 0.05) << scale;
  }
}

TEST(bullet_world, node_positions_are_built_scaled_and_reported_in_metres) {
  engine_scene scene(soft_world(0.0f, 10.0f), true);
  softbody_datas d;
  d.vertices = {1.0f, 0.5f, 0.0f, 2.0f, 0.5f, 0.0f, 1.0f, 0.5f, 1.0f};
  d.triangles = {0, 1, 2};
  ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
  EXPECT_EQ(bullet_soft(scene, key(1))->m_nodes[0].m_x, btVector3(10.0f, 5.0f, 0.0f));
  const std::vector<btVector3> nodes = nodes_of(scene, key(1));
  ASSERT_EQ(nodes.size(), 3u);
  EXPECT_EQ(nodes[0], btVector3(1.0f, 0.5f, 0.0f));
  EXPECT_EQ(nodes[2], btVector3(1.0f, 0.5f, 1.0f));
}

TEST(bullet_world, soft_bodies_of_one_key_are_reported_by_index_in_the_order_added) {
  engine_scene scene(soft_world(), true);
  softbody_datas first = cloth(3, 1.0f, btVector3(0.0f, 1.0f, 0.0f));
  softbody_datas second = cloth(4, 1.0f, btVector3(0.0f, 3.0f, 0.0f));
  ASSERT_TRUE(scene.engine.addSoftBody(first, key(1)));
  ASSERT_TRUE(scene.engine.addSoftBody(second, key(1)));
  EXPECT_EQ(nodes_of(scene, key(1), 0).size(), 9u);
  EXPECT_EQ(nodes_of(scene, key(1), 1).size(), 16u);
  std::vector<btVector3> untouched(1, btVector3(7.0f, 7.0f, 7.0f));
  EXPECT_FALSE(scene.engine.get_softbody_positions(key(1), 2, untouched));
  EXPECT_FALSE(scene.engine.get_softbody_positions(key(1), -1, untouched));
  EXPECT_FALSE(scene.engine.get_softbody_positions(key(2), 0, untouched));
  ASSERT_EQ(untouched.size(), 1u);
  EXPECT_EQ(untouched[0], btVector3(7.0f, 7.0f, 7.0f));
}

// What the record asks for, and what Bullet's body then has. Each case edits a default record.
struct switch_case {
  const char* what;
  void (*edit)(softbody_datas&);
  int collisions;  // Bullet's collision flags
  bool clusters;
  int materials;
  bool bending;  // links beyond the mesh edges
  bool pose_volume, pose_frame;
};

TEST(bullet_world, clusters_bending_and_pose_switch_on_exactly_when_the_record_says) {
  using fc = btSoftBody::fCollision;
  const int plain = fc::SDF_RS | fc::VF_SS, clustered = fc::CL_RS | fc::CL_SS;
  const switch_case cases[] = {
      {"defaults", [](softbody_datas&) {}, plain, false, 1, false, false, false},
      {"clusters without a count",
       [](softbody_datas& d) {
         d.use_clusters = true;
         d.cluster_count = 0;
       },
       plain, false, 1, false, false, false},
      {"a count without clusters", [](softbody_datas& d) { d.cluster_count = 5; }, plain, false, 1, false, false,
       false},
      {"clusters",
       [](softbody_datas& d) {
         d.use_clusters = true;
         d.cluster_count = 5;
       },
       clustered, true, 1, false, false, false},
      {"bending distance 2", [](softbody_datas& d) { d.bending_distance = 2; }, plain, false, 2, true, false, false},
      {"pressure", [](softbody_datas& d) { d.kPR = 0.5f; }, plain, false, 1, false, true, false},
      {"volume", [](softbody_datas& d) { d.kVC = 0.5f; }, plain, false, 1, false, true, false},
      {"pose matching", [](softbody_datas& d) { d.kMT = 0.2f; }, plain, false, 1, false, false, true},
      {"all three",
       [](softbody_datas& d) {
         d.kMT = 0.2f;
         d.kPR = 0.1f;
         d.kVC = 0.1f;
       },
       plain, false, 1, false, true, true},
      {"two separate pieces",
       [](softbody_datas& d) {
         const int base = int(d.vertices.size() / 3);
         d.vertices.insert(d.vertices.end(), {5.0f, 1.0f, 0.0f, 6.0f, 1.0f, 0.0f, 5.0f, 1.0f, 1.0f});
         d.triangles.insert(d.triangles.end(), {base, base + 1, base + 2});
       },
       fc::SDF_RS, false, 1, false, false, false},
  };
  for (const switch_case& c : cases) {
    engine_scene scene(soft_world(), true);
    softbody_datas d = cloth(4, 1.0f, btVector3(0.0f, 1.0f, 0.0f));
    c.edit(d);
    const int mesh_links = [d]() mutable {  // the same mesh without bending constraints
      engine_scene plain_scene(soft_world(), true);
      d.bending_distance = 1;
      EXPECT_TRUE(plain_scene.engine.addSoftBody(d, key(1)));
      return bullet_soft(plain_scene, key(1))->m_links.size();
    }();
    ASSERT_TRUE(scene.engine.addSoftBody(d, key(1))) << c.what;
    const btSoftBody* body = bullet_soft(scene, key(1));
    EXPECT_EQ(body->m_cfg.collisions, c.collisions) << c.what;
    EXPECT_EQ(body->m_clusters.size() > 0, c.clusters) << c.what;
    EXPECT_EQ(body->m_materials.size(), c.materials) << c.what;
    EXPECT_EQ(body->m_links.size() > mesh_links, c.bending) << c.what;
    EXPECT_EQ(body->m_pose.m_bvolume, c.pose_volume) << c.what;
    EXPECT_EQ(body->m_pose.m_bframe, c.pose_frame) << c.what;
  }
}

TEST(bullet_world, record_settings_reach_the_soft_body) {
  engine_scene scene(soft_world(), true);
  softbody_datas d = cloth(4, 1.0f, btVector3(0.0f, 1.0f, 0.0f));
  d.wind_velocity = btVector3(0.0f, 0.0f, 0.5f);
  d.margin = 0.02f;
  d.kDF = 0.7f;
  d.piterations = 12;
  d.mass = 3.0f;
  ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
  btSoftBody* body = bullet_soft(scene, key(1));
  EXPECT_EQ(body->getWindVelocity(), btVector3(0.0f, 0.0f, 0.5f));
  EXPECT_FLOAT_EQ(body->getCollisionShape()->getMargin(), 0.02f);
  EXPECT_FLOAT_EQ(body->m_cfg.kDF, 0.7f);
  EXPECT_FLOAT_EQ(body->m_cfg.kKHR, 1.0f);
  EXPECT_EQ(body->m_cfg.piterations, 12);
  EXPECT_NEAR(body->getTotalMass(), 3.0f, 1e-4f);
}

// Position iterations: the record's count, but never below the engine's floor (a cloth of the
// record's default four stretches to several times its threads' length by its pins).
TEST(bullet_world, position_iterations_are_the_records_or_the_engines_floor) {
  const int floor = softbody_solver::min_position_iterations;
  const int rows[][2] = {{0, floor}, {4, floor}, {floor, floor}, {floor + 5, floor + 5}};
  for (const auto& row : rows) {
    engine_scene scene(soft_world(), true);
    softbody_datas d = cloth(4, 1.0f, btVector3(0.0f, 1.0f, 0.0f));
    d.piterations = row[0];
    ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
    EXPECT_EQ(bullet_soft(scene, key(1))->m_cfg.piterations, row[1]) << "record " << row[0];
  }
}

// A pinned node stays pinned: pins come after the total mass is spread over the nodes.
TEST(bullet_world, pinned_nodes_keep_zero_mass_whatever_the_total_mass) {
  engine_scene scene(soft_world(), true);
  softbody_datas d = cloth(4, 1.0f, btVector3(0.0f, 1.0f, 0.0f));
  d.mass = 2.0f;
  d.anchors.push_back({nullptr, {0, 3, 15}});
  ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
  btSoftBody* body = bullet_soft(scene, key(1));
  for (int node : {0, 3, 15}) EXPECT_EQ(body->getMass(node), 0.0f) << node;
  EXPECT_GT(body->getMass(5), 0.0f);
}

// Meshes that are not one edge-connected piece hang Bullet 3.24's first step when vertex-face
// soft-soft collision is on. Each case must step within a few seconds.
TEST(bullet_world, soft_bodies_in_several_pieces_step_without_hanging) {
  struct piece_case {
    const char* what;
    std::vector<float> vertices;
    std::vector<std::int32_t> triangles;
  };
  const piece_case cases[] = {
      {"two triangles apart", {0, 1, 0, 1, 1, 0, 0, 1, 1, 3, 1, 0, 4, 1, 0, 3, 1, 1}, {0, 1, 2, 3, 4, 5}},
      {"a node no triangle uses", {0, 1, 0, 1, 1, 0, 9, 9, 9, 0, 1, 1}, {0, 1, 3}},
      {"two triangles sharing one corner", {0, 1, 0, 1, 1, 0, 0, 1, 1, 2, 1, 0, 1, 1, -1}, {0, 1, 2, 1, 3, 4}},
  };
  for (const piece_case& c : cases) {
    engine_scene scene(soft_world(), true);
    softbody_datas d;
    d.vertices = c.vertices;
    d.triangles = c.triangles;
    ASSERT_TRUE(scene.engine.addSoftBody(d, key(1))) << c.what;
    auto stepped = std::async(std::launch::async, [&scene] { scene.play(0.5f); });
    if (stepped.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      std::fprintf(stderr, "FAILED: stepping a soft body (%s) did not finish\n", c.what);
      std::_Exit(1);  // the stepping thread cannot be stopped
    }
    stepped.get();
    EXPECT_LT(nodes_of(scene, key(1))[0].y(), 1.0f) << c.what << ": it fell";
  }
}

// A cloth in one piece gets vertex-face collision, whose face tree Bullet would build on the
// first step by testing every pair of faces (about five minutes for this one). 250 x 250 nodes
// (62 500, 124 002 faces) build and play; the time limit is the check.
TEST(bullet_world, a_cloth_of_62500_nodes_in_one_piece_builds_and_plays) {
  engine_scene scene(soft_world(), true);
  const int n = 250;
  softbody_datas d = cloth(n, 4.0f, btVector3(0.0f, 5.0f, 0.0f));
  d.anchors.push_back({nullptr, {0, n - 1}});
  ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
  EXPECT_NE(bullet_soft(scene, key(1))->m_cfg.collisions & btSoftBody::fCollision::VF_SS, 0);
  auto played = std::async(std::launch::async, [&scene] { scene.play(1.0f / 60.0f); });
  if (played.wait_for(std::chrono::seconds(120)) != std::future_status::ready) {
    std::fprintf(stderr, "FAILED: the first frame of a 62 500-node cloth did not finish in 120 s\n");
    std::_Exit(1);  // the stepping thread cannot be stopped
  }
  played.get();
  const std::vector<btVector3> nodes = nodes_of(scene, key(1));
  ASSERT_EQ(nodes.size(), std::size_t(n * n));
  EXPECT_EQ(nodes[0], btVector3(0.0f, 5.0f, 0.0f));                            // pinned
  EXPECT_LT(nodes[std::size_t(n * n / 2)].y(), 5.0f);                          // the rest falls
  EXPECT_GT(nodes[std::size_t(n * n / 2)].y(), 5.0f - 9.8f / 3600.0f * 2.0f);  // by about one step
}

// Bullet reads triangle indices and anchor nodes unchecked; each case would read or write
// outside the node array, or hand Bullet a NaN, and must add nothing.
TEST(bullet_world, malformed_soft_body_records_are_refused) {
  struct refused_case {
    const char* what;
    void (*edit)(softbody_datas&);
  };
  const refused_case cases[] = {
      {"kind 1", [](softbody_datas& d) { d.type = 1; }},
      {"vertices not in threes", [](softbody_datas& d) { d.vertices.pop_back(); }},
      {"triangle past the nodes", [](softbody_datas& d) { d.triangles[4] = 16; }},
      {"largest index", [](softbody_datas& d) { d.triangles[2] = std::numeric_limits<std::int32_t>::max(); }},
      {"negative triangle index", [](softbody_datas& d) { d.triangles[0] = -1; }},
      {"no vertices",
       [](softbody_datas& d) {
         d.vertices.clear();
         d.triangles.clear();
       }},
      {"anchor past the nodes",
       [](softbody_datas& d) {
         d.anchors.push_back({nullptr, {3, 16}});
       }},
      {"negative anchor node",
       [](softbody_datas& d) {
         d.anchors.push_back({nullptr, {-1}});
       }},
      {"NaN vertex", [](softbody_datas& d) { d.vertices[4] = std::numeric_limits<float>::quiet_NaN(); }},
      {"infinite mass", [](softbody_datas& d) { d.mass = std::numeric_limits<float>::infinity(); }},
      {"negative mass", [](softbody_datas& d) { d.mass = -1.0f; }},
      {"NaN wind", [](softbody_datas& d) { d.wind_velocity.setX(std::numeric_limits<float>::quiet_NaN()); }},
      {"NaN margin", [](softbody_datas& d) { d.margin = std::numeric_limits<float>::quiet_NaN(); }},
  };
  for (const refused_case& c : cases) {
    engine_scene scene(soft_world(), true);
    softbody_datas d = cloth(4, 1.0f, btVector3(0.0f, 1.0f, 0.0f));
    c.edit(d);
    EXPECT_FALSE(scene.engine.addSoftBody(d, key(1))) << c.what;
    EXPECT_EQ(scene.object_count(), 1) << c.what;
    std::vector<btVector3> nodes;
    EXPECT_FALSE(scene.engine.get_softbody_positions(key(1), 0, nodes)) << c.what;
  }
}

TEST(bullet_world, a_world_without_soft_bodies_refuses_them) {
  engine_scene scene(soft_world(), false);
  softbody_datas d = cloth(3, 1.0f, btVector3(0.0f, 1.0f, 0.0f));
  EXPECT_FALSE(scene.engine.addSoftBody(d, key(1)));
}

// Soft bodies filter collisions the way rigid bodies do: a cloth that excludes group 0 falls
// through the ground.
TEST(bullet_world, a_cloth_whose_mask_excludes_the_ground_falls_through_it) {
  engine_scene scene(soft_world(), true);
  softbody_datas d = cloth(4, 1.0f, btVector3(0.0f, 0.5f, 0.0f));
  d.mask = 1u;
  ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
  scene.play(1.5f);
  EXPECT_LT(nodes_of(scene, key(1))[5].y(), -2.0f);
}
