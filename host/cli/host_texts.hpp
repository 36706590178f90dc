#pragma once
// host::host_texts: the texts physplug-host prints for people in one language, read from the
// host's own text table resources/host/strings/<lang>.xml (the plug-in's table stays the
// plug-in's: the host adds nothing to it). See host_text for the identifiers.
#include <string>

#include <boost/format.hpp>

#include "host/cli/host_text.hpp"
#include "host/ui/text_table.hpp"

namespace host {

class host_texts {
 public:
  /// Reads the table of `language` ("en", "ja") from the resources folder of the source tree;
  /// throws cli_error (exit 2) naming the file when it cannot be read.
  explicit host_texts(const std::string& language);

  /// The text of `id` in this language (the English text when the table has none).
  std::string operator()(host_text id) const { return table_.lookup(english(id)); }

  /// The text of `id` with its `%s` / `%i` filled with `args` in order. A translation with the
  /// wrong placeholders does not throw: missing values stay empty, surplus ones are dropped.
  template <typename... Args>
  std::string format(host_text id, const Args&... args) const {
    const std::string pattern = (*this)(id);
    try {
      boost::format f(pattern);
      f.exceptions(boost::io::no_error_bits);
      (f % ... % args);
      return f.str();
    } catch (const boost::io::format_error&) {
      return pattern;
    }
  }

  const text_table& table() const { return table_; }

 private:
  text_table table_;
};

}  // namespace host
