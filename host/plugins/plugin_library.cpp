#include "host/plugins/plugin_library.hpp"

#include <dlfcn.h>

#include "host/plugins/elf_check.hpp"

namespace host {
namespace {

// A function pointer from dlsym's object pointer (POSIX guarantees the round trip).
template <typename F>
F as_function(void* p) {
  return reinterpret_cast<F>(p);
}

}  // namespace

plugin_library::plugin_library(std::string path) : path_(std::move(path)) {
  // A bare name is a library the loader finds on the system's library path; a file named by
  // its path is looked at first, since a cut one would crash the loader.
  if (path_.find('/') != std::string::npos) {
    const std::string problem = elf_check::problem(path_);
    if (!problem.empty()) throw plugin_load_error("cannot load plug-in \"" + path_ + "\": " + problem);
  }
  dlerror();  // forget an older error so that the text below is this call's
  handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* why = dlerror();
    throw plugin_load_error("cannot load plug-in \"" + path_ + "\": " + (why ? why : "dlopen failed"));
  }
  std::string missing;
  create_interface = as_function<sxsdk::entry::create_interface_fn>(symbol("create_interface", missing));
  has_interface = as_function<sxsdk::entry::has_interface_fn>(symbol("has_interface", missing));
  get_name = as_function<sxsdk::entry::get_name_fn>(symbol("get_name", missing));
  get_uuid = as_function<sxsdk::entry::get_uuid_fn>(symbol("get_uuid", missing));
  get_group_name = as_function<sxsdk::entry::get_group_name_fn>(symbol("get_group_name", missing));
  is_resident = as_function<sxsdk::entry::is_resident_fn>(symbol("is_resident", missing));
  get_info = as_function<sxsdk::entry::get_info_fn>(symbol("get_info", missing));
  if (!missing.empty()) {
    dlclose(handle_);
    // Every missing name at once: a half-built plug-in usually lacks more than one.
    const bool several = missing.find(',') != std::string::npos;
    throw plugin_load_error("cannot load plug-in \"" + path_ + "\": missing entry point" + (several ? "s" : "") +
                            missing);
  }
}

plugin_library::~plugin_library() { dlclose(handle_); }

void* plugin_library::symbol(const char* name, std::string& missing) {
  void* found = dlsym(handle_, name);
  if (!found) missing += std::string(missing.empty() ? " " : ", ") + "\"" + name + "\"";
  return found;
}

}  // namespace host
