// Cost of the engine facade over Bullet itself: N boxes fall into a pile on the ground, 300
// frames of 1/30 s at cycle 60. The same scene runs through phygics_world (update plus
// get_rigidbody_transform of every body each frame) and through Bullet directly with the same
// configuration, frame by frame in alternating order, so that both see the same machine load.
// Prints the time per frame of both, and as its last line `ratio <facade/raw>` for the largest N.
//
//   build/bin/engine_step [frames]

#include "bench/box_pile.hpp"
#include "bench/raw_world.hpp"
#include "engine/phygics_world.hpp"

#include <BulletCollision/CollisionShapes/btBoxShape.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A pile the engine refuses would time nothing: stop with the reason.
void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "engine_step: the engine refused %s\n", what);
  std::exit(1);
}

constexpr float frame_seconds = 1.0f / 30.0f;
constexpr float cycle = 60.0f;
constexpr float half_extent = 0.1f;

void* key(int i) { return reinterpret_cast<void*>(std::uintptr_t(0x10000 + 16 * i)); }

class facade_scene {
 public:
  explicit facade_scene(const std::vector<btTransform>& poses) {
    world_datas world;
    require(engine_.create_world(world, false), "the world");
    collisionshape_datas shape;
    shape.shape = key(-1);
    shape.type = collisionshape_datas::box;
    shape.size[0] = shape.size[1] = shape.size[2] = half_extent;
    require(engine_.addCollisionShape(shape), "the box shape");
    for (int i = 0; i < int(poses.size()); ++i) {
      rigidbody_datas body;
      body.shape = key(i);
      body.primitive = shape.shape;
      body.transform = poses[std::size_t(i)];
      require(engine_.addRigidBody(body), "a box");
      keys_.push_back(body.shape);
    }
  }
  double frame() {
    double sum = 0.0;
    engine_.update(frame_seconds, cycle);
    btTransform t;
    for (void* k : keys_) {
      require(engine_.get_rigidbody_transform(k, t), "the pose of a box");
      sum += t.getOrigin().y();
    }
    return sum;
  }

 private:
  phygics_world engine_;
  std::vector<void*> keys_;
};

// The same world built by hand (bench/raw_world.hpp): configuration, broadphase, solver, ground
// and bodies as the engine makes them, with the engine's contact settings and world class (they
// are physics the raw side must step too, not facade overhead).
class raw_scene {
 public:
  explicit raw_scene(const std::vector<btTransform>& poses) : box_(btVector3(half_extent, half_extent, half_extent)) {
    box_.setMargin(0.04f);
    for (const btTransform& pose : poses) bodies_.push_back(world_.add(1.0f, &box_, pose, 2));
  }
  double frame() {
    double sum = 0.0;
    world_.step(frame_seconds, cycle);
    btTransform t;
    for (btRigidBody* body : bodies_) {
      body->getMotionState()->getWorldTransform(t);
      sum += t.getOrigin().y();
    }
    return sum;
  }

 private:
  btBoxShape box_;  // before the world, which deletes the bodies using it
  raw_world world_;
  std::vector<btRigidBody*> bodies_;
};

template <class Scene>
double timed_frame(Scene& scene, double& seconds) {
  const auto start = std::chrono::steady_clock::now();
  const double sum = scene.frame();
  seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return sum;
}

// Runs both scenes side by side; returns facade time / raw time.
double compare(int count, int frames) {
  const std::vector<btTransform> poses = box_pile_start_poses(count);
  facade_scene facade(poses);
  raw_scene raw(poses);
  double facade_seconds = 0.0, raw_seconds = 0.0, facade_sum = 0.0, raw_sum = 0.0;
  for (int f = 0; f < frames; ++f) {
    if (f % 2 == 0) {
      facade_sum = timed_frame(facade, facade_seconds);
      raw_sum = timed_frame(raw, raw_seconds);
    } else {
      raw_sum = timed_frame(raw, raw_seconds);
      facade_sum = timed_frame(facade, facade_seconds);
    }
  }
  std::printf("N=%d frames=%d facade %.3f ms/frame raw %.3f ms/frame (same result: %s)\n", count, frames,
              1e3 * facade_seconds / frames, 1e3 * raw_seconds / frames, facade_sum == raw_sum ? "yes" : "NO");
  return facade_seconds / raw_seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  if (frames <= 0) {
    std::fprintf(stderr, "usage: engine_step [frames > 0]\n");
    return 2;
  }
  double ratio = 0.0;
  for (int count : {1000, 4000}) ratio = compare(count, frames);
  std::printf("ratio %.4f\n", ratio);
  return 0;
}
