#include "host/ui/dialog_answer.hpp"

#include <stdexcept>

#include <nlohmann/json.hpp>

namespace host {

namespace {

// "#12" → 12; -1 when the key is not of that form.
int item_number(const std::string& key) {
  if (key.size() < 2 || key.size() > 10 || key[0] != '#') return -1;
  int n = 0;
  for (std::size_t i = 1; i < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9') return -1;
    n = n * 10 + (key[i] - '0');
  }
  return n;
}

}  // namespace

dialog_answer& dialog_answer::set(const std::string& label, dialog_value value) {
  entries_.push_back({true, 0, label, std::move(value)});
  return *this;
}

dialog_answer& dialog_answer::set(int item, dialog_value value) {
  entries_.push_back({false, item, std::string(), std::move(value)});
  return *this;
}

dialog_answer dialog_answer::from_json(const nlohmann::json& j) {
  if (j.is_string() && j.get<std::string>() == "cancel") return cancel();
  if (j.is_string() && j.get<std::string>() == "ok") return ok();
  if (!j.is_object())
    throw std::invalid_argument("a dialog answer is \"cancel\", \"ok\" or an object of item values: " + j.dump());
  dialog_answer answer = ok();
  for (const auto& [key, value] : j.items()) {
    const int n = item_number(key);
    try {
      if (n >= 0)
        answer.set(n, dialog_value::from_json(value));
      else
        answer.set(key, dialog_value::from_json(value));
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument("dialog answer item \"" + key + "\": " + e.what());
    }
  }
  return answer;
}

}  // namespace host
