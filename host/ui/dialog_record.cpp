#include "host/ui/dialog_record.hpp"

namespace host {

const char* dialog_item_kind_name(dialog_item_kind kind) {
  switch (kind) {
    case dialog_item_kind::check_box:
      return "check_box";
    case dialog_item_kind::integer:
      return "int";
    case dialog_item_kind::real:
      return "float";
    case dialog_item_kind::text:
      return "string";
    case dialog_item_kind::vector:
      return "vec3";
    case dialog_item_kind::selection:
      return "selection";
  }
  return "?";
}

dialog_value::type value_type_of(dialog_item_kind kind) {
  switch (kind) {
    case dialog_item_kind::check_box:
      return dialog_value::type::boolean;
    case dialog_item_kind::integer:
      return dialog_value::type::integer;
    case dialog_item_kind::real:
      return dialog_value::type::real;
    case dialog_item_kind::text:
      return dialog_value::type::text;
    case dialog_item_kind::vector:
      return dialog_value::type::vector;
    case dialog_item_kind::selection:
      return dialog_value::type::integer;
  }
  return dialog_value::type::none;
}

std::string dialog_item_record::path() const {
  std::string out;
  for (const auto& g : groups) out += g + "/";
  return out + label;
}

const char* dialog_outcome_name(dialog_outcome outcome) {
  switch (outcome) {
    case dialog_outcome::pending:
      return "pending";
    case dialog_outcome::confirmed:
      return "confirmed";
    case dialog_outcome::cancelled:
      return "cancelled";
    case dialog_outcome::rejected:
      return "rejected";
  }
  return "?";
}

}  // namespace host
