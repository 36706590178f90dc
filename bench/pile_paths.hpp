#pragma once
// The two paths the playback benchmarks time side by side on the same pile (bench/box_pile.hpp):
//   plugin_path: a headless-host scene with the physics plug-in loaded from its shared library
//     (dlopen, entry points, components); each frame the host's player poses the keyed paddle,
//     sets the position and reports sequence_changed; the plug-in hands the paddle's matrix to
//     the engine, steps, and writes every box back into its part's transformation.
//   raw_path: the same bodies built with Bullet directly (same shapes, margins, construction
//     info, collision configuration, broadphase, solver, contact settings, world class and
//     sub-stepping); each frame the paddle's motion state is set, the world is stepped and
//     every box's transform is read.
// A keyed kinematic paddle sweeps through the pile; frames of 1/30 s at cycle 60.
#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/box_pile.hpp"
#include "bench/frame_timing.hpp"
#include "bench/raw_world.hpp"
#include "host/player/player.hpp"
#include "host/plugins/plugin_host.hpp"
#include "host/scene/scene.hpp"
#include "host/ui/ui_services.hpp"

namespace pile_bench {

constexpr float fps = 30.0f;
constexpr float cycle = 60.0f;
constexpr float half = 0.1f;                                             // box half extent, m
const btVector3 paddle_half(0.1f, 0.3f, 3.5f);                           // m
constexpr float paddle_y = 0.3f, paddle_from = -4.0f, paddle_to = 4.0f;  // m

const sx::uuid_class world_uuid("AFC29716-3C03-418A-9C7F-7541631DB70C");
const sx::uuid_class primitive_uuid("042BC3E0-CEB3-4DD4-90EB-83E782D795E0");
const sx::uuid_class modify_uuid("10A768C2-6DBB-43DE-9E3C-E17217E3CA47");

/// The command line `[--frames F] [BOXES ...]`: `frames` keeps its value unless given, `sizes`
/// gets the box counts (none given: 250 1000 4000 16000). False when a number is not above 0.
inline bool read_sizes(int argc, char** argv, int& frames, std::vector<int>& sizes) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
      frames = std::atoi(argv[++i]);
    else
      sizes.push_back(std::atoi(argv[i]));
  }
  if (sizes.empty()) sizes = {250, 1000, 4000, 16000};
  if (frames <= 0) return false;
  for (int n : sizes)
    if (n <= 0) return false;
  return true;
}

inline float paddle_x(float frame, int frames) {
  return paddle_from + (paddle_to - paddle_from) * frame / float(frames);
}

// --- the plug-in's streams, little-endian, as the scene files store them ---
struct bytes {
  std::vector<std::uint8_t> b;
  bytes& i32(std::int32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(std::uint8_t(std::uint32_t(v) >> (8 * k)));
    return *this;
  }
  bytes& f32(float f) {
    std::int32_t v;
    std::memcpy(&v, &f, 4);
    return i32(v);
  }
  bytes& v3(const btVector3& v) { return f32(v.x()).f32(v.y()).f32(v.z()); }
};

inline std::vector<std::uint8_t> world_stream() {
  bytes s;
  s.i32(0).i32(1).f32(9.8f).f32(0).f32(1.2f).f32(cycle);
  s.v3(btVector3(-1000, -1000, -1000)).v3(btVector3(1000, 1000, 1000)).i32(131072).f32(1);
  return s.b;
}

inline std::vector<std::uint8_t> rigid_stream(int type, float mass, const btTransform& t) {
  bytes s;
  s.i32(1).i32(type);
  s.b.push_back(1);  // group index
  s.i32(0).f32(mass).f32(0.5f).f32(0).f32(0).f32(0).v3(btVector3(0, 0, 0));
  for (int r = 0; r < 3; ++r) s.v3(t.getBasis()[r]);
  s.v3(t.getOrigin());
  return s.b;
}

// A host matrix (row vectors, mm) of a Bullet transform (column vectors, m).
inline sxsdk::mat4 host_matrix(const btTransform& t) {
  sxsdk::mat4 m;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) m[r][c] = t.getBasis()[c][r];
  for (int c = 0; c < 3; ++c) m[3][c] = t.getOrigin()[c] * 1000.0f;
  return m;
}

// A rigid body part with its box primitive (a closed, swept line, as the plug-in builds it).
inline host::part_shape& add_body(host::scene& s, host::shape_node& world, int type, const btVector3& h,
                                  const btTransform& pose, float mass) {
  host::part_shape& part = s.add_part(world, "Box");
  part.set_transformation(host_matrix(pose));
  part.put_stream(modify_uuid, "1:RigidBody", rigid_stream(type, mass, pose));
  const float x = h.x() * 1000, y = h.y() * 1000, z = h.z() * 1000;
  host::line_shape& line = s.add_line(part, "Box", {{-x, -y, -z}, {-x, -y, z}, {x, -y, z}, {x, -y, -z}}, true);
  line.set_sweep({0, 2 * y, 0});
  bytes p;
  p.i32(0).f32(0.04f).i32(0);
  line.put_stream(primitive_uuid, "Primitive", p.b);
  return part;
}

class plugin_path {
 public:
  /// Builds the scene and loads the plug-in; enter() builds the worlds. `threads` is handed to
  /// the plug-in the way physplug-host play --threads does (0: the plug-in's default).
  plugin_path(const std::vector<btTransform>& poses, int frames, int threads = 0)
      : scene_(host::scene::create(&services_)), plugins_(*scene_), player_(plugins_) {
    host::part_shape& world = scene_->add_part(scene_->root(), "Bullet World");
    world.put_stream(world_uuid, "Active:Bullet World", world_stream());
    for (const btTransform& pose : poses)
      boxes_.push_back(&add_body(*scene_, world, 0, btVector3(half, half, half), pose, 1));
    const btTransform paddle(btQuaternion::getIdentity(), btVector3(paddle_x(0, frames), paddle_y, 0));
    host::part_shape& p = add_body(*scene_, world, 1, paddle_half, paddle, 0);
    for (float f : {0.0f, float(frames)}) {
      host::part_key key;
      key.frame = f;
      key.translation = {paddle_x(f, frames) * 1000, paddle_y * 1000, 0};
      scene_->keys().set_part_key(p, key);
    }
    paddle_track_ = track_of(p, frames);
    if (threads > 0) setenv("PHYSPLUG_THREADS", std::to_string(threads).c_str(), 1);
    const bool loaded = plugins_.load(PHYSPLUG_PLUGIN_PATH);
    unsetenv("PHYSPLUG_THREADS");
    if (!loaded) {
      for (const auto& l : scene_->messages().lines()) std::fprintf(stderr, "%s\n", l.text.c_str());
      std::exit(1);
    }
  }
  ~plugin_path() {
    if (entered_) player_.leave();
  }
  /// Enters sequence mode at frame 0 (the plug-in builds its worlds); returns the seconds taken.
  double enter() {
    const auto start = std::chrono::steady_clock::now();
    player_.enter(0);
    entered_ = true;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  void frame(int f) { player_.go_to(float(f)); }
  double mean_height() const {
    double sum = 0;
    for (const host::part_shape* b : boxes_) sum += b->local_to_world()[3][1] * 0.001;
    return sum / double(boxes_.size());
  }
  /// Every box's world position in metres, in the order of the poses.
  std::vector<btVector3> positions() const {
    std::vector<btVector3> out;
    for (const host::part_shape* b : boxes_) {
      const sxsdk::mat4 m = b->local_to_world();
      out.emplace_back(m[3][0] * 0.001f, m[3][1] * 0.001f, m[3][2] * 0.001f);
    }
    return out;
  }
  std::size_t messages() { return scene_->messages().lines().size(); }
  /// Where the plug-in will put the paddle at each frame (as it converts the host's matrix),
  /// so that the raw path moves it exactly alike and both simulations stay the same.
  const std::vector<btTransform>& paddle_track() const { return paddle_track_; }

 private:
  std::vector<btTransform> track_of(host::part_shape& paddle, int frames) {
    std::vector<btTransform> track;
    for (int f = 0; f <= frames; ++f) {
      scene_->keys().apply(float(f));
      const sxsdk::mat4 m = paddle.local_to_world();
      const btMatrix3x3 basis(m[0][0], m[1][0], m[2][0], m[0][1], m[1][1], m[2][1], m[0][2], m[1][2], m[2][2]);
      track.emplace_back(basis, btVector3(m[3][0] * 0.001f, m[3][1] * 0.001f, m[3][2] * 0.001f));
    }
    scene_->keys().apply(0);
    return track;
  }

  host::ui_services services_;
  sxsdk::host_ref<host::scene> scene_;
  host::plugin_host plugins_;
  host::player player_;
  std::vector<host::part_shape*> boxes_;
  std::vector<btTransform> paddle_track_;
  bool entered_ = false;
};

// The pile's world built by hand.
class raw_path {
 public:
  raw_path(const std::vector<btTransform>& poses, const std::vector<btTransform>& paddle_track)
      : track_(paddle_track), box_(btVector3(half, half, half)), paddle_shape_(paddle_half) {
    box_.setMargin(0.04f);
    paddle_shape_.setMargin(0.04f);
    paddle_ = world_.add(0, &paddle_shape_, track_[0], 2, true);
    for (const btTransform& pose : poses) bodies_.push_back(world_.add(1, &box_, pose, 2));
  }
  void frame(int f) {
    paddle_->getMotionState()->setWorldTransform(track_[std::size_t(f)]);
    world_.step(1.0f / fps, cycle);
    world_.read(bodies_);
  }
  /// Every box's world position in metres, in the order of the poses.
  std::vector<btVector3> positions() const {
    std::vector<btVector3> out;
    btTransform t;
    for (btRigidBody* body : bodies_) {
      body->getMotionState()->getWorldTransform(t);
      out.push_back(t.getOrigin());
    }
    return out;
  }
  double mean_height() const {
    double sum = 0;
    btTransform t;
    for (btRigidBody* body : bodies_) {
      body->getMotionState()->getWorldTransform(t);
      sum += t.getOrigin().y();
    }
    return sum / double(bodies_.size());
  }

 private:
  std::vector<btTransform> track_;
  btBoxShape box_, paddle_shape_;  // before the world, which deletes the bodies using them
  raw_world world_;
  btRigidBody* paddle_ = nullptr;
  std::vector<btRigidBody*> bodies_;
};

}  // namespace pile_bench
