#pragma once
// host::setup_check: reads a scene, as the plug-in will read it, and lists every problem of its
// physics set-up without playing it: bodies the plug-in refuses or cannot move, joints and soft
// bodies that hang on nothing, settings the plug-in repairs on its own, streams it cannot read.
// The rules live in one file per group (setup_check_*.cpp); each finding names the shape.
#include <string>
#include <unordered_map>
#include <vector>

#include "host/cli/host_text.hpp"
#include "host/cli/scene_roles.hpp"
#include "host/cli/setup_finding.hpp"

namespace host {

class host_texts;
class scene;

class setup_check {
 public:
  /// Every problem found in `s`, the scene's own first, then shape by shape in scene order.
  /// Reads the scene only.
  static std::vector<setup_finding> run(scene& s, const host_texts& texts);

 private:
  setup_check(scene& s, const host_texts& texts);

  // One group of rules each, in the file named after it.
  void check_scene_settings();  // setup_check_scene.cpp: frame rate, scaled parts
  void check_scaled_parts(const shape_node& part, const shape_node& world);
  void check_streams();            // setup_check_streams.cpp: streams that cannot be read
  void check_bodies();             // setup_check_bodies.cpp: rigid bodies and their primitives
  void check_start_overlap();      //   (the same file) bodies that start inside each other
  void check_unused_primitives();  // (the same file) primitives no body collides with
  void check_joints();             // setup_check_joints.cpp: constraint joints and their bodies
  void check_soft_bodies();        // setup_check_soft_bodies.cpp: soft bodies and their anchors

  /// Adds a finding on `shape` (null: the scene).
  void add(const shape_node* shape, const char* code, std::string problem, std::string fix);
  /// The "not in a world" finding for a shape of `role` that no active world holds; false when
  /// one does.
  bool check_in_world(const shape_node& shape, host_text role);
  /// The active world part `shape` is simulated in, or null.
  const shape_node* world_of(const shape_node& shape) const;
  /// True when `shape` is a rigid body the plug-in registers in `world`.
  bool is_body_of(const shape_node* shape, const shape_node* world) const;

  scene& scene_;
  const host_texts& texts_;
  std::unordered_map<const shape_node*, world_place> places_;
  std::vector<simulated_body> bodies_;  ///< every rigid body the plug-in registers
  std::vector<setup_finding> findings_;
};

}  // namespace host
