// Broken scene files: each fails with one message that names the file, the place (a JSON
// pointer, or line and column for text that is no JSON) and the problem.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "host/io/scene_file.hpp"
#include "host/scene/scene.hpp"
#include "rich_scene.hpp"

namespace {

using host::scene_file;

// A valid file is HEAD + shapes + TAIL; each case changes one thing.
const std::string head = R"({"format": "physplug-scene", "version": 1, "shapes": [{"kind": "part", "name": "root"})";
std::string file(const std::string& more_shapes, const std::string& more_keys = "") {
  return head + more_shapes + "]" + more_keys + "}";
}
// A valid file whose root carries more keys (streams, links).
std::string root_with(const std::string& keys) {
  return R"({"format": "physplug-scene", "version": 1, "shapes": [{"kind": "part", "name": "root", )" + keys + "}]}";
}
const std::string mesh =
    R"(, {"kind": "polygon_mesh", "name": "M", "dad": 0, "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]]})";
const std::string uuid = R"("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0")";
std::string repeated(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}
// n streams under distinct UUIDs.
std::string streams(int n) {
  std::string list;
  for (int i = 0; i < n; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, R"(%s{"uuid": "%08X-0000-0000-0000-000000000000"})", i ? ", " : "", unsigned(i));
    list += text;
  }
  return R"("streams": [)" + list + "]";
}
// Shapes 1 to n, each the son of the one before: shape n is n levels deep.
std::string chain(int n) {
  std::string shapes;
  for (int i = 0; i < n; ++i) shapes += R"(, {"kind": "part", "name": "", "dad": )" + std::to_string(i) + "}";
  return shapes;
}

struct broken_case {
  const char* what;
  std::string text;
  std::string place;    // expected scene_file_error::place()
  std::string problem;  // a fragment of scene_file_error::problem()
};

const broken_case cases[] = {
    {"malformed JSON", "{\"format\": \"physplug-scene\",\n \"version\": 1,\n \"shapes\": [}", "line 3, column 13",
     "malformed JSON"},
    {"empty file", "", "line 1, column 1", "malformed JSON"},
    {"key given twice",
     file(R"(, {"kind": "light", "name": "L", "dad": 0, "position": [1, 2, 3], "position": [4, 5, 6]})"),
     "/shapes/1/position", "the key \"position\" is given twice"},
    {"key given twice at the top", R"({"format": "physplug-scene", "version": 1, "version": 1, "shapes": []})",
     "/version", "given twice"},
    {"deep nesting where a shape belongs",
     R"({"format": "physplug-scene", "version": 1, "shapes": )" + std::string(100000, '[') + std::string(100000, ']') +
         "}",
     "/shapes" + repeated("/0", 63), "values nest deeper than 64 levels"},
    {"deep nesting just within the bound",
     R"({"format": "physplug-scene", "version": 1, "shapes": )" + std::string(63, '[') + std::string(63, ']') + "}",
     "/shapes/0", "expected an object, found an array"},
    {"other format", R"({"format": "other", "version": 1, "shapes": []})", "/format", "expected \"physplug-scene\""},
    {"later version", R"({"format": "physplug-scene", "version": 2, "shapes": []})", "/version",
     "version 2 is not known"},
    {"no shapes", R"({"format": "physplug-scene", "version": 1})", "/", "missing key \"shapes\""},
    {"no root", R"({"format": "physplug-scene", "version": 1, "shapes": []})", "/shapes", "at least its root"},
    {"unknown key at the top", file("", R"(, "colour": 3)"), "/", "unknown key \"colour\""},
    {"unknown key in a shape", file(R"(, {"kind": "sphere", "name": "S", "dad": 0, "radious": [1, 1, 1]})"),
     "/shapes/1", "unknown key \"radious\""},
    {"key of another kind", file(R"(, {"kind": "line", "name": "L", "dad": 0, "part_type": 2})"), "/shapes/1",
     "unknown key \"part_type\""},
    {"missing kind", file(R"(, {"name": "S", "dad": 0})"), "/shapes/1", "missing key \"kind\""},
    {"unknown kind", file(R"(, {"kind": "cube", "name": "S", "dad": 0})"), "/shapes/1/kind", "unknown kind \"cube\""},
    {"root that is no part",
     R"({"format": "physplug-scene", "version": 1, "shapes": [{"kind": "sphere", "name": "r"}]})", "/shapes/0/kind",
     "must be a part"},
    {"unknown part type", file(R"(, {"kind": "part", "name": "P", "dad": 0, "part_type": 42})"), "/shapes/1/part_type",
     "unknown part type 42"},
    {"missing dad", file(R"(, {"kind": "part", "name": "P"})"), "/shapes/1", "missing key \"dad\""},
    {"dad out of range", file(R"(, {"kind": "part", "name": "P", "dad": 1})"), "/shapes/1/dad",
     "1 is out of range (0 to 0)"},
    {"dad that is no part", file(mesh + R"(, {"kind": "part", "name": "P", "dad": 1})"), "/shapes/2/dad",
     "cannot have sons"},
    {"dad out of depth-first order",
     file(R"(, {"kind": "part", "name": "A", "dad": 0}, {"kind": "part", "name": "B", "dad": 0},
             {"kind": "part", "name": "C", "dad": 1})"),
     "/shapes/3/dad", "depth first"},
    {"wrong type of a coordinate", file(R"(, {"kind": "light", "name": "L", "dad": 0, "position": [0, "1", 2]})"),
     "/shapes/1/position/1", "expected a number (or \"inf\", \"-inf\", \"nan\", \"-nan\"), found the text \"1\""},
    {"vector of two", file(R"(, {"kind": "light", "name": "L", "dad": 0, "position": [0, 1]})"), "/shapes/1/position",
     "expected 3 elements, found 2"},
    {"number too large for a double", file(R"(, {"kind": "disk", "name": "D", "dad": 0, "center": [0, 1e999, 0]})"),
     "/shapes/1/center/1", "number overflow parsing '1e999'"},
    {"number too large for a double at the top", R"({"format": "physplug-scene", "version": -1e400})", "/version",
     "number overflow"},
    {"number too large for a float", file(R"(, {"kind": "disk", "name": "D", "dad": 0, "radius": 1e39})"),
     "/shapes/1/radius", "too large for a float"},
    // Whatever places or shapes a part must be finite; a NaN there reaches every matrix below it.
    {"NaN in a transformation", file(R"(, {"kind": "part", "name": "P", "dad": 0,
             "transformation": [[1, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0], [0, "nan", 0, 1]]})"),
     "/shapes/1/transformation/3/1", "expected a finite number, found the text \"nan\""},
    {"infinity in an axis matrix", file(R"(, {"kind": "part", "name": "P", "dad": 0,
             "axis_matrix": [["inf", 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0], [0, 0, 0, 1]]})"),
     "/shapes/1/axis_matrix/0/0", "expected a finite number"},
    {"infinity in a part key",
     file("", R"(, "keys": [{"part": 0, "part_keys": [{"frame": 0, "translation": [0, "-inf", 0]}]}])"),
     "/keys/0/part_keys/0/translation/1", "expected a finite number"},
    {"NaN in a key's rotation",
     file("", R"(, "keys": [{"part": 0, "part_keys": [{"frame": 0, "rotation": ["nan", 0, 0, 0]}]}])"),
     "/keys/0/part_keys/0/rotation/0", "expected a finite number"},
    {"NaN in a joint key",
     file(R"(, {"kind": "part", "name": "J", "dad": 0, "part_type": 2})",
          R"(, "keys": [{"part": 1, "joint_keys": [{"frame": 0, "value": "nan"}]}])"),
     "/keys/0/joint_keys/0/value", "expected a finite number"},
    {"NaN in a joint state",
     file(R"(, {"kind": "part", "name": "J", "dad": 0, "part_type": 2, "joint": {"value": "-nan"}})"),
     "/shapes/1/joint/value", "expected a finite number"},
    {"infinity in a mesh vertex",
     file(R"(, {"kind": "polygon_mesh", "name": "M", "dad": 0, "vertices": [[0, 0, "inf"]]})"),
     "/shapes/1/vertices/0/2", "expected a finite number"},
    {"NaN in a sphere's radius", file(R"(, {"kind": "sphere", "name": "S", "dad": 0, "radius": ["nan", 1, 1]})"),
     "/shapes/1/radius/0", "expected a finite number"},
    {"infinity in a line's point",
     file(R"(, {"kind": "line", "name": "L", "dad": 0, "points": [{"position": [0, 0, "inf"]}]})"),
     "/shapes/1/points/0/position/2", "expected a finite number"},
    {"shapes nested deeper than the host's tree walks can take", file(chain(1001)), "/shapes/1001/dad",
     "shapes nest deeper than 1000 levels"},
    {"more streams on a shape than a file may hold", root_with(streams(1025)), "/shapes/0/streams",
     "1025 streams on one shape (at most 1024)"},
    {"fraction where an integer belongs", file(R"(, {"kind": "part", "name": "P", "dad": 0.5})"), "/shapes/1/dad",
     "expected an integer, found the number 0.5"},
    {"face with a missing vertex", file(R"(, {"kind": "polygon_mesh", "name": "M", "dad": 0,
             "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2], [2, 1, 3]]})"),
     "/shapes/1/faces/1/2", "vertex 3 does not exist"},
    {"selected face that does not exist", file(R"(, {"kind": "polygon_mesh", "name": "M", "dad": 0,
             "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]], "selected_faces": [1]})"),
     "/shapes/1/selected_faces/0", "face 1 does not exist"},
    {"matrix row of three", file(R"(, {"kind": "part", "name": "P", "dad": 0,
             "transformation": [[1, 0, 0, 0], [0, 1, 0], [0, 0, 1, 0], [0, 0, 0, 1]]})"),
     "/shapes/1/transformation/1", "expected 4 elements, found 3"},
    {"joint given a transformation", file(R"(, {"kind": "part", "name": "J", "dad": 0, "part_type": 10,
             "transformation": [[1, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0], [0, 0, 0, 1]]})"),
     "/shapes/1/transformation", "joint has no transformation of its own"},
    {"unknown joint key", file(R"(, {"kind": "part", "name": "J", "dad": 0, "part_type": 2, "joint": {"angle": 3}})"),
     "/shapes/1/joint", "unknown key \"angle\""},
    {"bad base64", root_with(R"("streams": [{"uuid": )" + uuid + R"(, "bytes": "AAE*"}])"), "/shapes/0/streams/0/bytes",
     "'*' is not a base64 character"},
    {"base64 of a wrong length", root_with(R"("streams": [{"uuid": )" + uuid + R"(, "bytes": "AAE"}])"),
     "/shapes/0/streams/0/bytes", "not a multiple of 4"},
    {"stream without UUID", root_with(R"("streams": [{"label": "x"}])"), "/shapes/0/streams/0", "missing key \"uuid\""},
    {"malformed UUID", root_with(R"("streams": [{"uuid": "0F1E2D3C-4B5A-6978-8796"}])"), "/shapes/0/streams/0/uuid",
     "is not a UUID"},
    {"two streams under one UUID", root_with(R"("streams": [{"uuid": )" + uuid + R"(}, {"uuid": )" + uuid + "}]"),
     "/shapes/0/streams/1/uuid", "a second stream"},
    {"link to a missing shape", root_with(R"("links": [{"uuid": )" + uuid + R"(, "target": 7}])"),
     "/shapes/0/links/0/target", "shape 7, which does not exist"},
    {"current shape missing", file("", R"(, "current": 3)"), "/current", "shape 3, which does not exist"},
    {"edited shape that is no mesh", file("", R"(, "edit": {"mesh": 0, "selection_mode": 2})"), "/edit/mesh",
     "is no polygon mesh"},
    {"selection mode out of range", file(mesh, R"(, "edit": {"mesh": 1, "selection_mode": 3})"), "/edit/selection_mode",
     "3 is out of range (0 to 2)"},
    {"camera joint that is no camera", file("", R"(, "camera_joint": 0)"), "/camera_joint", "no camera joint"},
    {"frame rate of zero", file("", R"(, "animation": {"frame_rate": 0})"), "/animation/frame_rate", "out of range"},
    {"part keyed twice",
     file("", R"(, "keys": [{"part": 0, "part_keys": [{"frame": 0}]}, {"part": 0, "part_keys": [{"frame": 1}]}])"),
     "/keys/1", "keyed twice"},
    {"two keys at one frame", file("", R"(, "keys": [{"part": 0, "part_keys": [{"frame": 2}, {"frame": 2.0}]}])"),
     "/keys/0/part_keys/1/frame", "a second key at frame"},
    {"joint keys on a part that is no joint", file("", R"(, "keys": [{"part": 0, "joint_keys": [{"frame": 0}]}])"),
     "/keys/0/joint_keys", "no ball, bone, rotator, slider or scale joint"},
    {"key of a missing part", file("", R"(, "keys": [{"part": 4, "part_keys": []}])"), "/keys/0/part",
     "does not exist"},
};

TEST(scene_file, each_broken_file_fails_with_one_message_naming_the_file_the_place_and_the_problem) {
  for (const broken_case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      scene_file::parse(c.text, "broken.json");
      ADD_FAILURE() << "loaded";
    } catch (const host::scene_file_error& e) {
      EXPECT_EQ(e.file(), "broken.json");
      EXPECT_EQ(e.place(), c.place);
      EXPECT_NE(e.problem().find(c.problem), std::string::npos) << e.problem();
      EXPECT_EQ(std::string(e.what()), "broken.json: " + c.place + ": " + e.problem());
    }
  }
}

TEST(scene_file, the_base_of_the_broken_cases_is_a_valid_file) {
  // Otherwise a case could fail for a reason other than the one it names.
  EXPECT_EQ(scene_file::parse(file(""), "ok.json")->shape_count(), 1);
  EXPECT_EQ(scene_file::parse(file(mesh, R"(, "edit": {"mesh": 1, "selection_mode": 2})"), "ok.json")->shape_count(),
            2);
  EXPECT_EQ(scene_file::parse(root_with(streams(1024)), "ok.json")->root().streams().size(), 1024u);
  // The deepest chain a file may hold loads and saves to a text that loads again.
  auto deepest = scene_file::parse(file(chain(1000)), "ok.json");
  EXPECT_EQ(deepest->shape_count(), 1001);
  EXPECT_EQ(scene_file::parse(scene_file::format(*deepest), "again.json")->shape_count(), 1001);
}

TEST(scene_file, damaged_texts_either_load_and_round_trip_or_fail_with_a_scene_file_error) {
  // Random edits of a rich file: whatever the damage, no other exception escapes, and what does
  // load saves to a text that loads and saves to itself.
  auto s = host::scene::create();
  host_test::build_rich_scene(*s);
  const std::string good = scene_file::format(*s);
  const std::string alphabet = "{}[],:\"0123456789-.e tfnaxyz/\\";
  std::mt19937 random(11);
  int loaded = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = good;
    for (int edits = 1 + int(random() % 3); edits > 0; --edits) {
      const std::size_t at = random() % text.size();
      const char c = alphabet[random() % alphabet.size()];
      switch (random() % 3) {
        case 0:
          text[at] = c;
          break;
        case 1:
          text.insert(at, 1, c);
          break;
        default:
          text.erase(at, 1 + random() % 8);
          break;
      }
    }
    try {
      auto back = scene_file::parse(text, "damaged.json");
      ++loaded;
      const std::string saved = scene_file::format(*back);
      ASSERT_EQ(scene_file::format(*scene_file::parse(saved, "again.json")), saved) << text;
    } catch (const host::scene_file_error& e) {
      ASSERT_EQ(std::string(e.what()).rfind("damaged.json: ", 0), 0u) << e.what();
    }
  }
  EXPECT_GT(loaded, 0);  // some edits (inside names, digits of numbers) leave a valid file
}

}  // namespace
