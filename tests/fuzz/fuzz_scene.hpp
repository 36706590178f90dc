#pragma once
// What every stream fuzz target shares: a fresh headless scene per input (no texts, no
// dialogs) and a check that stops the fuzzer on a broken invariant.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/scene/scene.hpp"
#include "sdk/sxsdk.hpp"

namespace fuzz {

using bytes = std::vector<std::uint8_t>;

inline bytes to_bytes(const std::uint8_t* data, std::size_t size) { return bytes(data, data + size); }

/// Aborts (a finding) when an invariant does not hold.
inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

inline bool same_float(float a, float b) { return a == b; }

}  // namespace fuzz
