#pragma once
// A scene with every kind of shape and every piece of state the scene files keep, set to values
// that differ from the defaults (awkward floats included), and a comparison of two scenes
// through the scene model's own getters: what a scene file round trip must preserve.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "host/scene/scene.hpp"
#include "sdk/sxsdk.hpp"

namespace host_test {

using vec3 = sx::vec<float, 3>;

/// Floats whose text is easy to get wrong: not exactly decimal, tiny, subnormal, signed zero,
/// the largest float, and the non-finite ones JSON has no number for.
inline const float awkward[] = {0.1f,
                                1e-38f,
                                -0.0f,
                                3.4028235e38f,
                                1e-45f,
                                -1.17549435e-38f,
                                16777217.0f,
                                0.3f,
                                std::numeric_limits<float>::infinity(),
                                -std::numeric_limits<float>::infinity(),
                                std::numeric_limits<float>::quiet_NaN()};

inline const sx::uuid_class foreign_uuid("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0");
inline const sx::uuid_class our_uuid("AFC29716-3C03-418A-9C7F-7541631DB70C");
inline const sx::uuid_class link_uuid("12345678-9ABC-DEF0-1234-56789ABCDEF0");

/// Builds the scene: root > World (part) > {Ball joint > Body (rotator...)...}; see the body.
void build_rich_scene(host::scene& s);

/// Every kind's state and the scene's state, compared bit for bit.
void expect_same_scene(host::scene& a, host::scene& b);

inline bool same_bits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace host_test
