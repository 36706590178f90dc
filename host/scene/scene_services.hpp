#pragma once
// What a scene borrows from the application around it: the host application object (texts,
// queries) and dialogs. The scene files and the scene model do not depend on how these are
// answered; the headless host answers them from text tables and dialog scripts.
#include "sdk/dialog_interface.hpp"
#include "sdk/host_interface.hpp"
#include "sx/core/uuid.hpp"

namespace host {

class scene_services {
 public:
  virtual ~scene_services() = default;
  /// The host application object (a new reference).
  virtual sxsdk::host_interface* get_host() = 0;
  /// A new dialog (a new reference); `owner` is the plug-in component it belongs to, or null.
  virtual sxsdk::dialog_interface* create_dialog(const sx::uuid_class* owner) = 0;
};

}  // namespace host
