#pragma once
// What the headless host remembers of a dialog: its title, its items with their layout, and how
// it was answered. Tests and the command line read these records to see what the plug-in asked.
#include <optional>
#include <string>
#include <vector>

#include "host/ui/dialog_value.hpp"
#include "sx/core/uuid.hpp"

namespace host {

enum class dialog_item_kind { check_box, integer, real, text, vector, selection };

/// "check_box", "int", "float", "string", "vec3", "selection".
const char* dialog_item_kind_name(dialog_item_kind kind);
/// The value type an item of this kind holds (a selection holds the chosen entry, an int).
dialog_value::type value_type_of(dialog_item_kind kind);

struct dialog_item_record {
  dialog_item_kind kind = dialog_item_kind::check_box;
  /// The label as passed by the plug-in (already localised); for a selection the part before
  /// the first "/", the rest being `choices`.
  std::string label;
  /// The entries of a selection in order (empty for other kinds).
  std::vector<std::string> choices;
  /// The unit text shown beside the field ("" when none).
  std::string unit;
  /// The labels of the groups enclosing the item, outermost first.
  std::vector<std::string> groups;
  /// The row the item sits on, numbered from 0 in the order rows were begun; -1 for none.
  int row = -1;
  /// What "reset" restores; empty when the plug-in set no default.
  dialog_value default_value;
  /// What the dialog showed when it was asked; empty when the plug-in set nothing.
  dialog_value shown_value;
  /// What the dialog answered (equals shown_value unless the script changed it).
  dialog_value value;

  /// The groups and the label joined by "/": "Boundary/Minimum".
  std::string path() const;
};

enum class dialog_outcome {
  pending,    ///< built, not asked yet
  confirmed,  ///< OK
  cancelled,  ///< cancel
  rejected    ///< the script's answer did not fit the dialog: treated as a cancel, see `error`
};

const char* dialog_outcome_name(dialog_outcome outcome);

struct dialog_record {
  std::string title;
  /// The component the dialog was created for (create_dialog_for), if any.
  std::optional<sx::uuid_class> owner;
  /// Items in the order they were appended: the index is the item number.
  std::vector<dialog_item_record> items;
  dialog_outcome outcome = dialog_outcome::pending;
  /// Why the answer was rejected ("" otherwise).
  std::string error;
};

}  // namespace host
