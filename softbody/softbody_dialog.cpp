#include "softbody/softbody_dialog.hpp"

#include <algorithm>

#include <boost/lexical_cast.hpp>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/collision_filter_dialog.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/softbody_properties.hpp"

namespace softbody_dialog {
namespace {

sx::vec<float, 3> to_vec(const btVector3& v) { return {v.x(), v.y(), v.z()}; }

// Item numbers of the settings dialog.
struct items {
  int anchor, name, mass, wind;
  collision_filter_dialog::items filter;
  int margin, randomize, bending, kLST, kAST, kVST;
  int coefficient[12];  // kVCF .. kAHR, in the record's order
  int clusters, divide, cluster_coefficient[6], viterations, piterations, diterations, renew = -1;
};

// Labels and unit texts of the twelve coefficients from kVCF to kAHR, in order.
struct float_item {
  const char* label;
  const char* unit;
};
constexpr float_item coefficient_items[12] = {{"Velocities correction factor", ""},
                                              {"Damping coefficient", "0~1"},
                                              {"Drag coefficient", "0~"},
                                              {"Lift coefficient", "0~"},
                                              {"Pressure coefficient", "~"},
                                              {"Volume conversation coefficient", "0~"},
                                              {"Dynamic friction coefficient", "0~1"},
                                              {"Pose matching coefficient", "0~1"},
                                              {"Rigid contacts hardness", "0~1"},
                                              {"Kinetic contacts hardness", "0~1"},
                                              {"Soft contacts hardness", "0~1"},
                                              {"Anchors hardness", "0~1"}};
constexpr const char* cluster_labels[6] = {"Soft vs rigid hardness",        "Soft vs kinetic hardness",
                                           "Soft vs soft hardness",         "Soft vs rigid impulse split",
                                           "Soft vs kinetic impulse split", "Soft vs soft impulse split"};

float* coefficients(softbody_datas& d, int k) {
  float* const all[12] = {&d.kVCF, &d.kDP, &d.kDG,  &d.kLF,  &d.kPR,  &d.kVC,
                          &d.kDF,  &d.kMT, &d.kCHR, &d.kKHR, &d.kSHR, &d.kAHR};
  return all[k];
}
float* cluster_coefficients(softbody_datas& d, int k) {
  float* const all[6] = {&d.kSRHR_CL, &d.kSKHR_CL, &d.kSSHR_CL, &d.kSR_SPLT_CL, &d.kSK_SPLT_CL, &d.kSS_SPLT_CL};
  return all[k];
}

std::string anchor_choices(sxsdk::scene_interface& scene, const std::vector<sxsdk::shape_class*>& bodies) {
  std::string list = texts::get_text(scene, "Anchor RigidBody");
  for (sxsdk::shape_class* body : bodies) list += "/" + body->get_name();
  return list + "/" + texts::get_text(scene, "None");
}

items build(sxsdk::scene_interface& scene, sxsdk::dialog_interface& d, const std::vector<sxsdk::shape_class*>& bodies,
            bool existing) {
  auto tx = [&](const char* id) { return texts::get_text(scene, id); };
  d.set_title(tx("Setting Bullet SoftBody").c_str());
  items it{};
  it.anchor = d.append_selection(anchor_choices(scene, bodies).c_str());
  it.name = d.append_string(tx("SoftBody Name").c_str());
  it.mass = d.append_float(tx("Mass").c_str());
  it.wind = d.append_vec3(tx("Wind Velocity").c_str());
  it.filter = collision_filter_dialog::append(scene, d);
  it.margin = d.append_float(tx("Margin").c_str(), "m");
  it.randomize = d.append_bool(tx("Randomize").c_str());
  it.bending = d.append_int(tx("Bending Constration Distance").c_str(), "1~");
  it.kLST = d.append_float(tx("kLST").c_str(), "0~1");
  it.kAST = d.append_float(tx("kAST").c_str(), "0~1");
  it.kVST = d.append_float(tx("kVST").c_str(), "0~1");
  for (int k = 0; k < 12; ++k)
    it.coefficient[k] = d.append_float(tx(coefficient_items[k].label).c_str(), coefficient_items[k].unit);
  d.begin_row();
  it.clusters = d.append_bool(tx("Cluster").c_str());
  it.divide = d.append_int(tx("Divide Number").c_str());
  d.end_row();
  d.begin_group(tx("Cluster falctor").c_str());
  for (int k = 0; k < 6; ++k) it.cluster_coefficient[k] = d.append_float(tx(cluster_labels[k]).c_str(), "0~1");
  d.end_group();
  it.viterations = d.append_int(tx("viterations").c_str());
  it.piterations = d.append_int(tx("piterations").c_str());
  it.diterations = d.append_int(tx("diterations").c_str());
  if (existing) it.renew = d.append_bool(tx("Renew Vertices").c_str());
  return it;
}

// The entry of "Anchor RigidBody" shown first: the record's first anchor body, or for a new
// record the active shape, when listed; "None" for an existing group without a body (pinned
// nodes stay pinned when the dialog is confirmed); else the first entry.
int anchor_entry(sxsdk::scene_interface& scene, const softbody_datas& record, bool existing,
                 const std::vector<sxsdk::shape_class*>& bodies) {
  const int none = int(bodies.size());
  sxsdk::shape_class* wanted = nullptr;
  if (existing) {
    if (record.anchors.empty()) return 0;
    wanted = static_cast<sxsdk::shape_class*>(record.anchors.front().rigid);
    if (wanted == nullptr) return none;
  } else if (scene.get_number_of_active_shapes() > 0) {
    wanted = &scene.get_active_shape();
  }
  const auto found = std::find(bodies.begin(), bodies.end(), wanted);
  return found != bodies.end() ? int(found - bodies.begin()) : 0;
}

void show(sxsdk::dialog_interface& d, const items& it, softbody_datas& r, const std::string& default_name, int anchor) {
  softbody_datas f;  // the "default" button gives a fresh record's values
  d.set_default_int(it.anchor, 0);
  d.set_int(it.anchor, anchor);
  d.set_default_string(it.name, default_name);
  d.set_string(it.name, r.name.empty() ? default_name : r.name);
  d.set_default_float(it.mass, f.mass);
  d.set_float(it.mass, r.mass);
  d.set_default_vec3(it.wind, to_vec(f.wind_velocity));
  d.set_vec3(it.wind, to_vec(r.wind_velocity));
  collision_filter_dialog::show(d, it.filter, f.group_index, r.group_index, r.mask);
  d.set_default_float(it.margin, f.margin);
  d.set_float(it.margin, r.margin);
  d.set_default_bool(it.randomize, f.randomize);
  d.set_bool(it.randomize, r.randomize);
  d.set_default_int(it.bending, f.bending_distance);
  d.set_int(it.bending, r.bending_distance);
  const std::pair<int, float softbody_datas::*> materials[] = {
      {it.kLST, &softbody_datas::kLST}, {it.kAST, &softbody_datas::kAST}, {it.kVST, &softbody_datas::kVST}};
  for (const auto& m : materials) {
    d.set_default_float(m.first, f.*m.second);
    d.set_float(m.first, r.*m.second);
  }
  for (int k = 0; k < 12; ++k) {
    d.set_default_float(it.coefficient[k], *coefficients(f, k));
    d.set_float(it.coefficient[k], *coefficients(r, k));
  }
  d.set_default_bool(it.clusters, f.use_clusters);
  d.set_bool(it.clusters, r.use_clusters);
  d.set_default_int(it.divide, f.cluster_count);
  d.set_int(it.divide, r.cluster_count);
  for (int k = 0; k < 6; ++k) {
    d.set_default_float(it.cluster_coefficient[k], *cluster_coefficients(f, k));
    d.set_float(it.cluster_coefficient[k], *cluster_coefficients(r, k));
  }
  const std::pair<int, std::int32_t softbody_datas::*> iterations[] = {{it.viterations, &softbody_datas::viterations},
                                                                       {it.piterations, &softbody_datas::piterations},
                                                                       {it.diterations, &softbody_datas::diterations}};
  for (const auto& i : iterations) {
    d.set_default_int(i.first, f.*i.second);
    d.set_int(i.first, r.*i.second);
  }
  if (it.renew >= 0) {
    d.set_default_bool(it.renew, true);
    d.set_bool(it.renew, false);
  }
}

void read_back(sxsdk::dialog_interface& d, const items& it, softbody_datas& r) {
  r.type = 0;
  r.name = d.get_string(it.name);
  r.mass = d.get_float(it.mass);
  const sx::vec<float, 3> wind = d.get_vec3(it.wind);
  r.wind_velocity.setValue(wind.x, wind.y, wind.z);
  collision_filter_dialog::read(d, it.filter, r.group_index, r.group, r.mask);
  r.margin = d.get_float(it.margin);
  r.bending_distance = d.get_int(it.bending);
  r.kLST = d.get_float(it.kLST);
  r.kAST = d.get_float(it.kAST);
  r.kVST = d.get_float(it.kVST);
  r.cluster_count = d.get_int(it.divide);
  r.use_clusters = d.get_bool(it.clusters);
  r.randomize = d.get_bool(it.randomize);
  for (int k = 0; k < 12; ++k) *coefficients(r, k) = d.get_float(it.coefficient[k]);
  for (int k = 0; k < 6; ++k) *cluster_coefficients(r, k) = d.get_float(it.cluster_coefficient[k]);
  r.viterations = d.get_int(it.viterations);
  r.piterations = d.get_int(it.piterations);
  r.diterations = d.get_int(it.diterations);
}

}  // namespace

bool simple_case(const softbody_properties& mesh) {
  return mesh.datas.size() == 1 && mesh.shape != nullptr &&
         int(mesh.datas.front().node_vertices.size()) == mesh.shape->get_number_of_points();
}

choice choose(sxsdk::scene_interface& scene, const softbody_properties& mesh) {
  sxsdk::host_ref<sxsdk::dialog_interface> d(scene.create_dialog_for(physplug_modify_uuid));
  if (!d) return {};
  d->set_title(texts::get_text(scene, "Setting Bullet SoftBody").c_str());
  const bool simple = simple_case(mesh);
  const int selection = d->append_selection(
      texts::get_text(scene, simple ? "Selection/Edit/Remove" : "Selection/New/Edit/Remove").c_str());
  int target = -1;
  if (simple) {
    d->set_default_int(selection, 0);
    d->set_int(selection, 0);
  } else {
    std::string names = texts::get_text(scene, "Target");
    for (const softbody_datas& r : mesh.datas) names += "/" + (r.name.empty() ? std::string("*") : r.name);
    d->set_default_int(selection, 1);
    d->set_int(selection, 1);
    target = d->append_selection(names.c_str());
    d->set_default_int(target, 0);
    d->set_int(target, 0);
  }
  if (!d->ask()) return {};
  choice c;
  const int picked = d->get_int(selection);
  if (simple) {
    c.what = picked == 0 ? action::edit : picked == 1 ? action::remove : action::cancel;
    return c;
  }
  c.what = picked == 0 ? action::create : picked == 1 ? action::edit : picked == 2 ? action::remove : action::cancel;
  c.target = d->get_int(target);
  if (c.what != action::create && (c.target < 0 || std::size_t(c.target) >= mesh.datas.size())) c.what = action::cancel;
  return c;
}

settings_result ask_settings(sxsdk::scene_interface& scene, sxsdk::shape_class& mesh, softbody_datas& record, int index,
                             bool existing, const std::vector<sxsdk::shape_class*>& bodies) {
  settings_result result;
  sxsdk::host_ref<sxsdk::dialog_interface> d(scene.create_dialog());
  if (!d) return result;
  const items it = build(scene, *d, bodies, existing);
  show(*d, it, record, mesh.get_name() + boost::lexical_cast<std::string>(index),
       anchor_entry(scene, record, existing, bodies));
  if (!d->ask()) {
    texts::show_message(scene, "Terminated");
    return result;
  }
  read_back(*d, it, record);
  const int entry = d->get_int(it.anchor);
  result.anchor_body = entry >= 0 && std::size_t(entry) < bodies.size() ? bodies[std::size_t(entry)] : nullptr;
  result.renew_vertices = it.renew >= 0 && d->get_bool(it.renew);
  result.confirmed = true;
  return result;
}

}  // namespace softbody_dialog
