#include "joints/joint_set.hpp"

#include <string>

#include "base/matrix_conversion.hpp"
#include "base/texts.hpp"
#include "engine/phygics_world.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"

namespace {

std::string name_of(sxsdk::shape_class* shape) {
  try {
    return shape ? shape->get_name() : std::string();
  } catch (...) {
    return std::string();
  }
}

bool known(phygics_world& engine, void* key) {
  btTransform ignored;
  return key && engine.get_rigidbody_transform(key, ignored);
}

// Why the joint cannot go to the engine, or "" when it can.
std::string refusal(const constraints_properties& j, bool readable, phygics_world& engine) {
  if (!readable) return "its settings cannot be read (a stream cut short or a number that is not finite)";
  if (!j.rigid1) return "it has no second body (Rigid1)";
  if (j.rigid0 == j.rigid1) return "both its bodies are \"" + name_of(j.body1()) + "\"";
  if (!known(engine, j.rigid1)) return "its body \"" + name_of(j.body1()) + "\" is no rigid body of this world";
  if (j.rigid0 && !known(engine, j.rigid0))
    return "its body \"" + name_of(j.body0()) + "\" is no rigid body of this world";
  if (j.type < constraints_datas::six_dof || j.type > constraints_datas::cone_twist)
    return "its type " + std::to_string(j.type) + " is none of 6Dof, 6DofSpring, ConeTwist";
  return "";
}

}  // namespace

bool joint_set::regist(sxsdk::shape_class& shape) {
  if (!is_bullet_constraints_joint(shape)) return false;
  constraints_properties joint;
  joint.shape = &shape;
  const bool read = joint.get_properties();
  if (read) (void)joint.set_transrate_data_and_motion();
  joints_.push_back(joint);
  readable_.push_back(read);
  return true;
}

bool joint_set::add_to_engine(phygics_world& engine, sxsdk::scene_interface* scene) {
  for (std::size_t k = 0; k < joints_.size(); ++k) {
    constraints_properties& joint = joints_[k];
    std::string why = refusal(joint, readable_[k], engine);
    if (why.empty()) {
      (void)joint.calculate_base_mat();
      if (engine.addJoint(joint)) continue;
      why = "the engine refused it";
    }
    if (scene) texts::show_error(*scene, ("physplug: joint \"" + name_of(joint.joint()) + "\": " + why).c_str());
    return false;
  }
  return true;
}

void joint_set::write_back(phygics_world& engine, sxsdk::scene_interface* scene) {
  for (constraints_properties& joint : joints_) {
    if (!joint.rigid1) {
      if (scene) scene->show_error("Can't get rigidbody");
      continue;
    }
    btTransform pose;
    if (!engine.get_rigidbody_transform(joint.rigid1, pose)) {
      if (scene) scene->show_error(texts::format("Can't get rigidbody(%s) transform", name_of(joint.body1())).c_str());
      continue;
    }
    (void)joint.rotate_constraints_joint(conversion::engine_to_host(pose));
  }
}

void joint_set::restore() {
  for (constraints_properties& joint : joints_) (void)joint.restore_joint();
}
