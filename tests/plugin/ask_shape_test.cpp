// ask_shape of the loaded "Bullet Modify" attribute, and the browser and figure entries that
// reach it, used as a user would: the scene is built, shapes are selected (and mesh element
// editing entered), the attribute is invoked and the dialogs are answered by the headless
// host's script. What the user sees is checked in the order it appears.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/ui/ui_services.hpp"
#include "joints/constraints_properties.hpp"
#include "plugin/playback_scene.hpp"
#include "plugin/seen_by_user.hpp"
#include "softbody/grid_mesh.hpp"
#include "softbody/softbody_properties.hpp"

namespace {

using plugin_test::playback_scene;
using plugin_test::vec3;
namespace pt = sxsdk::part_type;

/// How the editor is reached: the attribute itself, or the browser or figure component.
enum class entry { attribute, browser, figure };

struct user_scene {
  host::ui_services ui;
  playback_scene s;
  plugin_test::seen_by_user seen{*s.scene, ui};

  user_scene() { s.scene->set_services(&ui); }
  ~user_scene() { s.scene->set_services(nullptr); }

  host::shape_node& at(const std::string& path) {
    host::shape_node* shape = s.scene->find(path);
    if (!shape) throw std::runtime_error("no shape " + path);
    return *shape;
  }
  host::polygon_mesh_shape& mesh(const std::string& path) { return dynamic_cast<host::polygon_mesh_shape&>(at(path)); }
  void select(const std::vector<std::string>& paths) {
    std::vector<host::shape_node*> shapes;
    for (const std::string& p : paths) shapes.push_back(&at(p));
    s.scene->set_active_shapes(shapes);
  }
  /// The shapes at `paths` (or `shape`) made active, the way the user picks them in the browser;
  /// returns the root, on which the attribute is then invoked.
  host::shape_node& with_active(const std::vector<std::string>& paths) {
    select(paths);
    return s.scene->root();
  }
  host::shape_node& with_active(host::shape_node& shape) {
    s.scene->set_active_shapes({&shape});
    return s.scene->root();
  }

  bool ask(entry via, host::shape_node& asked) {
    switch (via) {
      case entry::browser:
        return s.plugins.find(physplug_browser_uuid)->browser()->do_browser(s.scene.get());
      case entry::figure:
        return s.plugins.find(physplug_figure_uuid)->figure()->do_figure(s.scene.get());
      case entry::attribute:
        break;
    }
    return s.modify->ask_shape(asked.sdk());
  }
  /// Asks about `asked` with one answer queued.
  bool ask(host::shape_node& asked, host::dialog_answer answer) {
    ui.script().push(std::move(answer));
    return ask(entry::attribute, asked);
  }
};

// --- scenes -----------------------------------------------------------------------------------

host::part_shape& world(user_scene& u) { return u.s.add_world("World"); }

host::part_shape& body(user_scene& u, const std::string& name = "Ball", float y = 500) {
  host::shape_node* w = u.s.scene->find("root/World");
  return u.s.add_body(w ? *w : world(u), name, plugin_test::sphere_shape(0.1f), vec3(0, y, 0));
}

host::part_shape& joint(user_scene& u, host::shape_node& dad, const std::string& name, int part_type) {
  host::part_shape& j = u.s.scene->add_part(dad, name, part_type);
  j.joint().position = vec3(0, 100, 0);
  return j;
}

// A joint with its constraint settings stored, tying nothing yet.
host::part_shape& constraint_joint(user_scene& u, const std::string& name, int part_type) {
  host::part_shape& j = joint(u, world(u), name, part_type);
  constraints_properties settings;
  settings.shape = &j.sdk();
  if (!settings.regist()) throw std::runtime_error("joint settings not written");
  return j;
}

// A 3 x 3 grid mesh in the world (4 quads).
host::polygon_mesh_shape& grid(user_scene& u, const std::string& name, float z = 0) {
  host::shape_node* w = u.s.scene->find("root/World");
  return softbody_test::add_grid_mesh(*u.s.scene, w ? *w : world(u), name, 3, 3, 100, {0, 1000, z});
}

// A mesh made a soft body by the user: all its faces (whole), or its first face only.
host::polygon_mesh_shape& cloth(user_scene& u, bool whole, const std::string& name = "Cloth") {
  host::polygon_mesh_shape& m = grid(u, name);
  if (!whole) {
    u.s.scene->begin_mesh_edit(m, sxsdk::selection_mode::faces);
    m.select_faces({0});
  }
  u.s.scene->set_active_shapes({&m});
  if (!u.ask(m, host::dialog_answer::ok())) throw std::runtime_error("soft body not made");
  u.s.scene->end_mesh_edit_mode();
  return m;
}

// Vertex editing of `mesh` with `vertices` selected and `partner` as the active shape.
host::shape_node& vertex_gesture(user_scene& u, host::polygon_mesh_shape& mesh, const std::vector<int>& vertices,
                                 const std::string& partner) {
  u.s.scene->begin_mesh_edit(mesh, sxsdk::selection_mode::vertices);
  mesh.select_vertices(vertices);
  u.select({partner});
  return mesh;
}

host::shape_node& projection_gesture(user_scene& u, bool whole_cloth, const std::vector<int>& vertices) {
  cloth(u, whole_cloth);
  return vertex_gesture(u, grid(u, "Drape", 5), vertices, "root/World/Cloth");
}

softbody_properties softbody_of(host::shape_node& mesh) {
  softbody_properties p;
  p.shape = &mesh.sdk();
  EXPECT_TRUE(p.get_properties());
  return p;
}

const std::vector<int> all_vertices = {0, 1, 2, 3, 4, 5, 6, 7, 8};
const std::string soft_body_settings = "[Setting Bullet SoftBody | Anchor RigidBody/None]";

// --- the table --------------------------------------------------------------------------------

struct ask_case {
  const char* name;
  /// Builds the scene and the selection; returns the shape the attribute is invoked on.
  std::function<host::shape_node&(user_scene&)> arrange;
  std::vector<host::dialog_answer> answers;
  entry via;
  bool result;
  std::vector<std::string> seen;
  /// Further checks of the scene afterwards (may be empty).
  std::function<void(user_scene&)> check;
};

const host::dialog_answer cancel = host::dialog_answer::cancel();

std::vector<ask_case> ask_cases() {
  return {
      {"playing, a shape without a role",
       [](user_scene& u) -> host::shape_node& {
         body(u);
         u.s.enter();
         u.s.play_to(5);
         return u.with_active({"root"});
       },
       {},
       entry::attribute,
       true,
       {"No targets"},
       [](user_scene& u) {
         EXPECT_FALSE(u.s.scene->is_sequence_mode());
         EXPECT_EQ(u.s.scene->get_sequence_value(), 0.0f);
         EXPECT_EQ(playback_scene::position_of(dynamic_cast<host::part_shape&>(u.at("root/World/Ball"))),
                   vec3(0, 500, 0));
       }},
      {"playing, a rigid body",
       [](user_scene& u) -> host::shape_node& {
         body(u);
         u.s.enter();
         u.s.play_to(5);
         return u.with_active({"root/World/Ball"});
       },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet RigidBody | Type/Move/Kimanetic/Static]", "Terminated"},
       [](user_scene& u) { EXPECT_FALSE(u.s.scene->is_sequence_mode()); }},
      {"world",
       [](user_scene& u) -> host::shape_node& {
         world(u);
         return u.with_active({"root/World"});
       },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet World | Active]", "Terminated"},
       {}},
      {"a simple part with a world and a rigid body stream",
       [](user_scene& u) -> host::shape_node& {
         world_properties settings;
         settings.shape = &body(u, "Both").sdk();
         if (!settings.regist()) throw std::runtime_error("world settings not written");
         return u.with_active({"root/World/Both"});
       },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet World | Active]", "Terminated"},
       {}},
      {"primitive",
       [](user_scene& u) -> host::shape_node& { return u.with_active(*body(u).sons().front()); },
       {cancel},
       entry::attribute,
       true,
       {"[Primitive Properties | Type/Box/Sphere/Capsule/Cylinder/Cone]", "Terminated"},
       {}},
      {"rigid body",
       [](user_scene& u) -> host::shape_node& {
         body(u);
         return u.with_active({"root/World/Ball"});
       },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet RigidBody | Type/Move/Kimanetic/Static]", "Terminated"},
       {}},
      {"a rigid body whose settings end early: an error names it, the stream is kept",
       [](user_scene& u) -> host::shape_node& {
         body(u).find_stream(physplug_modify_uuid)->bytes.resize(9);  // version, type, group index
         return u.with_active({"root/World/Ball"});
       },
       {},
       entry::attribute,
       true,
       {"error: physplug: the rigid body settings of \"root/World/Ball\" are damaged (version 1, 9 of 93 bytes); they "
        "are left as they are and not edited"},
       [](user_scene& u) { EXPECT_EQ(u.at("root/World/Ball").find_stream(physplug_modify_uuid)->bytes.size(), 9u); }},
      {"a rigid body with a group index above 15: an error names it",
       [](user_scene& u) -> host::shape_node& {
         body(u).find_stream(physplug_modify_uuid)->bytes[8] = 200;  // byte 8: the group index
         return u.with_active({"root/World/Ball"});
       },
       {},
       entry::attribute,
       true,
       {"error: physplug: the rigid body settings of \"root/World/Ball\" are damaged (a group index above 15, a number "
        "that is not finite or a rotation that is none); they are left as they are and not edited"},
       {}},
      {"rotator joint with a constraint stream",
       [](user_scene& u) -> host::shape_node& {
         constraint_joint(u, "Hinge", pt::rotator_joint);
         return u.with_active({"root/World/Hinge"});
       },
       {},
       entry::attribute,
       true,
       {"No targets"},
       {}},
      {"ball joint without a constraint stream: the chain builder",
       [](user_scene& u) -> host::shape_node& {
         joint(u, joint(u, world(u), "Shoulder", pt::ball_joint), "Elbow", pt::ball_joint);
         return u.with_active({"root/World/Shoulder"});
       },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet Constraints Joint | Target/Constraints/Rigid]", "Terminated"},
       {}},
      {"ball joint with a constraint stream: the constraint dialog",
       [](user_scene& u) -> host::shape_node& {
         joint(u, constraint_joint(u, "Shoulder", pt::ball_joint), "Elbow", pt::ball_joint);
         return u.with_active({"root/World/Shoulder"});
       },
       {cancel},
       entry::attribute,
       true,
       {"No RigidBody", "[Modify Bullet Joint | Delete Constraints]", "Terminated"},
       {}},
      {"bone joint without a constraint stream: the chain builder",
       [](user_scene& u) -> host::shape_node& {
         joint(u, joint(u, world(u), "Upper", pt::bone_joint), "Lower", pt::bone_joint);
         return u.with_active({"root/World/Upper"});
       },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet Constraints Joint | Target/Constraints/Rigid]", "Terminated"},
       {}},
      {"a lone ball joint has no chain: the constraint dialog",
       [](user_scene& u) -> host::shape_node& {
         joint(u, world(u), "Wrist", pt::ball_joint);
         return u.with_active({"root/World/Wrist"});
       },
       {cancel},
       entry::attribute,
       true,
       {"No RigidBody", "[Modify Bullet Joint | Delete Constraints]", "Terminated"},
       {}},
      {"a new soft body outside face selection: all faces",
       [](user_scene& u) -> host::shape_node& { return u.with_active(grid(u, "Cloth")); },
       {cancel},
       entry::attribute,
       true,
       {"Use all meshes", soft_body_settings, "Terminated"},
       {}},
      {"a new soft body in vertex selection: all faces",
       [](user_scene& u) -> host::shape_node& {
         host::polygon_mesh_shape& m = grid(u, "Cloth");
         return vertex_gesture(u, m, {0}, "root/World/Cloth");
       },
       {cancel},
       entry::attribute,
       true,
       {"Use all meshes", soft_body_settings, "Terminated"},
       {}},
      {"a new soft body in face selection: the selected faces",
       [](user_scene& u) -> host::shape_node& {
         host::polygon_mesh_shape& m = grid(u, "Cloth");
         u.s.scene->begin_mesh_edit(m, sxsdk::selection_mode::faces);
         m.select_faces({1});
         u.s.scene->set_active_shapes({&m});
         return m;
       },
       {host::dialog_answer::ok()},
       entry::attribute,
       true,
       {soft_body_settings},
       [](user_scene& u) {
         const softbody_properties made = softbody_of(u.at("root/World/Cloth"));
         ASSERT_EQ(made.datas.size(), 1u);
         EXPECT_EQ(made.datas[0].node_vertices, (std::vector<std::int32_t>{1, 2, 4, 5}));
       }},
      {"a whole-mesh soft body: its chooser",
       [](user_scene& u) -> host::shape_node& { return u.with_active(cloth(u, true)); },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet SoftBody | Selection/Edit/Remove]"},
       {}},
      {"a soft body of some faces: the chooser with its records",
       [](user_scene& u) -> host::shape_node& { return u.with_active(cloth(u, false)); },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet SoftBody | Selection/New/Edit/Remove]"},
       [](user_scene& u) {
         const host::dialog_record& chooser = u.ui.script().shown().back();
         ASSERT_EQ(chooser.items.size(), 2u);
         EXPECT_EQ(chooser.items[1].label, "Target");
         EXPECT_EQ(chooser.items[1].choices, std::vector<std::string>{"Cloth0"});  // named by the mesh
       }},
      {"removing a whole-mesh soft body removes its stream and its projection",
       [](user_scene& u) -> host::shape_node& {
         host::shape_node& drape = projection_gesture(u, true, all_vertices);
         if (!u.ask(entry::attribute, drape)) throw std::runtime_error("projection not made");
         u.s.scene->end_mesh_edit_mode();
         return u.with_active({"root/World/Cloth"});
       },
       {host::dialog_answer::ok().set("Selection", 1)},
       entry::attribute,
       true,
       {"[Setting Bullet SoftBody | Selection/Edit/Remove]"},
       [](user_scene& u) {
         host::shape_node& cloth_mesh = u.at("root/World/Cloth");
         EXPECT_TRUE(cloth_mesh.streams().empty());
         EXPECT_TRUE(cloth_mesh.links().empty());
         EXPECT_TRUE(u.at("root/World/Drape").streams().empty());
         u.seen.forget();  // and the mesh is a plain mesh again
         EXPECT_TRUE(u.ask(u.s.scene->root(), cancel));
         EXPECT_EQ(u.seen.lines(), (std::vector<std::string>{"Use all meshes", soft_body_settings, "Terminated"}));
       }},
      {"anchor gesture: the selected vertices hang on the active rigid body, stored by the edit",
       [](user_scene& u) -> host::shape_node& {
         body(u, "Pole", 1200);
         return vertex_gesture(u, cloth(u, true), {2, 0}, "root/World/Pole");
       },
       {host::dialog_answer::ok(), host::dialog_answer::ok()},
       entry::attribute,
       true,
       {"[Setting Bullet SoftBody | Selection/Edit/Remove]", "[Setting Bullet SoftBody | Anchor RigidBody/Pole/None]"},
       [](user_scene& u) {
         const softbody_properties anchored = softbody_of(u.at("root/World/Cloth"));
         ASSERT_EQ(anchored.datas.size(), 1u);
         ASSERT_EQ(anchored.datas[0].anchors.size(), 1u);
         EXPECT_EQ(anchored.datas[0].anchors[0].rigid, &u.at("root/World/Pole").sdk());
         EXPECT_EQ(anchored.datas[0].anchors[0].nodes, (std::vector<std::int32_t>{2, 0}));
       }},
      {"anchor gesture with the chooser cancelled stores nothing",
       [](user_scene& u) -> host::shape_node& {
         body(u, "Pole", 1200);
         return vertex_gesture(u, cloth(u, true), {2, 0}, "root/World/Pole");
       },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet SoftBody | Selection/Edit/Remove]"},
       [](user_scene& u) { EXPECT_TRUE(softbody_of(u.at("root/World/Cloth")).datas[0].anchors.empty()); }},
      {"anchor gesture on a soft body of some faces: no anchor, the chooser",
       [](user_scene& u) -> host::shape_node& {
         body(u, "Pole", 1200);
         return vertex_gesture(u, cloth(u, false), {0}, "root/World/Pole");
       },
       {cancel},
       entry::attribute,
       true,
       {"[Setting Bullet SoftBody | Selection/New/Edit/Remove]"},
       [](user_scene& u) { EXPECT_TRUE(softbody_of(u.at("root/World/Cloth")).datas[0].anchors.empty()); }},
      {"projection gesture: the asked mesh named first, the soft body mesh second",
       [](user_scene& u) -> host::shape_node& { return projection_gesture(u, true, all_vertices); },
       {},
       entry::attribute,
       true,
       {"Create Projection Mesh:Drape of [Cloth]"},
       [](user_scene& u) {
         EXPECT_EQ(u.at("root/World/Cloth").links_of(physplug_figure_uuid),
                   std::vector<host::shape_node*>{&u.at("root/World/Drape")});
       }},
      {"projection gesture with no vertex selected removes the projection",
       [](user_scene& u) -> host::shape_node& { return projection_gesture(u, true, {}); },
       {},
       entry::attribute,
       false,
       {"Remove Projection Mesh:Drape of [Cloth]"},
       [](user_scene& u) { EXPECT_TRUE(u.at("root/World/Cloth").links_of(physplug_figure_uuid).empty()); }},
      {"projection gesture with a soft body of some faces does nothing",
       [](user_scene& u) -> host::shape_node& { return projection_gesture(u, false, all_vertices); },
       {},
       entry::attribute,
       false,
       {},
       [](user_scene& u) { EXPECT_TRUE(u.at("root/World/Drape").streams().empty()); }},
      {"a sphere without a role",
       [](user_scene& u) -> host::shape_node& {
         return u.with_active(u.s.scene->add_sphere(u.s.scene->root(), "Moon", {}, vec3(10, 10, 10)));
       },
       {},
       entry::attribute,
       true,
       {"No targets"},
       {}},
      {"the browser entry opens the editor of the active shape",
       [](user_scene& u) -> host::shape_node& {
         world(u);
         return u.with_active({"root/World"});
       },
       {cancel},
       entry::browser,
       true,
       {"[Setting Bullet World | Active]", "Terminated"},
       {}},
      {"the figure entry opens the editor of the active shape",
       [](user_scene& u) -> host::shape_node& {
         body(u);
         return u.with_active({"root/World/Ball"});
       },
       {cancel},
       entry::figure,
       true,
       {"[Setting Bullet RigidBody | Type/Move/Kimanetic/Static]", "Terminated"},
       {}},
  };
}

TEST(bullet_modify_component, ask_shape_opens_the_editor_of_the_shape_the_user_means) {
  for (const ask_case& c : ask_cases()) {
    SCOPED_TRACE(c.name);
    user_scene u;
    host::shape_node& asked = c.arrange(u);
    u.seen.forget();
    ASSERT_EQ(u.ui.script().pending(), 0u);
    for (const host::dialog_answer& a : c.answers) u.ui.script().push(a);
    EXPECT_EQ(u.ask(c.via, asked), c.result);
    EXPECT_EQ(u.seen.lines(), c.seen);
    EXPECT_EQ(u.ui.script().pending(), 0u) << "a dialog the case expected was not shown";
    if (c.check) c.check(u);
  }
}

}  // namespace
