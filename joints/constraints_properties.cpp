// constraints_properties: the joint stream (version 2 written, 0 to 2 read) and the links.
#include "joints/constraints_properties.hpp"

#include <vector>

#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"

namespace {

constexpr std::int32_t current_version = 2;

sx::vec<float, 3> to_vec(const btVector3& v) { return {v.x(), v.y(), v.z()}; }

// A body reference of versions 0 and 1: an int32 the host turns into a shape. Checked for the
// four bytes first, like every other read, so a short stream fails the reader instead of the host.
sxsdk::shape_class* read_body(property_stream::reader& in, sxsdk::stream_interface& stream) {
  if (in.failed()) return nullptr;
  try {
    if (stream.get_size() - stream.get_pointer() >= 4) return stream.read_shape();
  } catch (...) {
  }
  std::int32_t ignored = 0;
  in.read_int(ignored);  // fails the reader: nothing more is read
  return nullptr;
}

// The shapes the joint links to under the joint stream's UUID, in link order.
std::vector<sxsdk::shape_class*> linked_shapes(sxsdk::shape_class& joint) {
  const int count = joint.get_links(physplug_modify_uuid);
  std::vector<sxsdk::shape_class*> linked(static_cast<std::size_t>(count > 0 ? count : 0), nullptr);
  if (count > 0) joint.get_links(physplug_modify_uuid, linked.data());
  return linked;
}

}  // namespace

bool constraints_properties::get_properties() {
  if (!joint()) return false;
  property_stream::stream_ref stream = property_stream::open(*joint(), physplug_modify_uuid);
  if (!stream) return false;
  property_stream::reader in(*stream);
  std::int32_t version = current_version;
  std::int32_t flags = 0;
  in.read_int(version);
  if (in.read_int(flags)) type = (flags >> 2) & 3;
  const bool old = version == 0 || version == 1;
  in.read_vec3(linear_lower_limit);
  in.read_vec3(linear_upper_limit);
  in.read_vec3(angular_lower_limit);
  in.read_vec3(angular_upper_limit);
  in.read_vec3(linear_stiffness);
  in.read_vec3(angular_stiffness);
  if (version == 0) {
    angular_damping.setValue(0, 0, 0);
    linear_damping.setValue(0, 0, 0);
  } else {
    in.read_vec3(angular_damping);
    in.read_vec3(linear_damping);
  }
  if (!old) {
    stream.reset();
    try {
      const std::vector<sxsdk::shape_class*> linked = linked_shapes(*joint());
      rigid0 = rigid1 = nullptr;
      const int own = joint()->get_index();
      for (sxsdk::shape_class* body : linked)
        if (body) (body->get_index() >= own ? rigid1 : rigid0) = body;
    } catch (...) {
      return false;
    }
    return in.sound();
  }
  // Versions 0 and 1: the bodies follow the vectors.
  const int count = flags & 3;
  sxsdk::shape_class* second = count == 0 ? nullptr : read_body(in, *stream);
  sxsdk::shape_class* first = count >= 2 ? read_body(in, *stream) : nullptr;
  stream.reset();
  // A stream cut short or holding a refused number is left as it is: rewriting it would make the
  // loss permanent.
  if (!in.sound()) return false;
  rigid1 = second;
  rigid0 = first;
  // One body named twice cannot be kept as links (they would read back as a one-body joint): the
  // stream stays as it is, and the world refuses the joint with its name.
  if (second && second == first) return true;
  return regist();  // version 2 with both links recorded afresh
}

bool constraints_properties::regist() {
  if (!joint()) return false;
  try {
    clear_related_shape();
    property_stream::stream_ref stream = property_stream::create(*joint(), physplug_modify_uuid);
    if (!stream) return false;
    stream->set_label(property_stream::text(*stream, "Constraints").c_str());
    stream->set_pointer(0);
    stream->write_int(current_version);
    stream->write_int(2 | (type << 2));
    for (const btVector3* v : {&linear_lower_limit, &linear_upper_limit, &angular_lower_limit, &angular_upper_limit,
                               &linear_stiffness, &angular_stiffness, &angular_damping, &linear_damping})
      stream->write_vec3(to_vec(*v));
    if (body1()) joint()->add_link(physplug_modify_uuid, *body1());
    if (body0()) joint()->add_link(physplug_modify_uuid, *body0());
    return true;
  } catch (...) {
    return false;
  }
}

void constraints_properties::clear_related_shape() {
  if (!joint()) return;
  for (sxsdk::shape_class* body : linked_shapes(*joint()))
    if (body) joint()->remove_link(physplug_modify_uuid, *body);
}
