#include "bridge/external_joints.hpp"

#include "base/handler_guard.hpp"
#include "base/uuid_table.hpp"
#include "sdk/part_class.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"
#include "sdk/stream_interface.hpp"

namespace {

const sx::uuid_class& uuid_of(int slot) {
  static const sx::uuid_class* const table[] = {&aimconstraints_uuid, &follow_joint_uuid, &ik_uuid,
                                                &multilead_joint_uuid, &surrogate_dad_joint_uuid};
  return *table[slot];
}

bool has_stream(sxsdk::shape_class& shape, const sx::uuid_class& uuid) {
  sxsdk::host_ref<sxsdk::stream_interface> stream(shape.get_attribute_stream(uuid));
  return bool(stream);
}

/// Size in bytes of the stream under `uuid`, or -1 when there is none.
int stream_size(sxsdk::shape_class& shape, const sx::uuid_class& uuid) {
  sxsdk::host_ref<sxsdk::stream_interface> stream(shape.get_attribute_stream(uuid));
  return stream ? stream->get_size() : -1;
}

bool is_posable_joint(sxsdk::scene_interface& scene, sxsdk::shape_class& shape) {
  return shape.is_ball_joint() || scene.is_bone_joint(shape) || shape.is_slider_joint() || shape.is_rotator_joint() ||
         shape.is_scale_joint() || shape.is_uniscale_joint();
}

/// Parts whose sons are the host's masters (surfaces, images, shapes) hold no joints.
bool sons_may_hold_joints(sxsdk::shape_class& shape) {
  if (shape.get_type() != sxsdk::shape_type::part) return false;
  const int type = shape.get_part().get_part_type();
  return type != sxsdk::part_type::master_surface_part && type != sxsdk::part_type::master_image_part &&
         type != sxsdk::part_type::master_shape_part;
}

}  // namespace

void external_joints::reset() {
  for (auto& held : interfaces_) held.reset();
}

int external_joints::count() const {
  int n = 0;
  for (const auto& held : interfaces_) n += held ? 1 : 0;
  return n;
}

void external_joints::take(sxsdk::scene_interface& scene, slot which) {
  if (which == slots || interfaces_[which]) return;
  interfaces_[which].reset(scene.get_plugin_interface(uuid_of(which)));
}

external_joints::slot external_joints::which_plugin(sxsdk::scene_interface& scene, sxsdk::shape_class& shape) const {
  if (is_posable_joint(scene, shape) && shape.get_links(aimconstraints_uuid) == 1 &&
      has_stream(shape, aimconstraints_uuid))
    return aim;
  if (shape.get_links(follow_joint_uuid) > 0 && has_stream(shape, follow_joint_uuid)) return follow;
  if (has_stream(shape, ik_root_uuid)) return ik;
  const int ik_size = stream_size(shape, ik_uuid);
  if ((ik_size >= 0 && ik_size != 10) || shape.get_links(ik_uuid) > 0) return ik;
  if (shape.get_links(multilead_joint_uuid) > 0 && has_stream(shape, multilead_joint_creator_uuid)) return multilead;
  if (has_stream(shape, surrogate_dad_joint_uuid)) return surrogate;
  return slots;
}

void external_joints::check_ex_joint(sxsdk::scene_interface& scene, sxsdk::shape_class& shape) {
  take(scene, ik);
  take(scene, which_plugin(scene, shape));
  if (!sons_may_hold_joints(shape)) return;
  for (sxsdk::shape_class& son : sxsdk::sons(shape)) check_ex_joint(scene, son);
}

void external_joints::notify(bool& flag, sxsdk::scene_interface& scene, int count, sxsdk::part_class* const* parts) {
  for (auto& held : interfaces_) {
    auto* other = dynamic_cast<sxsdk::attribute_interface*>(held.get());
    if (!other) continue;
    try {
      other->current_joint_value_changed(flag, &scene, count, parts);
    } catch (...) {
      handler_guard::report(&scene, "posing the joints of another plug-in", std::current_exception());
    }
  }
}
