#include "host/cli/edit_script_reader.hpp"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "host/cli/cli_error.hpp"
#include "host/io/json_document.hpp"
#include "host/io/scene_file_error.hpp"
#include "sdk/shape_types.hpp"

namespace host {
namespace {

using nlohmann::json;

// A problem with one operation; read() adds the file and the operation's number.
struct op_error {
  std::string problem;
};

std::string quoted(const char* key) { return std::string("\"") + key + "\""; }

const json& member(const json& op, const char* key) {
  if (!op.contains(key)) throw op_error{quoted(key) + " is missing"};
  return op.at(key);
}

std::string text_of(const json& op, const char* key) {
  const json& v = member(op, key);
  if (!v.is_string()) throw op_error{quoted(key) + " must be a text"};
  return v.get<std::string>();
}

// A number a float holds: the scene keeps floats, and a number past the largest one would
// become an infinity there (and a NaN in every matrix it reaches).
float float_of(const json& v, const std::string& what) {
  if (!v.is_number()) throw op_error{what + " must be a number"};
  const double d = v.get<double>();
  if (!(std::fabs(d) <= FLT_MAX))
    throw op_error{what + " " + v.dump() + " is beyond the range of a float (at most 3.4e38 either way)"};
  return static_cast<float>(d);
}

sx::vec<float, 3> vector_of(const json& op, const char* key) {
  if (!op.contains(key)) return {0, 0, 0};
  const json& v = op.at(key);
  if (!v.is_array() || v.size() != 3) throw op_error{quoted(key) + " must be three numbers"};
  return {float_of(v[0], quoted(key)), float_of(v[1], quoted(key)), float_of(v[2], quoted(key))};
}

// A whole number from `min` to INT_MAX; a wider one would wrap silently into an int.
int whole_of(const json& v, const std::string& what, int min) {
  const std::string range = " must be a whole number from " + std::to_string(min) + " to " + std::to_string(INT_MAX);
  if (!v.is_number_integer()) throw op_error{what + range};
  const bool fits = v.is_number_unsigned() ? v.get<std::uint64_t>() <= std::uint64_t(INT_MAX)
                                           : v.get<std::int64_t>() >= min && v.get<std::int64_t>() <= INT_MAX;
  if (!fits || v.get<std::int64_t>() < min) throw op_error{what + range + ", not " + v.dump()};
  return static_cast<int>(v.get<std::int64_t>());
}

std::vector<dialog_answer> answers_of(const json& op) {
  std::vector<dialog_answer> out;
  if (!op.contains("answers")) return out;
  const json& list = op.at("answers");
  if (!list.is_array()) throw op_error{"\"answers\" must be a list of dialog answers"};
  for (std::size_t i = 0; i < list.size(); ++i) {
    try {
      out.push_back(dialog_answer::from_json(list[i]));
    } catch (const std::exception& e) {
      throw op_error{"answer " + std::to_string(i + 1) + ": " + e.what()};
    }
  }
  return out;
}

int selection_mode_of(const json& op) {
  const std::string mode = op.contains("mode") ? text_of(op, "mode") : "vertices";
  if (mode == "faces") return sxsdk::selection_mode::faces;
  if (mode == "edges") return sxsdk::selection_mode::edges;
  if (mode == "vertices") return sxsdk::selection_mode::vertices;
  throw op_error{"\"mode\" must be faces, edges or vertices, not \"" + mode + "\""};
}

std::vector<int> indices_of(const json& op) {
  std::vector<int> out;
  if (!op.contains("select")) return out;
  const json& list = op.at("select");
  if (!list.is_array()) throw op_error{"\"select\" must be a list of element numbers"};
  for (const json& v : list) out.push_back(whole_of(v, "an element number in \"select\"", 0));
  return out;
}

using kind = edit_operation::kind;

constexpr int max_mesh_vertices = 1000000;

// "vertices": [[x, y, z], ...] and "faces": [[0, 1, 2, 3], ...]; every face names vertices
// the mesh has and at least two of them.
void mesh_of(const json& op, edit_operation& out) {
  const json& vertices = member(op, "vertices");
  if (!vertices.is_array() || vertices.size() > std::size_t(max_mesh_vertices))
    throw op_error{"\"vertices\" must be a list of at most " + std::to_string(max_mesh_vertices) + " points"};
  for (const json& v : vertices) {
    if (!v.is_array() || v.size() != 3) throw op_error{"each of \"vertices\" must be three numbers"};
    out.vertices.push_back({float_of(v[0], "a vertex"), float_of(v[1], "a vertex"), float_of(v[2], "a vertex")});
  }
  const json& faces = member(op, "faces");
  if (!faces.is_array()) throw op_error{"\"faces\" must be a list of faces"};
  for (const json& f : faces) {
    if (!f.is_array() || f.size() < 2) throw op_error{"each face must list two or more vertex numbers"};
    std::vector<int> face;
    for (const json& v : f) {
      face.push_back(whole_of(v, "a vertex number of a face", 0));
      if (face.back() >= int(out.vertices.size()))
        throw op_error{"a face names vertex " + std::to_string(face.back()) + " of " +
                       std::to_string(out.vertices.size())};
    }
    out.faces.push_back(std::move(face));
  }
}

// "grid": {"columns": C, "rows": R, "step": mm, "origin": [x, y, z], "plane": "xz" or "xy"}:
// C x R vertices `step` apart from `origin`, row after row, made of quads.
void grid_of(const json& grid, edit_operation& out) {
  if (!grid.is_object()) throw op_error{"\"grid\" must be an object"};
  const int columns = whole_of(member(grid, "columns"), "\"columns\"", 2);
  const int rows = whole_of(member(grid, "rows"), "\"rows\"", 2);
  if (double(columns) * rows > max_mesh_vertices)
    throw op_error{"a grid of at most " + std::to_string(max_mesh_vertices) + " vertices"};
  const float step = float_of(member(grid, "step"), "\"step\"");
  if (!(step > 0)) throw op_error{"\"step\" must be above 0"};
  const sx::vec<float, 3> origin = vector_of(grid, "origin");
  const std::string plane = grid.contains("plane") ? text_of(grid, "plane") : "xz";
  if (plane != "xz" && plane != "xy") throw op_error{"\"plane\" must be xz or xy, not \"" + plane + "\""};
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c)
      out.vertices.push_back(plane == "xz" ? sx::vec<float, 3>{origin.x + c * step, origin.y, origin.z + r * step}
                                           : sx::vec<float, 3>{origin.x + c * step, origin.y - r * step, origin.z});
  for (int r = 0; r + 1 < rows; ++r)
    for (int c = 0; c + 1 < columns; ++c)
      out.faces.push_back({r * columns + c, r * columns + c + 1, (r + 1) * columns + c + 1, (r + 1) * columns + c});
}

std::vector<std::string> paths_of(const json& op, const char* key) {
  std::vector<std::string> out;
  if (!op.contains(key)) return out;
  const json& list = op.at(key);
  if (!list.is_array()) throw op_error{quoted(key) + " must be a list of paths"};
  for (const json& p : list) {
    if (!p.is_string()) throw op_error{quoted(key) + " must be a list of paths (texts)"};
    out.push_back(p.get<std::string>());
  }
  return out;
}

void read_joint(const json& op, edit_operation& out) {
  const std::string k = text_of(op, "kind");
  if (k == "ball")
    out.part_type = sxsdk::part_type::ball_joint;
  else if (k == "bone")
    out.part_type = sxsdk::part_type::bone_joint;
  else
    throw op_error{"\"kind\" must be ball or bone, not \"" + k + "\""};
  out.dad = text_of(op, "dad");
  out.name = text_of(op, "name");
  out.sons = paths_of(op, "sons");
  out.position = vector_of(op, "position");
  out.offset = vector_of(op, "offset");
  out.rotation = vector_of(op, "rotation");
  if (!op.contains("limits")) return;
  if (out.part_type != sxsdk::part_type::bone_joint) throw op_error{"\"limits\" are for bone joints only"};
  const json& list = op.at("limits");
  if (!list.is_array() || list.size() != 3) throw op_error{"\"limits\" must be three [lower, upper] pairs (degrees)"};
  std::vector<sx::vec<float, 2>> limits;
  for (const json& pair : list) {
    if (!pair.is_array() || pair.size() != 2) throw op_error{"\"limits\" must be three [lower, upper] pairs (degrees)"};
    limits.push_back({float_of(pair[0], "\"limits\""), float_of(pair[1], "\"limits\"")});
  }
  out.limits = limits;
}

void read_members(const json& op, edit_operation& out) {
  switch (out.what) {
    case kind::select:
      (void)member(op, "shapes");
      out.shapes = paths_of(op, "shapes");
      break;
    case kind::joint:
      read_joint(op, out);
      break;
    case kind::current:
    case kind::rename:
      out.shape = text_of(op, "shape");
      if (out.what == kind::rename) out.name = text_of(op, "name");
      break;
    case kind::create:
      out.creator = text_of(op, "creator");
      out.answers = answers_of(op);
      break;
    case kind::modify:
      if (op.contains("shape")) out.shape = text_of(op, "shape");
      out.answers = answers_of(op);
      break;
    case kind::edit_mesh:
      out.shape = text_of(op, "shape");
      out.selection_mode = selection_mode_of(op);
      if (op.contains("select") && op.at("select").is_string()) {
        if (text_of(op, "select") != "all") throw op_error{"\"select\" must be a list of element numbers or \"all\""};
        out.select_all = true;
      } else {
        out.select = indices_of(op);
      }
      break;
    case kind::end_edit_mesh:
      break;
    case kind::key:
      out.frame = float_of(member(op, "frame"), "\"frame\"");
      [[fallthrough]];
    case kind::place:
      out.shape = text_of(op, "shape");
      out.position = vector_of(op, "position");
      out.rotation = vector_of(op, "rotation");
      break;
    case kind::add_mesh:
      out.shape = text_of(op, "dad");
      out.name = text_of(op, "name");
      if (op.contains("grid"))
        grid_of(op.at("grid"), out);
      else
        mesh_of(op, out);
      break;
    case kind::animation:
      if (op.contains("frame_rate")) out.frame_rate = whole_of(op.at("frame_rate"), "\"frame_rate\"", 1);
      if (op.contains("start_frame")) out.start_frame = whole_of(op.at("start_frame"), "\"start_frame\"", 0);
      if (op.contains("end_frame")) out.end_frame = whole_of(op.at("end_frame"), "\"end_frame\"", 0);
      break;
  }
}

edit_operation read_one(const json& op, std::size_t number) {
  if (!op.is_object()) throw op_error{"an operation is an object with \"op\""};
  const std::string name = text_of(op, "op");
  edit_operation out;
  out.number = number;
  for (int k = 0; k <= static_cast<int>(kind::joint); ++k)
    if (name == edit_operation::name_of(static_cast<kind>(k))) {
      out.what = static_cast<kind>(k);
      read_members(op, out);
      return out;
    }
  throw op_error{"unknown operation \"" + name + "\""};
}

}  // namespace

const char* edit_operation::name_of(kind k) {
  switch (k) {
    case kind::select:
      return "select";
    case kind::current:
      return "current";
    case kind::create:
      return "create";
    case kind::modify:
      return "modify";
    case kind::edit_mesh:
      return "edit_mesh";
    case kind::end_edit_mesh:
      return "end_edit_mesh";
    case kind::rename:
      return "rename";
    case kind::place:
      return "place";
    case kind::key:
      return "key";
    case kind::animation:
      return "animation";
    case kind::add_mesh:
      return "add_mesh";
    case kind::joint:
      return "joint";
  }
  return "";
}

std::vector<edit_operation> edit_script_reader::read(const std::string& text, const std::string& file_name) {
  json doc;
  try {
    doc = json_document::parse(text);
  } catch (const json::parse_error& e) {
    throw cli_error(file_name + ": not JSON: " + e.what());
  } catch (const json_path_error& e) {
    throw cli_error(file_name + ": " + (e.path.empty() ? "/" : e.path) + ": " + e.problem);
  } catch (const json::exception& e) {
    throw cli_error(file_name + ": not JSON: " + e.what());
  }
  if (doc.is_object() && doc.contains("operations")) doc = json(doc.at("operations"));
  if (!doc.is_array()) throw cli_error(file_name + ": expected a list of operations");
  std::vector<edit_operation> ops;
  ops.reserve(doc.size());
  for (std::size_t i = 0; i < doc.size(); ++i) {
    try {
      ops.push_back(read_one(doc[i], i + 1));
    } catch (const op_error& e) {
      throw cli_error(file_name + ": operation " + std::to_string(i + 1) + ": " + e.problem);
    }
  }
  return ops;
}

}  // namespace host
