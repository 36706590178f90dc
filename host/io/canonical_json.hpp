#pragma once
// host::canonical_json: the one text a JSON document is written as in our files, so that
// reading a file and writing it again gives back the same bytes.
//
// Objects list their keys in byte order, two spaces indent each level, an array of scalars
// stands on one line ("[1, 2.5, 3]"), other arrays and objects one element per line, and the
// text ends with a newline. Numbers that hold a float (every float value of a scene, stored as
// the double it converts to) are written with the fewest digits that read back as the same
// float; -0 keeps its sign ("-0.0").
#include <string>

#include <nlohmann/json.hpp>

namespace host {

class canonical_json {
 public:
  /// The text of `document`. Throws json_path_error when a string is not valid UTF-8.
  static std::string dump(const nlohmann::json& document);
  /// The text of one float that the JSON reader gives back as the same float, bit for bit
  /// (finite values only).
  static std::string float_text(float value);

 private:
  static void write(const nlohmann::json& value, const std::string& path, int indent, std::string& out);
  /// An array of scalars on one line.
  static void write_line(const nlohmann::json& array, const std::string& path, std::string& out);
  static void write_scalar(const nlohmann::json& value, const std::string& path, std::string& out);
};

}  // namespace host
