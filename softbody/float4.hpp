#pragma once
// float4: four floats in one SIMD register (the vector extension of GCC and Clang), for the
// loops that run for every projection vertex after every step. Each lane is computed with the
// operations of the scalar code in the same order, so a lane's result is the scalar result bit
// for bit; the fourth lane of a point is unused.
#include "sx/core/vectors.hpp"

namespace float4_ops {

using float4 = float __attribute__((vector_size(16)));

inline float4 splat(float s) { return float4{s, s, s, s}; }
inline float4 load(const sx::vec<float, 3>& p) { return float4{p.x, p.y, p.z, 0.0f}; }
inline sx::vec<float, 3> store(const float4& v) { return {v[0], v[1], v[2]}; }

}  // namespace float4_ops
