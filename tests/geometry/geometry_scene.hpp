#pragma once
// A headless scene for the geometry tests: shapes are added under a dad by name, and joints
// come with their state set in one call, so a test reads like the scene it describes.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "geometry/shape_position_class.hpp"
#include "host/scene/scene.hpp"
#include "sdk/sxsdk.hpp"

namespace geometry_test {

using vec3 = sx::vec<float, 3>;
using points = std::vector<vec3>;
constexpr float pi = 3.14159265358979f;

/// Each component within `tol` of the expected one.
inline ::testing::AssertionResult near(const points& actual, const points& expected, float tol = 1e-3f) {
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << actual.size() << " points, expected " << expected.size();
  for (std::size_t i = 0; i < actual.size(); ++i)
    for (int c = 0; c < 3; ++c)
      if (!(std::fabs(actual[i][c] - expected[i][c]) <= tol))
        return ::testing::AssertionFailure() << "point " << i << " is " << actual[i] << ", expected " << expected[i];
  return ::testing::AssertionSuccess();
}
inline ::testing::AssertionResult near(const vec3& actual, const vec3& expected, float tol = 1e-3f) {
  return near(points{actual}, points{expected}, tol);
}

struct geometry_scene {
  sxsdk::host_ref<host::scene> scene = host::scene::create();

  host::part_shape& root() { return scene->root(); }
  host::part_shape& part(host::shape_node& dad, const std::string& name, int part_type = sxsdk::part_type::part) {
    return scene->add_part(dad, name, part_type);
  }
  /// A simple part placed by `t`.
  host::part_shape& placed_part(host::shape_node& dad, const std::string& name, const sxsdk::mat4& t) {
    host::part_shape& p = part(dad, name);
    p.set_transformation(t);
    return p;
  }
  host::polygon_mesh_shape& mesh(host::shape_node& dad, const std::string& name, const points& vertices) {
    host::polygon_mesh_shape& m = scene->add_polygon_mesh(dad, name);
    m.set_vertices(vertices);
    return m;
  }
  /// A mesh of n vertices (i, 10 i, 100 i) + base: every vertex is told apart by its position.
  host::polygon_mesh_shape& counted_mesh(host::shape_node& dad, const std::string& name, int n, float base = 0) {
    points v;
    for (int i = 0; i < n; ++i) v.push_back(vec3(base + i, base + 10.0f * i, base + 100.0f * i));
    return mesh(dad, name, v);
  }
  host::line_shape& line(host::shape_node& dad, const std::string& name, const points& positions) {
    return scene->add_line(dad, name, positions, false);
  }
  host::sphere_shape& sphere(host::shape_node& dad, const std::string& name, const vec3& centre) {
    return scene->add_sphere(dad, name, centre, vec3(10, 10, 10));
  }
  /// A ball joint at `position` with a motion offset and rotation.
  host::part_shape& ball(host::shape_node& dad, const std::string& name, const vec3& position, const vec3& offset = {},
                         const sxsdk::quaternion_class& rotation = {}) {
    host::part_shape& p = part(dad, name, sxsdk::part_type::ball_joint);
    p.joint().position = position;
    p.joint().offset = offset;
    p.joint().rotation = rotation;
    return p;
  }
  host::part_shape& bone(host::shape_node& dad, const std::string& name, const vec3& position, const vec3& offset = {},
                         const sxsdk::quaternion_class& rotation = {}) {
    host::part_shape& p = part(dad, name, sxsdk::part_type::bone_joint);
    p.joint().position = position;
    p.joint().offset = offset;
    p.joint().rotation = rotation;
    return p;
  }
  /// A rotator, slider, scale or uniform scale joint with its centre and axis.
  host::part_shape& axis_joint(host::shape_node& dad, const std::string& name, int part_type, const vec3& centre,
                               const vec3& axis) {
    host::part_shape& p = part(dad, name, part_type);
    p.joint().center = centre;
    p.joint().axis = axis;
    return p;
  }
  host::part_shape& camera(host::shape_node& dad, const std::string& name, const vec3& eye, const vec3& target) {
    host::part_shape& p = part(dad, name, sxsdk::part_type::camera_joint);
    p.camera()->eye = eye;
    p.camera()->target = target;
    return p;
  }
};

/// Selects an element: set_shape with the shape built, then set_index unless `index` is -1.
inline void select(shape_position_class& sp, host::shape_node& shape, int index) {
  ASSERT_FALSE(sp.set_shape(shape.sdk()));
  if (index >= 0) {
    ASSERT_FALSE(sp.set_index(index));
  }
}

}  // namespace geometry_test
