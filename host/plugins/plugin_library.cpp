#include "host/plugins/plugin_library.hpp"

#include "host/plugins/dynamic_library.hpp"

namespace host {
namespace {

// A function pointer from the loader's object pointer (both loaders guarantee the round trip).
template <typename F>
F as_function(void* p) {
  return reinterpret_cast<F>(p);
}

}  // namespace

plugin_library::plugin_library(std::string path) : path_(std::move(path)) {
  std::string why;
  handle_ = dynamic_library::open(path_, why);
  if (!handle_) throw plugin_load_error("cannot load plug-in \"" + path_ + "\": " + why);
  std::string missing;
  create_interface = as_function<sxsdk::entry::create_interface_fn>(symbol("create_interface", missing));
  has_interface = as_function<sxsdk::entry::has_interface_fn>(symbol("has_interface", missing));
  get_name = as_function<sxsdk::entry::get_name_fn>(symbol("get_name", missing));
  get_uuid = as_function<sxsdk::entry::get_uuid_fn>(symbol("get_uuid", missing));
  get_group_name = as_function<sxsdk::entry::get_group_name_fn>(symbol("get_group_name", missing));
  is_resident = as_function<sxsdk::entry::is_resident_fn>(symbol("is_resident", missing));
  get_info = as_function<sxsdk::entry::get_info_fn>(symbol("get_info", missing));
  if (!missing.empty()) {
    dynamic_library::close(handle_);
    // Every missing name at once: a half-built plug-in usually lacks more than one.
    const bool several = missing.find(',') != std::string::npos;
    throw plugin_load_error("cannot load plug-in \"" + path_ + "\": missing entry point" + (several ? "s" : "") +
                            missing);
  }
}

plugin_library::~plugin_library() { dynamic_library::close(handle_); }

void* plugin_library::symbol(const char* name, std::string& missing) {
  void* found = dynamic_library::symbol(handle_, name);
  if (!found) missing += std::string(missing.empty() ? " " : ", ") + "\"" + name + "\"";
  return found;
}

}  // namespace host
