#include "host/ui/dialog_script.hpp"

#include <algorithm>

namespace host {

namespace {

std::string where(const dialog_record& record) { return "dialog \"" + record.title + "\": "; }

std::string item_name(const dialog_record& record, std::size_t n) {
  return "item " + std::to_string(n) + " \"" + record.items[n].path() + "\"";
}

std::vector<std::size_t> matching(const dialog_record& record, const std::string& key, bool whole_path) {
  std::vector<std::size_t> found;
  for (std::size_t n = 0; n < record.items.size(); ++n) {
    const auto& item = record.items[n];
    if ((whole_path ? item.path() : item.label) == key) found.push_back(n);
  }
  return found;
}

// A label names an item when exactly one item has it as its whole group path, or else exactly
// one item carries it as its label. The candidates are returned: one when the key names an item.
std::vector<std::size_t> items_named(const dialog_record& record, const std::string& key) {
  auto found = matching(record, key, true);
  if (found.size() == 1) return found;
  return matching(record, key, false);
}

// How a script names item n: its label, else its group path, else its number; each the first
// of them that names this item alone.
std::string key_of(const dialog_record& record, std::size_t n) {
  const dialog_item_record& item = record.items[n];
  for (const std::string& key : {item.label, item.path()})
    if (!item.label.empty() && items_named(record, key) == std::vector<std::size_t>{n}) return "\"" + key + "\"";
  return "\"#" + std::to_string(n) + "\"";
}

std::string keys_of(const dialog_record& record) {
  std::string keys;
  for (std::size_t n = 0; n < record.items.size(); ++n) keys += (n ? ", " : "") + key_of(record, n);
  return keys.empty() ? "none" : keys;
}

std::size_t resolve_label(const dialog_record& record, const std::string& key) {
  const auto found = items_named(record, key);
  if (found.size() == 1) return found[0];
  if (found.empty())
    throw dialog_script_error(where(record) + "no item labelled \"" + key + "\"; its items: " + keys_of(record));
  std::string paths;
  for (const std::size_t n : found) paths += (paths.empty() ? "\"" : ", \"") + record.items[n].path() + "\"";
  throw dialog_script_error(where(record) + "the label \"" + key + "\" is ambiguous; name one of " + paths);
}

std::size_t resolve(const dialog_record& record, const dialog_answer::entry& key) {
  if (key.by_label) return resolve_label(record, key.label);
  const int n = key.item;
  if (n < 0 || static_cast<std::size_t>(n) >= record.items.size())
    throw dialog_script_error(where(record) + "no item number " + std::to_string(n) + " (it has " +
                              std::to_string(record.items.size()) + " items)");
  return static_cast<std::size_t>(n);
}

dialog_value selection_value(const dialog_record& record, std::size_t n, const dialog_value& value) {
  const auto& choices = record.items[n].choices;
  if (value.kind() == dialog_value::type::text) {
    const auto it = std::find(choices.begin(), choices.end(), value.as_string());
    if (it == choices.end())
      throw dialog_script_error(where(record) + item_name(record, n) + " has no entry " + value.describe());
    return static_cast<int>(it - choices.begin());
  }
  if (value.kind() == dialog_value::type::integer &&
      (value.as_int() < 0 || static_cast<std::size_t>(value.as_int()) >= choices.size()))
    throw dialog_script_error(where(record) + item_name(record, n) + " has no entry number " + value.describe() +
                              " (it has " + std::to_string(choices.size()) + ")");
  return value;
}

// The value converted to what the item holds, or an error naming the item.
dialog_value fitted(const dialog_record& record, std::size_t n, const dialog_value& value) {
  const dialog_item_kind kind = record.items[n].kind;
  dialog_value v = value;
  if (kind == dialog_item_kind::selection) v = selection_value(record, n, value);
  if (kind == dialog_item_kind::real && v.kind() == dialog_value::type::integer) v = static_cast<float>(v.as_int());
  if (v.kind() != value_type_of(kind))
    throw dialog_script_error(where(record) + item_name(record, n) + " (" + dialog_item_kind_name(kind) +
                              ") cannot take the " + dialog_value::type_name(value.kind()) + " value " +
                              value.describe());
  return v;
}

}  // namespace

bool dialog_script::answer(dialog_record& record) {
  for (auto& item : record.items) item.value = item.shown_value;
  record.error.clear();  // a dialog asked again starts afresh
  dialog_answer next = dialog_answer::ok();
  if (!queue_.empty()) {
    next = std::move(queue_.front());
    queue_.pop_front();
  }
  try {
    if (!next.is_cancel()) apply(next, record);
    record.outcome = next.is_cancel() ? dialog_outcome::cancelled : dialog_outcome::confirmed;
  } catch (const dialog_script_error& e) {
    record.outcome = dialog_outcome::rejected;
    record.error = e.what();
    errors_.push_back(record.error);
    shown_.push_back(record);
    throw;
  }
  shown_.push_back(record);
  return record.outcome == dialog_outcome::confirmed;
}

// All values are checked before any is kept, so a rejected answer changes nothing.
void dialog_script::apply(const dialog_answer& answer, dialog_record& record) const {
  std::vector<dialog_value> values;
  for (const auto& item : record.items) values.push_back(item.value);
  for (const auto& e : answer.entries()) {
    const std::size_t n = resolve(record, e);
    values[n] = fitted(record, n, e.value);
  }
  for (std::size_t n = 0; n < values.size(); ++n) record.items[n].value = values[n];
}

}  // namespace host
