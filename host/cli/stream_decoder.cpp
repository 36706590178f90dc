#include "host/cli/stream_decoder.hpp"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace host {

const sx::uuid_class physics_stream_ids::world("AFC29716-3C03-418A-9C7F-7541631DB70C");
const sx::uuid_class physics_stream_ids::primitive("042BC3E0-CEB3-4DD4-90EB-83E782D795E0");
const sx::uuid_class physics_stream_ids::modify("10A768C2-6DBB-43DE-9E3C-E17217E3CA47");
const sx::uuid_class physics_stream_ids::figure("7A9CA1E2-5604-42CB-B656-B810B8A3E65E");

namespace {

// Little-endian reader over a byte buffer; once a read runs past the end every later read
// fails too, so a decoder only checks ok() at the end.
class byte_reader {
 public:
  explicit byte_reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  std::int32_t i32() {
    std::uint32_t v = 0;
    if (!take(4)) return 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[pos_ - 4 + static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(v);
  }
  float f32() {
    const std::uint32_t bits = static_cast<std::uint32_t>(i32());
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  std::uint8_t byte() { return take(1) ? bytes_[pos_ - 1] : 0; }
  std::array<float, 3> vec3() {
    std::array<float, 3> v{};
    for (float& c : v) c = f32();
    return v;
  }
  bool ok() const { return ok_; }
  /// Reads `count` int32 (a negative count fails); true when every one lies in [0, below).
  bool indices_below(std::int32_t count, std::int64_t below) {
    if (count < 0 || (bytes_.size() - pos_) / 4 < std::size_t(count)) return ok_ = false;
    bool inside = true;
    for (std::int32_t k = 0; k < count; ++k) {
      const std::int32_t v = i32();
      inside = inside && v >= 0 && v < below;
    }
    return inside;
  }
  /// Skips `count` elements of `size` bytes (a negative count fails).
  bool skip(std::int32_t count, std::size_t size) {
    return count >= 0 ? take(std::size_t(count) * size) : (ok_ = false);
  }

 private:
  bool take(std::size_t n) {
    if (!ok_ || bytes_.size() - pos_ < n) return ok_ = false;
    pos_ += n;
    return true;
  }
  const std::vector<std::uint8_t>& bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// The basis of a version 0 stream, from its quaternion (w, x, y, z) as Bullet sets a matrix
// from a rotation (column-vector convention).
std::array<std::array<float, 3>, 3> basis_of(float w, float x, float y, float z) {
  const double n = double(w) * w + double(x) * x + double(y) * y + double(z) * z;
  const double s = n > 0 ? 2.0 / n : 0.0;
  const double xs = x * s, ys = y * s, zs = z * s;
  const double wx = w * xs, wy = w * ys, wz = w * zs, xx = x * xs, xy = x * ys, xz = x * zs;
  const double yy = y * ys, yz = y * zs, zz = z * zs;
  auto f = [](double v) { return static_cast<float>(v); };
  return {{{f(1 - (yy + zz)), f(xy - wz), f(xz + wy)},
           {f(xy + wz), f(1 - (xx + zz)), f(yz - wx)},
           {f(xz - wy), f(yz + wx), f(1 - (xx + yy))}}};
}

}  // namespace

bool stream_decoder::version(const std::vector<std::uint8_t>& bytes, int& out) {
  byte_reader r(bytes);
  const int v = r.i32();
  if (r.ok()) out = v;
  return r.ok();
}

world_settings stream_decoder::world(const std::vector<std::uint8_t>& bytes) {
  world_settings w;
  byte_reader r(bytes);
  // The plug-in keeps the default of every field the stream does not reach (a world cut short
  // before its flags is still active), so the fields past the end keep theirs here too.
  auto keep = [&r](auto& field, auto value) {
    if (r.ok()) field = value;
  };
  w.version = r.i32();
  const std::int32_t flags = r.i32();
  keep(w.active, (flags & 1) != 0);
  keep(w.view_debug, (flags & 2) != 0);
  keep(w.gravity, r.f32());
  keep(w.height, r.f32());
  keep(w.air_density, r.f32());
  keep(w.simulation_cycle, r.f32());
  keep(w.boundary_min, r.vec3());
  keep(w.boundary_max, r.vec3());
  keep(w.reserved, r.i32());
  keep(w.scale_factor, r.f32());
  w.valid = r.ok();
  return w;
}

primitive_settings stream_decoder::primitive(const std::vector<std::uint8_t>& bytes) {
  primitive_settings p;
  byte_reader r(bytes);
  p.version = r.i32();
  p.margin = r.f32();
  p.direction = r.i32() & 3;
  p.valid = r.ok();
  return p;
}

rigid_settings stream_decoder::rigid(const std::vector<std::uint8_t>& bytes) {
  rigid_settings b;
  byte_reader r(bytes);
  b.version = r.i32();
  b.type = r.i32();
  b.group_index = r.byte();
  b.mask = static_cast<std::uint32_t>(r.i32());
  b.mass = r.f32();
  b.friction = r.f32();
  b.restitution = r.f32();
  b.linear_damping = r.f32();
  b.angular_damping = r.f32();
  b.velocity = r.vec3();
  if (b.version == 0) {
    const float w = r.f32(), x = r.f32(), y = r.f32(), z = r.f32();
    b.basis = basis_of(w, x, y, z);
  } else {
    for (auto& row : b.basis) row = r.vec3();
  }
  b.origin = r.vec3();
  b.valid = r.ok();
  return b;
}

joint_settings stream_decoder::joint(const std::vector<std::uint8_t>& bytes) {
  joint_settings j;
  byte_reader r(bytes);
  j.version = r.i32();
  const std::int32_t flags = r.i32();
  j.type = (flags >> 2) & 3;
  j.header = r.ok();
  if (!j.header) return j;
  if (j.version != 0 && j.version != 1) {  // every other version is read as version 2
    j.expected_bytes = 104;
    j.valid = bytes.size() == j.expected_bytes;
    return j;
  }
  const int references = std::min(flags & 3, 2);
  r.skip(j.version == 0 ? 6 : 8, 12);  // the limit, spring and damping vectors
  auto body = [&r](int& out) {
    const int index = r.i32();
    if (r.ok()) out = index;  // a reference cut short is none
  };
  if (references >= 1) body(j.rigid1);
  if (references >= 2) body(j.rigid0);
  j.expected_bytes = (j.version == 0 ? 80 : 104) + 4 * std::size_t(references);
  j.valid = r.ok() && bytes.size() == j.expected_bytes;
  return j;
}

cloth_settings stream_decoder::cloth(const std::vector<std::uint8_t>& bytes) {
  byte_reader in(bytes);
  cloth_settings out;
  out.version = in.i32();
  if (out.version != 4) {
    out.valid = in.ok();
    return out;
  }
  const std::int32_t count = in.i32();
  bool damaged = false;
  for (std::int32_t r = 0; r < count && in.ok(); ++r) {
    cloth_settings::record rec;
    for (std::uint8_t c = in.byte(); c != 0 && in.ok(); c = in.byte()) rec.name.push_back(char(c));
    in.skip(1, 130);  // flags, group, mask, 20 floats, 4 ints, wind, bending and its 3 floats
    // The plug-in refuses a record whose lists disagree: three rest coordinates per node, three
    // nodes per triangle, and triangles and anchors naming nodes that exist.
    rec.nodes = in.i32();
    bool sound = in.indices_below(rec.nodes, INT32_MAX);  // node vertices: none negative
    const std::int32_t rest = in.i32();
    in.skip(rest, 4);
    sound = sound && std::int64_t(rest) == 3 * std::int64_t(rec.nodes);
    const std::int32_t triangles = in.i32();
    const bool triangles_inside = in.indices_below(triangles, rec.nodes);
    sound = sound && triangles_inside && triangles % 3 == 0;
    rec.triangles = triangles / 3;
    rec.anchor_groups = in.i32();
    for (std::int32_t g = 0; g < rec.anchor_groups && in.ok(); ++g) {
      cloth_settings::anchor a;
      a.body = in.i32();
      a.nodes = in.i32();
      const bool anchors_inside = in.indices_below(a.nodes, rec.nodes);
      sound = sound && anchors_inside;
      if (in.ok()) rec.anchors.push_back(a);
    }
    if (in.ok()) out.records.push_back(rec);
    damaged = damaged || !sound;
  }
  out.valid = in.ok() && count >= 0 && !damaged;
  return out;
}

int stream_decoder::bindings(const std::vector<std::uint8_t>& bytes) {
  byte_reader in(bytes);
  in.i32();
  const std::int32_t count = in.i32();
  in.skip(count, 40);
  return in.ok() ? count : -1;
}

}  // namespace host
