#include "host/cli/primitive_mesh.hpp"

#include <cmath>

namespace host {
namespace {

constexpr int segments = 24;  // around the axis
constexpr int arc_steps = 8;  // per quarter circle of a sphere or capsule
constexpr double pi = 3.14159265358979323846;

using dvec = std::array<double, 3>;

// One point of a profile turned about Y: radius, height, and the normal's (radial, y) parts.
struct profile_point {
  double r, y, nr, ny;
};

class mesh_builder {
 public:
  explicit mesh_builder(int direction) : direction_(direction) {}

  std::uint16_t vertex(dvec p, dvec n) {
    const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (double& c : n) c /= len;
    out.positions.push_back(to_axis(p));
    out.normals.push_back(to_axis(n));
    return static_cast<std::uint16_t>(out.positions.size() - 1);
  }

  // Adds a triangle wound counter-clockwise about its vertices' normals; a degenerate one is
  // dropped (the validator warns about them and they draw nothing).
  void triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
    const auto& pa = out.positions[a];
    const auto& pb = out.positions[b];
    const auto& pc = out.positions[c];
    const dvec u{pb[0] - pa[0], pb[1] - pa[1], pb[2] - pa[2]};
    const dvec v{pc[0] - pa[0], pc[1] - pa[1], pc[2] - pa[2]};
    const dvec g{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const double area2 = g[0] * g[0] + g[1] * g[1] + g[2] * g[2];
    if (!(area2 > 1e-24)) return;
    double facing = 0;
    for (int i = 0; i < 3; ++i) facing += g[i] * (out.normals[a][i] + out.normals[b][i] + out.normals[c][i]);
    if (facing < 0) std::swap(b, c);
    out.indices.insert(out.indices.end(), {a, b, c});
  }

  void lathe(const std::vector<profile_point>& profile) {
    std::vector<std::vector<std::uint16_t>> rings;
    for (const profile_point& p : profile) {
      std::vector<std::uint16_t> ring;
      for (int j = 0; j < segments; ++j) {
        // A pole's vertices take the normal of the middle of their wedge.
        const double a = 2 * pi * (j + (p.r == 0 ? 0.5 : 0.0)) / segments;
        ring.push_back(
            vertex({p.r * std::cos(a), p.y, -p.r * std::sin(a)}, {p.nr * std::cos(a), p.ny, -p.nr * std::sin(a)}));
      }
      rings.push_back(ring);
    }
    for (std::size_t i = 0; i + 1 < rings.size(); ++i) band(rings[i], rings[i + 1]);
  }

  void quad(const dvec& normal, const dvec& u, const dvec& v, const dvec& centre) {
    std::uint16_t idx[4];
    const double su[4] = {-1, 1, 1, -1}, sv[4] = {-1, -1, 1, 1};
    for (int k = 0; k < 4; ++k)
      idx[k] = vertex({centre[0] + su[k] * u[0] + sv[k] * v[0], centre[1] + su[k] * u[1] + sv[k] * v[1],
                       centre[2] + su[k] * u[2] + sv[k] * v[2]},
                      normal);
    triangle(idx[0], idx[1], idx[2]);
    triangle(idx[0], idx[2], idx[3]);
  }

  primitive_mesh out;

 private:
  void band(const std::vector<std::uint16_t>& a, const std::vector<std::uint16_t>& b) {
    for (int j = 0; j < segments; ++j) {
      const int k = (j + 1) % segments;
      triangle(a[j], a[k], b[j]);
      triangle(a[k], b[k], b[j]);
    }
  }

  // Y is the modelling axis; X and Z directions are proper rotations of it (winding kept).
  std::array<float, 3> to_axis(const dvec& p) const {
    auto f = [](double v) { return static_cast<float>(v); };
    if (direction_ == 1) return {f(p[1]), f(-p[0]), f(p[2])};
    if (direction_ == 2) return {f(p[0]), f(-p[2]), f(p[1])};
    return {f(p[0]), f(p[1]), f(p[2])};
  }

  int direction_;
};

// A quarter or half circle of radius r about (0, y0), angles from a0 to a1 (radians, 0 = out).
void arc(std::vector<profile_point>& profile, double r, double y0, double a0, double a1, int steps) {
  for (int k = 0; k <= steps; ++k) {
    const double a = a0 + (a1 - a0) * k / steps;
    const double c = k == 0 && a0 == -pi / 2 ? 0 : std::cos(a);  // exact poles
    profile.push_back({r * std::max(0.0, c), y0 + r * std::sin(a), std::cos(a), std::sin(a)});
  }
}

primitive_mesh box(const std::array<float, 3>& h) {
  mesh_builder b(0);
  const double x = h[0], y = h[1], z = h[2];
  b.quad({1, 0, 0}, {0, y, 0}, {0, 0, z}, {x, 0, 0});
  b.quad({-1, 0, 0}, {0, y, 0}, {0, 0, z}, {-x, 0, 0});
  b.quad({0, 1, 0}, {x, 0, 0}, {0, 0, z}, {0, y, 0});
  b.quad({0, -1, 0}, {x, 0, 0}, {0, 0, z}, {0, -y, 0});
  b.quad({0, 0, 1}, {x, 0, 0}, {0, y, 0}, {0, 0, z});
  b.quad({0, 0, -1}, {x, 0, 0}, {0, y, 0}, {0, 0, -z});
  return b.out;
}

std::vector<profile_point> capsule_profile(double r, double half_middle) {
  std::vector<profile_point> p;
  arc(p, r, -half_middle, -pi / 2, 0, arc_steps);
  arc(p, r, half_middle, 0, pi / 2, arc_steps);
  p.back().r = 0;
  return p;
}

std::vector<profile_point> cylinder_profile(double r, double half_height) {
  return {{0, -half_height, 0, -1}, {r, -half_height, 0, -1}, {r, -half_height, 1, 0},
          {r, half_height, 1, 0},   {r, half_height, 0, 1},   {0, half_height, 0, 1}};
}

std::vector<profile_point> cone_profile(double r, double height) {
  const double h = height / 2;
  // The side's outward normal is perpendicular to the slope from the rim to the apex.
  return {{0, -h, 0, -1}, {r, -h, 0, -1}, {r, -h, height, r}, {0, h, height, r}};
}

}  // namespace

primitive_mesh primitive_mesh::of(const primitive_shape& shape) {
  const auto& s = shape.size;
  using k = primitive_shape::kind;
  if (shape.type == k::box) return box(s);
  mesh_builder b(shape.type == k::sphere ? 0 : shape.direction);
  switch (shape.type) {
    case k::sphere:
      b.lathe(capsule_profile(s[0], 0));
      break;
    case k::capsule:
      b.lathe(capsule_profile(s[0], s[1] / 2));
      break;
    case k::cylinder:
      b.lathe(cylinder_profile(s[0], s[1] / 2));  // measured as the full height, like a cone
      break;
    case k::cone:
      b.lathe(cone_profile(s[0], s[1]));
      break;
    case k::box:
      break;
  }
  return b.out;
}

}  // namespace host
