#pragma once
// A small helper to build scene trees in tests by path: add<part>("root/World/Ball") finds the
// dad by the path before the last '/' and appends the new shape there.
#include <stdexcept>
#include <string>

#include "host/scene/scene.hpp"
#include "sdk/sxsdk.hpp"

namespace host_test {

using vec3 = sx::vec<float, 3>;

struct scene_fixture {
  sxsdk::host_ref<host::scene> scene = host::scene::create();

  host::shape_node& dad_of(const std::string& path) {
    const auto slash = path.rfind('/');
    host::shape_node* dad = scene->find(path.substr(0, slash));
    if (!dad) throw std::invalid_argument("no dad for " + path);
    return *dad;
  }
  static std::string leaf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

  host::part_shape& part(const std::string& path, int part_type = sxsdk::part_type::part) {
    return scene->add_part(dad_of(path), leaf(path), part_type);
  }
  host::polygon_mesh_shape& mesh(const std::string& path, std::vector<vec3> vertices = {}) {
    auto& m = scene->add_polygon_mesh(dad_of(path), leaf(path));
    m.set_vertices(vertices);
    return m;
  }
  host::sphere_shape& sphere(const std::string& path, vec3 center = {}) {
    return scene->add_sphere(dad_of(path), leaf(path), center, {10, 10, 10});
  }
  host::shape_node& at(const std::string& path) {
    host::shape_node* s = scene->find(path);
    if (!s) throw std::invalid_argument("no shape " + path);
    return *s;
  }
};

}  // namespace host_test
