// Reading and writing the points of the selected element, kind by kind.
#include <exception>

#include "geometry/shape_position_class.hpp"

namespace {

using sxsdk::shape_class;
using point = shape_position_class::point;

// Hosts older than this have no update bracket for bone joints.
constexpr int first_version_with_bone_update = 463085;

// Makes a camera joint the scene's current camera for the life of the guard, then puts the
// user's camera selection back on every path out.
class camera_selection_guard {
 public:
  camera_selection_guard(sxsdk::scene_interface& scene, shape_class& joint)
      : scene_(scene), saved_(scene.get_camera_selection()) {
    joint.get_part().select_camera_joint();
  }
  ~camera_selection_guard() {
    try {
      scene_.set_camera_selection(saved_);
    } catch (const std::exception&) {
      // Nothing sensible is left to do in a destructor; the read or write already failed.
    }
  }
  camera_selection_guard(const camera_selection_guard&) = delete;
  camera_selection_guard& operator=(const camera_selection_guard&) = delete;

 private:
  sxsdk::scene_interface& scene_;
  int saved_;
};

template <typename T>
sxsdk::host_ref<T> adopt(T* reference) {
  return sxsdk::host_ref<T>(reference);
}

}  // namespace

bool shape_position_class::get_local() {
  positions.clear();
  if (!substance_shape) return true;
  try {
    if (!read_points(kind())) return false;
  } catch (const std::exception&) {
  }
  positions.clear();
  return true;
}

bool shape_position_class::read_points(element_kind k) {
  shape_class& s = *substance_shape;
  switch (k) {
    case element_kind::polygon_mesh:
      if (!index_in_range()) return true;
      positions = {s.get_polygon_mesh().vertex(point_index).get_position()};
      return false;
    case element_kind::line: {
      if (!index_in_range()) return true;
      const sxsdk::control_point_class& cp = s.control_point(point_index);
      positions = {cp.get_position(), cp.get_in_handle(), cp.get_out_handle(), cp.get_fourth_handle(),
                   cp.get_fifth_handle()};
      return false;
    }
    case element_kind::disk:
      positions = {s.get_disk().get_center()};
      return false;
    case element_kind::sphere:
      positions = {s.get_sphere().get_center()};
      return false;
    case element_kind::light:
      positions = {s.get_light().get_position()};
      return false;
    case element_kind::none:
      return true;
    default:
      return read_joint_points(k);
  }
}

bool shape_position_class::read_joint_points(element_kind k) {
  shape_class& s = *substance_shape;
  if (k == element_kind::ball) {
    auto joint = adopt(s.get_ball_joint());
    if (!joint) return true;
    positions = {joint->get_position()};
    return false;
  }
  auto scene = adopt(s.get_scene());
  if (!scene) return true;
  if (k == element_kind::bone) {
    auto bone = adopt(scene->get_bone_joint(s));
    if (!bone) return true;
    positions = {bone->get_position()};
    return false;
  }
  if (k == element_kind::camera) {
    camera_selection_guard guard(*scene, s);
    auto camera = adopt(scene->get_camera());
    if (!camera) return true;
    positions = {camera->get_eye(), camera->get_target()};
    return false;
  }
  auto joint = adopt(s.get_joint());
  if (!joint) return true;
  const point centre = joint->get_center();
  const point axis = joint->get_axis();
  switch (k) {
    // The rotator's second point marks half its axis; a write stores twice the difference.
    case element_kind::rotator:
      positions = {centre, centre + axis * 0.5f};
      return false;
    case element_kind::slider:
      positions = {centre, axis};
      return false;
    case element_kind::scale:
      positions = {centre, centre + axis};
      return false;
    case element_kind::uniscale:
      positions = {centre};
      return false;
    default:
      return true;
  }
}

bool shape_position_class::set_local(bool update) {
  if (!substance_shape) return true;
  return write_points(positions, update);
}

bool shape_position_class::set_world(const sxsdk::mat4& world_to_local, bool update) {
  if (!substance_shape) return true;
  std::vector<point> local(positions);
  for (point& p : local) p = p * world_to_local;
  // A bone's world point is where its motion carries its origin (see get): its position plus
  // the motion offset. Stored as the position it would move on by the offset at every write.
  if (kind() == element_kind::bone && local.size() == 1 && take_off_bone_offset(local[0])) return true;
  return write_points(local, update);
}

bool shape_position_class::take_off_bone_offset(point& moved) {
  try {
    auto scene = adopt(substance_shape->get_scene());
    auto bone = adopt(scene ? scene->get_bone_joint(*substance_shape) : nullptr);
    if (!bone) return true;
    moved = moved - bone->get_offset();
    return false;
  } catch (const std::exception&) {
    return true;
  }
}

std::size_t shape_position_class::point_count(element_kind k) {
  switch (k) {
    case element_kind::line:
      return 5;
    case element_kind::rotator:
    case element_kind::slider:
    case element_kind::scale:
    case element_kind::camera:
      return 2;
    case element_kind::none:
      return 0;
    default:
      return 1;
  }
}

bool shape_position_class::write_points(const std::vector<point>& points, bool update) {
  try {
    const element_kind k = kind();
    if (k == element_kind::none || points.size() != point_count(k)) return true;
    if ((k == element_kind::polygon_mesh || k == element_kind::line) && !index_in_range()) return true;
    shape_class* owner = update ? update_owner(k) : nullptr;
    // Released without end() on an exception, which ends the bracket too.
    auto token = adopt(owner ? owner->begin_update() : nullptr);
    shape_class& s = *substance_shape;
    switch (k) {
      case element_kind::polygon_mesh:
        s.get_polygon_mesh().vertex(point_index).set_position(points[0]);
        break;
      case element_kind::line: {
        sxsdk::control_point_class& cp = s.control_point(point_index);
        cp.set_position(points[0]);
        cp.set_in_handle(points[1]);
        cp.set_out_handle(points[2]);
        cp.set_fourth_handle(points[3]);
        cp.set_fifth_handle(points[4]);
        break;
      }
      case element_kind::disk:
        s.get_disk().set_center(points[0]);
        break;
      case element_kind::sphere:
        s.get_sphere().set_center(points[0]);
        break;
      case element_kind::light:
        s.get_light().set_position(points[0]);
        break;
      default:
        if (write_joint_points(k, points)) return true;
    }
    if (token) token->end();
    return false;
  } catch (const std::exception&) {
    return true;
  }
}

bool shape_position_class::write_joint_points(element_kind k, const std::vector<point>& points) {
  shape_class& s = *substance_shape;
  if (k == element_kind::ball) {
    auto joint = adopt(s.get_ball_joint());
    if (!joint) return true;
    joint->set_position(points[0]);
    return false;
  }
  auto scene = adopt(s.get_scene());
  if (!scene) return true;
  if (k == element_kind::bone) {
    auto bone = adopt(scene->get_bone_joint(s));
    if (!bone) return true;
    bone->set_position(points[0]);
    return false;
  }
  if (k == element_kind::camera) {
    camera_selection_guard guard(*scene, s);
    auto camera = adopt(scene->get_camera());
    if (!camera) return true;
    camera->set_eye(points[0]);
    camera->set_target(points[1]);
    return false;
  }
  auto joint = adopt(s.get_joint());
  if (!joint) return true;
  // Points exactly as read give the rotator back its own axis bit for bit (twice the
  // difference of two rounded points need not be).
  const point axis = joint->get_axis();
  const bool rotator_as_read = points[0] == joint->get_center() && points[1] == points[0] + axis * 0.5f;
  joint->set_center(points[0]);
  if (k == element_kind::rotator) joint->set_axis(rotator_as_read ? axis : (points[1] - points[0]) * 2.0f);
  if (k == element_kind::scale) joint->set_axis(points[1] - points[0]);
  if (k == element_kind::slider) joint->set_axis(points[1]);
  return false;
}

shape_class* shape_position_class::update_owner(element_kind k) {
  if (k == element_kind::line) return container_part ? container_part : substance_shape;
  if (k != element_kind::bone) return substance_shape;
  auto scene = adopt(substance_shape->get_scene());
  return scene && scene->get_version() >= first_version_with_bone_update ? substance_shape : nullptr;
}
