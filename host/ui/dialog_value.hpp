#pragma once
// One value of a dialog item, as the plug-in sets it and as a script answers it: a check box
// state, an integer (also the chosen entry of a selection), a float, a text or a three-float
// vector. An empty value means "not set".
#include <optional>
#include <string>
#include <variant>

#include <nlohmann/json_fwd.hpp>

#include "sx/core/vectors.hpp"

namespace host {

using vec3 = sx::vec<float, 3>;

class dialog_value {
 public:
  enum class type { none, boolean, integer, real, text, vector };

  dialog_value() = default;
  dialog_value(bool v) : v_(v) {}
  dialog_value(int v) : v_(v) {}
  dialog_value(float v) : v_(v) {}
  /// Stored as a float (dialog floats are 32-bit); lets scripts write 0.5 instead of 0.5f.
  dialog_value(double v) : v_(static_cast<float>(v)) {}
  /// Declared so that a string literal is a text: without it "abc" would convert to bool.
  dialog_value(const char* v) : v_(std::string(v ? v : "")) {}
  dialog_value(std::string v) : v_(std::move(v)) {}
  dialog_value(const vec3& v) : v_(v) {}

  /// From JSON: true/false, an integer, a number, a string, or an array of three numbers.
  /// Anything else throws std::invalid_argument naming what was found.
  static dialog_value from_json(const nlohmann::json& j);
  nlohmann::json to_json() const;

  type kind() const { return static_cast<type>(v_.index()); }
  bool empty() const { return kind() == type::none; }
  /// Each accessor throws std::bad_variant_access when the value holds another kind.
  bool as_bool() const { return std::get<bool>(v_); }
  int as_int() const { return std::get<int>(v_); }
  float as_float() const { return std::get<float>(v_); }
  const std::string& as_string() const { return std::get<std::string>(v_); }
  const vec3& as_vec3() const { return std::get<vec3>(v_); }

  /// A short text for messages: "true", "3", "0.5", "\"abc\"", "(1, 2, 3)", "none".
  std::string describe() const;
  static const char* type_name(type t);

  bool operator==(const dialog_value& o) const { return v_ == o.v_; }
  bool operator!=(const dialog_value& o) const { return !(*this == o); }

 private:
  std::variant<std::monostate, bool, int, float, std::string, vec3> v_;
};

}  // namespace host
