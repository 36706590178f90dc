#pragma once
// Small fixed-size vectors shared by the host and the plug-in: sx::vec<T, N> for N = 2, 3, 4.
// Plain values with public components; sx::vec<float, 3> is exactly three 32-bit floats so that
// it can travel through host calls and streams as such.

#include <cassert>
#include <cmath>
#include <ostream>
#include <type_traits>

namespace sx {

template <typename T, int N>
struct vec;

/// Two components. Default: (0, 0).
template <typename T>
struct vec<T, 2> {
  T x, y;

  constexpr vec() : x(0), y(0) {}
  constexpr vec(T x_, T y_) : x(x_), y(y_) {}

  /// i in 0..1.
  T& operator[](int i) {
    assert(i >= 0 && i < 2);
    return i == 0 ? x : y;
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i < 2);
    return i == 0 ? x : y;
  }

  constexpr vec operator+(const vec& o) const { return {x + o.x, y + o.y}; }
  constexpr vec operator-(const vec& o) const { return {x - o.x, y - o.y}; }
  constexpr vec operator-() const { return {-x, -y}; }
  constexpr vec operator*(T s) const { return {x * s, y * s}; }
  constexpr vec operator/(T s) const { return {x / s, y / s}; }
  vec& operator+=(const vec& o) {
    x += o.x;
    y += o.y;
    return *this;
  }
  vec& operator-=(const vec& o) {
    x -= o.x;
    y -= o.y;
    return *this;
  }
  vec& operator*=(T s) {
    x *= s;
    y *= s;
    return *this;
  }
  vec& operator/=(T s) {
    x /= s;
    y /= s;
    return *this;
  }
  /// Exact component-wise comparison.
  constexpr bool operator==(const vec& o) const { return x == o.x && y == o.y; }
  constexpr bool operator!=(const vec& o) const { return !(*this == o); }
};

/// Three components. Default: (0, 0, 0).
template <typename T>
struct vec<T, 3> {
  T x, y, z;

  constexpr vec() : x(0), y(0), z(0) {}
  constexpr vec(T x_, T y_, T z_) : x(x_), y(y_), z(z_) {}

  /// i in 0..2.
  T& operator[](int i) {
    assert(i >= 0 && i < 3);
    return i == 0 ? x : i == 1 ? y : z;
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i < 3);
    return i == 0 ? x : i == 1 ? y : z;
  }

  constexpr vec operator+(const vec& o) const { return {x + o.x, y + o.y, z + o.z}; }
  constexpr vec operator-(const vec& o) const { return {x - o.x, y - o.y, z - o.z}; }
  constexpr vec operator-() const { return {-x, -y, -z}; }
  constexpr vec operator*(T s) const { return {x * s, y * s, z * s}; }
  constexpr vec operator/(T s) const { return {x / s, y / s, z / s}; }
  vec& operator+=(const vec& o) {
    x += o.x;
    y += o.y;
    z += o.z;
    return *this;
  }
  vec& operator-=(const vec& o) {
    x -= o.x;
    y -= o.y;
    z -= o.z;
    return *this;
  }
  vec& operator*=(T s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
  }
  vec& operator/=(T s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
  }
  /// Exact component-wise comparison.
  constexpr bool operator==(const vec& o) const { return x == o.x && y == o.y && z == o.z; }
  constexpr bool operator!=(const vec& o) const { return !(*this == o); }
};

/// Four components (a row vector with w for sxsdk::mat4). Default: (0, 0, 0, 0).
template <typename T>
struct vec<T, 4> {
  T x, y, z, w;

  constexpr vec() : x(0), y(0), z(0), w(0) {}
  constexpr vec(T x_, T y_, T z_, T w_) : x(x_), y(y_), z(z_), w(w_) {}

  /// i in 0..3.
  T& operator[](int i) {
    assert(i >= 0 && i < 4);
    return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i < 4);
    return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
  }

  constexpr vec operator+(const vec& o) const { return {x + o.x, y + o.y, z + o.z, w + o.w}; }
  constexpr vec operator-(const vec& o) const { return {x - o.x, y - o.y, z - o.z, w - o.w}; }
  constexpr vec operator-() const { return {-x, -y, -z, -w}; }
  constexpr vec operator*(T s) const { return {x * s, y * s, z * s, w * s}; }
  constexpr vec operator/(T s) const { return {x / s, y / s, z / s, w / s}; }
  vec& operator+=(const vec& o) {
    x += o.x;
    y += o.y;
    z += o.z;
    w += o.w;
    return *this;
  }
  vec& operator-=(const vec& o) {
    x -= o.x;
    y -= o.y;
    z -= o.z;
    w -= o.w;
    return *this;
  }
  vec& operator*=(T s) {
    x *= s;
    y *= s;
    z *= s;
    w *= s;
    return *this;
  }
  vec& operator/=(T s) {
    x /= s;
    y /= s;
    z /= s;
    w /= s;
    return *this;
  }
  /// Exact component-wise comparison.
  constexpr bool operator==(const vec& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
  constexpr bool operator!=(const vec& o) const { return !(*this == o); }
};

/// Scalar on the left: s * v == v * s.
template <typename T, int N>
constexpr vec<T, N> operator*(T s, const vec<T, N>& v) {
  return v * s;
}

template <typename T>
constexpr T dot(const vec<T, 2>& a, const vec<T, 2>& b) {
  return a.x * b.x + a.y * b.y;
}
template <typename T>
constexpr T dot(const vec<T, 3>& a, const vec<T, 3>& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
template <typename T>
constexpr T dot(const vec<T, 4>& a, const vec<T, 4>& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

/// Right-handed cross product: cross((1,0,0), (0,1,0)) == (0,0,1).
template <typename T>
constexpr vec<T, 3> cross(const vec<T, 3>& a, const vec<T, 3>& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

/// Squared Euclidean length (no square root).
template <typename T, int N>
constexpr T length_squared(const vec<T, N>& v) {
  return dot(v, v);
}

/// Euclidean length.
template <typename T, int N>
T length(const vec<T, N>& v) {
  return std::sqrt(length_squared(v));
}

/// v scaled to length 1. A zero vector comes back unchanged (zero), never as NaN.
template <typename T, int N>
vec<T, N> normalize(const vec<T, N>& v) {
  const T len = length(v);
  return len > T(0) ? v / len : v;
}

template <typename T, int N>
std::ostream& operator<<(std::ostream& out, const vec<T, N>& v) {
  out << '(';
  for (int i = 0; i < N; ++i) out << (i ? ", " : "") << v[i];
  return out << ')';
}

static_assert(sizeof(vec<float, 3>) == 3 * sizeof(float), "sx::vec<float,3> must be three floats");
static_assert(std::is_standard_layout_v<vec<float, 3>>, "sx::vec<float,3> must be standard layout");
static_assert(std::is_trivially_copyable_v<vec<float, 3>>, "sx::vec<float,3> must copy as bytes");
static_assert(sizeof(vec<float, 4>) == 4 * sizeof(float), "sx::vec<float,4> must be four floats");

}  // namespace sx
