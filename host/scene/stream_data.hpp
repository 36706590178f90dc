#pragma once
// The stored side of an attribute stream: its UUID, label and bytes. Shared between the shape
// that holds it and every open stream handle, so a handle stays usable after its shape or the
// stream itself is removed (it then edits a detached buffer).
#include <cstdint>
#include <string>
#include <vector>

#include "sx/core/uuid.hpp"

namespace host {

struct stream_data {
  sx::uuid_class uuid;
  std::string label;
  std::vector<std::uint8_t> bytes;
};

}  // namespace host
