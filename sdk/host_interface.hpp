#pragma once
// The host application object: localised texts and host-wide queries.
#include <string>

#include "sdk/unknown_interface.hpp"

namespace sxsdk {

class host_interface : public unknown_interface {
 public:
  /// The localised text for an English identifier; the identifier itself when the table has none.
  virtual std::string get_text(const char* id) = 0;
  /// A host-wide yes/no query by code (code 2052: whether debug windows may be offered).
  virtual bool query_flag(int code) = 0;
};

}  // namespace sxsdk
