#include "host/cli/host_texts.hpp"

#include <exception>

#include "host/cli/cli_error.hpp"

namespace host {
namespace {

constexpr const char* english_texts[] = {
#define PHYSPLUG_HOST_TEXT_ENGLISH(name, english) english,
    PHYSPLUG_HOST_TEXTS(PHYSPLUG_HOST_TEXT_ENGLISH)
#undef PHYSPLUG_HOST_TEXT_ENGLISH
};
static_assert(sizeof(english_texts) / sizeof(english_texts[0]) == host_text_count);

}  // namespace

const char* english(host_text id) { return english_texts[static_cast<std::size_t>(id)]; }

host_texts::host_texts(const std::string& language) {
  try {
    table_ = text_table::load_language(language, text_table::default_resources_dir() / "host");
  } catch (const std::exception& e) {
    throw cli_error("the host's text table for \"" + language + "\" cannot be read: " + e.what());
  }
}

}  // namespace host
