#pragma once
// host::plugin_library: one plug-in shared library, opened with dlopen, and its seven C entry
// points looked up by name. It only opens and closes the library; host::plugin_host creates
// and holds the components.
//
// Lifetime: the destructor closes the library (dlclose), so every component the library made
// must have been released before; plugin_host releases them all before it destroys any library.
#include <stdexcept>
#include <string>

#include "sdk/plugin_entry.hpp"

namespace host {

/// A library that cannot be used: the message names the path and what is wrong (the loader's
/// own text, or every missing entry point).
class plugin_load_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class plugin_library {
 public:
  /// Opens `path` (resolved by dlopen's rules: a path with a slash is the file, checked first
  /// to hold a whole ELF library (elf_check); a bare name is searched on the library path) and
  /// looks up create_interface, has_interface, get_name, get_uuid, get_group_name, is_resident
  /// and get_info. Throws plugin_load_error when the file is no whole library, does not open
  /// or lacks any entry point (nothing stays open then).
  explicit plugin_library(std::string path);
  ~plugin_library();
  plugin_library(const plugin_library&) = delete;
  plugin_library& operator=(const plugin_library&) = delete;

  /// The path the library was opened from.
  const std::string& path() const { return path_; }

  // The entry points (never null). Calls into them may throw: callers catch.
  sxsdk::entry::create_interface_fn create_interface = nullptr;
  sxsdk::entry::has_interface_fn has_interface = nullptr;
  sxsdk::entry::get_name_fn get_name = nullptr;
  sxsdk::entry::get_uuid_fn get_uuid = nullptr;
  sxsdk::entry::get_group_name_fn get_group_name = nullptr;
  sxsdk::entry::is_resident_fn is_resident = nullptr;
  sxsdk::entry::get_info_fn get_info = nullptr;

 private:
  void* symbol(const char* name, std::string& missing);

  std::string path_;
  void* handle_ = nullptr;
};

}  // namespace host
