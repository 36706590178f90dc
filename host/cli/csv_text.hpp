#pragma once
// The pieces of text the CSV traces are made of: a field quoted only where it must be, and a
// number with nine significant digits, enough for a float to read back exactly.
#include <string>

namespace host::csv_text {

/// `text` as one CSV field: as it is, or in double quotes (inner quotes doubled) when it holds
/// a comma, a quote or a line break.
std::string field(const std::string& text);

/// `v` as printf prints it with "%.9g" in the C locale ("inf", "nan" and "-0" included).
std::string number(double v);

}  // namespace host::csv_text
