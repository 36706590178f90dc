#pragma once
// The real plug-in library, loaded as the host loads it (host::plugin_library: dlopen, then the
// seven entry points by name). Tests create components only through create_interface and talk
// to them only through the SDK's interface classes.
#include "host/plugins/plugin_library.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/iid.hpp"
#include "sdk/plugin_interface.hpp"

namespace plugin_test {

class loaded_plugin : public host::plugin_library {
 public:
  explicit loaded_plugin(const char* path = PHYSPLUG_PLUGIN_PATH) : host::plugin_library(path) {}

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

  /// The library loaded once for the whole test program and never closed, as the host keeps a
  /// resident plug-in: components the test scenes still hold may be released after any test.
  static const loaded_plugin& shared() {
    static const loaded_plugin* const plugin = new loaded_plugin();
    return *plugin;
  }
};

}  // namespace plugin_test
