#pragma once
// sx::uuid_class: the 128-bit identifier the host uses for plug-in components, attribute streams
// and links, held as four 32-bit words exactly as the host compares and stores them.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace sx {

struct uuid_class {
  /// Text AAAAAAAA-BBBB-CCCC-DDDD-EEEEFFFFFFFF gives word 0 = AAAAAAAA, word 1 = BBBBCCCC,
  /// word 2 = DDDDEEEE, word 3 = FFFFFFFF.
  uint32_t word[4];

  /// The all-zero UUID (what lookups answer for "none").
  uuid_class();
  uuid_class(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3);
  /// Same as set(text).
  explicit uuid_class(const char* text);

  /// Reads the 36-character text form by fixed character positions and never validates:
  /// any character other than a hexadecimal digit counts as 0, in either case. The positions at
  /// and after the terminating zero of a short text count as 0 too (nothing past it is read);
  /// a null text gives the zero UUID.
  void set(const char* text);

  /// Upper-case text form 8-4-4-4-12, e.g. "AFC29716-3C03-418A-9C7F-7541631DB70C".
  std::string to_string() const;

  /// True for the all-zero UUID.
  bool is_null() const;

  bool operator==(const uuid_class& o) const;
  bool operator!=(const uuid_class& o) const;
  /// Lexicographic over word 0 to word 3 (for ordered containers).
  bool operator<(const uuid_class& o) const;
};

}  // namespace sx

namespace std {
template <>
struct hash<sx::uuid_class> {
  std::size_t operator()(const sx::uuid_class& u) const noexcept;
};
}  // namespace std
