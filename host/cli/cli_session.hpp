#pragma once
// host::cli_session: what every command works on: the texts and dialogs of one language (the
// plug-in's and the host's own), a scene loaded from a file, and (for play and edit) the physics
// plug-in loaded into it the way the real host loads it. Teardown order is fixed here: the
// plug-in leaves sequence mode, its components and library go, then the scene, then the texts
// and dialogs.
#include <memory>
#include <string>

#include "host/cli/host_texts.hpp"
#include "host/plugins/plugin_host.hpp"
#include "host/scene/scene.hpp"
#include "host/ui/ui_services.hpp"

namespace host {

class cli_session {
 public:
  /// Loads the text tables of `language` and the scene file; throws cli_error (exit 2) naming
  /// the file and the problem when either cannot be read.
  cli_session(const std::string& scene_path, const std::string& language);
  ~cli_session();
  cli_session(const cli_session&) = delete;
  cli_session& operator=(const cli_session&) = delete;

  /// Loads the plug-in: `path` (a bare name is the file in the current folder), or when empty
  /// the library this program was built with, or failing that libphysplug.so next to the
  /// executable or in ../lib, then tells it the scene
  /// was opened and became active and gives it three idle calls, as a host does. Throws
  /// cli_error (exit 2) when it cannot be loaded, with the loader's messages.
  void load_plugin(const std::string& path);

  scene& target() { return *scene_; }
  ui_services& services() { return *services_; }
  /// The texts this program prints for people, in the session's language.
  const host_texts& texts() const { return texts_; }
  /// Null until load_plugin.
  plugin_host* plugins() { return plugins_.get(); }
  const std::string& scene_path() const { return scene_path_; }

  /// Prints the message window lines from `first` on to stdout ("message: ..." / "error: ..."),
  /// control characters escaped (printable).
  void print_messages(std::size_t first = 0) const;
  /// True when a line from `first` on says that a call into the plug-in threw (the host's
  /// guard reports those as errors "plug-in \"NAME\": CALL failed: ...").
  bool plugin_failed(std::size_t first = 0) const;
  /// Saves the scene; throws cli_error (exit 2) naming the file when it cannot.
  void save(const std::string& path);

 private:
  std::string scene_path_;
  host_texts texts_;
  std::unique_ptr<ui_services> services_;
  sxsdk::host_ref<scene> scene_;
  std::unique_ptr<plugin_host> plugins_;
};

}  // namespace host
