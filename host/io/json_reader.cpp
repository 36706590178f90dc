#include "host/io/json_reader.hpp"

#include <cctype>
#include <cmath>
#include <limits>

#include "host/io/scene_file_error.hpp"

namespace host {
namespace {

std::string pointer_token(const std::string& key) {
  std::string token;
  for (char c : key) token += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
  return token;
}

bool is_uuid_text(const std::string& t) {
  if (t.size() != 36) return false;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash ? t[i] != '-' : !std::isxdigit(static_cast<unsigned char>(t[i]))) return false;
  }
  return true;
}

}  // namespace

void json_reader::fail(const std::string& problem) const { throw json_path_error{path_, problem}; }

std::string json_reader::found() const {
  if (value_->is_number_float()) return "the number " + value_->dump();
  if (value_->is_number()) return "the integer " + value_->dump();
  return std::string(value_->is_array() || value_->is_object() ? "an " : "a ") + value_->type_name();
}

int json_reader::as_int(int lo, int hi) const {
  if (!value_->is_number_integer()) fail("expected an integer, found " + found());
  const bool in_range = value_->is_number_unsigned()
                            ? value_->get<std::uint64_t>() <= std::uint64_t(INT_MAX)
                            : value_->get<std::int64_t>() >= INT_MIN && value_->get<std::int64_t>() <= INT_MAX;
  const std::int64_t v = in_range ? value_->get<std::int64_t>() : 0;
  if (!in_range || v < lo || v > hi)
    fail(value_->dump() + " is out of range (" + std::to_string(lo) + " to " + std::to_string(hi) + ")");
  return static_cast<int>(v);
}

float json_reader::as_float(numbers allowed) const {
  if (value_->is_string()) {
    const std::string& t = value_->get_ref<const std::string&>();
    if (allowed == numbers::finite && (t == "inf" || t == "-inf" || t == "nan" || t == "-nan"))
      fail("expected a finite number, found the text " + value_->dump() +
           " (only a camera or a light may hold a number that is not finite)");
    if (t == "inf") return std::numeric_limits<float>::infinity();
    if (t == "-inf") return -std::numeric_limits<float>::infinity();
    if (t == "nan") return std::numeric_limits<float>::quiet_NaN();
    if (t == "-nan") return -std::numeric_limits<float>::quiet_NaN();
    fail("expected a number (or \"inf\", \"-inf\", \"nan\", \"-nan\"), found the text " + value_->dump());
  }
  if (!value_->is_number()) fail("expected a number, found " + found());
  const double d = value_->get<double>();
  // Above the largest float by half a step or more the number rounds to infinity; up to there
  // it rounds down to the largest float (a cast outside the float range is undefined).
  const double largest = std::numeric_limits<float>::max();
  if (std::fabs(d) >= largest + std::ldexp(1.0, 103)) fail(value_->dump() + " is too large for a float");
  if (std::fabs(d) > largest) return static_cast<float>(std::copysign(largest, d));
  return static_cast<float>(d);
}

bool json_reader::as_bool() const {
  if (!value_->is_boolean()) fail("expected true or false, found " + found());
  return value_->get<bool>();
}

const std::string& json_reader::as_string() const {
  if (!value_->is_string()) fail("expected a text, found " + found());
  return value_->get_ref<const std::string&>();
}

sx::uuid_class json_reader::as_uuid() const {
  const std::string& t = as_string();
  if (!is_uuid_text(t)) fail(value_->dump() + " is not a UUID (XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX)");
  return sx::uuid_class(t.c_str());
}

std::vector<json_reader> json_reader::items(int size) const {
  if (!value_->is_array()) fail("expected an array, found " + found());
  if (size >= 0 && value_->size() != std::size_t(size))
    fail("expected " + std::to_string(size) + " elements, found " + std::to_string(value_->size()));
  std::vector<json_reader> out;
  out.reserve(value_->size());
  for (std::size_t i = 0; i < value_->size(); ++i) out.emplace_back((*value_)[i], path_ + "/" + std::to_string(i));
  return out;
}

sx::vec<float, 2> json_reader::as_vec2(numbers allowed) const {
  const auto v = items(2);
  return {v[0].as_float(allowed), v[1].as_float(allowed)};
}

sx::vec<float, 3> json_reader::as_vec3(numbers allowed) const {
  const auto v = items(3);
  return {v[0].as_float(allowed), v[1].as_float(allowed), v[2].as_float(allowed)};
}

sxsdk::quaternion_class json_reader::as_quaternion(numbers allowed) const {
  const auto v = items(4);
  return {v[0].as_float(allowed), v[1].as_float(allowed), v[2].as_float(allowed), v[3].as_float(allowed)};
}

sxsdk::mat4 json_reader::as_mat4(numbers allowed) const {
  sxsdk::mat4 m;
  const auto rows = items(4);
  for (int r = 0; r < 4; ++r) {
    const auto row = rows[r].items(4);
    for (int c = 0; c < 4; ++c) m.m[r][c] = row[c].as_float(allowed);
  }
  return m;
}

std::vector<int> json_reader::as_ints(int lo, int hi) const {
  std::vector<int> out;
  for (const auto& v : items()) out.push_back(v.as_int(lo, hi));
  return out;
}

json_reader::object json_reader::members() const {
  if (!value_->is_object()) fail("expected an object, found " + found());
  return object(*this);
}

json_reader json_reader::object::required(const std::string& key) {
  if (auto v = optional(key)) return *v;
  fail("missing key \"" + key + "\"");
}

std::optional<json_reader> json_reader::object::optional(const std::string& key) {
  asked_.insert(key);
  const auto it = value_.value().find(key);
  if (it == value_.value().end()) return std::nullopt;
  return json_reader(*it, value_.path() + "/" + pointer_token(key));
}

void json_reader::object::finish() const {
  for (auto it = value_.value().begin(); it != value_.value().end(); ++it)
    if (!asked_.count(it.key())) fail("unknown key \"" + it.key() + "\"");
}

}  // namespace host
