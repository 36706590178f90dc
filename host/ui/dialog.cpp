#include "host/ui/dialog.hpp"

#include <stdexcept>

namespace host {

namespace {

std::string text(const char* s) { return s ? s : ""; }

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = s.find(sep); at != std::string::npos; at = s.find(sep, start)) {
    parts.push_back(s.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(s.substr(start));
  return parts;
}

dialog_value zero_of(dialog_value::type t) {
  switch (t) {
    case dialog_value::type::boolean:
      return false;
    case dialog_value::type::integer:
      return 0;
    case dialog_value::type::real:
      return 0.0f;
    case dialog_value::type::text:
      return std::string();
    case dialog_value::type::vector:
      return vec3();
    case dialog_value::type::none:
      break;
  }
  return {};
}

}  // namespace

dialog::dialog(dialog_script* script, std::optional<sx::uuid_class> owner) : script_(script) {
  if (!script_) throw std::invalid_argument("a dialog needs a dialog_script to answer it");
  record_.owner = owner;
}

void dialog::set_title(const char* title) { record_.title = text(title); }

int dialog::append_bool(const char* label) { return append(dialog_item_kind::check_box, label, ""); }
int dialog::append_int(const char* label, const char* unit) { return append(dialog_item_kind::integer, label, unit); }
int dialog::append_float(const char* label, const char* unit) { return append(dialog_item_kind::real, label, unit); }
int dialog::append_string(const char* label) { return append(dialog_item_kind::text, label, ""); }
int dialog::append_vec3(const char* label, const char* unit) { return append(dialog_item_kind::vector, label, unit); }
int dialog::append_selection(const char* label_and_choices) {
  return append(dialog_item_kind::selection, label_and_choices, "");
}

int dialog::append(dialog_item_kind kind, const char* label, const char* unit) {
  dialog_item_record item;
  item.kind = kind;
  item.label = text(label);
  if (kind == dialog_item_kind::selection) {
    item.choices = split(item.label, '/');
    item.label = item.choices.front();
    item.choices.erase(item.choices.begin());
  }
  item.unit = text(unit);
  item.groups = groups_;
  item.row = row_;
  record_.items.push_back(std::move(item));
  return static_cast<int>(record_.items.size()) - 1;
}

void dialog::begin_group(const char* label) { groups_.push_back(text(label)); }

void dialog::end_group() {
  if (groups_.empty()) throw std::logic_error("dialog \"" + record_.title + "\": end_group without an open group");
  groups_.pop_back();
}

void dialog::begin_row() {
  if (row_ >= 0) throw std::logic_error("dialog \"" + record_.title + "\": begin_row inside an open row");
  row_ = rows_++;
}

void dialog::end_row() {
  if (row_ < 0) throw std::logic_error("dialog \"" + record_.title + "\": end_row without an open row");
  row_ = -1;
}

dialog_item_record& dialog::checked_item(int item, dialog_value::type wanted) {
  const std::string where = "dialog \"" + record_.title + "\": ";
  if (item < 0 || static_cast<std::size_t>(item) >= record_.items.size())
    throw std::logic_error(where + "no item number " + std::to_string(item));
  auto& it = record_.items[static_cast<std::size_t>(item)];
  if (value_type_of(it.kind) != wanted)
    throw std::logic_error(where + "item " + std::to_string(item) + " \"" + it.label + "\" (" +
                           dialog_item_kind_name(it.kind) + ") is not read or written as " +
                           dialog_value::type_name(wanted));
  return it;
}

void dialog::set(int item, const dialog_value& value, bool as_default) {
  auto& it = checked_item(item, value.kind());
  (as_default ? it.default_value : it.shown_value) = value;
  if (!as_default) it.value = value;
}

dialog_value dialog::get(int item, dialog_value::type wanted) {
  const auto& it = checked_item(item, wanted);
  if (!it.value.empty()) return it.value;
  return it.default_value.empty() ? zero_of(wanted) : it.default_value;
}

bool dialog::ask() {
  for (auto& item : record_.items)
    if (item.shown_value.empty())
      item.shown_value = item.default_value.empty() ? zero_of(value_type_of(item.kind)) : item.default_value;
  return script_->answer(record_);
}

}  // namespace host
