#pragma once
// host::json_reader: one value of a parsed JSON document together with its JSON pointer, so
// that every check while reading a scene file can say where the problem is. Every failing
// check throws json_path_error{path, problem}; nothing is read past a failure.
//
// Objects are read through json_reader::object, which remembers the keys asked for and, at
// finish(), rejects the first key it was not asked for: a misspelt key fails loudly instead of
// being dropped silently.
#include <climits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sdk/mat4.hpp"
#include "sdk/quaternion_class.hpp"
#include "sx/core/uuid.hpp"
#include "sx/core/vectors.hpp"

namespace host {

class json_reader {
 public:
  /// `value` is borrowed and must outlive the reader; `path` is its JSON pointer.
  json_reader(const nlohmann::json& value, std::string path) : value_(&value), path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  const nlohmann::json& value() const { return *value_; }
  [[noreturn]] void fail(const std::string& problem) const;

  /// Which floats a value may hold. Whatever places or shapes a part (matrices, geometry, joint
  /// state, keys) must be finite: a NaN there spreads into every matrix below the part and
  /// into the simulation. Only what takes no part in one (a camera, a light) may be anything.
  enum class numbers { finite, any };

  // --- scalars ---
  /// An integer within [lo, hi] (a number with a fraction fails).
  int as_int(int lo = INT_MIN, int hi = INT_MAX) const;
  /// The nearest float to a number; a number beyond the float range fails. With numbers::any
  /// also one of the texts "inf", "-inf", "nan", "-nan" (how the writer keeps non-finite
  /// floats, which JSON cannot hold); with numbers::finite those texts fail.
  float as_float(numbers allowed = numbers::finite) const;
  bool as_bool() const;
  const std::string& as_string() const;
  /// The 36-character text form of a UUID (hexadecimal digits in either case, dashes at
  /// 8, 13, 18 and 23).
  sx::uuid_class as_uuid() const;

  // --- arrays ---
  /// The elements (fails when this is no array, or, with `size` >= 0, has another length).
  std::vector<json_reader> items(int size = -1) const;
  sx::vec<float, 2> as_vec2(numbers allowed = numbers::finite) const;
  sx::vec<float, 3> as_vec3(numbers allowed = numbers::finite) const;
  /// [w, x, y, z].
  sxsdk::quaternion_class as_quaternion(numbers allowed = numbers::finite) const;
  /// Four rows of four numbers.
  sxsdk::mat4 as_mat4(numbers allowed = numbers::finite) const;
  std::vector<int> as_ints(int lo, int hi) const;

  class object;
  /// This value as an object (fails when it is none).
  object members() const;

 private:
  std::string found() const;
  const nlohmann::json* value_;
  std::string path_;
};

class json_reader::object {
 public:
  explicit object(const json_reader& value) : value_(value) {}
  const std::string& path() const { return value_.path(); }
  [[noreturn]] void fail(const std::string& problem) const { value_.fail(problem); }
  /// The member under `key`; fails when missing.
  json_reader required(const std::string& key);
  /// The member under `key`, or nothing.
  std::optional<json_reader> optional(const std::string& key);
  /// Fails on the first key (in key order) that was never asked for.
  void finish() const;

 private:
  json_reader value_;
  std::set<std::string> asked_;
};

}  // namespace host
