// Fuzzes softbody_properties::get_properties (versions 0 to 4): any bytes under
// physplug_modify_uuid on a polygon mesh read without a crash; a refused stream leaves the list
// empty and the stream byte for byte as it was (never rewritten); an accepted one has finite
// numbers, a group index of 0 to 15 and every node, triangle and anchor index inside its
// record; an accepted older version is rewritten as version 4 at once, and what is then written
// reads back the same and writes the same bytes again.
#include <algorithm>
#include <cmath>

#include "base/uuid_table.hpp"
#include "fuzz_scene.hpp"
#include "softbody/softbody_properties.hpp"
#include "softbody/softbody_stream.hpp"

namespace {

bool finite(const softbody_datas& d) {
  for (float f : {d.mass,
                  d.margin,
                  d.kVCF,
                  d.kDP,
                  d.kDG,
                  d.kLF,
                  d.kPR,
                  d.kVC,
                  d.kDF,
                  d.kMT,
                  d.kCHR,
                  d.kKHR,
                  d.kSHR,
                  d.kAHR,
                  d.kSRHR_CL,
                  d.kSKHR_CL,
                  d.kSSHR_CL,
                  d.kSR_SPLT_CL,
                  d.kSK_SPLT_CL,
                  d.kSS_SPLT_CL,
                  d.kLST,
                  d.kAST,
                  d.kVST,
                  float(d.wind_velocity.x()),
                  float(d.wind_velocity.y()),
                  float(d.wind_velocity.z())})
    if (!std::isfinite(f)) return false;
  for (float f : d.vertices)
    if (!std::isfinite(f)) return false;
  return true;
}

bool same(const softbody_datas& a, const softbody_datas& b) {
  if (a.anchors.size() != b.anchors.size()) return false;
  for (std::size_t i = 0; i < a.anchors.size(); ++i)
    if (a.anchors[i].rigid != b.anchors[i].rigid || a.anchors[i].nodes != b.anchors[i].nodes) return false;
  return a.type == b.type && a.name == b.name && a.group_index == b.group_index && a.group == b.group &&
         a.mask == b.mask && a.mass == b.mass && a.margin == b.margin && a.wind_velocity == b.wind_velocity &&
         a.cluster_count == b.cluster_count && a.use_clusters == b.use_clusters && a.randomize == b.randomize &&
         a.kVCF == b.kVCF && a.kDP == b.kDP && a.kDG == b.kDG && a.kLF == b.kLF && a.kPR == b.kPR && a.kVC == b.kVC &&
         a.kDF == b.kDF && a.kMT == b.kMT && a.kCHR == b.kCHR && a.kKHR == b.kKHR && a.kSHR == b.kSHR &&
         a.kAHR == b.kAHR && a.kSRHR_CL == b.kSRHR_CL && a.kSKHR_CL == b.kSKHR_CL && a.kSSHR_CL == b.kSSHR_CL &&
         a.kSR_SPLT_CL == b.kSR_SPLT_CL && a.kSK_SPLT_CL == b.kSK_SPLT_CL && a.kSS_SPLT_CL == b.kSS_SPLT_CL &&
         a.viterations == b.viterations && a.piterations == b.piterations && a.diterations == b.diterations &&
         a.bending_distance == b.bending_distance && a.kLST == b.kLST && a.kAST == b.kAST && a.kVST == b.kVST &&
         a.node_vertices == b.node_vertices && a.vertices == b.vertices && a.triangles == b.triangles;
}

// A record that names no anchor body reads back with none; one whose body was written as an
// index reads back with the shape at that index (the same pointer).
bool same(const std::vector<softbody_datas>& a, const std::vector<softbody_datas>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    softbody_datas written = a[i];
    // Groups without nodes are not written.
    auto& groups = written.anchors;
    groups.erase(std::remove_if(groups.begin(), groups.end(),
                                [](const softbody_datas::anchor_struct& g) { return g.nodes.empty(); }),
                 groups.end());
    if (!same(written, b[i])) return false;
  }
  return true;
}

std::int32_t first_int(const fuzz::bytes& b) {
  if (b.size() < 4) return -1;
  return std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                      std::uint32_t(b[3]) << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sxsdk::host_ref<host::scene> scene = host::scene::create();
  scene->add_part(scene->root(), "Pole");  // an anchor body an index may name
  host::polygon_mesh_shape& mesh = scene->add_polygon_mesh(scene->root(), "Cloth");
  mesh.set_vertices({{0, 0, 0}, {100, 0, 0}, {100, 0, 100}, {0, 0, 100}});
  mesh.set_faces({{0, 1, 2, 3}});
  const fuzz::bytes input = fuzz::to_bytes(data, size);
  mesh.put_stream(physplug_modify_uuid, "", input);

  softbody_properties p;
  p.shape = &mesh.sdk();
  const bool read = p.get_properties();
  const auto stream_now = [&] {
    const auto stream = mesh.find_stream(physplug_modify_uuid);
    return stream ? stream->bytes : fuzz::bytes{};
  };
  const fuzz::bytes after = stream_now();
  if (!read) {
    fuzz::require(p.datas.empty(), "a refused stream left records");
    fuzz::require(after == input, "a refused stream was rewritten");
    return 0;
  }
  const std::int32_t version = first_int(input);
  fuzz::require(version >= 0 && version <= softbody_stream::current_version, "an unknown version was read");
  for (const softbody_datas& d : p.datas) {
    fuzz::require(softbody_stream::damage(d).empty(), "a damaged record was read");
    fuzz::require(finite(d), "a non-finite soft body value was read");
    fuzz::require(d.group_index <= 15, "a group index above 15 was read");
  }
  if (version < softbody_stream::current_version)
    // Rewritten as version 4; an empty list is no stream at all.
    fuzz::require(p.datas.empty() ? after.empty() : first_int(after) == softbody_stream::current_version,
                  "an older version was not rewritten");
  else
    fuzz::require(after == input, "a current stream was rewritten on reading");

  fuzz::require(p.regist(), "the soft body stream was not written");
  const fuzz::bytes first = stream_now();
  softbody_properties back;
  back.shape = &mesh.sdk();
  fuzz::require(back.get_properties() && same(p.datas, back.datas), "the written soft body stream did not read back");
  fuzz::require(back.regist(), "the soft body stream was not written again");
  fuzz::require(stream_now() == first, "writing what was read back changed the bytes");
  return 0;
}
