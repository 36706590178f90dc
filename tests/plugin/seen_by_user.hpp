#pragma once
// What a user saw while working with the loaded plug-in, in the order it appeared: message lines
// ("error: " before an error) and each dialog, at the moment it was answered, as
// "[title | first item/its choices]".
#include <string>
#include <vector>

#include "host/scene/scene.hpp"
#include "host/ui/ui_services.hpp"

namespace plugin_test {

/// A dialog as the user met it: its title and its first item (a selection with its entries).
inline std::string describe(const host::dialog_record& d) {
  std::string first;
  if (!d.items.empty()) {
    first = d.items.front().label;
    for (const std::string& c : d.items.front().choices) first += "/" + c;
  }
  return "[" + d.title + " | " + first + "]";
}

class seen_by_user {
 public:
  seen_by_user(host::scene& scene, host::ui_services& ui) : scene_(scene), ui_(ui) {
    scene_.messages().set_echo([this](const host::message_window::line& l) {
      catch_up();
      lines_.push_back((l.what == host::message_window::kind::error ? "error: " : "") + l.text);
    });
  }
  ~seen_by_user() { scene_.messages().set_echo(nullptr); }
  seen_by_user(const seen_by_user&) = delete;
  seen_by_user& operator=(const seen_by_user&) = delete;

  /// Everything seen so far.
  const std::vector<std::string>& lines() {
    catch_up();
    return lines_;
  }
  /// Starts afresh: what was seen until now is forgotten.
  void forget() {
    catch_up();
    lines_.clear();
  }

 private:
  void catch_up() {
    for (const auto& shown = ui_.script().shown(); dialogs_seen_ < shown.size(); ++dialogs_seen_)
      lines_.push_back(describe(shown[dialogs_seen_]));
  }

  host::scene& scene_;
  host::ui_services& ui_;
  std::vector<std::string> lines_;
  std::size_t dialogs_seen_ = 0;
};

}  // namespace plugin_test
