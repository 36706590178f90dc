#pragma once
// The texts and dialogs a scene borrows, answered the headless way: one application object
// (text tables, flags) and one dialog script shared by every dialog the scene creates.
#include <filesystem>
#include <string>

#include "host/scene/scene_services.hpp"
#include "host/ui/application.hpp"
#include "host/ui/dialog_script.hpp"
#include "sdk/host_ref.hpp"

namespace host {

class ui_services : public scene_services {
 public:
  /// Loads the text table of `language` (throws as text_table::load_language does).
  explicit ui_services(const std::string& language = "en",
                       const std::filesystem::path& resources_dir = text_table::default_resources_dir());
  ui_services(const ui_services&) = delete;
  ui_services& operator=(const ui_services&) = delete;

  /// The application object with one more reference, which the caller releases.
  sxsdk::host_interface* get_host() override;
  /// A new host::dialog answered by script(), with one reference for the caller. The dialogs
  /// use the script by pointer: release them before this object goes away.
  sxsdk::dialog_interface* create_dialog(const sx::uuid_class* owner) override;

  /// Owned here; valid as long as this object.
  application& app() { return *app_; }
  dialog_script& script() { return script_; }
  const dialog_script& script() const { return script_; }

 private:
  sxsdk::host_ref<application> app_;  ///< holds one reference for this object's lifetime
  dialog_script script_;
};

}  // namespace host
