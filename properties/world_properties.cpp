#include "properties/world_properties.hpp"

#include "properties/settings_limits.hpp"

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"

namespace {

// Only a build with the debug view offers its check box ("View Debug"), and then only when the
// host allows debug windows.
#ifdef PHYSPLUG_DEBUG_VIEW
constexpr bool build_has_debug_view = true;
#else
constexpr bool build_has_debug_view = false;
#endif
constexpr int debug_window_query = 2052;

sx::vec<float, 3> to_vec(const btVector3& v) { return {v.x(), v.y(), v.z()}; }
btVector3 to_bt(const sx::vec<float, 3>& v) { return {v.x, v.y, v.z}; }

}  // namespace

bool world_properties::get_properties() {
  if (!part()) return false;
  property_stream::stream_ref stream = property_stream::open(*part(), physplug_uuid);
  if (!stream) return false;
  property_stream::reader in(*stream);
  std::int32_t version = 0, flags = 0;
  in.read_int(version);
  if (in.read_int(flags)) {
    active = (flags & 1) != 0;
    view_debug = (flags & 2) != 0;
  }
  in.read_float(gravity);
  in.read_float(height);
  in.read_float(air_density);
  in.read_float(simulation_cycle);
  in.read_vec3(boundary_min);
  in.read_vec3(boundary_max);
  in.read_int(reserved);
  in.read_float(scale_factor);
  return in.sound();
}

std::string world_properties::label(sxsdk::scene_interface& scene) const {
  std::string text = texts::get_text(scene, active ? "Active" : "Hold");
  text += ":";
  if (view_debug) text += "*";
  return text + "Bullet World";
}

bool world_properties::regist() {
  if (!part()) return false;
  try {
    property_stream::stream_ref stream = property_stream::create(*part(), physplug_uuid);
    if (!stream) return false;
    sxsdk::host_ref<sxsdk::scene_interface> scene(stream->get_scene());
    if (scene) stream->set_label(label(*scene).c_str());
    stream->set_pointer(0);
    stream->write_int(0);
    stream->write_int((active ? 1 : 0) | (view_debug ? 2 : 0));
    stream->write_float(gravity);
    stream->write_float(height);
    stream->write_float(air_density);
    stream->write_float(simulation_cycle);
    stream->write_vec3(to_vec(boundary_min));
    stream->write_vec3(to_vec(boundary_max));
    stream->write_int(reserved);
    stream->write_float(scale_factor);
    return true;
  } catch (...) {
    return false;  // a world that cannot be stored stays as it was; nothing to report
  }
}

namespace {

// Item numbers of the world dialog; the repair boxes and the debug box only when offered.
struct world_dialog_items {
  int active, scale_factor, gravity, height, air_density, cycle, minimum, maximum;
  int repair = -1, renew = -1, view_debug = -1;
};

world_dialog_items build_world_dialog(sxsdk::scene_interface& scene, sxsdk::dialog_interface& d, bool existing) {
  auto tx = [&](const char* id) { return texts::get_text(scene, id); };
  d.set_title(tx("Setting Bullet World").c_str());
  world_dialog_items it{};
  it.active = d.append_bool(tx("Active").c_str());
  it.scale_factor = d.append_float(tx("Scale Factor").c_str());
  it.gravity = d.append_float(tx("Gravity").c_str(), "m/tt");
  it.height = d.append_float(tx("Hight").c_str(), "m");
  it.air_density = d.append_float(tx("Air Density").c_str());
  it.cycle = d.append_float(tx("Simulation Cycle").c_str());
  d.begin_group(tx("Boundary").c_str());
  it.minimum = d.append_vec3(tx("Minimum").c_str(), "m");
  it.maximum = d.append_vec3(tx("Maximum").c_str(), "m");
  d.end_group();
  if (existing) {
    it.repair = d.append_bool(tx("Repair Element's Transformation").c_str());
    it.renew = d.append_bool(tx("Renew inner parts").c_str());
  }
  if (build_has_debug_view) {
    sxsdk::host_ref<sxsdk::host_interface> host(scene.get_host());
    if (host && host->query_flag(debug_window_query)) it.view_debug = d.append_bool(tx("View Debug").c_str());
  }
  return it;
}

void set_world_dialog_values(sxsdk::dialog_interface& d, const world_dialog_items& it, const world_datas& w) {
  const world_datas defaults;  // the dialog's "default" button gives a fresh record's values
  d.set_default_bool(it.active, defaults.active);
  d.set_default_float(it.scale_factor, defaults.scale_factor);
  d.set_default_float(it.gravity, defaults.gravity);
  d.set_default_float(it.height, defaults.height);
  d.set_default_float(it.air_density, defaults.air_density);
  d.set_default_float(it.cycle, defaults.simulation_cycle);
  d.set_default_vec3(it.minimum, to_vec(defaults.boundary_min));
  d.set_default_vec3(it.maximum, to_vec(defaults.boundary_max));
  for (int box : {it.repair, it.renew}) {
    if (box >= 0) {
      d.set_default_bool(box, false);
      d.set_bool(box, false);
    }
  }
  if (it.view_debug >= 0) {
    d.set_default_bool(it.view_debug, true);
    d.set_bool(it.view_debug, true);
  }
  d.set_bool(it.active, w.active);
  d.set_float(it.scale_factor, w.scale_factor);
  d.set_float(it.gravity, w.gravity);
  d.set_float(it.height, w.height);
  d.set_float(it.air_density, w.air_density);
  d.set_float(it.cycle, w.simulation_cycle);
  d.set_vec3(it.minimum, to_vec(w.boundary_min));
  d.set_vec3(it.maximum, to_vec(w.boundary_max));
}

void read_world_dialog(sxsdk::dialog_interface& d, const world_dialog_items& it, world_datas& w) {
  w.active = d.get_bool(it.active);
  w.scale_factor = d.get_float(it.scale_factor);
  w.gravity = d.get_float(it.gravity);
  w.height = d.get_float(it.height);
  w.air_density = d.get_float(it.air_density);
  w.simulation_cycle = d.get_float(it.cycle);
  w.boundary_min = to_bt(d.get_vec3(it.minimum));
  w.boundary_max = to_bt(d.get_vec3(it.maximum));
  w.view_debug = it.view_debug >= 0 && d.get_bool(it.view_debug);
}

void run_repairs(sxsdk::scene_interface& scene, sxsdk::shape_class& world_part, bool repair, bool renew,
                 const stream_renewers& renewers) {
  if (repair) {
    std::string names;
    world_properties::repair_matrix(scene, world_part.get_part(), names);
    if (names.empty())
      texts::show_message(scene, "No repaired matrix");
    else
      scene.message((texts::get_text(scene, "Repaired Matrix under") + names).c_str());
  }
  if (renew) {
    for (sxsdk::shape_class& son : sxsdk::sons(world_part)) world_properties::renew_parts(scene, son, renewers);
  }
}

}  // namespace

bool world_properties::modify_bullet_world_part(sxsdk::scene_interface& scene, sxsdk::shape_class* world_part,
                                                const stream_renewers& renewers) {
  if (world_part) {
    shape = world_part;
    get_properties();
  }
  sxsdk::host_ref<sxsdk::dialog_interface> dialog(scene.create_dialog());
  if (!dialog) return false;
  const world_dialog_items items = build_world_dialog(scene, *dialog, world_part != nullptr);
  set_world_dialog_values(*dialog, items, *this);
  if (!dialog->ask()) {
    texts::show_message(scene, "Terminated");
    return false;
  }
  world_datas answered = *this;
  read_world_dialog(*dialog, items, answered);
  // A value the engine cannot simulate is refused here, before anything is stored.
  const std::string problem = settings_limits::world_problem(answered);
  if (!problem.empty()) {
    texts::show_error(scene, ("physplug: Setting Bullet World: " + problem).c_str());
    return false;
  }
  static_cast<world_datas&>(*this) = answered;
  if (!world_part) return true;
  if (!regist()) texts::show_unwritten(scene, "world settings", world_part->get_name());
  run_repairs(scene, *world_part, dialog->get_bool(items.repair), dialog->get_bool(items.renew), renewers);
  return true;
}
