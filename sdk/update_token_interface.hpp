#pragma once
// A bracket around a batch of geometry edits: the host redraws once when it ends.
#include "sdk/unknown_interface.hpp"

namespace sxsdk {

class update_token_interface : public unknown_interface {
 public:
  /// Ends the bracket; releasing the token without end() ends it too.
  virtual void end() = 0;
};

}  // namespace sxsdk
