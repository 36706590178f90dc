#pragma once
// host::json_document: parses the text of a JSON file, refusing an object that holds a key
// twice (the plain parser would keep the last one and drop the other without a word).
#include <cstddef>
#include <string>

#include <nlohmann/json.hpp>

namespace host {

class json_document {
 public:
  /// The document in `text`. Throws nlohmann::json::parse_error for text that is no JSON
  /// (its message gives line and column) and json_path_error for a key given twice, a
  /// number beyond the range of a double, or objects and arrays nested more than
  /// max_nesting deep (the whole document is one level).
  static nlohmann::json parse(const std::string& text);

  static constexpr std::size_t max_nesting = 64;
};

}  // namespace host
