// Selection of the element, its matrices, whole-shape moves and kind names. Reading and
// writing the points themselves lives in shape_position_class_points.cpp.
#include "geometry/shape_position_class.hpp"

#include <exception>

namespace {

using sxsdk::mat4;
using sxsdk::shape_class;

sxsdk::host_ref<sxsdk::scene_interface> scene_of(shape_class& shape) {
  return sxsdk::host_ref<sxsdk::scene_interface>(shape.get_scene());
}

// A shape's own placement: its skin when it is bound to joints, else its scene matrices.
mat4 own_ltow(shape_class& shape) {
  sxsdk::skin_class& skin = shape.get_skin();
  return skin.get_number_of_binds() > 0 ? skin.get_skin_world_matrix() : shape.get_local_to_world_matrix();
}
mat4 own_wtol(shape_class& shape) {
  sxsdk::skin_class& skin = shape.get_skin();
  return skin.get_number_of_binds() > 0 ? skin.get_skin_world_matrix().inv() : shape.get_world_to_local_matrix();
}

const char* const shape_type_names[] = {"sentinel", "dxf",     "part",      "light",       "line",   "sphere",
                                        "disk",     "polygon", "m_surface", "proxy_shape", "m_image"};
const char* const part_type_names[] = {
    "part",  "surface",     "rotator", "slider",       "scale",        "uniscale",     "light_joint",    "path",
    "morph", "custom",      "ball",    "camera",       "sound",        "switch",       "path_rep.",      "sur._rep.",
    "bone",  "m_sur._part", "link",    "m_image_part", "m_shape_part", "m_shape_part", "local_axis_part"};
constexpr int shape_type_name_count = sizeof(shape_type_names) / sizeof(shape_type_names[0]);
constexpr int part_type_name_count = sizeof(part_type_names) / sizeof(part_type_names[0]);
// Part types from 100 up follow the joint types in the name table.
constexpr int master_part_type_shift = 83;

}  // namespace

bool shape_position_class::set_shape(sxsdk::shape_class& shape) {
  requested_index = -1;
  point_index = -1;
  const bool container =
      shape.get_type() == sxsdk::shape_type::part && shape.get_part().get_part_type() < sxsdk::part_type::rotator_joint;
  container_part = container ? &shape : nullptr;
  substance_shape = container ? nullptr : &shape;
  return false;
}

bool shape_position_class::set_index(int index) {
  if (container_part) {
    point_index = requested_index = index;
    // A failed look-up must not leave an earlier son selected: a later write would land on
    // the wrong vertex.
    substance_shape = nullptr;
    return get_substance_shape(*container_part);
  }
  if (!substance_shape) return true;
  const int type = substance_shape->get_type();
  if (type != sxsdk::shape_type::line && type != sxsdk::shape_type::polygon_mesh) return false;
  if (index < 0 || index >= substance_shape->get_number_of_points()) {
    point_index = -1;
    return true;
  }
  point_index = index;
  return false;
}

bool shape_position_class::get_substance_shape(sxsdk::shape_class& shape) {
  if (point_index < 0) return true;
  for (shape_class& son : sxsdk::sons(shape)) {
    const int n = son.get_number_of_points();
    if (point_index >= n) {
      point_index -= n;
      continue;
    }
    const int type = son.get_type();
    if (type == sxsdk::shape_type::line || type == sxsdk::shape_type::polygon_mesh) {
      substance_shape = &son;
      return false;
    }
    // A part below the container: its count covers the lines and meshes below it.
    return get_substance_shape(son);
  }
  return true;
}

shape_position_class::element_kind shape_position_class::kind() const {
  if (!substance_shape) return element_kind::none;
  shape_class& s = *substance_shape;
  switch (s.get_type()) {
    case sxsdk::shape_type::polygon_mesh:
      return element_kind::polygon_mesh;
    case sxsdk::shape_type::line:
      return element_kind::line;
    case sxsdk::shape_type::disk:
      return element_kind::disk;
    case sxsdk::shape_type::sphere:
      return element_kind::sphere;
    case sxsdk::shape_type::light:
      return element_kind::light;
    case sxsdk::shape_type::part:
      break;
    default:
      return element_kind::none;
  }
  if (s.is_ball_joint()) return element_kind::ball;
  auto scene = scene_of(s);
  if (scene && scene->is_bone_joint(s)) return element_kind::bone;
  if (s.is_rotator_joint()) return element_kind::rotator;
  if (s.is_slider_joint()) return element_kind::slider;
  if (s.is_scale_joint()) return element_kind::scale;
  if (s.is_uniscale_joint()) return element_kind::uniscale;
  if (s.get_part().get_part_type() == sxsdk::part_type::camera_joint) return element_kind::camera;
  return element_kind::none;
}

bool shape_position_class::index_in_range() const {
  if (!substance_shape || point_index < 0) return false;
  switch (substance_shape->get_type()) {
    case sxsdk::shape_type::polygon_mesh:
      return point_index < substance_shape->get_polygon_mesh().get_number_of_vertices();
    case sxsdk::shape_type::line:
      return point_index < substance_shape->get_line().get_number_of_control_points();
    default:
      return false;
  }
}

sxsdk::skin_class* shape_position_class::element_skin() {
  if (!index_in_range()) return nullptr;
  if (substance_shape->get_type() == sxsdk::shape_type::polygon_mesh)
    return &substance_shape->get_polygon_mesh().vertex(point_index).get_skin();
  return &substance_shape->control_point(point_index).get_skin();
}

sxsdk::mat4 shape_position_class::ltow() {
  if (!substance_shape) return container_part ? own_ltow(*container_part) : mat4::identity;
  // An unbound vertex or control point falls through to the shape's own skin, as wtol does:
  // the two must stay inverses or a world read written back would move the point.
  if (sxsdk::skin_class* skin = element_skin(); skin && skin->get_number_of_binds() > 0)
    return skin->get_skin_world_matrix();
  if (kind() == element_kind::ball) {
    const mat4 axis = substance_shape->get_part().get_axis_matrix();
    return axis.inv() * substance_shape->get_transformation() * own_ltow(*substance_shape);
  }
  return own_ltow(*substance_shape);
}

sxsdk::mat4 shape_position_class::wtol() {
  if (!substance_shape) return container_part ? own_wtol(*container_part) : mat4::identity;
  if (sxsdk::skin_class* skin = element_skin(); skin && skin->get_number_of_binds() > 0)
    return skin->get_skin_world_matrix().inv();
  const element_kind k = kind();
  if (k == element_kind::ball || k == element_kind::bone) return ltow().inv();
  return own_wtol(*substance_shape);
}

bool shape_position_class::get() {
  if (get_local() || !substance_shape) return true;
  if (!world) return false;
  try {
    if (kind() == element_kind::bone) {
      // A bone's world position is where its transformation puts its origin.
      const mat4 t = substance_shape->get_transformation();
      const sx::vec<float, 4> row(t[3][0], t[3][1], t[3][2], t[3][3]);
      const sx::vec<float, 4> w = row * ltow();
      positions.assign(1, point(w.x, w.y, w.z));
      return false;
    }
    const mat4 m = ltow();
    for (point& p : positions) p = p * m;
    return false;
  } catch (const std::exception&) {
    positions.clear();
    return true;
  }
}

bool shape_position_class::set(bool update) { return world ? set_world(wtol(), update) : set_local(update); }

bool shape_position_class::mov() { return world ? move_world(wtol()) : move_local(); }

bool shape_position_class::move_world(const sxsdk::mat4& world_to_local) {
  if (!world || positions.empty()) return true;
  const point target = positions.front() * world_to_local;
  if (get_local() || translate_shape(target)) return true;
  return get();
}

bool shape_position_class::move_local() {
  if (world || positions.empty()) return true;
  const point target = positions.front();
  if (get_local() || translate_shape(target)) return true;
  return get_local();
}

// Moves the whole shape by the step from the element's first point (just read into
// positions) to `target`, both in the element's local coordinates.
bool shape_position_class::translate_shape(const point& target) {
  shape_class* moved = container_part ? container_part : substance_shape;
  if (!moved || positions.empty()) return true;
  try {
    moved->transform(mat4::translate(target - positions.front()));
    return false;
  } catch (const std::exception&) {
    return true;
  }
}

sxsdk::shape_class* shape_position_class::get_son_bone(sxsdk::shape_class& shape) {
  auto scene = scene_of(shape);
  if (!scene) return nullptr;
  for (shape_class& son : sxsdk::sons(shape))
    if (scene->is_bone_joint(son)) return &son;
  return nullptr;
}

std::string shape_position_class::get_type_name() {
  shape_class* shape = container_part ? container_part : substance_shape;
  if (!shape) return "";
  const int type = shape->get_type();
  if (type != sxsdk::shape_type::part && type < shape_type_name_count) return type >= 0 ? shape_type_names[type] : "";
  try {
    int part_type = shape->get_part().get_part_type();
    if (part_type >= sxsdk::part_type::master_surface_part) part_type -= master_part_type_shift;
    return part_type >= 0 && part_type < part_type_name_count ? part_type_names[part_type] : "";
  } catch (const std::exception&) {
    return "";  // a shape code past the table that is no part after all: nothing to name
  }
}
