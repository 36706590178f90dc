#pragma once
// The host application object the plug-in sees through scene.get_host: localised texts from the
// current language's table and host-wide yes/no queries that the headless host lets tests set.
#include <filesystem>
#include <map>
#include <string>

#include "host/ui/text_table.hpp"
#include "sdk/host_interface.hpp"

namespace host {

class application : public sxsdk::host_interface {
 public:
  /// Loads the table of `language` from `resources_dir` (see text_table::load_language; throws
  /// as it does). Reference count 0 after construction, like every host object.
  explicit application(const std::string& language = "en",
                       const std::filesystem::path& resources_dir = text_table::default_resources_dir());

  /// The text for `id` in the current language; `id` itself when the table has none; "" for null.
  std::string get_text(const char* id) override;
  /// The flag set for `code` with set_flag; false for a code never set.
  bool query_flag(int code) override;

  /// Switches to another language's table. On failure throws and keeps the current table.
  void set_language(const std::string& language);
  const std::string& language() const { return language_; }
  const text_table& texts() const { return texts_; }
  void set_flag(int code, bool value) { flags_[code] = value; }

 private:
  std::filesystem::path resources_dir_;
  std::string language_;
  text_table texts_;
  std::map<int, bool> flags_;
};

}  // namespace host
