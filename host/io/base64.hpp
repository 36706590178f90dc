#pragma once
// Standard base64 (RFC 4648 alphabet, '=' padding) for the stream bytes of scene files.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

class base64 {
 public:
  /// The padded text of `bytes` (empty for no bytes).
  static std::string encode(const std::vector<std::uint8_t>& bytes);

  /// What went wrong in a text that is not strict base64.
  struct error {
    std::size_t position;  ///< offset of the offending character (or the text's length)
    std::string problem;   ///< English, e.g. "'*' is not a base64 character"
  };
  /// Decodes strict base64: the alphabet only (no white space), a length that is a multiple
  /// of 4, at most two '=' at the end, and zero bits after the last byte, so that every byte
  /// sequence has exactly one text. False with `failure` filled otherwise.
  static bool decode(const std::string& text, std::vector<std::uint8_t>& bytes, error& failure);
};

}  // namespace host
