#pragma once
// The headless host's dialog: records what the plug-in builds and has a dialog_script answer
// ask(). Misuse by the caller (an item number it never appended, a value of another kind than
// the item holds, end_group without begin_group) throws std::logic_error naming the dialog and
// the item, as a failed host call does.
#include <optional>
#include <string>
#include <vector>

#include "host/ui/dialog_record.hpp"
#include "host/ui/dialog_script.hpp"
#include "sdk/dialog_interface.hpp"

namespace host {

class dialog : public sxsdk::dialog_interface {
 public:
  /// `script` answers ask() and must outlive the dialog (not owned; must not be null).
  /// `owner`: the component the dialog is made for, if any. Reference count 0 after construction.
  explicit dialog(dialog_script* script, std::optional<sx::uuid_class> owner = std::nullopt);

  void set_title(const char* title) override;
  int append_bool(const char* label) override;
  int append_int(const char* label, const char* unit = "") override;
  int append_float(const char* label, const char* unit = "") override;
  int append_string(const char* label) override;
  int append_vec3(const char* label, const char* unit = "") override;
  int append_selection(const char* label_and_choices) override;
  void begin_group(const char* label) override;
  void end_group() override;
  void begin_row() override;
  void end_row() override;

  void set_default_bool(int item, bool value) override { set(item, value, true); }
  void set_default_int(int item, int value) override { set(item, value, true); }
  void set_default_float(int item, float value) override { set(item, value, true); }
  void set_default_string(int item, const std::string& value) override { set(item, value, true); }
  void set_default_vec3(int item, const sx::vec<float, 3>& value) override { set(item, value, true); }
  void set_bool(int item, bool value) override { set(item, value, false); }
  void set_int(int item, int value) override { set(item, value, false); }
  void set_float(int item, float value) override { set(item, value, false); }
  void set_string(int item, const std::string& value) override { set(item, value, false); }
  void set_vec3(int item, const sx::vec<float, 3>& value) override { set(item, value, false); }

  /// An item never given a shown value shows its default, else false / 0 / "" / (0, 0, 0).
  /// Throws dialog_script_error when the script's answer does not fit (see dialog_script).
  bool ask() override;

  // Before ask() these give the shown values; after it the answered ones.
  bool get_bool(int item) override { return get(item, dialog_value::type::boolean).as_bool(); }
  int get_int(int item) override { return get(item, dialog_value::type::integer).as_int(); }
  float get_float(int item) override { return get(item, dialog_value::type::real).as_float(); }
  std::string get_string(int item) override { return get(item, dialog_value::type::text).as_string(); }
  sx::vec<float, 3> get_vec3(int item) override { return get(item, dialog_value::type::vector).as_vec3(); }

  /// The dialog as built so far.
  const dialog_record& record() const { return record_; }

 private:
  int append(dialog_item_kind kind, const char* label, const char* unit);
  dialog_item_record& checked_item(int item, dialog_value::type wanted);
  void set(int item, const dialog_value& value, bool as_default);
  dialog_value get(int item, dialog_value::type wanted);

  dialog_script* script_;
  dialog_record record_;
  std::vector<std::string> groups_;  ///< open groups, outermost first
  int rows_ = 0;                     ///< rows begun so far
  int row_ = -1;                     ///< the open row, -1 for none
};

}  // namespace host
