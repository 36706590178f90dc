#include "host/io/json_document.hpp"

#include <functional>
#include <set>
#include <vector>

#include "host/io/scene_file_error.hpp"

namespace host {
namespace {

// Where the parser is: one frame per open object or array, with the key or index being read.
class key_checker {
public:
  bool operator()(int, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
    using event_t = nlohmann::json::parse_event_t;
    if (event == event_t::key) return key(parsed.get<std::string>());
    if (event == event_t::value || event == event_t::object_start || event == event_t::array_start) next_element();
    if (event == event_t::object_start || event == event_t::array_start)
      frames_.push_back({event == event_t::object_start, {}, {}, -1});
    if (event == event_t::object_end || event == event_t::array_end) frames_.pop_back();
    return true;
  }

private:
  struct frame {
    bool object;
    std::set<std::string> keys;
    std::string key;
    int index;
  };

  void next_element() {
    if (!frames_.empty() && !frames_.back().object) ++frames_.back().index;
  }

  bool key(const std::string& k) {
    frame& f = frames_.back();
    f.key = k;
    if (!f.keys.insert(k).second) throw json_path_error{path(), "the key \"" + k + "\" is given twice"};
    return true;
  }

public:
  // The JSON pointer of the value being read (RFC 6901 escapes in keys); with `pending`, of
  // the value the parser is in the middle of (an array element not yet counted).
  std::string path(bool pending = false) const {
    std::string p;
    for (std::size_t i = 0; i < frames_.size(); ++i) {
      const frame& f = frames_[i];
      p += '/';
      const bool last = i + 1 == frames_.size();
      if (!f.object) {
        p += std::to_string(f.index + (pending && last ? 1 : 0));
        continue;
      }
      for (char c : f.key) p += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
    }
    return p;
  }

private:

  std::vector<frame> frames_;
};

}  // namespace

nlohmann::json json_document::parse(const std::string& text) {
  key_checker checker;
  try {
    return nlohmann::json::parse(text, std::ref(checker));
  } catch (const nlohmann::json::out_of_range& e) {
    // A number beyond the range of a double ("1e999"): the lexer refuses it before the value
    // reaches the checker, which still knows where it stands.
    const std::string what = e.what();
    throw json_path_error{checker.path(true), what.substr(what.find("] ") + 2)};
  }
}

}  // namespace host
