// The host calls playback makes every frame, timed on a scene of 10 000 shapes: stream reads
// (look up + seek + read a 93-byte stream), vertex writes, and index-number lookups both ways.
// Prints nanoseconds per operation. Run: build/bin/host_access
#include <chrono>
#include <cstdio>
#include <vector>

#include "host/scene/scene.hpp"
#include "sdk/sxsdk.hpp"

namespace {

using clock_type = std::chrono::steady_clock;
constexpr int operations = 100000;
constexpr int shapes = 10000;
const sx::uuid_class stream_uuid("10A768C2-6DBB-43DE-9E3C-E17217E3CA47");

template <typename F>
void time(const char* what, F&& body) {
  const auto start = clock_type::now();
  body();
  const double ns = std::chrono::duration<double, std::nano>(clock_type::now() - start).count();
  std::printf("%-46s %8.1f ns/op (%d ops)\n", what, ns / operations, operations);
}

// 10 000 shapes: 100 parts of 98 sons each (meshes of 100 vertices and parts), each carrying a
// 93-byte stream, so a walk of the scene would be visible in every number.
std::vector<host::shape_node*> build(host::scene& sc) {
  std::vector<host::shape_node*> carriers;
  const std::vector<std::uint8_t> bytes(93, 1);
  std::vector<sx::vec<float, 3>> vertices(100);
  while (sc.shape_count() < shapes) {
    auto& group = sc.add_part(sc.root(), "group");
    for (int i = 0; i < 98 && sc.shape_count() < shapes; ++i) {
      host::shape_node& s =
          (i % 2) ? static_cast<host::shape_node&>(sc.add_part(group, "body")) : sc.add_polygon_mesh(group, "mesh");
      if (auto* m = dynamic_cast<host::polygon_mesh_shape*>(&s)) m->set_vertices(vertices);
      s.put_stream(sx::uuid_class("AFC29716-3C03-418A-9C7F-7541631DB70C"), "other", bytes);
      s.put_stream(stream_uuid, "mine", bytes);
      carriers.push_back(&s);
    }
  }
  return carriers;
}

}  // namespace

int main() {
  auto sc = host::scene::create();
  const auto carriers = build(*sc);
  std::printf("scene of %d shapes\n", sc->shape_count());
  volatile float sink = 0;

  time("stream read (get_attribute_stream+seek+read)", [&] {
    for (int i = 0; i < operations; ++i) {
      sxsdk::shape_class& s = carriers[static_cast<std::size_t>(i * 7919) % carriers.size()]->sdk();
      sxsdk::host_ref<sxsdk::stream_interface> stream(s.get_attribute_stream(stream_uuid));
      stream->set_pointer(i % 77);  // 16 bytes read: always inside the 93
      sink = sink + static_cast<float>(stream->read_int()) + stream->read_vec3().x;
    }
  });

  auto* mesh = dynamic_cast<host::polygon_mesh_shape*>(carriers[0]);
  time("vertex write (polygon_mesh.vertex(i).set_position)", [&] {
    sxsdk::polygon_mesh_class& m = mesh->get_polygon_mesh();
    for (int i = 0; i < operations; ++i) m.vertex(i % 100).set_position({float(i), 1, 2});
  });

  time("get_shape_by_index + get_index", [&] {
    int total = 0;
    for (int i = 0; i < operations; ++i) {
      sxsdk::shape_class* s = sc->get_shape_by_index((i * 7919) % shapes);
      total += s->get_index();
    }
    sink = sink + static_cast<float>(total);
  });
  return sink == -1.0f;
}
