#pragma once
// Tolerant comparisons for the SDK math tests, with readable failure messages.

#include "sdk/mat4.hpp"
#include "sdk/quaternion_class.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace physplug_test {

inline ::testing::AssertionResult near(const sxsdk::mat4& a, const sxsdk::mat4& b, float tol) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (!(std::fabs(a[i][j] - b[i][j]) <= tol))
        return ::testing::AssertionFailure() << a << "\n differs from\n"
                                             << b << "\n at [" << i << "][" << j << "] by more than " << tol;
  return ::testing::AssertionSuccess();
}

template <int N>
::testing::AssertionResult near(const sx::vec<float, N>& a, const sx::vec<float, N>& b, float tol) {
  for (int i = 0; i < N; ++i)
    if (!(std::fabs(a[i] - b[i]) <= tol))
      return ::testing::AssertionFailure() << a << " differs from " << b << " by more than " << tol;
  return ::testing::AssertionSuccess();
}

/// Equal as rotations: q and -q turn points the same way.
inline ::testing::AssertionResult same_rotation(const sxsdk::quaternion_class& a, const sxsdk::quaternion_class& b,
                                                float tol) {
  const float d = a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
  const float s = d < 0 ? -1.0f : 1.0f;
  const bool ok = std::fabs(a.w - s * b.w) <= tol && std::fabs(a.x - s * b.x) <= tol &&
                  std::fabs(a.y - s * b.y) <= tol && std::fabs(a.z - s * b.z) <= tol;
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << a << " is not the rotation " << b << " (tolerance " << tol << ")";
}

constexpr float pi = 3.14159265358979f;

}  // namespace physplug_test
