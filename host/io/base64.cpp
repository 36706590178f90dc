#include "host/io/base64.hpp"

#include <algorithm>

namespace host {
namespace {

const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int value_of(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

std::string shown(char c) {
  if (c >= 0x20 && c < 0x7f) return std::string("'") + c + "'";
  return "byte " + std::to_string(static_cast<unsigned char>(c));
}

}  // namespace

std::string base64::encode(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = std::uint32_t(bytes[i]) << 16;
    if (n > 1) group |= std::uint32_t(bytes[i + 1]) << 8;
    if (n > 2) group |= bytes[i + 2];
    for (std::size_t k = 0; k < 4; ++k) text += k <= n ? alphabet[(group >> (18 - 6 * k)) & 63] : '=';
  }
  return text;
}

bool base64::decode(const std::string& text, std::vector<std::uint8_t>& bytes, error& failure) {
  if (text.size() % 4 != 0) {
    failure = {text.size(), "base64 length " + std::to_string(text.size()) + " is not a multiple of 4"};
    return false;
  }
  std::size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  bytes.clear();
  bytes.reserve(text.size() / 4 * 3);
  std::uint32_t group = 0;
  for (std::size_t i = 0; i < text.size() - padding; ++i) {
    const int v = value_of(text[i]);
    if (v < 0) {
      failure = {i, shown(text[i]) + " is not a base64 character"};
      return false;
    }
    group = (group << 6) | std::uint32_t(v);
    if (i % 4 == 3) {
      bytes.push_back(std::uint8_t(group >> 16));
      bytes.push_back(std::uint8_t(group >> 8));
      bytes.push_back(std::uint8_t(group));
      group = 0;
    }
  }
  // The last group: 2 or 3 characters carry 1 or 2 bytes; the bits left over must be zero
  // (otherwise two texts would decode to the same bytes and a save would not give them back).
  if (padding == 0) return true;
  const std::uint32_t spare = padding == 2 ? 0xF : 0x3;
  if (group & spare) {
    failure = {text.size() - padding - 1, "base64 text has bits set after its last byte"};
    return false;
  }
  bytes.push_back(std::uint8_t(padding == 2 ? group >> 4 : group >> 10));
  if (padding == 1) bytes.push_back(std::uint8_t(group >> 2));
  return true;
}

}  // namespace host
