// Cost of the engine facade over Bullet itself: N boxes fall into a pile on the ground, 300
// frames of 1/30 s at cycle 60. The same scene runs through phygics_world (update plus
// get_rigidbody_transform of every body each frame) and through Bullet directly with the same
// configuration, frame by frame in alternating order, so that both see the same machine load.
// Prints the time per frame of both, and as its last line `ratio <facade/raw>` for the largest N.
//
//   build/bin/engine_step [frames]

#include "bench/box_pile.hpp"
#include "engine/contact_settings.hpp"
#include "engine/impact_world.hpp"
#include "engine/phygics_world.hpp"

#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionDispatch/btDefaultCollisionConfiguration.h>
#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolver.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <LinearMath/btDefaultMotionState.h>

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

// The same world built by hand: configuration, broadphase, solver, ground and bodies as the
// engine makes them, with the engine's contact settings and world class (they are physics the
// raw side must step too, not facade overhead).
class raw_scene {
 public:
  explicit raw_scene(const std::vector<btTransform>& poses)
      : configuration_(btDefaultCollisionConstructionInfo()),
        dispatcher_(&configuration_),
        broadphase_(nullptr),
        world_(&dispatcher_, &broadphase_, &solver_, &configuration_),
        box_(btVector3(half_extent, half_extent, half_extent)),
        ground_(btVector3(0.0f, 1.0f, 0.0f), 0.0f) {
    configuration_.setPlaneConvexMultipointIterations();
    world_.setLatencyMotionStateInterpolation(false);
    contact_settings::configure_world(world_, 1.0f);
    world_.setGravity(btVector3(0.0f, -9.8f, 0.0f));
    box_.setMargin(0.04f);
    add(0.0f, &ground_, btTransform::getIdentity(), 1, -1);
    for (const btTransform& pose : poses) bodies_.push_back(add(1.0f, &box_, pose, 2, -1));
  }
  ~raw_scene() {
    for (int i = world_.getNumCollisionObjects() - 1; i >= 0; --i) {
      btRigidBody* body = btRigidBody::upcast(world_.getCollisionObjectArray()[i]);
      delete body->getMotionState();
      world_.removeRigidBody(body);
      delete body;
    }
  }
  double frame() {
    double sum = 0.0;
    world_.stepSimulation(frame_seconds, int(10.0f * frame_seconds * cycle), 1.0f / cycle);
    btTransform t;
    for (btRigidBody* body : bodies_) {
      body->getMotionState()->getWorldTransform(t);
      sum += t.getOrigin().y();
    }
    return sum;
  }

 private:
  btRigidBody* add(float mass, btCollisionShape* shape, const btTransform& pose, int group, int mask) {
    btVector3 inertia(0.0f, 0.0f, 0.0f);
    if (mass != 0.0f) shape->calculateLocalInertia(mass, inertia);
    btRigidBody::btRigidBodyConstructionInfo info(mass, new btDefaultMotionState(pose), shape, inertia);
    info.m_friction = 0.5f;
    auto* body = new btRigidBody(info);
    if (mass != 0.0f) {
      body->activate(true);
      contact_settings::configure_body(*body, 1.0f);
    }
    world_.addRigidBody(body, group, mask);
    return body;
  }

  btDefaultCollisionConfiguration configuration_;
  btCollisionDispatcher dispatcher_;
  btDbvtBroadphase broadphase_;
  btSequentialImpulseConstraintSolver solver_;
  impact_world<btDiscreteDynamicsWorld> world_;
  btBoxShape box_;
  btStaticPlaneShape ground_;
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
