#include "softbody/cloth_util.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "base/texts.hpp"
#include "sdk/scene_interface.hpp"

namespace {

using vec3 = sx::vec<float, 3>;

constexpr float coincident_distance2 = 0.0002f;
constexpr float side_tolerance2 = 3.9999996e-08f;  // 0.0002 squared, as a float
constexpr float offset_tolerance = 0.0002f;
constexpr float plane_tolerance = 0.0002f;
constexpr std::size_t candidate_limit = 5;
constexpr std::size_t kept_limit = 4;

vec3 sub(const vec3& a, const vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float dot(const vec3& a, const vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
vec3 cross(const vec3& a, const vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float det(const vec3& a, const vec3& b, const vec3& c) { return dot(a, cross(b, c)); }

// Weights of v0 and v1 for the point at -a0 from v0, within the plane of v0, v1, v2 (each ai
// is vertex i minus the point).
void in_plane_weights(const vec3& a0, const vec3& a1, const vec3& a2, float& w0, float& w1) {
  const vec3 e1 = sub(a1, a0), e2 = sub(a2, a0), r{-a0.x, -a0.y, -a0.z};
  const double d00 = dot(e1, e1), d01 = dot(e1, e2), d11 = dot(e2, e2), d20 = dot(r, e1), d21 = dot(r, e2);
  const double den = d00 * d11 - d01 * d01;
  const double s = (d11 * d20 - d01 * d21) / den, t = (d00 * d21 - d01 * d20) / den;
  w0 = float(1.0 - s - t);
  w1 = float(s);
}

using candidates = std::multimap<float, cloth_util::iw>;

// Adds one entry to the held candidates; false when the walk in this direction stops.
bool consider(candidates& held, const vec3& point, const vec3& q, int index, bool same_side) {
  if (!cloth_util::passes_side(point, q, same_side)) return true;
  const vec3 diff = sub(q, point);
  const float d2 = cloth_util::distance2(q, point);
  if (held.size() < candidate_limit) {
    held.emplace(d2, cloth_util::iw{index, diff});
    return true;
  }
  const float largest = std::prev(held.end())->first;
  const float dy = q.y - point.y;
  if (dy * dy > largest) return false;
  if (d2 <= largest) {
    held.emplace(d2, cloth_util::iw{index, diff});  // after any equal distances
    held.erase(std::prev(held.end()));              // so an entry that only ties the largest goes again
  }
  return true;
}

}  // namespace

bool cloth_util::passes_side(const vec3& point, const vec3& q, bool same_side) {
  if (!same_side) return true;
  if (point.x * point.x >= side_tolerance2) return q.x * point.x >= 0.0f;
  return q.x * q.x <= side_tolerance2;  // the point lies on the plane: so must q
}

float cloth_util::distance2(const vec3& q, const vec3& point) {
  const vec3 diff = sub(q, point);
  return dot(diff, diff);
}

bool ltvec3yzx::operator()(const vec3& a, const vec3& b) const {
  if (a.y < b.y) return true;
  if (a.y != b.y) return false;
  if (a.y >= 0.0f) return a.z < b.z || (a.z == b.z && a.x < b.x);
  return a.z > b.z || (a.z == b.z && a.x > b.x);
}

candidates cloth_util::search(const vec3& point, const cloth_vertex_index& index, bool same_side) {
  candidates held;
  if (index.size() < candidate_limit) {
    for (const auto& entry : index) consider(held, point, entry.first, entry.second, same_side);
    return held;
  }
  const auto u = index.upper_bound(point);
  auto it = u != index.end() ? u : std::prev(index.end());
  for (;; --it) {
    if (!consider(held, point, it->first, it->second, same_side) || it == index.begin()) break;
  }
  if (u == index.end()) return held;
  for (auto next = std::next(u); next != index.end(); ++next)
    if (!consider(held, point, next->first, next->second, same_side)) break;
  return held;
}

bool cloth_util::make(const vec3& point, const cloth_vertex_index& index, bool same_side,
                      sxsdk::scene_interface& messages, int vertex) {
  return make_from(search(point, index, same_side), messages, vertex);
}

bool cloth_util::make_from(const candidates& found, sxsdk::scene_interface& messages, int vertex) {
  if (found.empty()) return true;
  std::vector<vw> working;
  for (const auto& c : found) {
    if (working.size() == kept_limit) break;
    working.push_back({c.second.index, c.first, c.second.diff});
  }
  vws.clear();
  auto attempt = [&](std::initializer_list<int> picks) {
    vws.clear();
    for (int k : picks) vws.push_back(working[std::size_t(k)]);
    return cal_weight(messages, vertex);
  };
  if (working.size() <= 2) {
    vws = working;
    (void)cal_weight(messages, vertex);
  } else if (const float r1 = attempt({0, 1, 2}); r1 < 0.0f) {
    if (working.size() == 3) {
      (void)attempt({0, 1, 2});  // no fourth vertex to try: the first triple stays
    } else if (const float r2 = attempt({0, 1, 3}); r2 < 0.0f) {
      if (const float r3 = attempt({0, 2, 3}); r3 < 0.0f) {
        if (r1 > r2 && r1 > r3)
          (void)attempt({0, 1, 2});
        else if (r2 > r1 && r2 > r3)
          (void)attempt({0, 1, 3});
        else
          (void)attempt({0, 2, 3});
      }
    }
  }
  offset = get_offset();
  return std::any_of(vws.begin(), vws.end(), [](const vw& v) { return v.weight < 0.0f; });
}

float cloth_util::segment(vw& e0, vw& e1) {
  const vec3 e = sub(e1.diff, e0.diff);
  const float length2 = dot(e, e);
  float t = ((e1.weight - e0.weight) + length2) * 0.5f / length2;
  t = std::min(t, 1.0f);
  e0.weight = t;
  e1.weight = 1.0f - t;
  return 0.0f;
}

float cloth_util::cal_weight(sxsdk::scene_interface& messages, int vertex) {
  if (vws.empty()) {
    texts::show_error(messages, texts::format("NO refarence point or BAD point[%i]!!", vertex).c_str());
    return -2.0f;
  }
  if (vws[0].weight < coincident_distance2) {
    vws.resize(1);
    vws[0].weight = 1.0f;
    offset = {-vws[0].diff.x, -vws[0].diff.y, -vws[0].diff.z};
    return 0.0f;
  }
  if (vws.size() == 1) {
    vws[0].weight = 1.0f;
    return 0.0f;
  }
  auto keep = [&](int a, int b) {
    const vw first = vws[std::size_t(a)], second = vws[std::size_t(b)];
    vws = {first, second};
    return segment(vws[0], vws[1]);
  };
  if (vws.size() == 2) return keep(0, 1);
  const vec3 a0 = vws[0].diff, a1 = vws[1].diff, a2 = vws[2].diff;
  vec3 n = cross(sub(a1, a0), sub(a2, a0));
  const float n2 = dot(n, n);
  if (n2 > 1e-37f) {
    const float length = std::sqrt(n2);
    n = {n.x / length, n.y / length, n.z / length};
  }
  const float h = dot(n, a0);
  float w0 = 0.0f, w1 = 0.0f, w2 = 0.0f;
  if (n2 > 1e-37f && std::fabs(h) <= plane_tolerance) {
    // The point lies in the triangle's plane, where the volume determinant below is 0 and would
    // throw the triangle away for one of its edges: weigh it in the plane instead.
    in_plane_weights(a0, a1, a2, w0, w1);
    w2 = 1.0f - w0 - w1;
  } else {
    const vec3 q{h * n.x, h * n.y, h * n.z};  // from the point to its projection on the plane
    const float d = det(a0, a1, a2);
    if (d == 0.0f) return keep(0, 1);
    w0 = det(q, a1, a2) / d;
    w1 = det(a0, q, a2) / d;
    w2 = 1.0f - (det(q, a1, a2) + det(a0, q, a2)) / d;
  }
  if (w0 > 1.0f) {
    vws.resize(1);
    vws[0].weight = 1.0f;
    return 0.0f;
  }
  if (w0 <= 0.0f) return keep(1, 2);
  if (w1 < 0.0f) return keep(0, 2);
  if (1.0 - double(w0) - double(w1) < 0.0) return keep(0, 1);
  vws.resize(3);
  vws[0].weight = w0;
  vws[1].weight = w1;
  vws[2].weight = w2;
  const float smaller = std::min(w1, w2);
  return smaller < 0.0f ? smaller : 0.0f;
}

sx::vec<float, 3> cloth_util::get_offset() {
  if (vws.size() > 3) vws.resize(3);
  vec3 s{0, 0, 0};
  for (const vw& v : vws) s = {s.x + v.weight * v.diff.x, s.y + v.weight * v.diff.y, s.z + v.weight * v.diff.z};
  vec3 o{-s.x, -s.y, -s.z};
  for (float* c : {&o.x, &o.y, &o.z})
    if (*c > -offset_tolerance && *c < offset_tolerance) *c = 0.0f;
  return o;
}
