#include "properties/rigidbody_properties.hpp"

#include <cmath>
#include <string>

#include <boost/lexical_cast.hpp>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "properties/settings_limits.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"

namespace {

constexpr int highest_group_index = 15;

sx::vec<float, 3> to_vec(const btVector3& v) { return {v.x(), v.y(), v.z()}; }

// Computed in 16 bits as stored: index 15 gives -32768.
std::int16_t group_bit(int index) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(1u << index)); }

// A version 0 rotation: w, x, y, z. A zero or otherwise degenerate quaternion has no rotation
// to give and is refused rather than turned into a NaN basis.
void read_quaternion(property_stream::reader& in, btMatrix3x3& basis) {
  float q[4];
  bool read = true;
  for (float& c : q) read = in.read_float(c) && read;
  if (!read) return;
  const btQuaternion rotation(q[1], q[2], q[3], q[0]);
  const btScalar length2 = rotation.length2();
  const bool usable = std::isfinite(length2) && length2 > SIMD_EPSILON;
  btMatrix3x3 turned;
  if (usable) turned.setRotation(rotation);
  if (!usable || !std::isfinite(turned[0].length2() + turned[1].length2() + turned[2].length2())) {
    in.refuse();
    return;
  }
  basis = turned;
}

void read_rows(property_stream::reader& in, btMatrix3x3& basis) {
  btVector3 rows[3] = {basis[0], basis[1], basis[2]};
  bool read = true;
  for (btVector3& row : rows) read = in.read_vec3(row) && read;
  if (read)
    basis.setValue(rows[0].x(), rows[0].y(), rows[0].z(), rows[1].x(), rows[1].y(), rows[1].z(), rows[2].x(),
                   rows[2].y(), rows[2].z());
}

}  // namespace

bool rigidbody_properties::get_properties() {
  if (!part()) return false;
  property_stream::stream_ref stream = property_stream::open(*part(), physplug_modify_uuid);
  if (!stream) return false;
  property_stream::reader in(*stream);
  std::int32_t version = 0;
  in.read_int(version);
  in.read_int(type);
  char index = 0;
  if (in.read_char(index)) {
    const int value = static_cast<unsigned char>(index);
    if (value <= highest_group_index)
      group_index = static_cast<std::uint8_t>(value);
    else
      in.refuse();
  }
  group = group_bit(group_index);
  std::int32_t bits = 0;
  if (in.read_int(bits)) mask = static_cast<std::uint32_t>(bits);
  for (float* f : {&mass, &friction, &restitution, &linear_damping, &angular_damping}) in.read_float(*f);
  in.read_vec3(velocity);
  btMatrix3x3 basis = transform.getBasis();
  if (version == 0)
    read_quaternion(in, basis);
  else
    read_rows(in, basis);
  transform.setBasis(basis);
  btVector3 origin = transform.getOrigin();
  if (in.read_vec3(origin)) transform.setOrigin(origin);
  stream.reset();
  // A stream cut short holds no start pose to trust: the body is left without a primitive, so
  // the world refuses it instead of playing it from a default pose.
  if (in.failed()) return false;
  find_primitive();
  return in.sound();
}

int rigidbody_properties::stream_size(std::int32_t version) { return version == 0 ? 73 : 93; }

bool rigidbody_properties::stream_cut_short(std::int32_t& version, int& length) const {
  if (!part()) return false;
  try {
    property_stream::stream_ref stream = property_stream::open(*part(), physplug_modify_uuid);
    if (!stream) return false;
    length = stream->get_size();
    version = -1;
    if (length >= 4) {
      stream->set_pointer(0);
      version = stream->read_int();
    }
    return length < stream_size(version);
  } catch (...) {
    return false;  // the host failed: nothing to say about the bytes
  }
}

// Settings that cannot be read are not edited (saving the dialog would replace what the stream
// still holds); the user is told which body and why, instead of nothing happening.
void rigidbody_properties::show_unreadable(sxsdk::scene_interface& scene) const {
  if (!part() || !property_stream::open(*part(), physplug_modify_uuid)) return;  // no settings: no rigid body
  std::int32_t version = 0;
  int length = 0;
  std::string why = "a group index above 15, a number that is not finite or a rotation that is none";
  if (stream_cut_short(version, length))
    why = (version < 0 ? "no version" : "version " + std::to_string(version)) + ", " + std::to_string(length) + " of " +
          std::to_string(stream_size(version)) + " bytes";
  texts::show_error(scene, ("physplug: the rigid body settings of \"" + settings_limits::path_of(*part()) +
                            "\" are damaged (" + why + "); they are left as they are and not edited")
                               .c_str());
}

void rigidbody_properties::find_primitive() {
  primitive = nullptr;
  for (sxsdk::shape_class& son : sxsdk::sons(*part())) {
    if (is_bullet_primitive(son)) {
      primitive = &son;
      return;
    }
  }
  sxsdk::host_ref<sxsdk::scene_interface> scene(part()->get_scene());
  if (scene) texts::show_message(*scene, "Can't get primitive shape. please repair.");
}

std::string rigidbody_properties::label(sxsdk::scene_interface& scene) const {
  const int index = static_cast<std::int8_t>(group_index);  // shown as a signed number
  return boost::lexical_cast<std::string>(index) + ":" + texts::get_text(scene, "RigidBody");
}

bool rigidbody_properties::regist() {
  if (!part()) return false;
  try {
    property_stream::stream_ref stream = property_stream::create(*part(), physplug_modify_uuid);
    if (!stream) return false;
    sxsdk::host_ref<sxsdk::scene_interface> scene(stream->get_scene());
    if (scene) stream->set_label(label(*scene).c_str());
    stream->set_pointer(0);
    stream->write_int(1);
    stream->write_int(type);
    stream->write_char(static_cast<char>(group_index));
    stream->write_int(static_cast<std::int32_t>(mask));
    for (float f : {mass, friction, restitution, linear_damping, angular_damping}) stream->write_float(f);
    stream->write_vec3(to_vec(velocity));
    const btMatrix3x3& basis = transform.getBasis();
    for (int row = 0; row < 3; ++row) stream->write_vec3(to_vec(basis[row]));
    stream->write_vec3(to_vec(transform.getOrigin()));
    return true;
  } catch (...) {
    return false;
  }
}

bool rigidbody_properties::set_rigid(sxsdk::scene_interface& scene, sxsdk::shape_class& body_part) {
  shape = &body_part;
  if (!get_properties()) {
    show_unreadable(scene);
    return false;
  }
  if (primitive_shape() && is_bullet_primitive(*primitive_shape())) return true;
  for (sxsdk::shape_class& son : sxsdk::sons(body_part)) {
    if (!is_bullet_primitive(son)) continue;
    primitive = &son;
    texts::show_message(scene, "Bad primitive repaired");
    if (!regist()) texts::show_unwritten(scene, "rigid body settings", body_part.get_name());
    return true;
  }
  texts::show_message(scene, "Can't repaired primitve");
  return false;
}
