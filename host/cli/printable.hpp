#pragma once
// host::printable: text from files (shape names, paths, JSON values, the plug-in's messages)
// made safe to print on one line of a terminal. A name holding a line break would split an
// error line in two, and escape sequences (ESC, CSI) would be obeyed by the terminal.
#include <string>

namespace host {

/// `text` with every control character written out: "\n", "\r", "\t" by name, other C0
/// controls and DEL as "\xNN", the C1 controls U+0080 to U+009F (UTF-8 C2 80 to C2 9F) as
/// "\u00NN". Everything else, other UTF-8 text included, is kept as it is.
std::string printable(const std::string& text);

}  // namespace host
