#include "host/cli/edit_script.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "host/cli/cli_error.hpp"
#include "host/cli/cli_session.hpp"
#include "host/cli/stream_decoder.hpp"
#include "host/io/input_file.hpp"
#include "sdk/iid.hpp"

namespace host {
namespace {

using nlohmann::json;

// A problem with one operation; edit_script::run adds the file and the operation's number.
struct op_error {
  std::string problem;
};

constexpr double degrees = 3.14159265358979323846 / 180;

const json& member(const json& op, const char* key) {
  if (!op.contains(key)) throw op_error{std::string("\"") + key + "\" is missing"};
  return op.at(key);
}

std::string text_of(const json& op, const char* key) {
  const json& v = member(op, key);
  if (!v.is_string()) throw op_error{std::string("\"") + key + "\" must be a text"};
  return v.get<std::string>();
}

sx::vec<float, 3> vector_of(const json& op, const char* key) {
  if (!op.contains(key)) return {0, 0, 0};
  const json& v = op.at(key);
  if (!v.is_array() || v.size() != 3 || !std::all_of(v.begin(), v.end(), [](const json& c) { return c.is_number(); }))
    throw op_error{std::string("\"") + key + "\" must be three numbers"};
  return {v[0].get<float>(), v[1].get<float>(), v[2].get<float>()};
}

shape_node& shape_of(cli_session& s, const json& op, const char* key = "shape") {
  const std::string path = text_of(op, key);
  shape_node* node = find_shape_path(s, path);
  if (!node) throw op_error{"no shape at \"" + path + "\""};
  return *node;
}

part_shape& simple_part_of(cli_session& s, const json& op) {
  shape_node& node = shape_of(s, op);
  auto* part = dynamic_cast<part_shape*>(&node);
  if (!part || part->is_joint()) throw op_error{"\"" + node.path() + "\" is no part that can be placed"};
  return *part;
}

// Rotation about X, then Y, then Z (degrees), then the translation (mm): a part's own matrix.
sxsdk::mat4 placement_of(const json& op) {
  const auto r = vector_of(op, "rotation");
  return sxsdk::mat4::rotate_x(float(r.x * degrees)) * sxsdk::mat4::rotate_y(float(r.y * degrees)) *
         sxsdk::mat4::rotate_z(float(r.z * degrees)) * sxsdk::mat4::translate(vector_of(op, "position"));
}

void select(cli_session& s, const std::vector<shape_node*>& after) {
  scene& sc = s.target();
  const std::vector<shape_node*> before = sc.active_shapes();
  for (shape_node* n : before) n->selected = false;
  for (shape_node* n : after) n->selected = true;
  sc.set_active_shapes(after);
  s.plugins()->active_shapes_changed(before, after);
}

void queue_answers(cli_session& s, const json& op) {
  if (!op.contains("answers")) return;
  const json& list = op.at("answers");
  if (!list.is_array()) throw op_error{"\"answers\" must be a list of dialog answers"};
  for (std::size_t i = 0; i < list.size(); ++i) {
    try {
      s.services().script().push(dialog_answer::from_json(list[i]));
    } catch (const std::exception& e) {
      throw op_error{"answer " + std::to_string(i + 1) + ": " + e.what()};
    }
  }
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

// One line per dialog shown from `first` on: its title, outcome and every item with its answer,
// so that a script author sees the labels to answer by.
std::string dialogs_shown(cli_session& s, std::size_t first) {
  std::string out;
  const auto& shown = s.services().script().shown();
  for (std::size_t i = first; i < shown.size(); ++i) {
    out += "\n   dialog \"" + shown[i].title + "\" " + dialog_outcome_name(shown[i].outcome) + ":";
    for (const dialog_item_record& item : shown[i].items) out += " \"" + item.path() + "\"=" + item.value.describe();
  }
  return out;
}

std::string invoke(cli_session& s, const json& op, bool is_create) {
  const std::size_t errors_before = s.services().script().errors().size();
  const std::size_t shown_before = s.services().script().shown().size();
  queue_answers(s, op);
  bool done = false;
  std::string what;
  if (is_create) {
    what = text_of(op, "creator");
    done = s.plugins()->create(creator_named(s, what));
  } else {
    if (op.contains("shape")) select(s, {&shape_of(s, op)});
    done = s.plugins()->ask_shape(modify_attribute(s), shape_node::of(s.target().get_active_shape()));
  }
  check_answers(s, errors_before);
  return (is_create ? "create " + what : std::string("modify")) + (done ? ": done" : ": nothing done") +
         dialogs_shown(s, shown_before);
}

int selection_mode_of(const json& op) {
  const std::string mode = op.contains("mode") ? text_of(op, "mode") : "vertices";
  if (mode == "faces") return sxsdk::selection_mode::faces;
  if (mode == "edges") return sxsdk::selection_mode::edges;
  if (mode == "vertices") return sxsdk::selection_mode::vertices;
  throw op_error{"\"mode\" must be faces, edges or vertices, not \"" + mode + "\""};
}

std::string edit_mesh(cli_session& s, const json& op) {
  auto* mesh = dynamic_cast<polygon_mesh_shape*>(&shape_of(s, op));
  if (!mesh) throw op_error{"\"" + text_of(op, "shape") + "\" is no polygon mesh"};
  const int mode = selection_mode_of(op);
  std::vector<int> picked;
  if (op.contains("select")) {
    const json& list = op.at("select");
    if (!list.is_array() || !std::all_of(list.begin(), list.end(), [](const json& v) { return v.is_number_integer(); }))
      throw op_error{"\"select\" must be a list of whole numbers"};
    picked = list.get<std::vector<int>>();
  }
  s.target().begin_mesh_edit(*mesh, mode);
  try {
    if (mode == sxsdk::selection_mode::faces)
      mesh->select_faces(picked);
    else
      mesh->select_vertices(picked);
  } catch (const std::exception& e) {
    throw op_error{std::string("the selection does not fit the mesh: ") + e.what()};
  }
  return "editing " + mesh->path() + " with " + std::to_string(picked.size()) + " selected";
}

std::string place(cli_session& s, const json& op) {
  part_shape& part = simple_part_of(s, op);
  const sxsdk::mat4 old = part.own_transformation();
  const sxsdk::mat4 now = placement_of(op);
  part.set_transformation(now);
  s.plugins()->shapes_moved({&part}, old.inv() * now);
  return "placed " + part.path();
}

std::string key(cli_session& s, const json& op) {
  part_shape& part = simple_part_of(s, op);
  const json& f = member(op, "frame");
  if (!f.is_number()) throw op_error{"\"frame\" must be a number"};
  s.target().keys().set_part_key(part, part_key::from_matrix(f.get<float>(), placement_of(op)));
  return "key " + part.path() + " at frame " + f.dump();
}

std::string animation(cli_session& s, const json& op) {
  animation_data& a = s.target().animation();
  auto whole = [&](const char* k, int& out, int min) {
    if (!op.contains(k)) return;
    if (!op.at(k).is_number_integer() || op.at(k).get<int>() < min)
      throw op_error{std::string("\"") + k + "\" must be a whole number of at least " + std::to_string(min)};
    out = op.at(k).get<int>();
  };
  whole("frame_rate", a.frame_rate, 1);
  whole("start_frame", a.start_frame, 0);
  whole("end_frame", a.end_frame, 0);
  return "animation " + std::to_string(a.frame_rate) + " fps, frames " + std::to_string(a.start_frame) + ".." +
         std::to_string(a.end_frame);
}

std::string select_op(cli_session& s, const json& op) {
  std::vector<shape_node*> picked;
  const json& list = member(op, "shapes");
  if (!list.is_array()) throw op_error{"\"shapes\" must be a list of paths"};
  for (const json& p : list) picked.push_back(&shape_of(s, json{{"shape", p}}));
  select(s, picked);
  return "selected " + std::to_string(picked.size()) + " shape(s)";
}

std::string current_op(cli_session& s, const json& op) {
  shape_node& n = shape_of(s, op);
  s.target().set_current_shape(n);
  return "current " + n.path();
}

std::string end_edit_mesh(cli_session& s, const json&) {
  s.target().end_mesh_edit_mode();
  return "mesh editing ended";
}

std::string rename_op(cli_session& s, const json& op) {
  shape_node& n = shape_of(s, op);
  n.rename(text_of(op, "name"));
  return "renamed to " + n.path();
}

std::string create_op(cli_session& s, const json& op) { return invoke(s, op, true); }
std::string modify_op(cli_session& s, const json& op) { return invoke(s, op, false); }

using handler = std::string (*)(cli_session&, const json&);

std::string dispatch(cli_session& s, const json& op) {
  static const std::pair<const char*, handler> table[] = {
      {"select", select_op},   {"current", current_op},  {"create", create_op},
      {"modify", modify_op},   {"edit_mesh", edit_mesh}, {"end_edit_mesh", end_edit_mesh},
      {"rename", rename_op},   {"place", place},         {"key", key},
      {"animation", animation}};
  const std::string name = text_of(op, "op");
  for (const auto& [op_name, run] : table)
    if (name == op_name) return run(s, op);
  throw op_error{"unknown operation \"" + name + "\""};
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
  try {
    text_ = input_file::read(path, max_file_bytes);
  } catch (const input_file_error& e) {
    throw cli_error(path + ": " + e.what());
  }
}

bool edit_script::run(cli_session& session) const {
  json doc;
  try {
    doc = json::parse(text_);
  } catch (const json::parse_error& e) {
    throw cli_error(path_ + ": not JSON: " + e.what());
  }
  if (doc.is_object() && doc.contains("operations")) doc = doc.at("operations");
  if (!doc.is_array()) throw cli_error(path_ + ": expected a list of operations");
  const std::size_t first = session.target().messages().lines().size();
  for (std::size_t i = 0; i < doc.size(); ++i) run_one(session, doc[i], i + 1);
  return !session.plugin_failed(first);
}

void edit_script::run_one(cli_session& session, const json& op, std::size_t number) const {
  try {
    if (!op.is_object()) throw op_error{"an operation is an object with \"op\""};
    std::cout << number << ": " << dispatch(session, op) << '\n';
  } catch (const op_error& e) {
    throw cli_error(path_ + ": operation " + std::to_string(number) + ": " + e.problem);
  }
}

}  // namespace host
