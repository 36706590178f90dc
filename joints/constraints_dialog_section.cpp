#include "joints/constraints_dialog_section.hpp"

#include "base/texts.hpp"

namespace {

sx::vec<float, 3> to_vec(const btVector3& v) { return {v.x(), v.y(), v.z()}; }
btVector3 to_bt(const sx::vec<float, 3>& v) { return {v.x, v.y, v.z}; }

// Bullet's own defaults of a cone-twist limit.
constexpr float default_softness = 1.0f, default_bias = 0.3f, default_relaxation = 1.0f;

}  // namespace

constraints_dialog_section::constraints_dialog_section(sxsdk::scene_interface& scene, sxsdk::dialog_interface& d)
    : dialog_(d) {
  auto tx = [&](const char* id) { return texts::get_text(scene, id); };
  const std::string degree = tx("Degree");
  type_ = d.append_selection(tx("Type/6Dof/6DofSpring/ConeTwist").c_str());
  upper_ = d.append_vec3(tx("Rotation Upper Factor").c_str(), degree.c_str());
  lower_ = d.append_vec3(tx("Rotation Lower Factor").c_str(), degree.c_str());
  spring_rotation_ = d.append_vec3(tx("Spring Rotation Factor").c_str(), "0~");
  spring_translation_ = d.append_vec3(tx("Spring Translation Factor").c_str(), "0~");
  damping_rotation_ = d.append_vec3(tx("Damping Rotation Factor").c_str(), "0~1");
  damping_translation_ = d.append_vec3(tx("Damping Translation Factor").c_str(), "0~1");
  softness_ = d.append_float(tx("Cone Softness").c_str(), "0~1");
  bias_ = d.append_float(tx("Cone BiasFactor").c_str(), "0~1");
  relaxation_ = d.append_float(tx("Cone Relaxation").c_str(), "0~1");
}

void constraints_dialog_section::show(const constraints_datas& j) {
  const sx::vec<float, 3> zero{0, 0, 0};
  dialog_.set_default_int(type_, constraints_datas::six_dof);
  dialog_.set_int(type_, j.type);
  dialog_.set_default_vec3(upper_, to_vec(j.angular_upper_limit));
  dialog_.set_vec3(upper_, to_vec(j.angular_upper_limit));
  dialog_.set_default_vec3(lower_, to_vec(j.angular_lower_limit));
  dialog_.set_vec3(lower_, to_vec(j.angular_lower_limit));
  const std::pair<int, const btVector3*> vectors[] = {{spring_rotation_, &j.angular_stiffness},
                                                      {spring_translation_, &j.linear_stiffness},
                                                      {damping_rotation_, &j.angular_damping},
                                                      {damping_translation_, &j.linear_damping}};
  for (const auto& [item, value] : vectors) {
    dialog_.set_default_vec3(item, zero);
    dialog_.set_vec3(item, to_vec(*value));
  }
  const bool cone = j.type == constraints_datas::cone_twist;
  const std::pair<int, float> cone_items[] = {
      {softness_, default_softness}, {bias_, default_bias}, {relaxation_, default_relaxation}};
  for (int k = 0; k < 3; ++k) {
    dialog_.set_default_float(cone_items[k].first, cone_items[k].second);
    dialog_.set_float(cone_items[k].first, cone ? j.angular_stiffness[k] : cone_items[k].second);
  }
}

void constraints_dialog_section::read(constraints_datas& j) const {
  const int type = dialog_.get_int(type_);
  if (type >= constraints_datas::six_dof && type <= constraints_datas::cone_twist) j.type = type;
  j.angular_upper_limit = to_bt(dialog_.get_vec3(upper_));
  j.angular_lower_limit = to_bt(dialog_.get_vec3(lower_));
  j.angular_stiffness = to_bt(dialog_.get_vec3(spring_rotation_));
  j.linear_stiffness = to_bt(dialog_.get_vec3(spring_translation_));
  j.angular_damping = to_bt(dialog_.get_vec3(damping_rotation_));
  j.linear_damping = to_bt(dialog_.get_vec3(damping_translation_));
  if (j.type == constraints_datas::cone_twist)
    j.angular_stiffness.setValue(dialog_.get_float(softness_), dialog_.get_float(bias_),
                                 dialog_.get_float(relaxation_));
}
