#pragma once
// host::scene_file: reading and writing scene files, the JSON format of docs/scene-format.md.
//
// Loading builds a new scene and hands it out only when the whole file was read: a bad file
// gives one scene_file_error naming the file, the JSON pointer of the problem and what is
// wrong, and leaves no scene behind. Saving writes the whole text to a temporary file in the
// target's directory and renames it over the target, so a failed save leaves the old file as
// it was. The text is canonical: loading a saved file and saving it again gives the same bytes.
#include <string>

#include "host/io/scene_file_error.hpp"
#include "sdk/host_ref.hpp"

namespace host {

class scene;
class scene_services;

class scene_file {
 public:
  /// The scene in the file at `path`, bound to `services` (borrowed, must outlive the scene;
  /// null is allowed), holding one reference for the caller. Throws scene_file_error.
  static sxsdk::host_ref<scene> load(const std::string& path, scene_services* services = nullptr);
  /// The scene in `text`; `file_name` only names it in messages. Throws scene_file_error.
  static sxsdk::host_ref<scene> parse(const std::string& text, const std::string& file_name,
                                      scene_services* services = nullptr);

  /// Writes `s` to `path` atomically (temporary file + rename; an existing file keeps its
  /// permission bits). Throws scene_file_error (the old file, if any, is then untouched).
  /// `s` is not changed (non-const only because it caches its index order).
  static void save(scene& s, const std::string& path);
  /// The text save writes. `file_name` names the file in messages; throws scene_file_error
  /// for a scene that cannot be written.
  static std::string format(scene& s, const std::string& file_name = "<scene>");
};

}  // namespace host
