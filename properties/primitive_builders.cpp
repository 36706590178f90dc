// primitive_properties: building the scene shape of each primitive kind (millimetres).
#include <utility>

#include "base/units.hpp"
#include "properties/primitive_properties.hpp"
#include "sdk/sxsdk.hpp"

namespace {

using vec3 = sx::vec<float, 3>;
using units::millimetres_per_metre;
constexpr float handle_per_radius = 0.552285f;  // quarter-circle Bezier handle length / radius

// Keeps the host's creation bracket balanced even when a creation call throws.
class creating {
 public:
  explicit creating(sxsdk::scene_interface& scene) : scene_(scene) { scene_.begin_creating(); }
  ~creating() { scene_.end_creating(); }
  creating(const creating&) = delete;
  creating& operator=(const creating&) = delete;

 private:
  sxsdk::scene_interface& scene_;
};

// One control point: its position and its in- and out-handles.
struct bezier_point {
  vec3 position, in, out;
};

// Points of a capsule along direction 0 (Y), 1 (X) or 2 (Z); false for any other direction.
bool capsule_points(int direction, float r, float h2, float k, bezier_point (&p)[4]) {
  vec3 a, b, c, d, ka, kb, kc, kd;  // points and the offsets of their one handle each
  switch (direction) {
    case 0:
      a = {0, -h2 - r, 0};
      b = {r, -h2, 0};
      c = {r, h2, 0};
      d = {0, h2 + r, 0};
      ka = {k, 0, 0};
      kb = {0, -k, 0};
      kc = {0, k, 0};
      kd = {k, 0, 0};
      break;
    case 1:
      a = {h2 + r, 0, 0};
      b = {h2, 0, r};
      c = {-h2, 0, r};
      d = {-h2 - r, 0, 0};
      ka = {0, 0, k};
      kb = {k, 0, 0};
      kc = {-k, 0, 0};
      kd = {0, 0, k};
      break;
    case 2:
      a = {0, 0, h2 + r};
      b = {r, 0, h2};
      c = {r, 0, -h2};
      d = {0, 0, -h2 - r};
      ka = {k, 0, 0};
      kb = {0, 0, k};
      kc = {0, 0, -k};
      kd = {k, 0, 0};
      break;
    default:
      return false;
  }
  p[0] = {a, a, a + ka};
  p[1] = {b, b + kb, b};
  p[2] = {c, c, c + kc};
  p[3] = {d, d + kd, d};
  return true;
}

// Points of a cone (no handles): base centre, base rim, apex.
bool cone_points(int direction, float r, float h2, bezier_point (&p)[3]) {
  vec3 a, b, c;
  switch (direction) {
    case 0:
      a = {0, -h2, 0};
      b = {r, -h2, 0};
      c = {0, h2, 0};
      break;
    case 1:
      a = {-h2, 0, 0};
      b = {-h2, 0, r};
      c = {h2, 0, 0};
      break;
    case 2:
      a = {0, 0, -h2};
      b = {r, 0, -h2};
      c = {0, 0, h2};
      break;
    default:
      return false;
  }
  p[0] = {a, a, a};
  p[1] = {b, b, b};
  p[2] = {c, c, c};
  return true;
}

template <std::size_t N>
void set_points(sxsdk::shape_class& line, const bezier_point (&p)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    sxsdk::control_point_class& cp = line.control_point(static_cast<int>(i));
    cp.set_position(p[i].position);
    cp.set_in_handle(p[i].in);
    cp.set_out_handle(p[i].out);
  }
}

template <std::size_t N>
void positions_of(const bezier_point (&p)[N], vec3 (&out)[N]) {
  for (std::size_t i = 0; i < N; ++i) out[i] = p[i].position;
}

}  // namespace

bool primitive_properties::in_place(collisionshape_datas::primitive_type kind) const {
  return primitive_shape() != nullptr && type == kind;
}

void primitive_properties::take_new_shape(sxsdk::shape_class& made) {
  if (sxsdk::shape_class* old = primitive_shape(); old && old != &made) old->remove();
  shape = &made;
}

void primitive_properties::finish_shape() {
  primitive_shape()->set_visible(visible ? 1 : 0);
  primitive_shape()->set_render_flag(false);
}

namespace {

// A line of the record's kind can be rebuilt in place only when it still has the points.
bool line_with(sxsdk::shape_class* s, int count) {
  return s && s->get_type() == sxsdk::shape_type::line && s->get_line().get_number_of_control_points() == count;
}

// New shapes land next to the shape they replace, so a primitive stays inside its body part.
void make_room(sxsdk::shape_class* old) {
  if (old) old->make_current();
}

}  // namespace

bool primitive_properties::create_or_modify_box_shape(sxsdk::scene_interface& scene,
                                                      collisionshape_datas::primitive_type kind) {
  const float x = size[0] * millimetres_per_metre, y = size[1] * millimetres_per_metre,
              z = size[2] * millimetres_per_metre;
  const bezier_point p[4] = {{{-x, -y, -z}, {-x, -y, -z}, {-x, -y, -z}},
                             {{-x, -y, z}, {-x, -y, z}, {-x, -y, z}},
                             {{x, -y, z}, {x, -y, z}, {x, -y, z}},
                             {{x, -y, -z}, {x, -y, -z}, {x, -y, -z}}};
  if (in_place(kind) && line_with(primitive_shape(), 4)) {
    set_points(*primitive_shape(), p);
  } else {
    vec3 points[4];
    positions_of(p, points);
    make_room(primitive_shape());
    sxsdk::line_class* made = nullptr;
    {
      creating bracket(scene);
      made = &scene.create_line("Box", 4, points, true);
    }
    take_new_shape(*made);
  }
  primitive_shape()->set_sweep({0, 2 * y, 0});
  finish_shape();
  return true;
}

bool primitive_properties::create_or_modify_capsule_shape(sxsdk::scene_interface& scene,
                                                          collisionshape_datas::primitive_type kind) {
  const float r = size[0] * millimetres_per_metre, h2 = size[1] * millimetres_per_metre / 2;
  bezier_point p[4];
  if (!capsule_points(direction, r, h2, r * handle_per_radius, p)) return false;
  if (!(in_place(kind) && line_with(primitive_shape(), 4))) {
    vec3 points[4];
    positions_of(p, points);
    make_room(primitive_shape());
    sxsdk::line_class* made = nullptr;
    {
      creating bracket(scene);
      made = &scene.create_line("Capsule", 4, points, false);
    }
    take_new_shape(*made);
  }
  set_points(primitive_shape()->get_line(), p);
  primitive_shape()->set_revolution_axis(p[0].position, p[3].position);
  finish_shape();
  return true;
}

bool primitive_properties::create_or_modify_cone_shape(sxsdk::scene_interface& scene,
                                                       collisionshape_datas::primitive_type kind) {
  const float r = size[0] * millimetres_per_metre, h2 = size[1] * millimetres_per_metre / 2;
  bezier_point p[3];
  if (!cone_points(direction, r, h2, p)) return false;
  if (in_place(kind) && line_with(primitive_shape(), 3)) {
    set_points(*primitive_shape(), p);
  } else {
    vec3 points[3];
    positions_of(p, points);
    make_room(primitive_shape());
    sxsdk::line_class* made = nullptr;
    {
      creating bracket(scene);
      made = &scene.create_line("Cone", 3, points, false);
    }
    take_new_shape(*made);
  }
  primitive_shape()->set_revolution_axis(p[0].position, p[2].position);
  finish_shape();
  return true;
}

namespace {

// A cylinder's disk along direction 0 (Y), 1 (X) or 2 (Z): its orientation (the identity with
// its first two rows spanning the disk, scaled by the radius), centre and sweep.
bool cylinder_frame(int direction, float r, float h, sxsdk::mat4& m, vec3& centre, vec3& sweep) {
  m = sxsdk::mat4::identity;
  const float rows[3][2][3] = {{{r, 0, 0}, {0, 0, -r}}, {{0, 0, r}, {0, r, 0}}, {{r, 0, 0}, {0, r, 0}}};
  if (direction < 0 || direction > 2) return false;
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col) m[row][col] = rows[direction][row][col];
  const int axis = direction == 0 ? 1 : direction == 1 ? 0 : 2;  // Y, X, Z
  centre = vec3();
  sweep = vec3();
  centre[axis] = -h / 2;
  sweep[axis] = h;
  return true;
}

}  // namespace

bool primitive_properties::create_or_modify_cylinder_shape(sxsdk::scene_interface& scene,
                                                           collisionshape_datas::primitive_type kind) {
  const float r = size[0] * millimetres_per_metre, h = size[1] * millimetres_per_metre;
  sxsdk::mat4 orientation;
  vec3 centre, sweep;
  if (!cylinder_frame(direction, r, h, orientation, centre, sweep)) return false;
  sxsdk::shape_class* old = primitive_shape();
  if (in_place(kind) && old->get_type() == sxsdk::shape_type::disk) {
    old->get_disk().set_radius(r);
  } else {
    make_room(old);
    sxsdk::disk_class* made = nullptr;
    {
      creating bracket(scene);
      made = &scene.create_disk("Cylinder", vec3(), r);
    }
    take_new_shape(*made);
  }
  sxsdk::disk_class& disk = primitive_shape()->get_disk();
  disk.set_matrix(orientation);
  disk.set_center(centre);
  disk.set_sweep(sweep);
  finish_shape();
  return true;
}

bool primitive_properties::create_or_modify_sphere_shape(sxsdk::scene_interface& scene,
                                                         collisionshape_datas::primitive_type kind) {
  const float r = size[0] * millimetres_per_metre;
  sxsdk::shape_class* old = primitive_shape();
  if (!(in_place(kind) && old->get_type() == sxsdk::shape_type::sphere)) {
    make_room(old);
    sxsdk::sphere_class* made = nullptr;
    {
      creating bracket(scene);
      made = &scene.create_sphere("Sphere", vec3(), r);
    }
    take_new_shape(*made);
  }
  sxsdk::sphere_class& sphere = primitive_shape()->get_sphere();
  sphere.set_radius({r, r, r});
  sphere.set_center(vec3());
  finish_shape();
  return true;
}
