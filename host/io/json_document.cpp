#include "host/io/json_document.hpp"

#include <set>
#include <vector>

#include "host/io/scene_file_error.hpp"

namespace host {
namespace {

using json = nlohmann::json;

// A first pass over the text that builds nothing and only keeps track of where it is: one
// frame per open object or array, with the key or index being read. It refuses a key given
// twice and says where a number is too large. The document itself is then read by the plain
// parser: nlohmann's callback parser would do both in one pass, but it scans the whole parent
// after every object it closes, which makes a long array of objects quadratic.
class key_checker : public nlohmann::json_sax<json> {
 public:
  bool null() override { return next_element(); }
  bool boolean(bool) override { return next_element(); }
  bool number_integer(number_integer_t) override { return next_element(); }
  bool number_unsigned(number_unsigned_t) override { return next_element(); }
  bool number_float(number_float_t, const string_t&) override { return next_element(); }
  bool string(string_t&) override { return next_element(); }
  bool binary(binary_t&) override { return next_element(); }
  bool start_object(std::size_t) override { return open(true); }
  bool start_array(std::size_t) override { return open(false); }
  bool end_object() override { return close(); }
  bool end_array() override { return close(); }

  bool key(string_t& k) override {
    frame& f = frames_.back();
    f.key = k;
    if (!f.keys.insert(k).second) throw json_path_error{path(), "the key \"" + k + "\" is given twice"};
    return true;
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
    if (const auto* p = dynamic_cast<const json::parse_error*>(&e)) throw *p;
    // A number beyond the range of a double ("1e999"): the lexer refuses it before the value
    // reaches us, so the place is the element about to be read.
    const std::string what = e.what();
    if (dynamic_cast<const json::out_of_range*>(&e))
      throw json_path_error{path(true), what.substr(what.find("] ") + 2)};
    throw json_path_error{path(true), what};
  }

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
  struct frame {
    bool object;
    std::set<std::string> keys;
    std::string key;
    long index;
  };

  bool next_element() {
    if (!frames_.empty() && !frames_.back().object) ++frames_.back().index;
    return true;
  }

  bool open(bool object) {
    next_element();
    // Scene files nest a handful of levels; a text of brackets alone would otherwise cost
    // the tree built from it some eighty times its size before anything looks at it.
    if (frames_.size() >= json_document::max_nesting)
      throw json_path_error{path(),
                            "values nest deeper than " + std::to_string(json_document::max_nesting) + " levels"};
    frames_.push_back({object, {}, {}, -1});
    return true;
  }

  bool close() {
    frames_.pop_back();
    return true;
  }

  std::vector<frame> frames_;
};

}  // namespace

nlohmann::json json_document::parse(const std::string& text) {
  key_checker checker;
  json::sax_parse(text, &checker);
  return json::parse(text);
}

}  // namespace host
