#pragma once
// host::edit_script_reader: the text of an edit script turned into checked operations. The
// text is JSON (a key given twice or nesting deeper than 64 levels is refused, as in scene
// files): a list of operations, or an object whose "operations" member is that list. A
// mistake anywhere is reported before the first operation runs, so a script either runs from
// its start or not at all.
#include <string>
#include <vector>

#include "host/cli/edit_operation.hpp"

namespace host {

class edit_script_reader {
 public:
  /// The operations in `text`; throws cli_error (exit 2) "FILE: operation N: problem" (or
  /// "FILE: not JSON: ..." for text that is no JSON) naming `file_name`.
  static std::vector<edit_operation> read(const std::string& text, const std::string& file_name);
};

}  // namespace host
