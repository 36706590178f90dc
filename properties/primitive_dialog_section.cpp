#include "properties/primitive_dialog_section.hpp"

#include "base/texts.hpp"

primitive_dialog_section::primitive_dialog_section(sxsdk::scene_interface& scene, sxsdk::dialog_interface& dialog,
                                                   bool localise_z)
    : dialog_(dialog) {
  auto tx = [&](const char* id) { return texts::get_text(scene, id); };
  type_ = dialog_.append_selection(tx("Type/Box/Sphere/Capsule/Cylinder/Cone").c_str());
  direction_ = dialog_.append_selection(tx("Direction/Y/X/Z").c_str());
  visible_ = dialog_.append_bool(tx("Visible").c_str());
  margin_ = dialog_.append_float(tx("Margin").c_str(), "m");
  x_ = dialog_.append_float(tx("X/Rudius").c_str(), "m");
  y_ = dialog_.append_float(tx("Y/Hight").c_str(), "m");
  z_ = dialog_.append_float(localise_z ? tx("Z").c_str() : "Z", "m");
}

void primitive_dialog_section::show(const collisionshape_datas& datas) {
  const collisionshape_datas defaults;  // the dialog's "default" button gives a fresh record's values
  dialog_.set_default_int(type_, defaults.type);
  dialog_.set_default_int(direction_, defaults.direction);
  dialog_.set_default_bool(visible_, defaults.visible);
  dialog_.set_default_float(margin_, defaults.margin);
  dialog_.set_default_float(x_, defaults.size[0]);
  dialog_.set_default_float(y_, defaults.size[1]);
  dialog_.set_default_float(z_, defaults.size[2]);
  dialog_.set_int(type_, datas.type);
  dialog_.set_int(direction_, datas.direction);
  dialog_.set_bool(visible_, datas.visible);
  dialog_.set_float(margin_, datas.margin);
  dialog_.set_float(x_, datas.size[0]);
  dialog_.set_float(y_, datas.size[1]);
  dialog_.set_float(z_, datas.size[2]);
}

int primitive_dialog_section::kind() const { return dialog_.get_int(type_); }

void primitive_dialog_section::read(collisionshape_datas& datas, bool z_for_every_kind) const {
  const int chosen = kind();
  const int direction = dialog_.get_int(direction_);
  if (direction >= 0 && direction <= 2) datas.direction = direction;
  datas.visible = dialog_.get_bool(visible_);
  datas.margin = dialog_.get_float(margin_);
  datas.size[0] = dialog_.get_float(x_);
  datas.size[1] = dialog_.get_float(y_);
  if (chosen == collisionshape_datas::cylinder)
    datas.size[2] = datas.size[0];
  else if (z_for_every_kind || chosen == collisionshape_datas::box || chosen == collisionshape_datas::sphere)
    datas.size[2] = dialog_.get_float(z_);
}
