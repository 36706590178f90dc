#include "host/io/scene_file.hpp"

#include <nlohmann/json.hpp>

#include "host/io/atomic_file.hpp"
#include "host/io/canonical_json.hpp"
#include "host/io/input_file.hpp"
#include "host/io/json_document.hpp"
#include "host/io/scene_file_format.hpp"
#include "host/io/scene_file_reader.hpp"
#include "host/io/scene_file_writer.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace {

// "[json.exception.parse_error.101] parse error at line 3, column 5: syntax error ..." becomes
// place "line 3, column 5" and the rest as the problem.
scene_file_error malformed(const std::string& file, const nlohmann::json::parse_error& e) {
  std::string text = e.what();
  const std::string marker = " at line ";
  const auto at = text.find(marker);
  const auto colon = at == std::string::npos ? std::string::npos : text.find(": ", at);
  if (colon == std::string::npos) return scene_file_error(file, "", "malformed JSON: " + text);
  return scene_file_error(file, text.substr(at + 4, colon - at - 4), "malformed JSON: " + text.substr(colon + 2));
}

}  // namespace

sxsdk::host_ref<scene> scene_file::load(const std::string& path, scene_services* services) {
  std::string text;
  try {
    text = input_file::read(path, scene_file_format::max_file_bytes);
  } catch (const input_file_error& e) {
    throw scene_file_error(path, "", e.what());
  }
  return parse(text, path, services);
}

sxsdk::host_ref<scene> scene_file::parse(const std::string& text, const std::string& file_name,
                                         scene_services* services) {
  nlohmann::json document;
  try {
    document = json_document::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    throw malformed(file_name, e);
  } catch (const json_path_error& e) {
    throw scene_file_error(file_name, e.path.empty() ? "/" : e.path, e.problem);
  } catch (const nlohmann::json::exception& e) {
    throw scene_file_error(file_name, "", std::string("malformed JSON: ") + e.what());
  }
  try {
    return scene_file_reader::build(document, services);
  } catch (const json_path_error& e) {
    throw scene_file_error(file_name, e.path.empty() ? "/" : e.path, e.problem);
  } catch (const std::exception& e) {
    // The reader checks every value before the scene model sees it; should the model still
    // refuse one, the caller gets the same kind of message.
    throw scene_file_error(file_name, "", std::string("cannot build the scene: ") + e.what());
  }
}

std::string scene_file::format(scene& s, const std::string& file_name) {
  try {
    return canonical_json::dump(scene_file_writer::document(s));
  } catch (const json_path_error& e) {
    throw scene_file_error(file_name, e.path, e.problem);
  }
}

void scene_file::save(scene& s, const std::string& path) {
  const std::string text = format(s, path);  // before touching any file
  try {
    atomic_file file(path);
    file.write(text);
    file.commit();
  } catch (const atomic_file_error& e) {
    throw scene_file_error(path, "", e.what());
  }
}

}  // namespace host
