#include "sx/core/uuid.hpp"

#include <cstdio>

namespace sx {
namespace {

// Value of one hexadecimal digit; anything else (the hyphen, the terminating zero, stray
// characters) is 0, because the host's reader never rejects a text.
uint32_t get1(char c) {
  if (c >= '1' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  return 0;
}

// The text as a bounded view: positions at or after the terminating zero read as '\0', so a
// short text (the host's table has a 35-character one) never makes us read past its end.
struct fixed_text {
  const char* text;
  std::size_t size;
  char at(std::size_t i) const { return i < size ? text[i] : '\0'; }
};

uint32_t get_n(const fixed_text& t, std::size_t first, std::size_t count) {
  uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value = (value << 4) | get1(t.at(first + i));
  return value;
}

uint32_t get8(const fixed_text& t, std::size_t first) { return get_n(t, first, 8); }
uint32_t get4(const fixed_text& t, std::size_t first) { return get_n(t, first, 4); }

// Length up to 36 characters: the reader never looks further than that.
std::size_t bounded_length(const char* text) {
  std::size_t n = 0;
  while (n < 36 && text[n] != '\0') ++n;
  return n;
}

}  // namespace

uuid_class::uuid_class() : word{0, 0, 0, 0} {}

uuid_class::uuid_class(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) : word{w0, w1, w2, w3} {}

uuid_class::uuid_class(const char* text) : uuid_class() { set(text); }

void uuid_class::set(const char* text) {
  if (text == nullptr) {
    *this = uuid_class();
    return;
  }
  const fixed_text t{text, bounded_length(text)};
  word[0] = get8(t, 0);
  word[1] = (get4(t, 9) << 16) | get4(t, 14);
  word[2] = (get4(t, 19) << 16) | get4(t, 24);
  word[3] = get8(t, 28);
}

std::string uuid_class::to_string() const {
  char text[37];
  std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%04X%08X", static_cast<unsigned>(word[0]),
                static_cast<unsigned>(word[1] >> 16), static_cast<unsigned>(word[1] & 0xFFFFu),
                static_cast<unsigned>(word[2] >> 16), static_cast<unsigned>(word[2] & 0xFFFFu),
                static_cast<unsigned>(word[3]));
  return text;
}

bool uuid_class::is_null() const { return (word[0] | word[1] | word[2] | word[3]) == 0; }

bool uuid_class::operator==(const uuid_class& o) const {
  return word[0] == o.word[0] && word[1] == o.word[1] && word[2] == o.word[2] && word[3] == o.word[3];
}

bool uuid_class::operator!=(const uuid_class& o) const { return !(*this == o); }

bool uuid_class::operator<(const uuid_class& o) const {
  for (int i = 0; i < 4; ++i)
    if (word[i] != o.word[i]) return word[i] < o.word[i];
  return false;
}

}  // namespace sx

namespace std {
size_t hash<sx::uuid_class>::operator()(const sx::uuid_class& u) const noexcept {
  // Mix all four words; component UUIDs often share their trailing words.
  uint64_t h = 0x9E3779B97F4A7C15ull;
  for (uint32_t w : u.word) h = (h ^ w) * 0x100000001B3ull + (h >> 29);
  return static_cast<std::size_t>(h);
}
}  // namespace std
