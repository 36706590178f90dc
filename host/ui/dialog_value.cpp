#include "host/ui/dialog_value.hpp"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace host {

namespace {

bool is_vec3_json(const nlohmann::json& j) {
  if (!j.is_array() || j.size() != 3) return false;
  for (const auto& e : j)
    if (!e.is_number()) return false;
  return true;
}

// Dialog floats are 32-bit: a number past the largest float would become an infinity (and
// converting it is undefined), so it is refused rather than shown as one.
float float_of(const nlohmann::json& j) {
  const double d = j.get<double>();
  if (!(std::fabs(d) <= FLT_MAX)) throw std::invalid_argument("number beyond the float range: " + j.dump());
  return static_cast<float>(d);
}

}  // namespace

dialog_value dialog_value::from_json(const nlohmann::json& j) {
  if (j.is_boolean()) return dialog_value(j.get<bool>());
  if (j.is_number_integer()) {
    const auto n = j.get<long long>();
    // Dialog integers are 32-bit; a wider number would wrap silently.
    if (n < INT32_MIN || n > INT32_MAX) throw std::invalid_argument("integer out of 32-bit range: " + j.dump());
    return dialog_value(static_cast<int>(n));
  }
  if (j.is_number()) return dialog_value(float_of(j));
  if (j.is_string()) return dialog_value(j.get<std::string>());
  if (is_vec3_json(j)) return dialog_value(vec3(float_of(j[0]), float_of(j[1]), float_of(j[2])));
  throw std::invalid_argument("not a dialog value (bool, number, string or [x, y, z]): " + j.dump());
}

nlohmann::json dialog_value::to_json() const {
  switch (kind()) {
    case type::none:
      return nullptr;
    case type::boolean:
      return as_bool();
    case type::integer:
      return as_int();
    case type::real:
      return as_float();
    case type::text:
      return as_string();
    case type::vector:
      return nlohmann::json::array({as_vec3().x, as_vec3().y, as_vec3().z});
  }
  return nullptr;
}

std::string dialog_value::describe() const {
  std::ostringstream out;
  switch (kind()) {
    case type::none:
      out << "none";
      break;
    case type::boolean:
      out << (as_bool() ? "true" : "false");
      break;
    case type::integer:
      out << as_int();
      break;
    case type::real:
      out << as_float();
      break;
    case type::text:
      out << '"' << as_string() << '"';
      break;
    case type::vector:
      out << as_vec3();
      break;
  }
  return out.str();
}

const char* dialog_value::type_name(type t) {
  switch (t) {
    case type::none:
      return "none";
    case type::boolean:
      return "bool";
    case type::integer:
      return "int";
    case type::real:
      return "float";
    case type::text:
      return "string";
    case type::vector:
      return "vec3";
  }
  return "?";
}

}  // namespace host
