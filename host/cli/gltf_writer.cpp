#include "host/cli/gltf_writer.hpp"

#include <algorithm>
#include <cmath>

#include "host/cli/cli_error.hpp"
#include "host/cli/glb_buffer.hpp"
#include "host/cli/gltf_cloth.hpp"
#include "host/cli/primitive_mesh.hpp"
#include "host/io/atomic_file.hpp"

namespace host {
namespace {

using nlohmann::json;

json materials() {
  auto material = [](const char* name, double r, double g, double b) {
    return json{{"name", name},
                {"pbrMetallicRoughness",
                 {{"baseColorFactor", {r, g, b, 1.0}}, {"metallicFactor", 0.0}, {"roughnessFactor", 0.8}}}};
  };
  json ground = material("ground", 0.85, 0.85, 0.8);
  ground["doubleSided"] = true;
  // Cloth is seen from both sides.
  json soft = material("soft body", 0.3, 0.7, 0.6);
  soft["doubleSided"] = true;
  json projection = material("projection", 0.85, 0.8, 0.55);
  projection["doubleSided"] = true;
  return json::array({material("moving", 0.9, 0.45, 0.1), material("kinematic", 0.2, 0.4, 0.9),
                      material("static", 0.6, 0.6, 0.6), ground, soft, projection});
}

constexpr int ground_material = 3;
constexpr int soft_material = 4;
constexpr int projection_material = 5;

std::vector<float> flat(const std::vector<std::array<float, 3>>& v) {
  std::vector<float> out;
  out.reserve(v.size() * 3);
  for (const auto& p : v) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// The mesh of a body's primitive, or -1 when it has none that draws anything.
int add_mesh(const simulated_body& body, glb_buffer& buffer, json& meshes) {
  if (!body.primitive) return -1;
  const primitive_shape shape = primitive_measure::measure(*body.primitive);
  if (!shape.valid) return -1;
  const primitive_mesh mesh = primitive_mesh::of(shape);
  if (mesh.indices.empty()) return -1;
  const int position = buffer.add_floats(flat(mesh.positions), 3, true, glb_buffer::array_buffer);
  const int normal = buffer.add_floats(flat(mesh.normals), 3, false, glb_buffer::array_buffer);
  const int indices = buffer.add_indices(mesh.indices);
  const int material = body.settings.type >= 0 && body.settings.type <= 2 ? body.settings.type : 0;
  meshes.push_back({{"name", primitive_kind_name(shape.type)},
                    {"primitives", json::array({{{"attributes", {{"POSITION", position}, {"NORMAL", normal}}},
                                                 {"indices", indices},
                                                 {"material", material}}})}});
  return static_cast<int>(meshes.size()) - 1;
}

std::array<double, 3> metres(const body_pose& p) {
  return {p.position[0] * 0.001, p.position[1] * 0.001, p.position[2] * 0.001};
}

// Translation and rotation outputs of one body; each quaternion is kept in the hemisphere of
// the one before, so that interpolation between frames takes the short way round.
void body_tracks(const motion_recorder& recorder, std::size_t body, std::vector<float>& t, std::vector<float>& r) {
  std::array<double, 4> last{1, 0, 0, 0};
  for (const auto& s : recorder.samples()) {
    const body_pose& p = s.poses[body];
    for (double v : metres(p)) t.push_back(static_cast<float>(v));
    std::array<double, 4> q = p.rotation;
    const double dot = q[0] * last[0] + q[1] * last[1] + q[2] * last[2] + q[3] * last[3];
    if (dot < 0)
      for (double& v : q) v = -v;
    last = q;
    // glTF stores x, y, z, w.
    for (int i : {1, 2, 3, 0}) r.push_back(static_cast<float>(q[i]));
  }
}

json animation(const motion_recorder& recorder, const mesh_recorder* cloth, const std::vector<int>& cloth_nodes,
               double fps, glb_buffer& buffer) {
  std::vector<float> times;
  for (const auto& s : recorder.samples()) times.push_back(static_cast<float>(s.frame / fps));
  const int input = buffer.add_floats(times, 1, true);
  json samplers = json::array(), channels = json::array();
  for (std::size_t i = 0; i < recorder.bodies().size(); ++i) {
    std::vector<float> t, r;
    body_tracks(recorder, i, t, r);
    const int sampler = static_cast<int>(samplers.size());
    samplers.push_back({{"input", input}, {"output", buffer.add_floats(t, 3, false)}, {"interpolation", "LINEAR"}});
    samplers.push_back({{"input", input}, {"output", buffer.add_floats(r, 4, false)}, {"interpolation", "LINEAR"}});
    channels.push_back({{"sampler", sampler}, {"target", {{"node", i}, {"path", "translation"}}}});
    channels.push_back({{"sampler", sampler + 1}, {"target", {{"node", i}, {"path", "rotation"}}}});
  }
  if (cloth) gltf_cloth::animate(*cloth, cloth_nodes, input, buffer, samplers, channels);
  return {{"name", "playback"}, {"samplers", samplers}, {"channels", channels}};
}

// Half the side of the ground squares: every body's path and every cloth vertex's plus a metre
// all round.
double ground_extent(const motion_recorder& recorder, const mesh_recorder* cloth) {
  double e = 1;
  for (const auto& s : recorder.samples())
    for (const body_pose& p : s.poses)
      e = std::max({e, std::fabs(p.position[0]) * 0.001, std::fabs(p.position[2]) * 0.001});
  if (cloth)
    for (const mesh_recorder::mesh& m : cloth->meshes())
      for (const std::vector<float>& frame : m.frames)
        for (std::size_t i = 0; i + 2 < frame.size(); i += 3)
          e = std::max({e, std::fabs(double(frame[i])), std::fabs(double(frame[i + 2]))});
  return e + 1;
}

// A square of the ground plane of each active world where its bodies meet it: the engine keeps
// the ground at "Hight" but multiplies the bodies' lengths by the scale factor, so in the scene
// (metres, world space) the ground acts at height / scale. Worlds at one height share a square.
void add_grounds(const motion_recorder& recorder, const mesh_recorder* cloth, glb_buffer& buffer, json& meshes,
                 json& nodes, json& scene_nodes) {
  const float e = static_cast<float>(ground_extent(recorder, cloth));
  std::vector<float> heights;
  for (const simulated_world& w : recorder.worlds()) {
    const float scale = w.settings.scale_factor;
    const float h = scale > 0.0f ? w.settings.height / scale : w.settings.height;
    if (std::find(heights.begin(), heights.end(), h) != heights.end()) continue;
    heights.push_back(h);
    const std::vector<float> positions = {-e, h, -e, e, h, -e, e, h, e, -e, h, e};
    const std::vector<float> normals = {0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0};
    const int position = buffer.add_floats(positions, 3, true, glb_buffer::array_buffer);
    const int normal = buffer.add_floats(normals, 3, false, glb_buffer::array_buffer);
    const int indices = buffer.add_indices({0, 3, 2, 0, 2, 1});  // counter-clockwise seen from above
    meshes.push_back({{"name", "ground"},
                      {"primitives", json::array({{{"attributes", {{"POSITION", position}, {"NORMAL", normal}}},
                                                   {"indices", indices},
                                                   {"material", ground_material}}})}});
    scene_nodes.push_back(nodes.size());
    nodes.push_back({{"name", w.path + " ground"}, {"mesh", meshes.size() - 1}});
  }
}

json node(const simulated_body& body, const body_pose& first, int mesh) {
  const auto& q = first.rotation;
  json n = {{"name", body.path}, {"translation", metres(first)}, {"rotation", {q[1], q[2], q[3], q[0]}}};
  if (mesh >= 0) n["mesh"] = mesh;
  return n;
}

}  // namespace

void gltf_writer::fill(const motion_recorder& recorder, const mesh_recorder* cloth, double fps, glb_buffer& buffer,
                       json& doc) {
  doc = {{"asset", {{"version", "2.0"}, {"generator", "physplug-host"}}}, {"scene", 0}};
  json nodes = json::array(), meshes = json::array(), scene_nodes = json::array();
  const auto& bodies = recorder.bodies();
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    const int mesh = add_mesh(bodies[i], buffer, meshes);
    const body_pose first = recorder.samples().empty() ? body_pose{} : recorder.samples().front().poses[i];
    nodes.push_back(node(bodies[i], first, mesh));
    scene_nodes.push_back(i);
  }
  std::vector<int> cloth_nodes;
  if (cloth) {
    // Room for the cloth and everything after it (the animation's times and body tracks, the
    // grounds), so that hundreds of megabytes of cloth are not copied while the buffer grows.
    const std::uint64_t samples = recorder.samples().size();
    const std::uint64_t room =
        gltf_cloth::bytes(*cloth, samples) + samples * (4 + 28 * bodies.size()) + 4096 * (1 + recorder.worlds().size());
    if (room < 0xFFFFFFFFu) buffer.reserve(static_cast<std::size_t>(room));  // else the file is refused anyway
    cloth_nodes = gltf_cloth::add(*cloth, buffer, meshes, nodes, soft_material, projection_material);
    for (int n : cloth_nodes)
      if (n >= 0) scene_nodes.push_back(n);
  }
  add_grounds(recorder, cloth, buffer, meshes, nodes, scene_nodes);
  json scene = {{"name", "physplug playback"}};
  if (!nodes.empty()) {
    scene["nodes"] = scene_nodes;
    doc["nodes"] = nodes;
  }
  doc["scenes"] = json::array({scene});
  if (!meshes.empty()) {
    doc["meshes"] = meshes;
    doc["materials"] = materials();
  }
  const bool cloth_moves = std::any_of(cloth_nodes.begin(), cloth_nodes.end(), [](int n) { return n >= 0; });
  if ((!bodies.empty() || cloth_moves) && !recorder.samples().empty())
    doc["animations"] = json::array({animation(recorder, cloth, cloth_nodes, fps, buffer)});
}

std::vector<std::uint8_t> gltf_writer::build(const motion_recorder& recorder, double fps, const mesh_recorder* cloth) {
  glb_buffer buffer;
  json doc;
  fill(recorder, cloth, fps, buffer, doc);
  return buffer.file(doc);
}

void gltf_writer::write(const std::string& path, const motion_recorder& recorder, double fps,
                        const mesh_recorder* cloth) {
  glb_buffer buffer;
  json doc;
  fill(recorder, cloth, fps, buffer, doc);
  try {
    atomic_file file(path);
    // In slices: the file's own buffer would otherwise take a copy of the whole binary chunk.
    buffer.write(doc, [&](const void* data, std::size_t size) {
      const char* bytes = static_cast<const char*>(data);
      for (std::size_t at = 0; at < size; at += std::size_t{1} << 20)
        file.write(bytes + at, std::min(size - at, std::size_t{1} << 20));
    });
    file.commit();
  } catch (const atomic_file_error& e) {
    throw cli_error(path + ": writing the glTF file failed: " + e.what());
  }
}

}  // namespace host
