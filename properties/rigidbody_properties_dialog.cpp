// rigidbody_properties: the "Setting Bullet RigidBody" dialog.
#include <memory>

#include "base/texts.hpp"
#include "properties/collision_filter_dialog.hpp"
#include "properties/primitive_dialog_section.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/settings_limits.hpp"
#include "sdk/sxsdk.hpp"

namespace {

struct rigid_dialog_items {
  int type, mass, velocity, friction, restitution, linear_damping, angular_damping;
  collision_filter_dialog::items filter;
};

rigid_dialog_items build_rigid_dialog(sxsdk::scene_interface& scene, sxsdk::dialog_interface& d) {
  auto tx = [&](const char* id) { return texts::get_text(scene, id); };
  d.set_title(tx("Setting Bullet RigidBody").c_str());
  rigid_dialog_items it{};
  it.type = d.append_selection(tx("Type/Move/Kimanetic/Static").c_str());
  it.mass = d.append_float(tx("Mass").c_str());
  it.velocity = d.append_vec3(tx("Velocity").c_str(), "m/s");
  it.friction = d.append_float(tx("Friction").c_str());
  it.restitution = d.append_float(tx("Restitution").c_str());
  it.linear_damping = d.append_float(tx("LinerDamping").c_str());
  it.angular_damping = d.append_float(tx("AngularDamping").c_str());
  it.filter = collision_filter_dialog::append(scene, d);
  return it;
}

void show_rigid_values(sxsdk::dialog_interface& d, const rigid_dialog_items& it, const rigidbody_datas& b) {
  const rigidbody_datas defaults;  // the dialog's "default" button gives a fresh record's values
  d.set_default_int(it.type, defaults.type);
  d.set_default_float(it.mass, defaults.mass);
  d.set_default_vec3(it.velocity, {defaults.velocity.x(), defaults.velocity.y(), defaults.velocity.z()});
  d.set_default_float(it.friction, defaults.friction);
  d.set_default_float(it.restitution, defaults.restitution);
  d.set_default_float(it.linear_damping, defaults.linear_damping);
  d.set_default_float(it.angular_damping, defaults.angular_damping);
  d.set_int(it.type, b.type);
  d.set_float(it.mass, b.mass);
  d.set_vec3(it.velocity, {b.velocity.x(), b.velocity.y(), b.velocity.z()});
  d.set_float(it.friction, b.friction);
  d.set_float(it.restitution, b.restitution);
  d.set_float(it.linear_damping, b.linear_damping);
  d.set_float(it.angular_damping, b.angular_damping);
  collision_filter_dialog::show(d, it.filter, defaults.group_index, b.group_index, b.mask);
}

void read_rigid_values(sxsdk::dialog_interface& d, const rigid_dialog_items& it, rigidbody_datas& b) {
  const int type = d.get_int(it.type);
  if (type >= rigidbody_datas::move && type <= rigidbody_datas::static_body) b.type = type;
  if (b.type == rigidbody_datas::move) {
    b.mass = d.get_float(it.mass);
    if (b.mass == 0.0f) b.mass = 1.0f;  // a moving body needs a mass
    const sx::vec<float, 3> v = d.get_vec3(it.velocity);
    b.velocity.setValue(v.x, v.y, v.z);
  } else {
    b.mass = 0.0f;
    b.velocity.setValue(0, 0, 0);
  }
  b.friction = d.get_float(it.friction);
  b.restitution = d.get_float(it.restitution);
  b.linear_damping = d.get_float(it.linear_damping);
  b.angular_damping = d.get_float(it.angular_damping);
  collision_filter_dialog::read(d, it.filter, b.group_index, b.group, b.mask);
}

}  // namespace

bool rigidbody_properties::modify_bullet_rigidbody(sxsdk::scene_interface& scene, sxsdk::shape_class* body_part) {
  if (body_part && !set_rigid(scene, *body_part)) return false;
  primitive_properties new_primitive;  // sphere, Y, visible, margin 0.04, size 0.1 each
  sxsdk::host_ref<sxsdk::dialog_interface> dialog(scene.create_dialog());
  if (!dialog) return false;
  const rigid_dialog_items items = build_rigid_dialog(scene, *dialog);
  std::unique_ptr<primitive_dialog_section> section;
  if (!body_part) {
    dialog->begin_group(texts::get_text(scene, "Primitive").c_str());
    section = std::make_unique<primitive_dialog_section>(scene, *dialog, true);
    dialog->end_group();
    section->show(new_primitive);
  }
  show_rigid_values(*dialog, items, *this);
  if (!dialog->ask()) {
    texts::show_message(scene, "Terminated");
    return false;
  }
  rigidbody_datas answered = *this;
  read_rigid_values(*dialog, items, answered);
  // A value the engine cannot simulate is refused here, before anything is stored or made.
  // The start pose is the scene's, checked when a world is built.
  answered.transform = btTransform::getIdentity();
  const std::string problem = settings_limits::rigidbody_problem(answered);
  if (!problem.empty()) {
    texts::show_error(scene, ("physplug: Setting Bullet RigidBody: " + problem).c_str());
    return false;
  }
  answered.transform = transform;
  static_cast<rigidbody_datas&>(*this) = answered;
  if (body_part) {
    get_transrate_data();
    return regist();
  }
  const int kind = section->kind();
  if (kind < collisionshape_datas::box || kind > collisionshape_datas::cone) return false;
  new_primitive.type = static_cast<collisionshape_datas::primitive_type>(kind);
  section->read(new_primitive, true);
  sxsdk::part_class& made = scene.create_part(texts::get_text(scene, "RigidBody").c_str());
  shape = static_cast<sxsdk::shape_class*>(&made);
  get_transrate_data();
  made.make_current();
  if (!new_primitive.create_or_modify_sorvel_shape(scene, new_primitive.type))
    texts::show_error(scene, ("physplug: could not make the primitive of \"" + made.get_name() + "\"").c_str());
  primitive = new_primitive.shape;
  get_transrate_data();
  const bool stored = regist();
  made.make_current();
  return stored;
}
