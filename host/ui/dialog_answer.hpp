#pragma once
// One scripted answer to a dialog: cancel, or OK with some items changed. Items are named by
// number (the order they were appended, from 0) or by label: the label as the dialog shows it
// (already localised; for a selection the part before the first "/"), or, where two items share
// a label, by its path through the groups ("Rigidbody properties/Type").
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "host/ui/dialog_value.hpp"

namespace host {

class dialog_answer {
 public:
  struct entry {
    bool by_label = false;
    int item = 0;       ///< the item number when not by_label
    std::string label;  ///< the label or group path when by_label
    dialog_value value;
  };

  /// OK with the shown values (add changes with set).
  static dialog_answer ok() { return dialog_answer(false); }
  static dialog_answer cancel() { return dialog_answer(true); }

  /// Item by label or group path. A selection takes its entry number (int) or the entry's text.
  /// A float item also takes an int. Later settings of the same item win.
  dialog_answer& set(const std::string& label, dialog_value value);
  /// Item by number.
  dialog_answer& set(int item, dialog_value value);

  /// From JSON: "cancel", "ok", or an object of item → value where a key "#3" names item 3 and
  /// any other key a label or path; values as dialog_value::from_json. Throws
  /// std::invalid_argument on anything else.
  static dialog_answer from_json(const nlohmann::json& j);

  bool is_cancel() const { return cancel_; }
  const std::vector<entry>& entries() const { return entries_; }

 private:
  explicit dialog_answer(bool cancel) : cancel_(cancel) {}

  bool cancel_ = false;
  std::vector<entry> entries_;
};

}  // namespace host
