#include "host/io/animation_keys_io.hpp"

#include <algorithm>
#include <cmath>
#include <set>

#include "host/io/json_values.hpp"
#include "host/io/scene_file_error.hpp"
#include "host/scene/scene.hpp"

namespace host {
using nlohmann::json;
using vec3 = sx::vec<float, 3>;

namespace {

using json_values::number;
using json_values::put;

json write_key(const part_key& k) {
  json out = {{"frame", number(k.frame)}};
  const part_key d;
  put(out, "translation", k.translation, d.translation);
  put(out, "rotation", k.rotation, d.rotation);
  put(out, "scale", k.scale, d.scale);
  return out;
}

json write_key(const joint_key& k) {
  json out = {{"frame", number(k.frame)}};
  const joint_key d;
  put(out, "rotation", k.rotation, d.rotation);
  put(out, "offset", k.offset, d.offset);
  put(out, "value", k.value, d.value);
  return out;
}

float frame_of(json_reader::object& o, std::set<float>& seen) {
  const json_reader at = o.required("frame");
  const float frame = at.as_float(json_reader::numbers::any);
  if (!std::isfinite(frame)) at.fail("a key's frame must be a finite number");
  if (!seen.insert(frame).second) at.fail("a second key at frame " + at.value().dump());
  return frame;
}

part_key read_part_key(const json_reader& at, std::set<float>& frames) {
  json_reader::object o = at.members();
  part_key key;
  key.frame = frame_of(o, frames);
  if (auto v = o.optional("translation")) key.translation = v->as_vec3();
  if (auto v = o.optional("rotation")) key.rotation = v->as_quaternion();
  if (auto v = o.optional("scale")) key.scale = v->as_vec3();
  o.finish();
  return key;
}

joint_key read_joint_key(const json_reader& at, std::set<float>& frames) {
  json_reader::object o = at.members();
  joint_key key;
  key.frame = frame_of(o, frames);
  if (auto v = o.optional("rotation")) key.rotation = v->as_quaternion();
  if (auto v = o.optional("offset")) key.offset = v->as_vec3();
  if (auto v = o.optional("value")) key.value = v->as_float();
  o.finish();
  return key;
}

// A track inserts each key at its frame, so keys handed over in any other order than
// ascending would make reading a long list quadratic; the file's order is not kept anyway.
template <typename Key>
std::vector<Key>& in_frame_order(std::vector<Key>& keys) {
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.frame < b.frame; });
  return keys;
}

bool takes_joint_keys(const part_shape& p) { return p.is_ball_joint() || p.is_bone_joint() || p.is_one_value_joint(); }

}  // namespace

json animation_keys_io::write(scene& s) {
  json out = json::array();
  for (part_shape* p : s.keys().keyed_parts()) {
    if (&p->owner() != &s)
      throw json_path_error{"/keys/" + std::to_string(out.size()), "\"" + p->name() + "\" is a part of another scene"};
    const part_track* track = s.keys().find(*p);
    json entry = {{"part", p->index()}};
    if (!track->part_keys.empty()) {
      json& keys = entry["part_keys"] = json::array();
      for (const part_key& k : track->part_keys) keys.push_back(write_key(k));
    }
    if (!track->joint_keys.empty()) {
      json& keys = entry["joint_keys"] = json::array();
      for (const joint_key& k : track->joint_keys) keys.push_back(write_key(k));
    }
    json_values::require_finite(entry, "/keys/" + std::to_string(out.size()));
    out.push_back(std::move(entry));
  }
  return out;
}

void animation_keys_io::read(const json_reader& list, scene& s, const std::vector<shape_node*>& shapes) {
  std::set<int> keyed;
  for (const json_reader& item : list.items()) {
    const int part = item.members().required("part").as_int();
    if (!keyed.insert(part).second) item.fail("shape " + std::to_string(part) + " is keyed twice");
    read_entry(item, s, shapes);
  }
}

void animation_keys_io::read_entry(const json_reader& item, scene& s, const std::vector<shape_node*>& shapes) {
  json_reader::object o = item.members();
  const json_reader part_at = o.required("part");
  const int index = part_at.as_int();
  if (index < 0 || std::size_t(index) >= shapes.size())
    part_at.fail("shape " + std::to_string(index) + " does not exist (the scene has " + std::to_string(shapes.size()) +
                 " shapes)");
  auto* part = dynamic_cast<part_shape*>(shapes[index]);
  if (!part) part_at.fail("shape " + std::to_string(index) + " is no part: only parts take keys");
  const auto part_keys = o.optional("part_keys");
  const auto joint_keys = o.optional("joint_keys");
  if (part_keys && joint_keys) item.fail("a part has either part keys or joint keys, not both");
  if (part_keys && part->is_joint())
    part_keys->fail("shape " + std::to_string(index) + " is a joint: its motion takes joint keys");
  if (joint_keys && !takes_joint_keys(*part))
    joint_keys->fail("shape " + std::to_string(index) + " is no ball, bone, rotator, slider or scale joint");
  std::set<float> frames;
  if (part_keys) {
    std::vector<part_key> keys;
    for (const json_reader& k : part_keys->items()) keys.push_back(read_part_key(k, frames));
    for (const part_key& k : in_frame_order(keys)) s.keys().set_part_key(*part, k);
  }
  if (joint_keys) {
    std::vector<joint_key> keys;
    for (const json_reader& k : joint_keys->items()) keys.push_back(read_joint_key(k, frames));
    for (const joint_key& k : in_frame_order(keys)) s.keys().set_joint_key(*part, k);
  }
  o.finish();
}

}  // namespace host
