#include "host/ui/ui_services.hpp"

#include <optional>

#include "host/ui/dialog.hpp"

namespace host {

ui_services::ui_services(const std::string& language, const std::filesystem::path& resources_dir) {
  auto* created = new application(language, resources_dir);
  created->AddRef();
  app_.reset(created);
}

sxsdk::host_interface* ui_services::get_host() {
  app_->AddRef();
  return app_.get();
}

sxsdk::dialog_interface* ui_services::create_dialog(const sx::uuid_class* owner) {
  auto* created = new dialog(&script_, owner ? std::optional<sx::uuid_class>(*owner) : std::nullopt);
  created->AddRef();
  return created;
}

}  // namespace host
