#include <dlfcn.h>

#include "host/plugins/dynamic_library.hpp"
#include "host/plugins/elf_check.hpp"

namespace host::dynamic_library {

void* open(const std::string& path, std::string& why) {
  // A bare name is a library the loader finds on the system's library path; a file named by
  // its path is looked at first, since a cut one would crash the loader.
  if (path.find('/') != std::string::npos) {
    why = elf_check::problem(path);
    if (!why.empty()) return nullptr;
  }
  dlerror();  // forget an older error so that the text below is this call's
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = dlerror();
    why = error ? error : "dlopen failed";
  }
  return handle;
}

void close(void* handle) { dlclose(handle); }

void* symbol(void* handle, const char* name) { return dlsym(handle, name); }

}  // namespace host::dynamic_library
