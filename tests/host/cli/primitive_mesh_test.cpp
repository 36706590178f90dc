// primitive_mesh: every kind along every axis is a closed, outward-wound surface of unit
// normals whose volume (divergence theorem) approaches the solid's closed-form volume from
// below, and whose extent along its axis is the solid's.
#include "host/cli/primitive_mesh.hpp"

#include <cmath>

#include <gtest/gtest.h>

namespace {

constexpr double pi = 3.14159265358979323846;
using kind = host::primitive_shape::kind;

struct solid {
  kind type;
  std::array<float, 3> size;
  double volume;     // closed form
  double half_axis;  // extent from the centre along the axis
  double tolerance;  // relative volume lost to the tessellation
};

double mesh_volume(const host::primitive_mesh& m) {
  double v = 0;
  for (std::size_t i = 0; i < m.indices.size(); i += 3) {
    const auto& a = m.positions[m.indices[i]];
    const auto& b = m.positions[m.indices[i + 1]];
    const auto& c = m.positions[m.indices[i + 2]];
    v += (double(a[0]) * (double(b[1]) * c[2] - double(b[2]) * c[1]) -
          double(a[1]) * (double(b[0]) * c[2] - double(b[2]) * c[0]) +
          double(a[2]) * (double(b[0]) * c[1] - double(b[1]) * c[0])) /
         6;
  }
  return v;
}

// Every solid is convex and centred on the origin: each triangle must face away from it.
void expect_outward(const host::primitive_mesh& m) {
  for (std::size_t i = 0; i < m.indices.size(); i += 3) {
    const auto& a = m.positions[m.indices[i]];
    const auto& b = m.positions[m.indices[i + 1]];
    const auto& c = m.positions[m.indices[i + 2]];
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
    const double centroid_dot = n[0] * (a[0] + b[0] + c[0]) + n[1] * (a[1] + b[1] + c[1]) + n[2] * (a[2] + b[2] + c[2]);
    ASSERT_GT(centroid_dot, 0) << "triangle " << i / 3 << " faces inward";
  }
}

TEST(primitive_mesh, closed_outward_surfaces_with_the_closed_form_volume) {
  const double r = 0.1, h = 0.3;
  const solid solids[] = {
      {kind::box, {0.1f, 0.2f, 0.3f}, 8 * 0.1 * 0.2 * 0.3, 0.2, 1e-6},
      {kind::sphere, {0.1f, 0.1f, 0.1f}, 4.0 / 3 * pi * r * r * r, r, 0.04},
      {kind::capsule, {0.1f, 0.3f, 0}, pi * r * r * h + 4.0 / 3 * pi * r * r * r, r + h / 2, 0.04},
      // A cylinder's size.y is its full height, as the scene draws it (sweep = height).
      {kind::cylinder, {0.1f, 0.3f, 0.1f}, pi * r * r * h, h / 2, 0.02},
      {kind::cone, {0.1f, 0.3f, 0}, pi * r * r * h / 3, h / 2, 0.02},
  };
  for (const solid& s : solids)
    for (int direction : {0, 1, 2}) {
      host::primitive_shape shape;
      shape.valid = true;
      shape.type = s.type;
      shape.size = s.size;
      shape.direction = direction;
      const host::primitive_mesh m = host::primitive_mesh::of(shape);
      SCOPED_TRACE(std::string(host::primitive_kind_name(s.type)) + " direction " + std::to_string(direction));
      ASSERT_FALSE(m.indices.empty());
      ASSERT_EQ(m.positions.size(), m.normals.size());
      for (const auto& n : m.normals) EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0, 1e-6);
      expect_outward(m);
      const double v = mesh_volume(m);
      EXPECT_LE(v, s.volume * (1 + 1e-6));
      EXPECT_GE(v, s.volume * (1 - s.tolerance));
      // The long axis: Y for direction 0, X for 1, Z for 2 (a box ignores its direction).
      const int axis = s.type == kind::box ? 1 : direction == 1 ? 0 : direction == 2 ? 2 : 1;
      double top = 0;
      for (const auto& p : m.positions) top = std::max(top, double(p[axis]));
      EXPECT_NEAR(top, s.half_axis, 1e-6);
    }
}

}  // namespace
