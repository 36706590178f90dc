#include "host/io/scene_file_reader.hpp"

#include <set>

#include "host/io/animation_keys_io.hpp"
#include "host/io/base64.hpp"
#include "host/io/scene_file_error.hpp"
#include "host/io/scene_file_format.hpp"
#include "host/io/shape_geometry_reader.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace fmt = scene_file_format;

namespace {

std::string describe(const shape_node& node) {
  return "shape " + std::to_string(node.index()) + " (\"" + node.name() + "\", a " + fmt::kind_name(node.type()) + ")";
}

}  // namespace

sxsdk::host_ref<scene> scene_file_reader::build(const nlohmann::json& document, scene_services* services) {
  // Built into a scene of its own and handed out only when complete: a failure releases it.
  sxsdk::host_ref<scene> s = scene::create(services);
  scene_file_reader reader(*s);
  json_reader::object doc = json_reader(document, "").members();
  reader.header(doc);
  reader.shapes(doc.required("shapes"));
  reader.scene_state(doc);
  doc.finish();
  return s;
}

void scene_file_reader::header(json_reader::object& doc) {
  const json_reader format = doc.required("format");
  if (format.as_string() != fmt::format_name)
    format.fail("expected \"" + std::string(fmt::format_name) + "\", found " + format.value().dump());
  const json_reader version = doc.required("version");
  if (version.as_int() != fmt::version)
    version.fail("version " + version.value().dump() + " is not known (this program reads version " +
                 std::to_string(fmt::version) + ")");
}

void scene_file_reader::shapes(const json_reader& list) {
  const auto items = list.items();
  if (items.empty()) list.fail("a scene has at least its root");
  for (const json_reader& item : items) shape(item);
  for (auto& [node, list_at] : links_) links(list_at, *node);
}

void scene_file_reader::shape(const json_reader& item) {
  json_reader::object o = item.members();
  const json_reader kind_at = o.required("kind");
  shape_node& node = create(o, kind_at.as_string(), kind_at);
  nodes_.push_back(&node);
  open_.push_back(static_cast<int>(nodes_.size()) - 1);
  flags(o, node);
  shape_geometry_reader::read(o, node);
  if (auto s = o.optional("streams")) streams(*s, node);
  if (auto l = o.optional("links")) links_.emplace_back(&node, *l);
  o.finish();
}

shape_node& scene_file_reader::create(json_reader::object& o, const std::string& kind, const json_reader& kind_at) {
  const std::string name = o.required("name").as_string();
  int part_type = sxsdk::part_type::part;
  if (kind == "part")
    if (auto t = o.optional("part_type")) {
      part_type = t->as_int();
      if (!fmt::known_part_type(part_type)) t->fail("unknown part type " + std::to_string(part_type));
    }
  if (nodes_.empty()) {  // the root, which every scene already has
    if (kind != "part") kind_at.fail("the first shape is the root and must be a part, not a " + kind);
    if (part_type != sxsdk::part_type::part) o.required("part_type").fail("the root is a part of type 0");
    if (auto d = o.optional("dad")) d->fail("the root has no dad");
    scene_.root().rename(name);
    return scene_.root();
  }
  if (kind != "part" && kind != "polygon_mesh" && kind != "line" && kind != "sphere" && kind != "disk" &&
      kind != "light")
    kind_at.fail("unknown kind \"" + kind + "\" (part, polygon_mesh, line, sphere, disk or light)");
  shape_node& dad = dad_of(o);
  if (kind == "part") return scene_.add_part(dad, name, part_type);
  if (kind == "polygon_mesh") return scene_.add_polygon_mesh(dad, name);
  if (kind == "line") return scene_.add_line(dad, name, {}, false);
  if (kind == "sphere") return scene_.add_sphere(dad, name, fmt::zero_vector, fmt::sphere_radius);
  if (kind == "disk") return scene_.add_disk(dad, name, fmt::zero_vector, fmt::disk_radius);
  return scene_.add_light(dad, name, fmt::zero_vector);
}

shape_node& scene_file_reader::dad_of(json_reader::object& o) {
  const json_reader at = o.required("dad");
  const int last = static_cast<int>(nodes_.size()) - 1;
  const int dad = at.as_int(0, last);
  // Shapes are listed depth first, so a shape hangs under the shape before it or one of that
  // shape's dads; anything else would give index numbers other than the file's positions.
  while (!open_.empty() && open_.back() != dad) open_.pop_back();
  if (open_.empty())
    at.fail("shape " + std::to_string(dad) + " cannot be the dad here: shapes are listed depth first, " +
            "so the dad is shape " + std::to_string(last) + " or one of its dads");
  shape_node& node = *nodes_[dad];
  if (node.type() != sxsdk::shape_type::part) at.fail(describe(node) + " cannot have sons: only parts can");
  // open_ now holds the root and every dad down to this one: as many as the new shape's depth.
  if (open_.size() > std::size_t(fmt::max_depth))
    at.fail("shapes nest deeper than " + std::to_string(fmt::max_depth) + " levels");
  return node;
}

void scene_file_reader::flags(json_reader::object& o, shape_node& node) {
  if (auto v = o.optional("visible")) node.visible = v->as_int();
  if (auto v = o.optional("render")) node.render_flag = v->as_bool();
  if (auto v = o.optional("selected")) node.selected = v->as_bool();
}

void scene_file_reader::streams(const json_reader& list, shape_node& node) {
  std::set<sx::uuid_class> seen;
  const auto items = list.items();
  if (items.size() > fmt::max_streams)
    list.fail(std::to_string(items.size()) + " streams on one shape (at most " + std::to_string(fmt::max_streams) +
              ")");
  for (const json_reader& item : items) {
    json_reader::object o = item.members();
    const json_reader uuid_at = o.required("uuid");
    const sx::uuid_class uuid = uuid_at.as_uuid();
    if (!seen.insert(uuid).second) uuid_at.fail("a second stream with the UUID " + uuid.to_string());
    std::string label;
    if (auto l = o.optional("label")) label = l->as_string();
    std::vector<std::uint8_t> bytes;
    if (auto b = o.optional("bytes")) {
      base64::error failure;
      if (!base64::decode(b->as_string(), bytes, failure))
        b->fail("bad base64 at character " + std::to_string(failure.position) + ": " + failure.problem);
    }
    o.finish();
    node.put_stream(uuid, label, std::move(bytes));
  }
}

void scene_file_reader::links(const json_reader& list, shape_node& node) {
  for (const json_reader& item : list.items()) {
    json_reader::object o = item.members();
    const sx::uuid_class uuid = o.required("uuid").as_uuid();
    shape_node& target = shape_at(o.required("target"), "the link's target");
    o.finish();
    node.link_to(uuid, target);
  }
}

shape_node& scene_file_reader::shape_at(const json_reader& at, const char* what) {
  const int index = at.as_int();
  if (index < 0 || index >= static_cast<int>(nodes_.size()))
    at.fail(std::string(what) + " is shape " + std::to_string(index) + ", which does not exist (the scene has " +
            std::to_string(nodes_.size()) + " shapes, 0 to " + std::to_string(nodes_.size() - 1) + ")");
  return *nodes_[index];
}

void scene_file_reader::scene_state(json_reader::object& doc) {
  if (auto c = doc.optional("current")) scene_.set_current_shape(shape_at(*c, "the current shape"));
  if (auto a = doc.optional("active")) {
    std::vector<shape_node*> active;
    for (const json_reader& item : a->items()) active.push_back(&shape_at(item, "an active shape"));
    scene_.set_active_shapes(active);
  }
  if (auto e = doc.optional("edit")) edit(*e);
  if (auto c = doc.optional("camera")) shape_geometry_reader::camera(*c, scene_.scene_camera());
  if (auto c = doc.optional("camera_joint")) camera_joint(*c);
  if (auto a = doc.optional("animation")) animation(*a);
  if (auto k = doc.optional("keys")) animation_keys_io::read(*k, scene_, nodes_);
}

void scene_file_reader::edit(const json_reader& at) {
  json_reader::object o = at.members();
  const json_reader mesh_at = o.required("mesh");
  auto* mesh = dynamic_cast<polygon_mesh_shape*>(&shape_at(mesh_at, "the edited mesh"));
  if (!mesh) mesh_at.fail(describe(*nodes_[mesh_at.as_int()]) + " is no polygon mesh and cannot be edited");
  const int mode = o.required("selection_mode").as_int(sxsdk::selection_mode::faces, sxsdk::selection_mode::vertices);
  o.finish();
  scene_.begin_mesh_edit(*mesh, mode);
}

void scene_file_reader::camera_joint(const json_reader& at) {
  auto* joint = dynamic_cast<part_shape*>(&shape_at(at, "the camera joint"));
  if (!joint || joint->get_part_type() != sxsdk::part_type::camera_joint)
    at.fail(describe(*nodes_[at.as_int()]) + " is no camera joint (part type 11)");
  scene_.select_camera(joint);
}

void scene_file_reader::animation(const json_reader& at) {
  json_reader::object o = at.members();
  animation_data& d = scene_.animation();
  if (auto v = o.optional("frame_rate")) d.frame_rate = v->as_int(1);
  if (auto v = o.optional("playback_option")) d.playback_option = v->as_bool();
  if (auto v = o.optional("start_frame")) d.start_frame = v->as_int();
  if (auto v = o.optional("end_frame")) d.end_frame = v->as_int();
  o.finish();
}

}  // namespace host
