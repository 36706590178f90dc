// Every shape of every example scene, asked about through the loaded "Bullet Modify" attribute:
// the user gets the editor the shape's settings call for, and cancelling it leaves the scene as
// it was. The expected editor is told from what the scene file holds (the shape's kind and its
// settings streams), in the order the editor tries them: world, primitive, rigid body, joint,
// soft body, nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "host/io/scene_file.hpp"
#include "host/ui/ui_services.hpp"
#include "plugin/playback_scene.hpp"
#include "plugin/seen_by_user.hpp"

namespace {

namespace fs = std::filesystem;
namespace pt = sxsdk::part_type;
using plugin_test::playback_scene;

std::vector<fs::path> example_scenes() {
  std::vector<fs::path> found;
  for (const fs::directory_entry& e : fs::directory_iterator(fs::path(PHYSPLUG_SOURCE_DIR) / "examples"))
    if (e.path().extension() == ".json") found.push_back(e.path());
  std::sort(found.begin(), found.end());
  return found;
}

host::part_shape* as_joint(host::shape_node& shape) {
  auto* part = dynamic_cast<host::part_shape*>(&shape);
  return part && (part->is_ball_joint() || part->is_bone_joint()) ? part : nullptr;
}

// The chain below a joint: the joint, its first ball or bone son, that one's, and so on.
std::size_t chain_length(host::shape_node& joint) {
  std::size_t n = 1;
  for (host::shape_node* at = &joint;;) {
    const auto& sons = at->sons();
    auto next = std::find_if(sons.begin(), sons.end(), [](host::shape_node* s) { return as_joint(*s) != nullptr; });
    if (next == sons.end()) return n;
    at = *next;
    ++n;
  }
}

/// What asking about `shape` shows first, and a name for the editor.
struct expected_editor {
  std::string first_line;  // the first dialog as "[title | first item]" (or its beginning), or the first message
  std::string editor;
};

/// The first dialog among the lines seen when `expected` names one, else the first line.
std::string first_of_its_kind(const std::vector<std::string>& seen, const std::string& expected) {
  const bool dialog = !expected.empty() && expected[0] == '[';
  for (const std::string& line : seen)
    if (!dialog || line[0] == '[') return line;
  return "(nothing)";
}

expected_editor editor_for(host::shape_node& shape) {
  const bool world = shape.find_stream(physplug_uuid) != nullptr;
  const bool primitive = shape.find_stream(physplug_rigid_uuid) != nullptr;
  const bool settings = shape.find_stream(physplug_modify_uuid) != nullptr;
  auto* part = dynamic_cast<host::part_shape*>(&shape);
  const bool simple_part = part && part->get_part_type() == pt::part;
  if (simple_part && world) return {"[Setting Bullet World | Active]", "world"};
  if (!part && primitive) return {"[Primitive Properties | Type/Box/Sphere/Capsule/Cylinder/Cone]", "primitive"};
  if (simple_part && settings) return {"[Setting Bullet RigidBody | Type/Move/Kimanetic/Static]", "rigid body"};
  if (as_joint(shape)) {
    const std::size_t chain = chain_length(shape);
    if (settings || chain < 2) return {"[Modify Bullet Joint | Delete Constraints]", "constraint joint"};
    return {chain > 2 ? "[Setting Bullet Constraints Joint | Layer Number]"
                      : "[Setting Bullet Constraints Joint | Target/Constraints/Rigid]",
            "joint chain"};
  }
  if (shape.type() == sxsdk::shape_type::polygon_mesh)
    return settings ? expected_editor{"[Setting Bullet SoftBody | Selection/", "soft body chooser"}
                    : expected_editor{"Use all meshes", "new soft body"};
  return {"No targets", "none"};
}

TEST(bullet_modify_component, every_shape_of_every_example_opens_its_editor_and_a_cancel_changes_nothing) {
  std::set<std::string> editors_met;
  for (const fs::path& file : example_scenes()) {
    SCOPED_TRACE(file.filename().string());
    host::ui_services ui;
    playback_scene s(host::scene_file::load(file.string(), &ui));
    plugin_test::seen_by_user seen(*s.scene, ui);
    const std::string before = plugin_test::scene_state(*s.scene);
    const std::vector<host::shape_node*> shapes = s.scene->shapes_in_order();
    for (host::shape_node* shape : shapes) {
      SCOPED_TRACE(shape->path());
      const expected_editor expected = editor_for(*shape);
      editors_met.insert(expected.editor);
      s.scene->set_active_shapes({shape});
      ui.script().push_cancel();
      ui.script().push_cancel();
      seen.forget();
      EXPECT_TRUE(s.modify->ask_shape(s.scene->root().sdk()));
      ui.script().clear_pending();
      EXPECT_EQ(first_of_its_kind(seen.lines(), expected.first_line).substr(0, expected.first_line.size()),
                expected.first_line)
          << expected.editor;
      for (const std::string& line : s.scene->messages().texts(host::message_window::kind::error))
        ADD_FAILURE() << "error: " << line;
      s.scene->messages().clear();
      EXPECT_EQ(plugin_test::scene_state(*s.scene), before);
    }
  }
  // The examples between them reach every editor a saved scene can open.
  for (const char* editor :
       {"world", "primitive", "rigid body", "constraint joint", "soft body chooser", "new soft body", "none"})
    EXPECT_TRUE(editors_met.count(editor)) << editor;
}

}  // namespace
