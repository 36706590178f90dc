#include "softbody/softbody_stream.hpp"

#include <cmath>
#include <cstdint>
#include <string>

#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"
#include "sdk/stream_interface.hpp"

namespace softbody_stream {
namespace {

constexpr int highest_group_index = 15;
constexpr std::uint8_t type_bits = 0x07, randomize_bit = 0x08, anchor_body_bit = 0x10, clusters_bit = 0x20;

// Reads values with every size checked against the bytes left before the host is asked. The
// first problem is kept; every later read fails at once.
class in_stream {
 public:
  explicit in_stream(sxsdk::stream_interface& stream) : s_(stream) {
    guarded("the stream cannot be read", [&] { s_.set_pointer(0); });
  }

  bool i32(std::int32_t& out, const char* what) {
    return need(4, what) && guarded(what, [&] { out = s_.read_int(); });
  }
  bool f32(float& out, const char* what) {
    float v = 0.0f;
    if (!need(4, what) || !guarded(what, [&] { v = s_.read_float(); })) return false;
    if (!std::isfinite(v)) return fail(std::string(what) + " is not a finite number");
    out = v;
    return true;
  }
  bool ch(std::uint8_t& out, const char* what) {
    char c = 0;
    if (!need(1, what) || !guarded(what, [&] { c = s_.read_char(); })) return false;
    out = static_cast<std::uint8_t>(c);
    return true;
  }
  bool vec(btVector3& out, const char* what) {
    float x = 0, y = 0, z = 0;
    if (!f32(x, what) || !f32(y, what) || !f32(z, what)) return false;
    out.setValue(x, y, z);
    return true;
  }
  bool shape(sxsdk::shape_class*& out, const char* what) {
    return need(4, what) && guarded(what, [&] { out = s_.read_shape(); });
  }
  /// A count followed by that many elements of `size` bytes each: never more than fit.
  bool count(std::int32_t& n, int size, const char* what) {
    if (!i32(n, what)) return false;
    if (n < 0 || n > left() / size)
      return fail(std::string("the count of ") + what + " (" + std::to_string(n) + ") does not fit the bytes left");
    return true;
  }
  bool ints(std::vector<std::int32_t>& out, const char* what) {
    std::int32_t n = 0;
    if (!count(n, 4, what)) return false;
    std::vector<std::int32_t> v(static_cast<std::size_t>(n));
    for (std::int32_t& x : v)
      if (!i32(x, what)) return false;
    out = std::move(v);
    return true;
  }
  bool floats(std::vector<float>& out, const char* what) {
    std::int32_t n = 0;
    if (!count(n, 4, what)) return false;
    std::vector<float> v(static_cast<std::size_t>(n));
    for (float& x : v)
      if (!f32(x, what)) return false;
    out = std::move(v);
    return true;
  }
  bool fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
  }
  bool ok() const { return error_.empty(); }
  long left() {
    long n = 0;
    guarded("the stream size", [&] { n = long(s_.get_size()) - long(s_.get_pointer()); });
    return ok() ? n : 0;
  }
  const std::string& error() const { return error_; }

 private:
  bool need(long bytes, const char* what) {
    if (!ok()) return false;
    if (left() < bytes) return fail(std::string("the stream ends inside ") + what);
    return true;
  }
  template <typename F>
  bool guarded(const char* what, F&& read) {
    if (!ok()) return false;
    try {
      read();
      return true;
    } catch (...) {
      return fail(std::string("the host failed to read ") + what);
    }
  }

  sxsdk::stream_interface& s_;
  std::string error_;
};

bool read_name(in_stream& in, std::string& name) {
  for (std::uint8_t c = 0;;) {
    if (!in.ch(c, "the name")) return false;
    if (c == 0) return true;
    name.push_back(static_cast<char>(c));
  }
}

void apply_flags(std::uint8_t flags, softbody_datas& d) {
  const int type = flags & type_bits;
  d.type = (type == 1 || type == 2) ? type : 0;
  d.randomize = (flags & randomize_bit) != 0;
  d.use_clusters = (flags & clusters_bit) != 0;
}

bool read_group_and_mask(in_stream& in, softbody_datas& d) {
  std::uint8_t index = 0;
  std::int32_t mask = 0;
  if (!in.ch(index, "the group index") || !in.i32(mask, "the mask")) return false;
  if (index > highest_group_index)
    return in.fail("group index " + std::to_string(index) + " is above " + std::to_string(highest_group_index));
  d.group_index = index;
  d.group = static_cast<std::int16_t>(static_cast<std::uint16_t>(1u << index));
  d.mask = static_cast<std::uint32_t>(mask);
  return true;
}

bool read_coefficients(in_stream& in, softbody_datas& d) {
  float* const fields[] = {&d.mass,     &d.margin,   &d.kVCF,        &d.kDP,         &d.kDG,
                           &d.kLF,      &d.kPR,      &d.kVC,         &d.kDF,         &d.kMT,
                           &d.kCHR,     &d.kKHR,     &d.kSHR,        &d.kAHR,        &d.kSRHR_CL,
                           &d.kSKHR_CL, &d.kSSHR_CL, &d.kSR_SPLT_CL, &d.kSK_SPLT_CL, &d.kSS_SPLT_CL};
  for (float* f : fields)
    if (!in.f32(*f, "a coefficient")) return false;
  return true;
}

bool read_iterations(in_stream& in, softbody_datas& d) {
  return in.i32(d.cluster_count, "the cluster count") && in.i32(d.viterations, "viterations") &&
         in.i32(d.piterations, "piterations") && in.i32(d.diterations, "diterations");
}

bool read_bending(in_stream& in, softbody_datas& d) {
  return in.i32(d.bending_distance, "the bending distance") && in.f32(d.kLST, "kLST") && in.f32(d.kAST, "kAST") &&
         in.f32(d.kVST, "kVST");
}

sxsdk::shape_class* shape_by_index(sxsdk::scene_interface* scene, std::int32_t index) {
  if (scene == nullptr || index < 0) return nullptr;
  try {
    return scene->get_shape_by_index(index);
  } catch (...) {
    return nullptr;
  }
}

bool read_anchors(in_stream& in, sxsdk::scene_interface* scene, softbody_datas& d) {
  std::int32_t groups = 0;
  if (!in.count(groups, 8, "anchor groups")) return false;
  for (std::int32_t g = 0; g < groups; ++g) {
    std::int32_t reference = -1;
    softbody_datas::anchor_struct anchor;
    if (!in.i32(reference, "an anchor body") || !in.ints(anchor.nodes, "anchor nodes")) return false;
    anchor.rigid = shape_by_index(scene, reference);
    d.anchors.push_back(std::move(anchor));
  }
  return true;
}

bool read_record_4(in_stream& in, sxsdk::scene_interface* scene, softbody_datas& d) {
  std::uint8_t flags = 0;
  if (!read_name(in, d.name) || !in.ch(flags, "the flags")) return false;
  apply_flags(flags, d);
  return read_group_and_mask(in, d) && read_coefficients(in, d) && read_iterations(in, d) &&
         in.vec(d.wind_velocity, "the wind velocity") && read_bending(in, d) &&
         in.ints(d.node_vertices, "node vertices") && in.floats(d.vertices, "rest positions") &&
         in.ints(d.triangles, "triangles") && read_anchors(in, scene, d);
}

// Versions 0 to 3: the anchor body (if any) comes right after the flags, the first group's
// nodes after the node list, and the later fields by version.
bool read_record_old(in_stream& in, int version, softbody_datas& d) {
  std::uint8_t flags = 0;
  if (!read_name(in, d.name) || !in.ch(flags, "the flags")) return false;
  apply_flags(flags, d);
  if ((flags & anchor_body_bit) != 0) {
    softbody_datas::anchor_struct first;
    sxsdk::shape_class* body = nullptr;
    if (!in.shape(body, "the anchor body")) return false;
    first.rigid = body;
    d.anchors.push_back(first);
  }
  std::vector<std::int32_t> anchor_nodes;
  if (!read_group_and_mask(in, d) || !read_coefficients(in, d) || !in.ints(d.node_vertices, "node vertices") ||
      !in.ints(anchor_nodes, "anchor nodes") || !in.floats(d.vertices, "rest positions") ||
      !in.ints(d.triangles, "triangles"))
    return false;
  if (!anchor_nodes.empty() && d.anchors.empty()) d.anchors.emplace_back();
  if (!d.anchors.empty()) d.anchors.front().nodes = std::move(anchor_nodes);
  d.wind_velocity.setValue(0, 0, 0);
  if (version == 0) {
    d.cluster_count = 0;
    d.viterations = 1;
    d.piterations = 4;
    d.diterations = 0;
    return true;
  }
  if (!read_iterations(in, d)) return false;
  if (version >= 2 && !in.vec(d.wind_velocity, "the wind velocity")) return false;
  return version != 3 || read_bending(in, d);
}

bool indices_below(const std::vector<std::int32_t>& v, std::size_t count) {
  for (std::int32_t i : v)
    if (i < 0 || std::size_t(i) >= count) return false;
  return true;
}

}  // namespace

std::string damage(const softbody_datas& d) {
  if (d.vertices.size() % 3 != 0) return "the rest positions are not three per node";
  const std::size_t nodes = d.vertices.size() / 3;
  if (d.node_vertices.size() != nodes) return "the node list and the rest positions differ in length";
  if (d.triangles.size() % 3 != 0) return "the triangle list is not three nodes per triangle";
  if (!indices_below(d.triangles, nodes)) return "a triangle names a node that does not exist";
  for (const softbody_datas::anchor_struct& a : d.anchors)
    if (!indices_below(a.nodes, nodes)) return "an anchor names a node that does not exist";
  for (std::int32_t v : d.node_vertices)
    if (v < 0) return "a node names a negative vertex";
  return "";
}

std::string read(sxsdk::stream_interface& stream, sxsdk::scene_interface* scene, int& version,
                 std::vector<softbody_datas>& out) {
  in_stream in(stream);
  std::int32_t v = 0, records = 0;
  if (in.i32(v, "the version") && (v < 0 || v > current_version))
    in.fail("version " + std::to_string(v) + " is not one this plug-in knows");
  in.count(records, 1, "records");
  std::vector<softbody_datas> read_records;
  for (std::int32_t r = 0; r < records && in.ok(); ++r) {
    softbody_datas d;
    const bool whole = v == current_version ? read_record_4(in, scene, d) : read_record_old(in, v, d);
    const std::string wrong = whole ? damage(d) : "";
    if (!wrong.empty()) in.fail("record " + std::to_string(r) + ": " + wrong);
    read_records.push_back(std::move(d));
  }
  if (!in.ok()) return in.error();
  version = v;
  out = std::move(read_records);
  return "";
}

void write(sxsdk::stream_interface& s, const std::vector<softbody_datas>& records) {
  s.write_int(current_version);
  s.write_int(static_cast<std::int32_t>(records.size()));
  for (const softbody_datas& d : records) {
    for (char c : d.name) s.write_char(c);
    s.write_char(0);
    std::uint8_t flags = static_cast<std::uint8_t>(d.type) & type_bits;
    if (d.randomize) flags |= randomize_bit;
    if (d.use_clusters) flags |= clusters_bit;
    s.write_char(static_cast<char>(flags));
    s.write_char(static_cast<char>(d.group_index));
    s.write_int(static_cast<std::int32_t>(d.mask));
    for (float f : {d.mass,     d.margin,   d.kVCF,     d.kDP,         d.kDG,         d.kLF,        d.kPR,
                    d.kVC,      d.kDF,      d.kMT,      d.kCHR,        d.kKHR,        d.kSHR,       d.kAHR,
                    d.kSRHR_CL, d.kSKHR_CL, d.kSSHR_CL, d.kSR_SPLT_CL, d.kSK_SPLT_CL, d.kSS_SPLT_CL})
      s.write_float(f);
    for (std::int32_t i : {d.cluster_count, d.viterations, d.piterations, d.diterations}) s.write_int(i);
    s.write_vec3({d.wind_velocity.x(), d.wind_velocity.y(), d.wind_velocity.z()});
    s.write_int(d.bending_distance);
    for (float f : {d.kLST, d.kAST, d.kVST}) s.write_float(f);
    s.write_int(static_cast<std::int32_t>(d.node_vertices.size()));
    for (std::int32_t i : d.node_vertices) s.write_int(i);
    s.write_int(static_cast<std::int32_t>(d.vertices.size()));
    for (float f : d.vertices) s.write_float(f);
    s.write_int(static_cast<std::int32_t>(d.triangles.size()));
    for (std::int32_t i : d.triangles) s.write_int(i);
    std::int32_t groups = 0;
    for (const softbody_datas::anchor_struct& a : d.anchors) groups += a.nodes.empty() ? 0 : 1;
    s.write_int(groups);
    for (const softbody_datas::anchor_struct& a : d.anchors) {
      if (a.nodes.empty()) continue;  // a group without nodes is neither counted nor written
      const auto* body = static_cast<const sxsdk::shape_class*>(a.rigid);
      s.write_int(body != nullptr ? body->get_index() : -1);
      s.write_int(static_cast<std::int32_t>(a.nodes.size()));
      for (std::int32_t n : a.nodes) s.write_int(n);
    }
  }
}

std::string read_bindings(sxsdk::stream_interface& stream, std::vector<softbody_properties::proxcy_struct>& out) {
  in_stream in(stream);
  std::int32_t version = 0, count = 0;
  in.i32(version, "the binding version");
  in.count(count, 40, "bindings");
  std::vector<softbody_properties::proxcy_struct> bindings;
  for (std::int32_t b = 0; b < count && in.ok(); ++b) {
    softbody_properties::proxcy_struct p;
    in.i32(p.vertex, "a bound vertex");
    for (int j = 0; j < 3; ++j)
      if (!in.i32(p.mesh_vertex[j], "a binding vertex") || !in.f32(p.weight[j], "a weight")) break;
    btVector3 offset;
    if (in.vec(offset, "an offset")) p.offset = {offset.x(), offset.y(), offset.z()};
    if (in.ok() && p.vertex < 0) in.fail("binding " + std::to_string(b) + " names a negative vertex");
    bindings.push_back(p);
  }
  if (!in.ok()) return in.error();
  out = std::move(bindings);
  return "";
}

void write_bindings(sxsdk::stream_interface& s, const std::vector<softbody_properties::proxcy_struct>& bindings) {
  s.write_int(0);
  s.write_int(static_cast<std::int32_t>(bindings.size()));
  for (const softbody_properties::proxcy_struct& p : bindings) {
    s.write_int(p.vertex);
    for (int j = 0; j < 3; ++j) {
      s.write_int(p.mesh_vertex[j]);
      s.write_float(p.weight[j]);
    }
    s.write_vec3(p.offset);
  }
}

}  // namespace softbody_stream
