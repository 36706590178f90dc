#include "host/cli/printable.hpp"

#include <cstdio>

namespace host {

std::string printable(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
    char code[8];
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
      std::snprintf(code, sizeof code, "\\u%04X", next);
      out += code;
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace host
