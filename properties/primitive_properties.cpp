#include "properties/primitive_properties.hpp"

#include <cmath>

#include "base/texts.hpp"
#include "base/units.hpp"
#include "base/uuid_table.hpp"
#include "properties/primitive_dialog_section.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"

namespace {

// Millimetres of the scene to non-negative metres, through double as the record was always made.
float to_metres(float millimetres) {
  return static_cast<float>(std::fabs(millimetres * units::metres_per_millimetre_double));
}

}  // namespace

bool primitive_properties::get_properties() {
  if (!primitive_shape()) return false;
  property_stream::stream_ref stream = property_stream::open(*primitive_shape(), physplug_rigid_uuid);
  if (!stream) return false;
  property_stream::reader in(*stream);
  std::int32_t version = 0, flags = 0;
  in.read_int(version);
  in.read_float(margin);
  if (in.read_int(flags)) direction = flags & 3;
  stream.reset();
  bool measured = false;
  try {
    visible = primitive_shape()->get_visible() != 0;
    reserved = 1;
    measured = measure(*primitive_shape());
  } catch (...) {
    measured = false;
  }
  return measured && in.sound();
}

// Kind and size from the geometry. Only the components the geometry gives are set (and turned
// into metres); the others keep their values.
bool primitive_properties::measure(sxsdk::shape_class& s) {
  switch (s.get_type()) {
    case sxsdk::shape_type::line:
      return measure_line(s);
    case sxsdk::shape_type::disk: {
      const sx::vec<float, 3> sweep = s.get_sweep();
      type = cylinder;
      const int axis = direction == 0 ? 1 : direction == 1 ? 0 : direction == 2 ? 2 : -1;
      if (axis >= 0) size[1] = to_metres(sweep[axis]);
      size[0] = size[2] = to_metres(s.get_disk().get_radius());
      return true;
    }
    case sxsdk::shape_type::sphere: {
      type = sphere;
      const float r = to_metres(s.get_sphere().get_radius());
      size[0] = size[1] = size[2] = r;
      return true;
    }
    default:
      return false;
  }
}

bool primitive_properties::measure_line(sxsdk::shape_class& s) {
  sxsdk::line_class& line = s.get_line();
  const int count = line.get_number_of_control_points();
  if (line.is_closed()) {
    if (count < 1) return false;
    type = box;
    const sx::vec<float, 3> corner = line.control_point(0).get_position();
    for (int i = 0; i < 3; ++i) size[i] = to_metres(-corner[i]);
    return true;
  }
  if (count != 3 && count != 4) return false;
  type = count == 3 ? cone : capsule;
  const sx::vec<float, 3> p = line.control_point(1).get_position();
  // Point 1 lies on the rim: its distance from the axis is the radius, its offset along the
  // axis half the height (below the centre).
  switch (direction) {
    case 0:
      size[0] = to_metres(p.x);
      size[1] = to_metres(-2 * p.y);
      break;
    case 1:
      size[0] = to_metres(p.z);
      size[1] = to_metres(-2 * p.x);
      break;
    case 2:
      size[0] = to_metres(p.x);
      size[1] = to_metres(-2 * p.z);
      break;
    default:
      break;
  }
  return true;
}

bool primitive_properties::regist() {
  if (!primitive_shape()) return false;
  try {
    property_stream::stream_ref stream = property_stream::create(*primitive_shape(), physplug_rigid_uuid);
    if (!stream) return false;
    stream->set_label(property_stream::text(*stream, "Primitive").c_str());
    stream->set_pointer(0);
    stream->write_int(0);
    stream->write_float(margin);
    stream->write_int(direction & 3);
    return true;
  } catch (...) {
    return false;
  }
}

bool primitive_properties::create_or_modify_sorvel_shape(sxsdk::scene_interface& scene,
                                                         collisionshape_datas::primitive_type kind) {
  const bool select_new = !primitive_shape() && scene.get_active_shape().get_selected();
  bool built = false;
  switch (kind) {
    case box:
      built = create_or_modify_box_shape(scene, kind);
      break;
    case sphere:
      built = create_or_modify_sphere_shape(scene, kind);
      break;
    case capsule:
      built = create_or_modify_capsule_shape(scene, kind);
      break;
    case cylinder:
      built = create_or_modify_cylinder_shape(scene, kind);
      break;
    case cone:
      built = create_or_modify_cone_shape(scene, kind);
      break;
    default:
      return false;
  }
  if (!built || !primitive_shape()) return false;
  if (select_new) {
    primitive_shape()->set_active();
    primitive_shape()->set_selected(true);
  }
  return regist();
}

bool primitive_properties::modify_bullet_primitive_shape(sxsdk::scene_interface& scene, sxsdk::shape_class* primitive) {
  if (primitive) {
    shape = primitive;
    get_properties();
  }
  sxsdk::host_ref<sxsdk::dialog_interface> dialog(scene.create_dialog());
  if (!dialog) return false;
  dialog->set_title(texts::get_text(scene, "Primitive Properties").c_str());
  primitive_dialog_section section(scene, *dialog, false);
  section.show(*this);
  if (!dialog->ask()) {
    texts::show_message(scene, "Terminated");
    return false;
  }
  const int kind = section.kind();
  if (kind < box || kind > cone) return false;  // no such kind: nothing is built or written
  // An existing primitive keeps its recorded kind, so that its builder sees the change of kind.
  if (!primitive) type = static_cast<primitive_type>(kind);
  section.read(*this);
  return create_or_modify_sorvel_shape(scene, static_cast<primitive_type>(kind));
}
