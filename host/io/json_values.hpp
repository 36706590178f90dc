#pragma once
// The JSON values of scene file numbers, for the writers: floats as the double they convert to
// (exact, so the canonical text can give back the same float), non-finite floats as the texts
// "inf", "-inf", "nan" and "-nan" (JSON has no such numbers; a NaN keeps its sign, not its
// payload), vectors and quaternions as arrays,
// matrices as four rows. put() leaves a key out when its value equals the default bit for bit.
#include <cmath>
#include <cstring>

#include <nlohmann/json.hpp>

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

template <typename T>
void put(nlohmann::json& object, const char* key, const T& value, const T& fallback) {
  if (!same(value, fallback)) object[key] = number(value);
}

}  // namespace json_values
}  // namespace host
