// World creation, stepping and teardown.
#include "engine/bullet_world.hpp"

#include "engine/contact_settings.hpp"
#include "engine/finite_values.hpp"
#include "engine/gl_debug_drawer.hpp"
#include "engine/impact_world.hpp"
#include "engine/joint_settings.hpp"
#include "engine/parallel_dispatcher.hpp"
#include "engine/softbody_solver.hpp"
#include "engine/step_pool.hpp"
#include "engine/threaded_world.hpp"

#include <BulletCollision/BroadphaseCollision/btAxisSweep3.h>
#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionDispatch/btDefaultCollisionConfiguration.h>
#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolver.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <BulletSoftBody/btSoftBody.h>
#include <BulletSoftBody/btSoftBodyRigidBodyCollisionConfiguration.h>
#include <BulletSoftBody/btSoftRigidDynamicsWorld.h>
#include <LinearMath/btDefaultMotionState.h>

#include <atomic>
#include <climits>

using engine_checks::finite;

namespace {

// With Bullet's default of one contact point per step against the ground plane, a box that
// lands fast sinks into the plane and tumbles on one corner for ever; several perturbed
// points per step let it come to rest on its face.
void use_multipoint_plane_contacts(btDefaultCollisionConfiguration& configuration) {
  configuration.setPlaneConvexMultipointIterations();
}

std::atomic<int> step_thread_count{1};

}  // namespace

void bullet_world::set_step_threads(int threads) {
  step_thread_count = threads >= 1 && threads <= max_step_threads ? threads : 1;
}

int bullet_world::step_threads() { return step_thread_count; }

bool bullet_world::accepts(const world_datas& datas, bool use_softbody) {
  const float scale = datas.scale_factor;
  if (!finite(scale) || !(scale > 0.0f) || !finite(datas.gravity) || !finite(datas.height) ||
      !finite(datas.air_density))
    return false;
  if (!use_softbody) return true;  // the boundary bounds only the soft world's broadphase
  const btVector3& lo = datas.boundary_min;
  const btVector3& hi = datas.boundary_max;
  return finite(lo) && finite(hi) && lo.x() < hi.x() && lo.y() < hi.y() && lo.z() < hi.z();
}

bullet_world::bullet_world(world_datas& datas, bool use_softbody)
    : drawer_(GLDebugDrawer::open(datas)), soft_info_(std::make_unique<btSoftBodyWorldInfo>()) {
  if (datas.gravity > 0.0f) datas.gravity = -datas.gravity;
  scale_ = datas.scale_factor;
  if (use_softbody)
    create_soft_world(datas);
  else
    create_discrete_world();
  if (drawer_) world_->setDebugDrawer(drawer_.get());
  // Report the state at the elapsed time: by default Bullet shows each body one internal step
  // late, while kinematic bodies are shown where they were put, so the scene would lag behind.
  world_->setLatencyMotionStateInterpolation(false);
  contact_settings::configure_world(*world_, scale_);
  // Only the bodies' lengths are scaled: gravity, the ground height and the boundary stay as
  // they are, so at scale 2 the bodies act as if twice as large (they fall half as far against
  // their size and rest at half the ground's height in the scene).
  const btVector3 gravity(0.0f, datas.gravity, 0.0f);
  world_->setGravity(gravity);
  if (soft_world_ != nullptr) {
    // The soft bodies read gravity from their world information, not from the world.
    soft_info_->m_gravity = gravity;
    soft_world_->getWorldInfo().m_gravity = gravity;
  }
  create_ground(datas.height);
}

void bullet_world::create_soft_world(const world_datas& datas) {
  auto configuration =
      std::make_unique<btSoftBodyRigidBodyCollisionConfiguration>(btDefaultCollisionConstructionInfo());
  use_multipoint_plane_contacts(*configuration);
  configuration_ = std::move(configuration);
  dispatcher_ = std::make_unique<btCollisionDispatcher>(configuration_.get());
  broadphase_ =
      std::make_unique<btAxisSweep3>(datas.boundary_min, datas.boundary_max, soft_world_capacity, nullptr, false);
  solver_ = std::make_unique<btSequentialImpulseConstraintSolver>();
  soft_solver_ = std::make_unique<softbody_solver>();
  auto world = std::make_unique<impact_world<btSoftRigidDynamicsWorld>>(
      dispatcher_.get(), broadphase_.get(), solver_.get(), configuration_.get(), soft_solver_.get());
  soft_world_ = world.get();
  world_ = std::move(world);
  btSoftBodyWorldInfo& info = *soft_info_;
  info.m_broadphase = broadphase_.get();
  info.m_dispatcher = dispatcher_.get();
  info.m_sparsesdf.Initialize(2383, 256 * 1024);
  info.m_sparsesdf.Reset();
  info.air_density = datas.air_density;
  info.water_density = 0.0f;
  info.water_offset = 0.0f;
  info.water_normal = btVector3(0.0f, 0.0f, 0.0f);
}

void bullet_world::create_discrete_world() {
  auto configuration = std::make_unique<btDefaultCollisionConfiguration>(btDefaultCollisionConstructionInfo());
  use_multipoint_plane_contacts(*configuration);
  configuration_ = std::move(configuration);
  broadphase_ = std::make_unique<btDbvtBroadphase>(nullptr);
  auto solver = std::make_unique<btSequentialImpulseConstraintSolver>();
  const int threads = step_threads();
  if (threads > 1) {
    pool_ = std::make_unique<step_pool>(threads);
    dispatcher_ = std::make_unique<parallel_dispatcher>(configuration_.get(), *pool_);
    world_ = std::make_unique<threaded_world>(dispatcher_.get(), broadphase_.get(), solver.get(), configuration_.get(),
                                              *pool_);
  } else {
    dispatcher_ = std::make_unique<btCollisionDispatcher>(configuration_.get());
    world_ = std::make_unique<impact_world<btDiscreteDynamicsWorld>>(dispatcher_.get(), broadphase_.get(), solver.get(),
                                                                     configuration_.get());
  }
  solver_ = std::move(solver);
}

void bullet_world::create_ground(float height) {
  ground_shape_ = std::make_unique<btStaticPlaneShape>(btVector3(0.0f, 1.0f, 0.0f), height);
  auto* motion = new btDefaultMotionState(btTransform::getIdentity());
  btRigidBody::btRigidBodyConstructionInfo info(0.0f, motion, ground_shape_.get(), btVector3(0.0f, 0.0f, 0.0f));
  ground_body_ = new btRigidBody(info);
  // Group 1 is the ground's; mask -1: it collides with every body that does not exclude it.
  world_->addRigidBody(ground_body_, 1, -1);
}

bullet_world::~bullet_world() {
  if (soft_world_ != nullptr) soft_info_->m_sparsesdf.Reset();
  destroy_objects();
  shapes_.clear();
  shape_pool_.clear();
  ground_shape_.reset();
  world_.reset();
  soft_world_ = nullptr;
  soft_solver_.reset();
  solver_.reset();
  broadphase_.reset();
  dispatcher_.reset();
  configuration_.reset();
  pool_.reset();
}

void bullet_world::destroy_objects() {
  for (int i = world_->getNumConstraints() - 1; i >= 0; --i) {
    btTypedConstraint* constraint = world_->getConstraint(i);
    world_->removeConstraint(constraint);
    delete constraint;
  }
  btCollisionObjectArray& objects = world_->getCollisionObjectArray();
  for (int i = objects.size() - 1; i >= 0; --i) {
    btCollisionObject* object = objects[i];
    btRigidBody* body = btRigidBody::upcast(object);
    if (body != nullptr && body->getMotionState() != nullptr) delete body->getMotionState();
    world_->removeCollisionObject(object);
    delete object;
  }
  softbodies_.clear();
  bodies_.clear();
  ground_body_ = nullptr;
}

void bullet_world::update(float seconds, float cycle) {
  // A zero, negative or non-finite time or cycle has no meaningful step (1/cycle would divide
  // by zero): step nothing rather than hand Bullet a NaN.
  if (!finite(seconds) || !finite(cycle) || !(seconds > 0.0f) || !(cycle > 0.0f)) return;
  // Joints are held by a velocity solver, one step at a time: see joint_settings for what the
  // shorter steps buy. A world without joints takes exactly its cycle's steps.
  const int cut = holds_joints_ ? joint_settings::steps_per_cycle(cycle) : 1;
  const float steps_per_second = cycle * float(cut);
  const float fixed_step = 1.0f / steps_per_second;
  if (!finite(fixed_step) || !(fixed_step > 0.0f)) return;
  const float allowed = 10.0f * seconds * steps_per_second;
  const int max_sub_steps = allowed >= float(INT_MAX) ? INT_MAX : static_cast<int>(allowed);
  world_->stepSimulation(seconds, max_sub_steps, fixed_step);
  debug_draw();
}

void bullet_world::debug_draw() {
  if (!drawer_) return;
  world_->debugDrawWorld();  // the soft world's own override adds its soft bodies
  drawer_->draw_frame();
}

// The axis sweep hands out its last handle again, the sentinel at index 0, once it runs out,
// and silently breaks its sorted lists; so a full soft world takes no more objects.
bool bullet_world::has_room() const {
  return soft_world_ == nullptr || world_->getNumCollisionObjects() < soft_world_capacity;
}

btTransform bullet_world::scaled(const btTransform& t) const {
  return btTransform(t.getBasis(), t.getOrigin() * scale_);
}
