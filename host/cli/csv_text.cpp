#include "host/cli/csv_text.hpp"

#include <charconv>

namespace host::csv_text {

std::string field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string number(double v) {
  // The same characters as "%.9g" (the C locale's), at a fraction of printf's cost: a cloth's
  // vertex trace prints three of them per vertex and frame.
  char buf[32];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 9);
  return std::string(buf, r.ptr);
}

}  // namespace host::csv_text
