#include "host/cli/edit_script.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>

#include "host/cli/cli_error.hpp"
#include "host/cli/cli_session.hpp"
#include "host/cli/edit_script_reader.hpp"
#include "host/cli/printable.hpp"
#include "host/cli/stream_decoder.hpp"
#include "host/io/input_file.hpp"
#include "sdk/iid.hpp"

namespace host {
namespace {

// A problem with one operation; edit_script::run adds the file and the operation's number.
struct op_error {
  std::string problem;
};

constexpr double degrees = 3.14159265358979323846 / 180;
using kind = edit_operation::kind;

shape_node& shape_at(cli_session& s, const std::string& path) {
  shape_node* node = find_shape_path(s, path);
  if (!node) throw op_error{"no shape at \"" + path + "\""};
  return *node;
}

part_shape& simple_part_at(cli_session& s, const std::string& path) {
  shape_node& node = shape_at(s, path);
  auto* part = dynamic_cast<part_shape*>(&node);
  if (!part || part->is_joint()) throw op_error{"\"" + node.path() + "\" is no part that can be placed"};
  return *part;
}

// Rotation about X, then Y, then Z (degrees).
sxsdk::mat4 rotation_of(const edit_operation& op) {
  const auto& r = op.rotation;
  return sxsdk::mat4::rotate_x(float(r.x * degrees)) * sxsdk::mat4::rotate_y(float(r.y * degrees)) *
         sxsdk::mat4::rotate_z(float(r.z * degrees));
}

// The rotation, then the translation (mm): a part's own matrix.
sxsdk::mat4 placement_of(const edit_operation& op) { return rotation_of(op) * sxsdk::mat4::translate(op.position); }

bool finite(const sxsdk::mat4& m) {
  for (const auto& row : m.m)
    for (float v : row)
      if (!std::isfinite(v)) return false;
  return true;
}

void select(cli_session& s, const std::vector<shape_node*>& after) {
  scene& sc = s.target();
  const std::vector<shape_node*> before = sc.active_shapes();
  for (shape_node* n : before) n->selected = false;
  for (shape_node* n : after) n->selected = true;
  sc.set_active_shapes(after);
  s.plugins()->active_shapes_changed(before, after);
}

// After an invocation: every answer must have been used and accepted by its dialog.
void check_answers(cli_session& s, std::size_t errors_before) {
  dialog_script& script = s.services().script();
  if (script.errors().size() > errors_before) throw op_error{"a dialog refused an answer: " + script.errors().back()};
  if (const std::size_t left = script.pending()) {
    script.clear_pending();
    throw op_error{std::to_string(left) + " dialog answer(s) were not used (fewer dialogs were shown)"};
  }
}

// After an invocation: an error the plug-in showed (a dialog value it cannot use, a stream it
// could not write) refuses the operation, so that the script stops and nothing is saved.
void check_no_error(cli_session& s, std::size_t lines_before) {
  const auto& lines = s.target().messages().lines();
  for (std::size_t i = lines_before; i < lines.size(); ++i)
    if (lines[i].what == message_window::kind::error) throw op_error{lines[i].text};
}

const plugin_host::component& creator_named(cli_session& s, const std::string& name) {
  sxsdk::host_ref<sxsdk::host_interface> app(s.target().get_host());
  const std::string localised = app ? app->get_text(name.c_str()) : name;
  for (const auto& c : s.plugins()->components())
    if (c->kind == sxsdk::creator_iid && (c->name == name || c->name == localised)) return *c;
  throw op_error{"no creator named \"" + name + "\""};
}

const plugin_host::component& modify_attribute(cli_session& s) {
  const auto* c = s.plugins()->find(physics_stream_ids::modify);  // the component shares its UUID
  if (!c) throw op_error{"the plug-in offers no modify attribute"};
  return *c;
}

host_text outcome_text(dialog_outcome outcome) {
  switch (outcome) {
    case dialog_outcome::pending:
      return host_text::outcome_pending;
    case dialog_outcome::confirmed:
      return host_text::outcome_confirmed;
    case dialog_outcome::cancelled:
      return host_text::outcome_cancelled;
    case dialog_outcome::rejected:
      break;
  }
  return host_text::outcome_rejected;
}

// One line per dialog shown from `first` on: its title, outcome and every item with its answer,
// so that a script author sees the labels to answer by.
std::string dialogs_shown(cli_session& s, std::size_t first) {
  std::string out;
  const auto& shown = s.services().script().shown();
  for (std::size_t i = first; i < shown.size(); ++i) {
    out +=
        "\n   " + s.texts().format(host_text::dialog_shown, shown[i].title, s.texts()(outcome_text(shown[i].outcome)));
    for (const dialog_item_record& item : shown[i].items) out += " \"" + item.path() + "\"=" + item.value.describe();
  }
  return out;
}

std::string invoke(cli_session& s, const edit_operation& op) {
  const std::size_t errors_before = s.services().script().errors().size();
  const std::size_t shown_before = s.services().script().shown().size();
  const std::size_t lines_before = s.target().messages().lines().size();
  for (const dialog_answer& a : op.answers) s.services().script().push(a);
  bool done = false;
  if (op.what == kind::create) {
    done = s.plugins()->create(creator_named(s, op.creator));
  } else {
    if (!op.shape.empty()) select(s, {&shape_at(s, op.shape)});
    // In mesh editing the attribute is invoked on the mesh being edited (the gestures of soft
    // bodies name it beside the active shape); otherwise on the active shape.
    shape_node* edited = s.target().edited_mesh();
    done =
        s.plugins()->ask_shape(modify_attribute(s), edited ? *edited : shape_node::of(s.target().get_active_shape()));
  }
  check_answers(s, errors_before);
  check_no_error(s, lines_before);
  const host_texts& t = s.texts();
  const std::string line = op.what == kind::create
                               ? t.format(done ? host_text::created : host_text::created_nothing, op.creator)
                               : t(done ? host_text::modified : host_text::modified_nothing);
  return line + dialogs_shown(s, shown_before);
}

std::string edit_mesh(cli_session& s, const edit_operation& op) {
  auto* mesh = dynamic_cast<polygon_mesh_shape*>(&shape_at(s, op.shape));
  if (!mesh) throw op_error{"\"" + op.shape + "\" is no polygon mesh"};
  s.target().begin_mesh_edit(*mesh, op.selection_mode);
  const bool faces = op.selection_mode == sxsdk::selection_mode::faces;
  std::vector<int> select = op.select;
  if (op.select_all)
    for (int i = 0, n = faces ? mesh->get_number_of_faces() : mesh->get_number_of_vertices(); i < n; ++i)
      select.push_back(i);
  try {
    if (faces)
      mesh->select_faces(select);
    else
      mesh->select_vertices(select);
  } catch (const std::exception& e) {
    throw op_error{std::string("the selection does not fit the mesh: ") + e.what()};
  }
  return s.texts().format(host_text::editing_mesh, mesh->path(), select.size());
}

std::string add_mesh(cli_session& s, const edit_operation& op) {
  auto* dad = dynamic_cast<part_shape*>(&shape_at(s, op.shape));
  if (!dad) throw op_error{"\"" + op.shape + "\" is no part a mesh can go into"};
  polygon_mesh_shape& mesh = s.target().add_polygon_mesh(*dad, op.name);
  try {
    mesh.set_vertices(op.vertices);
    mesh.set_faces(op.faces);
  } catch (const std::exception& e) {
    s.target().remove_shape(mesh);
    throw op_error{std::string("the mesh cannot be made: ") + e.what()};
  }
  return s.texts().format(host_text::mesh_added, mesh.path(), op.vertices.size(), op.faces.size());
}

// Millimetres: a body farther out than 1e6 m cannot be simulated (see settings_limits).
constexpr float max_place_mm = 1e9f;

std::string place(cli_session& s, const edit_operation& op) {
  part_shape& part = simple_part_at(s, op.shape);
  const sxsdk::mat4 old = part.own_transformation();
  const sxsdk::mat4 now = placement_of(op);
  part.set_transformation(now);
  // Finite numbers can still overflow on the way into the world (a scaled dad): the part
  // would then have no place at all, and the plug-in would hear of a NaN move.
  if (!finite(part.local_to_world())) {
    part.set_transformation(old);
    throw op_error{"\"" + part.path() + "\" would have no finite place in the world there"};
  }
  // The plug-in simulates bodies within 1e6 m of the origin; farther out Bullet loses them.
  const sxsdk::mat4 world = part.local_to_world();
  for (int axis = 0; axis < 3; ++axis) {
    if (std::fabs(world[3][axis]) > max_place_mm) {
      part.set_transformation(old);
      std::ostringstream far;
      far << "\"" << part.path() << "\" would be " << world[3][axis] << " mm from the origin along "
          << "XYZ"[axis] << "; a part may be placed at most " << max_place_mm << " mm from it";
      throw op_error{far.str()};
    }
  }
  s.plugins()->shapes_moved({&part}, old.inv() * now);
  return s.texts().format(host_text::placed, part.path());
}

std::string key(cli_session& s, const edit_operation& op) {
  part_shape& part = simple_part_at(s, op.shape);
  s.target().keys().set_part_key(part, part_key::from_matrix(op.frame, placement_of(op)));
  std::ostringstream frame;
  frame << op.frame;
  return s.texts().format(host_text::keyed, part.path(), frame.str());
}

std::string animation(cli_session& s, const edit_operation& op) {
  animation_data& a = s.target().animation();
  if (op.frame_rate) a.frame_rate = *op.frame_rate;
  if (op.start_frame) a.start_frame = *op.start_frame;
  if (op.end_frame) a.end_frame = *op.end_frame;
  return s.texts().format(host_text::animation_set, a.frame_rate, a.start_frame, a.end_frame);
}

// A ball or bone joint made in `dad`, turned about X, then Y, then Z; the shapes named in `sons`
// move into it in order (keeping their own transformations: at rest a joint's sons stand in its
// dad's frame, so shapes of the same dad keep their place).
std::string make_joint(cli_session& s, const edit_operation& op) {
  auto* dad = dynamic_cast<part_shape*>(&shape_at(s, op.dad));
  if (!dad) throw op_error{"\"" + op.dad + "\" is no part a joint can be made in"};
  std::vector<shape_node*> sons;
  for (const std::string& p : op.sons) {
    shape_node& son = shape_at(s, p);
    if (&son == &s.target().root()) throw op_error{"the root cannot go into a joint"};
    sons.push_back(&son);
  }
  part_shape& joint = s.target().add_part(*dad, op.name, op.part_type);
  joint_state& j = joint.joint();
  j.position = op.position;
  j.offset = op.offset;
  j.rotation = sxsdk::quaternion_class(rotation_of(op));
  if (op.limits) {
    j.limit_enabled = true;
    for (int axis = 0; axis < 3; ++axis)
      j.limits[axis] = {float((*op.limits)[std::size_t(axis)].x / 180.0),
                        float((*op.limits)[std::size_t(axis)].y / 180.0)};
  }
  for (shape_node* son : sons) {
    try {
      s.target().move_into(*son, joint);
    } catch (const std::logic_error& e) {
      throw op_error{e.what()};
    }
  }
  return s.texts().format(host_text::joint_made, joint.path());
}

std::string dispatch(cli_session& s, const edit_operation& op) {
  switch (op.what) {
    case kind::select: {
      std::vector<shape_node*> picked;
      for (const std::string& p : op.shapes) picked.push_back(&shape_at(s, p));
      select(s, picked);
      return s.texts().format(host_text::selected, picked.size());
    }
    case kind::current: {
      shape_node& n = shape_at(s, op.shape);
      s.target().set_current_shape(n);
      return s.texts().format(host_text::made_current, n.path());
    }
    case kind::create:
    case kind::modify:
      return invoke(s, op);
    case kind::edit_mesh:
      return edit_mesh(s, op);
    case kind::end_edit_mesh:
      s.target().end_mesh_edit_mode();
      return s.texts()(host_text::mesh_editing_ended);
    case kind::rename: {
      shape_node& n = shape_at(s, op.shape);
      n.rename(op.name);
      return s.texts().format(host_text::renamed, n.path());
    }
    case kind::place:
      return place(s, op);
    case kind::key:
      return key(s, op);
    case kind::animation:
      return animation(s, op);
    case kind::add_mesh:
      return add_mesh(s, op);
    case kind::joint:
      return make_joint(s, op);
  }
  return "";
}

// "Name#3" → ("Name", 3); a name without a valid suffix counts as the first.
std::pair<std::string, int> split_ordinal(const std::string& segment) {
  const auto hash = segment.rfind('#');
  if (hash == std::string::npos || hash + 1 == segment.size()) return {segment, 1};
  const std::string digits = segment.substr(hash + 1);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) || digits.size() > 6)
    return {segment, 1};
  return {segment.substr(0, hash), std::stoi(digits)};
}

}  // namespace
shape_node* find_shape_path(cli_session& session, const std::string& path) {
  std::stringstream in(path);
  std::string segment;
  shape_node* node = nullptr;
  while (std::getline(in, segment, '/')) {
    const auto [name, ordinal] = split_ordinal(segment);
    if (!node) {
      node = &session.target().root();
      if (node->name() != name || ordinal != 1) return nullptr;
      continue;
    }
    int seen = 0;
    shape_node* next = nullptr;
    for (shape_node* son : node->sons())
      if (son->name() == name && ++seen == ordinal) {
        next = son;
        break;
      }
    if (!next) return nullptr;
    node = next;
  }
  return node;
}

edit_script::edit_script(const std::string& path) : path_(path) {
  std::string text;
  try {
    text = input_file::read(path, max_file_bytes);
  } catch (const input_file_error& e) {
    throw cli_error(path + ": " + e.what());
  }
  operations_ = edit_script_reader::read(text, path);
}

bool edit_script::run(cli_session& session) const {
  const std::size_t first = session.target().messages().lines().size();
  for (const edit_operation& op : operations_) run_one(session, op);
  return !session.plugin_failed(first);
}

void edit_script::run_one(cli_session& session, const edit_operation& op) const {
  try {
    std::cout << op.number << ": " << printable(dispatch(session, op)) << '\n';
  } catch (const op_error& e) {
    throw cli_error(path_ + ": operation " + std::to_string(op.number) + ": " + e.problem);
  }
}

}  // namespace host
