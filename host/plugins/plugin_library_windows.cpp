// plugin_library on Windows: the library is opened with LoadLibraryA and its entry points are
// looked up with GetProcAddress. Windows' loader checks an image before mapping it and fails
// with an error code for a cut or foreign file, so no header check comes first.
#include "host/plugins/plugin_library.hpp"

#include <windows.h>

namespace host {
namespace {

template <typename F>
F as_function(void* p) {
  return reinterpret_cast<F>(p);
}

// The system's text for `code`, without its trailing line break.
std::string system_message(DWORD code) {
  char* text = nullptr;
  const DWORD size =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = size && text ? std::string(text, size) : "error " + std::to_string(code);
  ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace

plugin_library::plugin_library(std::string path) : path_(std::move(path)) {
  HMODULE module = ::LoadLibraryA(path_.c_str());
  if (!module) throw plugin_load_error("cannot load plug-in \"" + path_ + "\": " + system_message(::GetLastError()));
  handle_ = reinterpret_cast<void*>(module);
  std::string missing;
  create_interface = as_function<sxsdk::entry::create_interface_fn>(symbol("create_interface", missing));
  has_interface = as_function<sxsdk::entry::has_interface_fn>(symbol("has_interface", missing));
  get_name = as_function<sxsdk::entry::get_name_fn>(symbol("get_name", missing));
  get_uuid = as_function<sxsdk::entry::get_uuid_fn>(symbol("get_uuid", missing));
  get_group_name = as_function<sxsdk::entry::get_group_name_fn>(symbol("get_group_name", missing));
  is_resident = as_function<sxsdk::entry::is_resident_fn>(symbol("is_resident", missing));
  get_info = as_function<sxsdk::entry::get_info_fn>(symbol("get_info", missing));
  if (!missing.empty()) {
    ::FreeLibrary(module);
    const bool several = missing.find(',') != std::string::npos;
    throw plugin_load_error("cannot load plug-in \"" + path_ + "\": missing entry point" + (several ? "s" : "") +
                            missing);
  }
}

plugin_library::~plugin_library() { ::FreeLibrary(reinterpret_cast<HMODULE>(handle_)); }

void* plugin_library::symbol(const char* name, std::string& missing) {
  FARPROC found = ::GetProcAddress(reinterpret_cast<HMODULE>(handle_), name);
  if (!found) missing += std::string(missing.empty() ? " " : ", ") + "\"" + name + "\"";
  return reinterpret_cast<void*>(found);
}

}  // namespace host
