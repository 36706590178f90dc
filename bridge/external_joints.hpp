#pragma once
// The other plug-ins of the host whose joints can pose shapes of the scene (aim constraints,
// follow joint, IK, multilead joint, surrogate dad joint). A survey of the scene finds which of
// them are in use; every simulation step tells those first, so that their joints, and the
// kinematic bodies hanging from them, are posed before the physics runs.
#include "sdk/host_ref.hpp"
#include "sdk/plugin_interface.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
class part_class;
}  // namespace sxsdk

class external_joints {
 public:
  /// Releases every interface held.
  void reset();
  /// Depth-first survey from `shape`: looks up (once each) the interface of every other
  /// plug-in whose joints appear at or below it. Absent plug-ins stay null.
  void check_ex_joint(sxsdk::scene_interface& scene, sxsdk::shape_class& shape);
  /// Calls current_joint_value_changed on every interface held, in the order aim constraints,
  /// follow joint, IK, multilead joint, surrogate dad joint. A plug-in that throws is reported
  /// in the message window and the others are still told.
  void notify(bool& flag, sxsdk::scene_interface& scene, int count, sxsdk::part_class* const* parts);

  /// Number of interfaces held (0 to 5).
  int count() const;

 private:
  enum slot { aim, follow, ik, multilead, surrogate, slots };
  void take(sxsdk::scene_interface& scene, slot which);
  slot which_plugin(sxsdk::scene_interface& scene, sxsdk::shape_class& shape) const;

  sxsdk::host_ref<sxsdk::plugin_interface> interfaces_[slots];
};
