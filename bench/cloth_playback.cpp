// Cost of the whole host -> plug-in path of cloth playback over Bullet itself: a 64 x 64 cloth
// pinned at two corners, with a projection mesh four times finer (253 x 253) bound to it.
//   plug-in path: a headless-host scene with the plug-in loaded from its shared library; each
//     frame the player sets the position and reports sequence_changed; the plug-in steps the
//     soft world and writes every node into the cloth mesh, then moves every bound vertex of
//     the projection mesh.
//   raw path: the same soft body built with Bullet directly (same collision configuration,
//     broadphase, solver, world class, ground, soft body settings, the engine's cloth solver
//     with its sub-steps and position iteration floor, and sub-stepping); each frame the world is
//     stepped and every node position is read.
// Both run in this process, frame by frame in alternating order. Prints the wall and CPU times
// per frame (the CPU time is this thread's; a world with soft bodies steps on one thread, so it
// is all of either path's work, and it leaves out what the machine gave to other work), the
// ratio of the CPU times, and, as its last line, `ratio X` (plug-in path / raw path, wall time).
//
//   build/bin/cloth_playback [--frames F]      (default 300 frames of 1/60 s at cycle 60)
#include <BulletCollision/BroadphaseCollision/btAxisSweep3.h>
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolver.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <BulletSoftBody/btSoftBodyHelpers.h>
#include <BulletSoftBody/btSoftBodyRigidBodyCollisionConfiguration.h>
#include <BulletSoftBody/btSoftRigidDynamicsWorld.h>
#include <LinearMath/btDefaultMotionState.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/uuid_table.hpp"
#include "bench/frame_timing.hpp"
#include "engine/contact_settings.hpp"
#include "engine/impact_world.hpp"
#include "engine/softbody_mesh.hpp"
#include "engine/softbody_solver.hpp"
#include "host/player/player.hpp"
#include "host/plugins/plugin_host.hpp"
#include "host/scene/scene.hpp"
#include "host/ui/ui_services.hpp"
#include "properties/world_properties.hpp"
#include "softbody/softbody_properties.hpp"

namespace {

using vec3 = sx::vec<float, 3>;
constexpr float fps = 60.0f, cycle = 60.0f;
constexpr int cloth_n = 64, fine_n = 4 * (cloth_n - 1) + 1;
constexpr float cloth_size = 1260.0f, height = 1500.0f;  // mm

std::vector<vec3> grid_points(int n, float lift) {
  std::vector<vec3> out;
  for (int k = 0; k < n; ++k)
    for (int i = 0; i < n; ++i)
      out.push_back({cloth_size * i / (n - 1) - cloth_size / 2, height + lift, cloth_size * k / (n - 1)});
  return out;
}

std::vector<std::vector<int>> grid_faces(int n) {
  std::vector<std::vector<int>> faces;
  for (int k = 0; k + 1 < n; ++k)
    for (int i = 0; i + 1 < n; ++i) faces.push_back({k * n + i, k * n + i + 1, (k + 1) * n + i + 1, (k + 1) * n + i});
  return faces;
}

class plugin_path {
 public:
  plugin_path() : scene_(host::scene::create(&services_)), plugins_(*scene_), player_(plugins_) {
    host::part_shape& world = scene_->add_part(scene_->root(), "Bullet World");
    world_properties settings;
    settings.shape = &world.sdk();
    settings.simulation_cycle = cycle;
    if (!settings.regist()) fail("the world stream was not written");
    host::polygon_mesh_shape& cloth = scene_->add_polygon_mesh(world, "Cloth");
    cloth.set_vertices(grid_points(cloth_n, 0));
    cloth.set_faces(grid_faces(cloth_n));
    host::polygon_mesh_shape& fine = scene_->add_polygon_mesh(world, "Fine");
    fine.set_vertices(grid_points(fine_n, 2.0f));
    fine.set_faces(grid_faces(fine_n));
    softbody_properties p;
    p.shape = &cloth.sdk();
    softbody_datas record;
    if (!p.convert_mesh(*scene_, record, {0, cloth_n - 1}, nullptr)) fail("the cloth was not converted");
    p.datas.push_back(record);
    if (!p.regist()) fail("the cloth stream was not written");
    scene_->begin_mesh_edit(fine, sxsdk::selection_mode::vertices);
    std::vector<int> all(std::size_t(fine_n) * fine_n);
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = int(i);
    fine.select_vertices(all);
    if (!p.create_proxcy_mesh(scene_.get(), fine.sdk())) fail("the projection was not bound");
    scene_->end_mesh_edit_mode();
    scene_->animation().frame_rate = int(fps);
    if (!plugins_.load(PHYSPLUG_PLUGIN_PATH)) fail("the plug-in did not load");
    nodes_ = record.vertices;
    cloth_ = &cloth;
  }
  ~plugin_path() { player_.leave(); }
  void enter() { player_.enter(0); }
  void frame(int f) { player_.go_to(float(f)); }
  float lowest() const {
    float low = 1e30f;
    for (const vec3& p : cloth_->vertex_positions()) low = std::min(low, p.y);
    return low;
  }
  std::vector<float> nodes_;  ///< rest positions, metres (for the raw path)

 private:
  static void fail(const char* what) {
    std::fprintf(stderr, "cloth_playback: %s\n", what);
    std::exit(1);
  }
  host::ui_services services_{"en"};
  sxsdk::host_ref<host::scene> scene_;
  host::plugin_host plugins_;
  host::player player_;
  host::polygon_mesh_shape* cloth_ = nullptr;
};

class raw_path {
 public:
  explicit raw_path(const std::vector<float>& rest)
      : dispatcher_(&configuration_),
        broadphase_(btVector3(-1000, -1000, -1000), btVector3(1000, 1000, 1000), 16384, nullptr, false),
        world_(&dispatcher_, &broadphase_, &solver_, &configuration_, &soft_solver_),
        ground_(btVector3(0, 1, 0), 0) {
    configuration_.setPlaneConvexMultipointIterations();
    world_.setLatencyMotionStateInterpolation(false);
    contact_settings::configure_world(world_, 1.0f);
    const btVector3 gravity(0, -9.8f, 0);
    world_.setGravity(gravity);
    btSoftBodyWorldInfo& info = world_.getWorldInfo();
    info.m_broadphase = &broadphase_;
    info.m_dispatcher = &dispatcher_;
    info.m_sparsesdf.Initialize(2383, 256 * 1024);
    info.m_sparsesdf.Reset();
    info.air_density = 1.2f;
    info.water_density = 0;
    info.water_offset = 0;
    info.water_normal = btVector3(0, 0, 0);
    info.m_gravity = gravity;
    btRigidBody::btRigidBodyConstructionInfo ground(0, nullptr, &ground_);
    ground_body_ = new btRigidBody(ground);
    world_.addRigidBody(ground_body_, 1, -1);
    std::vector<int> triangles;
    for (const std::vector<int>& f : grid_faces(cloth_n))
      triangles.insert(triangles.end(), {f[0], f[1], f[3], f[1], f[2], f[3]});
    body_ = btSoftBodyHelpers::CreateFromTriMesh(info, rest.data(), triangles.data(), int(triangles.size() / 3), true);
    body_->getCollisionShape()->setMargin(0.04f);
    body_->m_cfg.kKHR = 1.0f;
    body_->m_cfg.collisions |= btSoftBody::fCollision::VF_SS;
    body_->setTotalMass(1.0f, true);
    body_->setMass(0, 0);
    body_->setMass(cloth_n - 1, 0);
    body_->m_cfg.viterations = 1;
    body_->m_cfg.piterations = std::max(4, softbody_solver::min_position_iterations);
    body_->m_cfg.diterations = 0;
    softbody_mesh::build_face_tree(*body_);  // as the engine does before the first step
    world_.addSoftBody(body_, 4, -1);
  }
  ~raw_path() {
    world_.removeSoftBody(body_);
    delete body_;
    world_.removeRigidBody(ground_body_);
    delete ground_body_;
    world_.getWorldInfo().m_sparsesdf.Reset();
  }
  void frame(int) {
    const float seconds = 1.0f / fps;
    world_.stepSimulation(seconds, int(10.0f * seconds * cycle), 1.0f / cycle);
    last_.resize(std::size_t(body_->m_nodes.size()));
    for (int i = 0; i < body_->m_nodes.size(); ++i) last_[std::size_t(i)] = body_->m_nodes[i].m_x;
  }
  float lowest() const {
    float low = 1e30f;
    for (const btVector3& p : last_) low = std::min(low, p.y() * 1000.0f);
    return low;
  }

 private:
  btSoftBodyRigidBodyCollisionConfiguration configuration_;
  btCollisionDispatcher dispatcher_;
  btAxisSweep3 broadphase_;
  btSequentialImpulseConstraintSolver solver_;
  softbody_solver soft_solver_;
  impact_world<btSoftRigidDynamicsWorld> world_;
  btStaticPlaneShape ground_;
  btRigidBody* ground_body_ = nullptr;
  btSoftBody* body_ = nullptr;
  std::vector<btVector3> last_;
};

}  // namespace

int main(int argc, char** argv) {
  int frames = 300;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc && std::atoi(argv[i + 1]) > 0) {
      frames = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: cloth_playback [--frames F > 0]\n");
      return 2;
    }
  }
  plugin_path plugin;
  plugin.enter();
  raw_path raw(plugin.nodes_);
  frame_time plugin_time, raw_time;
  play_alternating(plugin, raw, frames, plugin_time, raw_time);
  const double plugin_seconds = plugin_time.wall, raw_seconds = raw_time.wall;
  std::printf(
      "cloth %dx%d, projection %dx%d, %d frames: plug-in path %.3f ms/frame, raw Bullet %.3f ms/frame; "
      "lowest cloth point %.1f mm (plug-in) and %.1f mm (raw)\n",
      cloth_n, cloth_n, fine_n, fine_n, frames, 1e3 * plugin_seconds / frames, 1e3 * raw_seconds / frames,
      plugin.lowest(), raw.lowest());
  std::printf("CPU time per frame: plug-in path %.3f ms, raw Bullet %.3f ms (CPU time %.4f)\n",
              1e3 * plugin_time.cpu / frames, 1e3 * raw_time.cpu / frames, plugin_time.cpu / raw_time.cpu);
  print_ratio(plugin_seconds / raw_seconds);
  return 0;
}
