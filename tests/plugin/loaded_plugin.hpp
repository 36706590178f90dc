#pragma once
// The real plug-in library, loaded as the host loads it: dlopen, then the seven entry points
// by name. Tests create components only through create_interface and talk to them only
// through the SDK's interface classes.
#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "sdk/host_ref.hpp"
#include "sdk/iid.hpp"
#include "sdk/plugin_entry.hpp"
#include "sdk/plugin_interface.hpp"

namespace plugin_test {

class loaded_plugin {
 public:
  explicit loaded_plugin(const char* path = PHYSPLUG_PLUGIN_PATH) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) throw std::runtime_error(std::string("dlopen failed: ") + dlerror());
    create_interface = symbol<sxsdk::entry::create_interface_fn>("create_interface");
    has_interface = symbol<sxsdk::entry::has_interface_fn>("has_interface");
    get_name = symbol<sxsdk::entry::get_name_fn>("get_name");
    get_uuid = symbol<sxsdk::entry::get_uuid_fn>("get_uuid");
    get_group_name = symbol<sxsdk::entry::get_group_name_fn>("get_group_name");
    is_resident = symbol<sxsdk::entry::is_resident_fn>("is_resident");
    get_info = symbol<sxsdk::entry::get_info_fn>("get_info");
  }
  // The library stays loaded, as the host keeps a resident plug-in: components the test
  // scenes still hold may be released after this object is gone.
  loaded_plugin(const loaded_plugin&) = delete;
  loaded_plugin& operator=(const loaded_plugin&) = delete;

  /// A new component of kind `iid` and `index` as its interface class; null when none is made.
  template <typename Interface>
  sxsdk::host_ref<Interface> create(const sxsdk::IID& iid, int index) const {
    void* out = nullptr;
    if (create_interface(iid, index, &out, nullptr, nullptr) != 1) return sxsdk::host_ref<Interface>();
    return sxsdk::host_ref<Interface>(static_cast<Interface*>(out));
  }
  sxsdk::host_ref<sxsdk::attribute_interface> modify() const {
    return create<sxsdk::attribute_interface>(sxsdk::attribute_iid, 0);
  }

  /// The library loaded once for the whole test program.
  static const loaded_plugin& shared() {
    static const loaded_plugin* const plugin = new loaded_plugin();
    return *plugin;
  }

  sxsdk::entry::create_interface_fn create_interface = nullptr;
  sxsdk::entry::has_interface_fn has_interface = nullptr;
  sxsdk::entry::get_name_fn get_name = nullptr;
  sxsdk::entry::get_uuid_fn get_uuid = nullptr;
  sxsdk::entry::get_group_name_fn get_group_name = nullptr;
  sxsdk::entry::is_resident_fn is_resident = nullptr;
  sxsdk::entry::get_info_fn get_info = nullptr;

 private:
  template <typename F>
  F symbol(const char* name) const {
    void* s = dlsym(handle_, name);
    if (!s) throw std::runtime_error(std::string("missing entry point ") + name);
    return reinterpret_cast<F>(s);
  }
  void* handle_;
};

}  // namespace plugin_test
