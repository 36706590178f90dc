#include "host/io/canonical_json.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

#include "host/io/scene_file_error.hpp"

namespace host {
namespace {

bool is_scalar(const nlohmann::json& v) { return !v.is_object() && !v.is_array(); }

bool all_scalars(const nlohmann::json& array) {
  for (const auto& v : array)
    if (!is_scalar(v)) return false;
  return true;
}

// JSON pointer escaping of one key (RFC 6901).
std::string pointer_token(const std::string& key) {
  std::string token;
  for (char c : key) token += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
  return token;
}

bool same_bits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

std::string canonical_json::float_text(float value) {
  // "-0" would read back as the integer 0 and lose its sign.
  if (value == 0) return std::signbit(value) ? "-0.0" : "0";
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  // The JSON reader parses a number as a double and we narrow it to a float; the shortest text
  // of the float survives that double rounding for every float but one pair (+-7.038531e-26,
  // found by trying them all), and the check catches it.
  double parsed = 0;
  std::from_chars(text, end, parsed);
  if (same_bits(static_cast<float>(parsed), value)) return std::string(text, end);
  return nlohmann::json(static_cast<double>(value)).dump();  // exact double: always round trips
}

std::string canonical_json::dump(const nlohmann::json& document) {
  std::string out;
  write(document, "", 0, out);
  out += '\n';
  return out;
}

void canonical_json::write(const nlohmann::json& value, const std::string& path, int indent, std::string& out) {
  if (is_scalar(value)) return write_scalar(value, path, out);
  if (value.empty()) return void(out += value.is_object() ? "{}" : "[]");
  if (value.is_array() && all_scalars(value)) return write_line(value, path, out);
  const bool object = value.is_object();
  const std::string inner(indent + 2, ' ');
  out += object ? "{\n" : "[\n";
  std::size_t i = 0;
  for (auto it = value.begin(); it != value.end(); ++it, ++i) {
    out += i ? ",\n" + inner : inner;
    const std::string item_path = path + "/" + (object ? pointer_token(it.key()) : std::to_string(i));
    if (object) {
      write_scalar(nlohmann::json(it.key()), item_path, out);
      out += ": ";
    }
    write(*it, item_path, indent + 2, out);
  }
  out += '\n' + std::string(indent, ' ') + (object ? '}' : ']');
}

void canonical_json::write_line(const nlohmann::json& array, const std::string& path, std::string& out) {
  out += '[';
  for (std::size_t i = 0; i < array.size(); ++i) {
    if (i) out += ", ";
    write_scalar(array[i], path + "/" + std::to_string(i), out);
  }
  out += ']';
}

void canonical_json::write_scalar(const nlohmann::json& value, const std::string& path, std::string& out) {
  if (value.is_number_float()) {
    const double d = value.get<double>();
    const float f = static_cast<float>(d);
    if (std::isfinite(d) && static_cast<double>(f) == d) return void(out += float_text(f));
  }
  try {
    out += value.dump();
  } catch (const nlohmann::json::type_error&) {
    throw json_path_error{path, "text is not valid UTF-8"};
  }
}

}  // namespace host
