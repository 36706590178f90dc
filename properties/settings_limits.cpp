#include "properties/settings_limits.hpp"

#include <cmath>
#include <sstream>

#include "sdk/shape_class.hpp"

namespace settings_limits {
namespace {

// A closed range low..high, or one open at its low end (the value must be above it).
struct range {
  const char* item;
  float low, high;
  bool low_open = false;
  const char* unit = "";
};

std::string number(double v) {
  std::ostringstream o;
  o << v;
  return o.str();
}

std::string problem(const range& r, float value) {
  const bool above_low = r.low_open ? value > r.low : value >= r.low;
  if (std::isfinite(value) && above_low && value <= r.high) return "";
  const std::string unit = *r.unit ? std::string(" ") + r.unit : "";
  return "\"" + std::string(r.item) + "\" " + number(value) + " is outside its range (" +
         (r.low_open ? "more than " : "from ") + number(r.low) + unit + (r.low_open ? ", at most " : " to ") +
         number(r.high) + unit + ")";
}

std::string vector_problem(const range& r, const btVector3& v) {
  for (int i = 0; i < 3; ++i) {
    std::string p = problem(r, v[i]);
    if (!p.empty()) return p;
  }
  return "";
}

// In double: a row of 1e30 has a length, though its square overflows a float.
float length(const btVector3& v) {
  return static_cast<float>(std::sqrt(double(v.x()) * v.x() + double(v.y()) * v.y() + double(v.z()) * v.z()));
}

}  // namespace

std::string world_problem(const world_datas& w) {
  const std::pair<range, float> checks[] = {
      {{"Scale Factor", 1e-3f, 1e3f}, w.scale_factor},
      {{"Gravity", -1e5f, 1e5f, false, "m/tt"}, w.gravity},
      {{"Hight", -1e6f, 1e6f, false, "m"}, w.height},
      {{"Air Density", 0.0f, 1e6f}, w.air_density},
      {{"Simulation Cycle", 0.0f, 1e4f, true}, w.simulation_cycle},
  };
  for (const auto& [r, value] : checks) {
    std::string p = problem(r, value);
    if (!p.empty()) return p;
  }
  const range boundary{"Boundary", -3e38f, 3e38f, false, "m"};
  std::string p = vector_problem(boundary, w.boundary_min);
  return p.empty() ? vector_problem(boundary, w.boundary_max) : p;
}

std::string rigidbody_problem(const rigidbody_datas& b) {
  std::string p;
  auto check = [&p](const range& r, float value) {
    if (p.empty()) p = problem(r, value);
  };
  if (b.type == rigidbody_datas::move) {
    // Mass 0 is Bullet's immovable body, which older scenes may hold on a moving body: kept.
    if (b.mass != 0.0f) check({"Mass", 1e-6f, 1e6f}, b.mass);
    if (p.empty()) p = vector_problem({"Velocity", -1e5f, 1e5f, false, "m/s"}, b.velocity);
  }
  check({"Friction", 0.0f, 1e6f}, b.friction);
  check({"Restitution", 0.0f, 1e6f}, b.restitution);
  check({"LinerDamping", 0.0f, 1.0f}, b.linear_damping);
  check({"AngularDamping", 0.0f, 1.0f}, b.angular_damping);
  for (int row = 0; row < 3 && p.empty(); ++row)
    check({"start basis row length", 0.0f, 10.0f}, length(b.transform.getBasis()[row]));
  if (p.empty()) p = vector_problem({"start position", -1e6f, 1e6f, false, "m"}, b.transform.getOrigin());
  return p;
}

std::string path_of(sxsdk::shape_class& shape) {
  std::string path = shape.get_name();
  for (sxsdk::shape_class* dad = shape.get_dad(); dad; dad = dad->get_dad()) path = dad->get_name() + "/" + path;
  return path;
}

}  // namespace settings_limits
