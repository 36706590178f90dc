#pragma once
// The JSON values of scene file numbers, for the writers: floats as the double they convert to
// (exact, so the canonical text can give back the same float), non-finite floats as the texts
// "inf", "-inf", "nan" and "-nan" (JSON has no such numbers; a NaN keeps its sign, not its
// payload), vectors and quaternions as arrays,
// matrices as four rows. put() leaves a key out when its value equals the default bit for bit.
#include <cmath>
#include <cstring>
#include <string>

#include <nlohmann/json.hpp>

#include "host/io/scene_file_error.hpp"
#include "sdk/mat4.hpp"
#include "sdk/quaternion_class.hpp"
#include "sx/core/vectors.hpp"

namespace host {
namespace json_values {

inline nlohmann::json number(float f) {
  if (std::isnan(f)) return std::signbit(f) ? "-nan" : "nan";
  if (std::isinf(f)) return f > 0 ? "inf" : "-inf";
  return static_cast<double>(f);
}
inline nlohmann::json number(const sx::vec<float, 2>& v) { return nlohmann::json::array({number(v.x), number(v.y)}); }
inline nlohmann::json number(const sx::vec<float, 3>& v) {
  return nlohmann::json::array({number(v.x), number(v.y), number(v.z)});
}
/// [w, x, y, z].
inline nlohmann::json number(const sxsdk::quaternion_class& q) {
  return nlohmann::json::array({number(q.w), number(q.x), number(q.y), number(q.z)});
}
inline nlohmann::json number(const sxsdk::mat4& m) {
  nlohmann::json rows = nlohmann::json::array();
  for (const auto& row : m.m) rows.push_back({number(row[0]), number(row[1]), number(row[2]), number(row[3])});
  return rows;
}

/// Bit-for-bit equality, so that -0 and NaN payloads are never mistaken for a default.
template <typename T>
bool same(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

/// Throws json_path_error{pointer, problem} at the first non-finite number (written as a text)
/// inside `value`, whose JSON pointer is `path`. The reader refuses those wherever a number
/// places or shapes a part, so the writer must not write them there either: a saved scene
/// that cannot be loaded again is a lost scene.
inline void require_finite(const nlohmann::json& value, const std::string& path) {
  if (value.is_string())
    throw json_path_error{path, value.get<std::string>() +
                                    " cannot be saved: a number that places or shapes a part must be finite (only a "
                                    "camera or a light may hold one that is not)"};
  if (value.is_array())
    for (std::size_t i = 0; i < value.size(); ++i) require_finite(value[i], path + "/" + std::to_string(i));
  if (value.is_object())
    for (auto it = value.begin(); it != value.end(); ++it) require_finite(it.value(), path + "/" + it.key());
}

template <typename T>
void put(nlohmann::json& object, const char* key, const T& value, const T& fallback) {
  if (!same(value, fallback)) object[key] = number(value);
}

}  // namespace json_values
}  // namespace host
