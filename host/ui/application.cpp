#include "host/ui/application.hpp"

namespace host {

application::application(const std::string& language, const std::filesystem::path& resources_dir)
    : resources_dir_(resources_dir), language_(language), texts_(text_table::load_language(language, resources_dir)) {}

std::string application::get_text(const char* id) { return id ? texts_.lookup(id) : std::string(); }

bool application::query_flag(int code) {
  const auto it = flags_.find(code);
  return it != flags_.end() && it->second;
}

void application::set_language(const std::string& language) {
  texts_ = text_table::load_language(language, resources_dir_);  // assigned only once loaded
  language_ = language;
}

}  // namespace host
