// joint_chain_builder: the "Setting Bullet Constraints Joint" dialog.
#include "base/texts.hpp"
#include "joints/constraints_dialog_section.hpp"
#include "joints/joint_chain_builder.hpp"
#include "properties/collision_filter_dialog.hpp"
#include "sdk/sxsdk.hpp"

namespace joint_chain_builder {

namespace {

struct body_items {
  int kind, mass, friction, restitution, linear_damping, angular_damping;
  collision_filter_dialog::items filter;
};

body_items append_body_items(sxsdk::scene_interface& scene, sxsdk::dialog_interface& d, const rigidbody_datas& b) {
  auto tx = [&](const char* id) { return texts::get_text(scene, id); };
  body_items it{};
  it.kind = d.append_selection(tx("Type/Box/Sphere/Capsule/Cylinder").c_str());
  d.set_default_int(it.kind, collisionshape_datas::capsule);
  d.set_int(it.kind, collisionshape_datas::capsule);
  const std::pair<int*, std::pair<const char*, float>> floats[] = {
      {&it.mass, {"Mass", b.mass}},
      {&it.friction, {"Friction", b.friction}},
      {&it.restitution, {"Restitution", b.restitution}},
      {&it.linear_damping, {"LinerDamping", b.linear_damping}},
      {&it.angular_damping, {"AngularDamping", b.angular_damping}}};
  for (const auto& [item, value] : floats) {
    *item = d.append_float(tx(value.first).c_str());
    d.set_default_float(*item, value.second);
    d.set_float(*item, value.second);
  }
  it.filter = collision_filter_dialog::append(scene, d);
  collision_filter_dialog::show(d, it.filter, b.group_index, b.group_index, b.mask);
  return it;
}

void read_body_items(sxsdk::dialog_interface& d, const body_items& it, rigidbody_datas& b,
                     collisionshape_datas& primitive) {
  const int kind = d.get_int(it.kind);
  if (kind >= collisionshape_datas::box && kind <= collisionshape_datas::cylinder)
    primitive.type = static_cast<collisionshape_datas::primitive_type>(kind);
  b.mass = d.get_float(it.mass);
  b.friction = d.get_float(it.friction);
  b.restitution = d.get_float(it.restitution);
  b.linear_damping = d.get_float(it.linear_damping);
  b.angular_damping = d.get_float(it.angular_damping);
  collision_filter_dialog::read(d, it.filter, b.group_index, b.group, b.mask);
  // The bodies of one chain never collide with their own group, so neighbours do not fight.
  b.mask |= 1u << b.group_index;
}

}  // namespace

int get_properties_dialog_for_constraints_joint(sxsdk::scene_interface* scene, rigidbody_properties& body,
                                                primitive_properties& primitive, constraints_properties& joint,
                                                int max_layers, int& target) {
  if (!scene) return -1;
  sxsdk::host_ref<sxsdk::dialog_interface> dialog(scene->create_dialog());
  if (!dialog) return -1;
  auto tx = [&](const char* id) { return texts::get_text(*scene, id); };
  sxsdk::dialog_interface& d = *dialog;
  d.set_title(tx("Setting Bullet Constraints Joint").c_str());
  int layer_item = -1;
  if (max_layers >= 2) {
    layer_item = d.append_int(tx("Layer Number").c_str());
    d.set_default_int(layer_item, max_layers);
    d.set_int(layer_item, max_layers);
  }
  const int target_item = d.append_selection(tx("Target/Constraints/Rigid").c_str());
  d.set_default_int(target_item, 0);
  d.set_int(target_item, 0);
  d.begin_group(tx("Constraints Joint Properties").c_str());
  constraints_dialog_section section(*scene, d);
  section.show(joint);
  d.end_group();
  d.begin_group(tx("Rigidbody properties").c_str());
  const body_items items = append_body_items(*scene, d, body);
  d.end_group();
  if (!d.ask()) {
    texts::show_message(*scene, "Terminated");
    return -1;
  }
  int layers = max_layers;
  if (layer_item >= 0) {
    layers = d.get_int(layer_item);
    if (layers > max_layers) {
      texts::show_message(*scene, "Bad Layer number");
      return -1;
    }
  }
  target = d.get_int(target_item) == 1 ? 1 : 0;
  section.read(joint);
  read_body_items(d, items, body, primitive);
  primitive.direction = 1;  // along X: the placement turns X along the link
  primitive.visible = false;
  if (target == 1 && body.mass != 0.0f) body.mass = 0.0f;
  if (target == 0 && body.mass == 0.0f) body.mass = 1.0f;
  return layers;
}

}  // namespace joint_chain_builder
