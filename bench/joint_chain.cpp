// Cost of the whole host -> plug-in path of playback for chains of constraint joints, over
// Bullet itself: a chain of 200 links, then 50 chains of 20, each hanging from a static anchor,
// laid out horizontally so that they swing down. The plug-in path is a headless-host scene with
// the plug-in loaded from its shared library: every frame it steps and turns each joint of the
// scene so that the link hanging from it follows. The raw path builds the same bodies and the
// same 6Dof joints (X and Y turns held, Z free) with Bullet directly and reads every link's
// transform. Both run in this process, frame by frame in alternating order. Prints one line per
// layout and, last, `ratio X` (plug-in time over raw time, both layouts together).
//
//   build/bin/joint_chain [--frames F]      (default: 250 frames)
#include <BulletDynamics/ConstraintSolver/btGeneric6DofSpring2Constraint.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/units.hpp"
#include "bench/pile_paths.hpp"

namespace {

using namespace pile_bench;

constexpr float link_step = 0.2f;                               // m between joints
const btVector3 link_half(0.09f, 0.02f, 0.02f);                 // m
const btVector3 free_z_lower(0, 0, 1), free_z_upper(0, 0, -1);  // degrees: X, Y held, Z free

float radians(float degrees) { return float(double(degrees) * SIMD_PI / 180.0); }

struct chain_layout {
  int chains, links;
  float height;  // m, the anchors'
  btTransform anchor(int c) const { return btTransform(btQuaternion::getIdentity(), btVector3(0, height, 0.5f * c)); }
  btTransform link(int c, int k) const {
    return btTransform(btQuaternion::getIdentity(), btVector3((k + 0.5f) * link_step, height, 0.5f * c));
  }
  btVector3 pivot(int c, int k) const { return btVector3(k * link_step, height, 0.5f * c); }
};

std::vector<std::uint8_t> joint_stream() {
  bytes s;
  s.i32(2).i32(2);  // version 2, 6Dof
  for (const btVector3& v : {btVector3(0, 0, 0), btVector3(0, 0, 0), free_z_lower, free_z_upper, btVector3(0, 0, 0),
                             btVector3(0, 0, 0), btVector3(0, 0, 0), btVector3(0, 0, 0)})
    s.v3(v);
  return s.b;
}

class chain_plugin_path {
 public:
  explicit chain_plugin_path(const chain_layout& l)
      : scene_(host::scene::create(&services_)), plugins_(*scene_), player_(plugins_) {
    host::part_shape& world = scene_->add_part(scene_->root(), "Bullet World");
    world.put_stream(world_uuid, "Active:Bullet World", world_stream());
    for (int c = 0; c < l.chains; ++c) {
      host::part_shape* before = &add_body(*scene_, world, 2, btVector3(0.02f, 0.02f, 0.02f), l.anchor(c), 0);
      host::shape_node* dad = &world;
      for (int k = 0; k < l.links; ++k) {
        host::part_shape& joint = scene_->add_part(*dad, "Joint", sxsdk::part_type::ball_joint);
        const btVector3 p = l.pivot(c, k) * 1000.0f;
        joint.joint().position = {p.x(), p.y(), p.z()};
        host::part_shape& link = add_body(*scene_, joint, 0, link_half, l.link(c, k), 1);
        joint.put_stream(modify_uuid, "Constraints", joint_stream());
        joint.link_to(modify_uuid, link);     // rigid1
        joint.link_to(modify_uuid, *before);  // rigid0
        links_.push_back(&link);
        before = &link;
        dad = &joint;
      }
    }
    if (!plugins_.load(PHYSPLUG_PLUGIN_PATH)) {
      for (const auto& line : scene_->messages().lines()) std::fprintf(stderr, "%s\n", line.text.c_str());
      std::exit(1);
    }
    player_.enter(0);
    if (!scene_->messages().lines().empty()) {
      for (const auto& line : scene_->messages().lines()) std::fprintf(stderr, "%s\n", line.text.c_str());
      std::exit(1);
    }
  }
  ~chain_plugin_path() { player_.leave(); }
  void frame(int f) { player_.go_to(float(f)); }
  btVector3 position(std::size_t i) const {
    const sxsdk::mat4 m = links_[i]->local_to_world();
    return btVector3(m[3][0], m[3][1], m[3][2]) * 0.001f;
  }
  btMatrix3x3 basis(std::size_t i) const {
    const sxsdk::mat4 m = links_[i]->local_to_world();
    return btMatrix3x3(m[0][0], m[1][0], m[2][0], m[0][1], m[1][1], m[2][1], m[0][2], m[1][2], m[2][2]);
  }
  std::size_t size() const { return links_.size(); }

 private:
  host::ui_services services_;
  sxsdk::host_ref<host::scene> scene_;
  host::plugin_host plugins_;
  host::player player_;
  std::vector<host::part_shape*> links_;
};

// The same bodies and joints built by hand, as the engine builds them: the static anchors before
// the moving links; the box margin fitted to the smallest half extent (0.04 asked, 0.02 given);
// each joint's pivot taken from the scene's millimetres, as the plug-in takes the joint frame.
class chain_raw_path {
 public:
  explicit chain_raw_path(const chain_layout& l)
      : links_per_chain_(l.links), anchor_shape_(btVector3(0.02f, 0.02f, 0.02f)), link_shape_(link_half) {
    anchor_shape_.setMargin(0.02f);
    link_shape_.setMargin(0.02f);
    std::vector<btRigidBody*> anchors;
    for (int c = 0; c < l.chains; ++c) anchors.push_back(world_.add(0, &anchor_shape_, l.anchor(c), 2));
    for (int c = 0; c < l.chains; ++c) {
      btRigidBody* before = anchors[std::size_t(c)];
      for (int k = 0; k < l.links; ++k) {
        btRigidBody* link = world_.add(1, &link_shape_, l.link(c, k), 2);
        const btTransform pivot(btQuaternion::getIdentity(), l.pivot(c, k) * 1000.0f * units::metres_per_millimetre);
        auto* joint = new btGeneric6DofSpring2Constraint(*before, *link, before->getWorldTransform().inverse() * pivot,
                                                         link->getWorldTransform().inverse() * pivot, RO_XYZ);
        joint->setLinearLowerLimit(btVector3(0, 0, 0));
        joint->setLinearUpperLimit(btVector3(0, 0, 0));
        joint->setAngularLowerLimit(
            btVector3(radians(free_z_lower.x()), radians(free_z_lower.y()), radians(free_z_lower.z())));
        joint->setAngularUpperLimit(
            btVector3(radians(free_z_upper.x()), radians(free_z_upper.y()), radians(free_z_upper.z())));
        world_.add(joint, pivot.getOrigin());
        if (k == 0) pivots_.push_back(pivot.getOrigin());
        links_.push_back(link);
        before = link;
      }
    }
  }
  void frame(int) {
    world_.step(1.0f / fps, cycle);
    world_.read(links_);
  }
  btVector3 position(std::size_t i) const {
    btTransform t;
    links_[i]->getMotionState()->getWorldTransform(t);
    return t.getOrigin();
  }
  btMatrix3x3 basis(std::size_t i) const {
    btTransform t;
    links_[i]->getMotionState()->getWorldTransform(t);
    return t.getBasis();
  }
  /// Where the scene shows link i when each joint is turned to its link's orientation: the
  /// links keep their lengths, each hangs from the end of the one above (the engine's links
  /// may stand off their joints by the solver's slack; the scene's cannot).
  btVector3 shown_position(std::size_t i) const {
    const std::size_t first = i - i % std::size_t(links_per_chain_);
    btVector3 pivot = pivots_[first / std::size_t(links_per_chain_)];
    for (std::size_t k = first; k < i; ++k) pivot += basis(k) * btVector3(link_step, 0, 0);
    return pivot + basis(i) * btVector3(0.5f * link_step, 0, 0);
  }

 private:
  int links_per_chain_;
  btBoxShape anchor_shape_, link_shape_;  // before the world, which deletes the bodies using them
  raw_world world_;
  std::vector<btRigidBody*> links_;
  std::vector<btVector3> pivots_;  // each chain's first joint
};

void play(const chain_layout& layout, int frames, double& plugin_total, double& raw_total) {
  chain_plugin_path plugin(layout);
  chain_raw_path raw(layout);
  frame_time plugin_time, raw_time;
  play_alternating(plugin, raw, frames, plugin_time, raw_time);
  const double plugin_seconds = plugin_time.wall, raw_seconds = raw_time.wall;
  // Both paths step the same Bullet world. The scene shows each link turned about its joint, so
  // it agrees with the raw links in orientation (the largest difference of their axes' components,
  // about the angle between them in radians; only the write-back's rounding) and with the raw
  // chain laid out as the scene lays it; not with the raw links' own places, which stand off
  // their joints by the solver's slack.
  double turn = 0, apart = 0, slack = 0;
  for (std::size_t i = 0; i < plugin.size(); ++i) {
    const btMatrix3x3 a = plugin.basis(i), b = raw.basis(i);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) turn = std::max(turn, std::fabs(double(a[r][c]) - double(b[r][c])));
    apart = std::max(apart, double(plugin.position(i).distance(raw.shown_position(i))));
    slack = std::max(slack, double(raw.shown_position(i).distance(raw.position(i))));
  }
  std::printf(
      "%d chain(s) of %d links, frames=%d: plug-in path %.3f ms/frame, raw Bullet %.3f ms/frame, "
      "largest difference of the paths' link axes %.2e, largest distance %.2e m (raw links off the "
      "scene's layout by up to %.4f m), ratio %.4f (CPU time %.4f)\n",
      layout.chains, layout.links, frames, 1e3 * plugin_seconds / frames, 1e3 * raw_seconds / frames, turn, apart,
      slack, plugin_seconds / raw_seconds, plugin_time.cpu / raw_time.cpu);
  std::fflush(stdout);
  plugin_total += plugin_seconds;
  raw_total += raw_seconds;
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 250;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      frames = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: joint_chain [--frames F > 0]\n");
      return 2;
    }
  }
  if (frames <= 0) {
    std::fprintf(stderr, "usage: joint_chain [--frames F > 0]\n");
    return 2;
  }
  double plugin = 0, raw = 0;
  play({1, 200, 50.0f}, frames, plugin, raw);
  play({50, 20, 10.0f}, frames, plugin, raw);
  print_ratio(plugin / raw);
  return 0;
}
