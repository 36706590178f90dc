#include "host/cli/gltf_cloth.hpp"

#include <array>
#include <cmath>
#include <stdexcept>

namespace host {
namespace {

using nlohmann::json;

bool drawn(const mesh_recorder::mesh& m) { return !m.triangles.empty() && !m.frames.empty() && m.vertices > 0; }

// Vertex normals of one frame: the sum of the normals of the triangles around each vertex,
// weighted by their areas, made unit. A vertex in no triangle with area points up (+Y).
std::vector<float> normals(const std::vector<float>& p, const std::vector<std::uint32_t>& triangles) {
  std::vector<double> sum(p.size(), 0.0);
  for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
    const std::size_t a = 3 * triangles[t], b = 3 * triangles[t + 1], c = 3 * triangles[t + 2];
    const std::array<double, 3> u = {p[b] - double(p[a]), p[b + 1] - double(p[a + 1]), p[b + 2] - double(p[a + 2])};
    const std::array<double, 3> v = {p[c] - double(p[a]), p[c + 1] - double(p[a + 1]), p[c + 2] - double(p[a + 2])};
    const std::array<double, 3> n = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    for (std::size_t corner : {a, b, c})
      for (int i = 0; i < 3; ++i) sum[corner + i] += n[i];
  }
  std::vector<float> out(p.size());
  for (std::size_t v = 0; v < p.size(); v += 3) {
    const double length = std::sqrt(sum[v] * sum[v] + sum[v + 1] * sum[v + 1] + sum[v + 2] * sum[v + 2]);
    if (length > 0 && std::isfinite(length)) {
      for (int i = 0; i < 3; ++i) out[v + i] = static_cast<float>(sum[v + i] / length);
    } else {
      out[v] = 0, out[v + 1] = 1, out[v + 2] = 0;
    }
  }
  return out;
}

std::vector<float> minus(const std::vector<float>& a, const std::vector<float>& b) {
  std::vector<float> out(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) out[i] = a[i] - b[i];
  return out;
}

}  // namespace

std::uint64_t gltf_cloth::bytes(const mesh_recorder& cloth, std::size_t frames) {
  std::uint64_t total = 0;
  const std::uint64_t samples = frames;
  for (const mesh_recorder::mesh& m : cloth.meshes()) {
    if (m.triangles.empty() || m.vertices == 0) continue;
    // Base and targets, positions and normals (target 0 takes none), the triangles and the
    // weights' sparse entries.
    total += samples * m.vertices * 24 + m.triangles.size() * 4 + samples * 8 + 16;
    // The weights are numbered in 32 bits: samples x targets of them.
    if (samples * samples > 0xFFFFFFFFu) return ~std::uint64_t{0};
  }
  return total;
}

std::vector<int> gltf_cloth::add(const mesh_recorder& cloth, glb_buffer& buffer, json& meshes, json& nodes,
                                 int soft_material, int projection_material) {
  std::vector<int> out;
  for (const mesh_recorder::mesh& m : cloth.meshes()) {
    if (!drawn(m)) {
      out.push_back(-1);
      continue;
    }
    const std::vector<float>& base = m.frames.front();
    const std::vector<float> base_normals = normals(base, m.triangles);
    json attributes = {{"POSITION", buffer.add_floats(base, 3, true, glb_buffer::array_buffer)},
                       {"NORMAL", buffer.add_floats(base_normals, 3, false, glb_buffer::array_buffer)}};
    json targets = json::array();
    targets.push_back(
        {{"POSITION", buffer.add_zeros(m.vertices, 3, true)}, {"NORMAL", buffer.add_zeros(m.vertices, 3, false)}});
    for (std::size_t f = 1; f < m.frames.size(); ++f) {
      const int position = buffer.add_floats(minus(m.frames[f], base), 3, true, glb_buffer::array_buffer);
      const int normal =
          buffer.add_floats(minus(normals(m.frames[f], m.triangles), base_normals), 3, false, glb_buffer::array_buffer);
      targets.push_back({{"POSITION", position}, {"NORMAL", normal}});
    }
    meshes.push_back({{"name", m.path},
                      {"primitives", json::array({{{"attributes", attributes},
                                                   {"indices", buffer.add_indices(m.triangles, m.vertices)},
                                                   {"material", m.projection ? projection_material : soft_material},
                                                   {"targets", targets}}})}});
    out.push_back(static_cast<int>(nodes.size()));
    nodes.push_back({{"name", m.path}, {"mesh", meshes.size() - 1}});
  }
  return out;
}

void gltf_cloth::animate(const mesh_recorder& cloth, const std::vector<int>& nodes, int input, glb_buffer& buffer,
                         json& samplers, json& channels) {
  for (std::size_t k = 0; k < cloth.meshes().size(); ++k) {
    if (nodes[k] < 0) continue;
    // One weight per target at every frame: 1 on the frame's own target (index f * n + f).
    const std::size_t n = cloth.meshes()[k].frames.size();
    if (std::uint64_t{n} * n > 0xFFFFFFFFu) throw std::length_error("the cloth's morph weights would exceed 4 GiB");
    std::vector<std::uint32_t> ones(n);
    for (std::size_t f = 0; f < n; ++f) ones[f] = static_cast<std::uint32_t>(f * n + f);
    const int output = buffer.add_sparse(n * n, ones, std::vector<float>(n, 1.0f));
    channels.push_back({{"sampler", samplers.size()}, {"target", {{"node", nodes[k]}, {"path", "weights"}}}});
    samplers.push_back({{"input", input}, {"output", output}, {"interpolation", "LINEAR"}});
  }
}

}  // namespace host
