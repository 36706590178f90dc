#include "host/player/animation_keys.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "host/scene/part_shape.hpp"

namespace host {
namespace {

using vec3 = sx::vec<float, 3>;

vec3 lerp(const vec3& a, const vec3& b, float t) { return a + (b - a) * t; }

bool takes_joint_keys(const part_shape& part) {
  return part.is_ball_joint() || part.is_bone_joint() || part.is_one_value_joint();
}

void check_in_scene(const part_shape& part) {
  if (part.removed()) throw std::logic_error("cannot key \"" + part.name() + "\": it was removed from the scene");
}

// Inserts in frame order; a key at a frame already keyed replaces it.
template <typename Key>
void put(std::vector<Key>& keys, const Key& key) {
  auto at = std::lower_bound(keys.begin(), keys.end(), key.frame, [](const Key& k, float f) { return k.frame < f; });
  if (at != keys.end() && at->frame == key.frame)
    *at = key;
  else
    keys.insert(at, key);
}

template <typename Key>
bool erase_at(std::vector<Key>& keys, float frame) {
  auto at = std::find_if(keys.begin(), keys.end(), [frame](const Key& k) { return k.frame == frame; });
  if (at == keys.end()) return false;
  keys.erase(at);
  return true;
}

// The two keys around `frame` and how far between them it lies: (a, a, 0) outside the keyed
// range, so the nearest key holds.
template <typename Key>
void bracket(const std::vector<Key>& keys, float frame, const Key*& a, const Key*& b, float& t) {
  auto after = std::upper_bound(keys.begin(), keys.end(), frame, [](float f, const Key& k) { return f < k.frame; });
  if (after == keys.begin()) after = keys.begin() + 1;  // before the first key: it holds
  if (after == keys.end()) {
    a = b = &keys.back();
    t = 0;
    return;
  }
  a = &*(after - 1);
  b = &*after;
  t = frame <= a->frame ? 0.0f : (frame - a->frame) / (b->frame - a->frame);
}

}  // namespace

// --- keys ---

sxsdk::mat4 part_key::matrix() const {
  return sxsdk::mat4::scale(scale) * rotation.get_matrix() * sxsdk::mat4::translate(translation);
}

part_key part_key::from_matrix(float frame, const sxsdk::mat4& m) {
  part_key key;
  key.frame = frame;
  key.translation = vec3(m[3][0], m[3][1], m[3][2]);
  for (int row = 0; row < 3; ++row) key.scale[row] = sx::length(vec3(m[row][0], m[row][1], m[row][2]));
  key.rotation = sxsdk::quaternion_class(m);
  return key;
}

// --- storage ---

void animation_keys::set_part_key(part_shape& part, const part_key& key) {
  check_in_scene(part);
  if (part.is_joint()) throw std::logic_error("\"" + part.name() + "\" is a joint: key its motion with a joint key");
  put(tracks_[&part].part_keys, key);
}

void animation_keys::set_joint_key(part_shape& part, const joint_key& key) {
  check_in_scene(part);
  if (!takes_joint_keys(part))
    throw std::logic_error("\"" + part.name() +
                           "\" is no ball, bone, rotator, slider or scale joint: it takes no joint key");
  put(tracks_[&part].joint_keys, key);
}

bool animation_keys::remove_key(const part_shape& part, float frame) {
  auto it = tracks_.find(const_cast<part_shape*>(&part));
  if (it == tracks_.end()) return false;
  const bool removed = erase_at(it->second.part_keys, frame) || erase_at(it->second.joint_keys, frame);
  if (it->second.part_keys.empty() && it->second.joint_keys.empty()) tracks_.erase(it);
  return removed;
}

void animation_keys::clear(const part_shape& part) { tracks_.erase(const_cast<part_shape*>(&part)); }

const part_track* animation_keys::find(const part_shape& part) const {
  auto it = tracks_.find(const_cast<part_shape*>(&part));
  return it == tracks_.end() ? nullptr : &it->second;
}

std::vector<part_shape*> animation_keys::keyed_parts() const {
  std::vector<part_shape*> parts;
  for (const auto& [part, track] : tracks_)
    if (!part->removed()) parts.push_back(part);
  std::sort(parts.begin(), parts.end(),
            [](const part_shape* a, const part_shape* b) { return a->index() < b->index(); });
  return parts;
}

// --- posing ---

void animation_keys::apply(float frame) const {
  for (const auto& [part, track] : tracks_) {
    if (part->removed()) continue;
    if (!track.part_keys.empty()) part->set_transformation(part_pose_at(track.part_keys, frame).matrix());
    if (track.joint_keys.empty()) continue;
    const joint_key pose = joint_pose_at(track.joint_keys, frame);
    joint_state& joint = part->joint();
    if (part->is_one_value_joint()) {
      joint.value = pose.value;
    } else {
      joint.rotation = pose.rotation;
      joint.offset = pose.offset;
    }
  }
}

sxsdk::quaternion_class slerp(const sxsdk::quaternion_class& from, const sxsdk::quaternion_class& to, float t) {
  const sxsdk::quaternion_class a = from.normalized();
  sxsdk::quaternion_class b = to.normalized();
  float dot = a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
  if (dot < 0) {  // q and -q are the same rotation: take the shorter arc
    b = sxsdk::quaternion_class(-b.w, -b.x, -b.y, -b.z);
    dot = -dot;
  }
  float wa = 1 - t, wb = t;
  if (dot < 0.9995f) {  // nearly parallel quaternions: the linear blend is exact enough and stable
    const float theta = std::acos(std::min(dot, 1.0f));
    const float s = std::sin(theta);
    wa = std::sin((1 - t) * theta) / s;
    wb = std::sin(t * theta) / s;
  }
  return sxsdk::quaternion_class(wa * a.w + wb * b.w, wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z)
      .normalized();
}

part_key part_pose_at(const std::vector<part_key>& keys, float frame) {
  const part_key *a, *b;
  float t;
  bracket(keys, frame, a, b, t);
  part_key pose = *a;
  pose.frame = frame;
  pose.translation = lerp(a->translation, b->translation, t);
  pose.rotation = slerp(a->rotation, b->rotation, t);
  pose.scale = lerp(a->scale, b->scale, t);
  return pose;
}

joint_key joint_pose_at(const std::vector<joint_key>& keys, float frame) {
  const joint_key *a, *b;
  float t;
  bracket(keys, frame, a, b, t);
  joint_key pose = *a;
  pose.frame = frame;
  pose.rotation = slerp(a->rotation, b->rotation, t);
  pose.offset = lerp(a->offset, b->offset, t);
  pose.value = a->value + (b->value - a->value) * t;
  return pose;
}

}  // namespace host
