// softbody_mesh: the same nodes, links and faces as Bullet's own mesh helper, in the same
// order, with memory that grows with the edges instead of the node count squared.
#include "engine/softbody_mesh.hpp"

#include "engine/engine_scene.hpp"

#include <BulletSoftBody/btSoftBody.h>
#include <BulletSoftBody/btSoftBodyHelpers.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace engine_test;

namespace {

struct mesh_case {
  const char* what;
  std::vector<float> vertices;
  std::vector<std::int32_t> triangles;
};

std::vector<int> link_nodes(const btSoftBody& b) {
  std::vector<int> out;
  for (int i = 0; i < b.m_links.size(); ++i)
    for (int k = 0; k < 2; ++k) out.push_back(int(b.m_links[i].m_n[k] - &b.m_nodes[0]));
  return out;
}

std::vector<int> face_nodes(const btSoftBody& b) {
  std::vector<int> out;
  for (int i = 0; i < b.m_faces.size(); ++i)
    for (int k = 0; k < 3; ++k) out.push_back(int(b.m_faces[i].m_n[k] - &b.m_nodes[0]));
  return out;
}

}  // namespace

TEST(softbody_mesh, makes_the_links_and_faces_of_bullets_helper_in_its_order) {
  std::vector<float> grid;
  std::vector<std::int32_t> quads;
  for (int i = 0; i < 16; ++i) grid.insert(grid.end(), {float(i % 4), 0.0f, float(i / 4)});
  for (int z = 0; z < 3; ++z)
    for (int x = 0; x < 3; ++x) {
      const int a = z * 4 + x;
      quads.insert(quads.end(), {a, a + 1, a + 5, a, a + 5, a + 4});
    }
  const mesh_case cases[] = {
      {"one triangle", {0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2}},
      {"a 4 x 4 grid", grid, quads},
      {"two pieces sharing no edge", grid, {0, 1, 4, 10, 11, 14}},
      {"an unused last vertex and a repeated triangle", grid, {2, 1, 0, 0, 1, 2, 1, 2, 5}},
      {"no triangles: one node", {5, 6, 7, 1, 1, 1}, {}},
  };
  for (const mesh_case& c : cases) {
    btSoftBodyWorldInfo info;
    const int faces = int(c.triangles.size() / 3);
    std::unique_ptr<btSoftBody> ours(softbody_mesh::create(info, c.vertices.data(), c.triangles.data(), faces));
    std::unique_ptr<btSoftBody> bullet(btSoftBodyHelpers::CreateFromTriMesh(
        info, c.vertices.data(), c.triangles.empty() ? nullptr : c.triangles.data(), faces, true));
    ASSERT_EQ(ours->m_nodes.size(), bullet->m_nodes.size()) << c.what;
    for (int n = 0; n < ours->m_nodes.size(); ++n) EXPECT_EQ(ours->m_nodes[n].m_x, bullet->m_nodes[n].m_x) << c.what;
    EXPECT_EQ(link_nodes(*ours), link_nodes(*bullet)) << c.what;
    EXPECT_EQ(face_nodes(*ours), face_nodes(*bullet)) << c.what;
  }
}

// Bullet's helper would allocate 11 025 000 000 flags for this cloth (and overflow its int
// size); ours needs a few megabytes. Separate triangles keep Bullet's soft-soft collision trees
// (whose first build costs faces squared) out of the way.
TEST(softbody_mesh, a_cloth_of_a_hundred_thousand_nodes_is_built) {
  const int triangles = 35000;
  softbody_datas d;
  for (int t = 0; t < triangles; ++t) {
    const float x = 0.01f * float(t % 300), z = 0.01f * float(t / 300);
    d.vertices.insert(d.vertices.end(), {x, 1.0f, z, x + 0.005f, 1.0f, z, x, 1.0f, z + 0.005f});
    d.triangles.insert(d.triangles.end(), {3 * t, 3 * t + 1, 3 * t + 2});
  }
  world_datas w;
  engine_scene scene(w, true);
  ASSERT_TRUE(scene.engine.addSoftBody(d, key(1)));
  const btSoftBody* body = scene.engine.engine()->find_soft_body(key(1), 0);
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->m_nodes.size(), 3 * triangles);
  EXPECT_EQ(body->m_links.size(), 3 * triangles);
  EXPECT_EQ(body->m_faces.size(), triangles);
}
