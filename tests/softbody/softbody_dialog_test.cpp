// softbody_dialog: the settings dialog's 37 items with their defaults and units, reading it
// back, the anchor entry shown first, the two forms of the chooser, and Japanese texts for every
// label and message of the soft bodies.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/texts.hpp"
#include "properties/rigidbody_properties.hpp"
#include "softbody/softbody_dialog.hpp"
#include "softbody_scene.hpp"

using namespace softbody_test;

namespace {

struct dialog_fixture {
  properties_scene s;
  host::part_shape& pole = s.part("Pole");
  host::part_shape& post = s.part("Post");
  host::polygon_mesh_shape& mesh = add_grid(s, "Flag", 3, 3, 100.0f);
  std::vector<sxsdk::shape_class*> bodies{&pole.sdk(), &post.sdk()};

  const host::dialog_record& last() { return s.script().shown().back(); }
};

}  // namespace

TEST(softbody_dialog, the_settings_dialog_holds_every_item_in_order_with_its_default_and_unit) {
  dialog_fixture f;
  softbody_datas record;
  ASSERT_TRUE(softbody_dialog::ask_settings(f.s.sdk(), f.mesh.sdk(), record, 1, true, f.bodies).confirmed);
  const host::dialog_record& d = f.last();
  EXPECT_EQ(d.title, "Setting Bullet SoftBody");
  std::size_t i = 0;
  using k = host::dialog_item_kind;
  auto item = [&](const std::string& path, k kind, const host::dialog_value& default_value, const char* unit) {
    ASSERT_LT(i, d.items.size()) << path;
    const host::dialog_item_record& got = d.items[i++];
    EXPECT_EQ(got.path(), path) << i - 1;
    EXPECT_EQ(got.kind, kind) << path;
    EXPECT_EQ(got.default_value, default_value) << path;
    EXPECT_EQ(got.unit, unit) << path;
  };
  item("Anchor RigidBody", k::selection, 0, "");
  item("SoftBody Name", k::text, std::string("Flag1"), "");
  item("Mass", k::real, 1.0f, "");
  item("Wind Velocity", k::vector, vec3(0, 0, 0), "");
  item("Group Index", k::selection, 2, "");
  for (const char* box : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"})
    item(std::string("Mask/") + box, k::check_box, false, "");
  item("Margin", k::real, 0.04f, "m");
  item("Randomize", k::check_box, false, "");
  item("Bending Constration Distance", k::integer, 1, "1~");
  item("kLST", k::real, 1.0f, "0~1");
  item("kAST", k::real, 1.0f, "0~1");
  item("kVST", k::real, 1.0f, "0~1");
  item("Velocities correction factor", k::real, 1.0f, "");
  item("Damping coefficient", k::real, 0.0f, "0~1");
  item("Drag coefficient", k::real, 0.0f, "0~");
  item("Lift coefficient", k::real, 0.0f, "0~");
  item("Pressure coefficient", k::real, 0.0f, "~");
  item("Volume conversation coefficient", k::real, 0.0f, "0~");
  item("Dynamic friction coefficient", k::real, 0.2f, "0~1");
  item("Pose matching coefficient", k::real, 0.0f, "0~1");
  item("Rigid contacts hardness", k::real, 1.0f, "0~1");
  item("Kinetic contacts hardness", k::real, 1.0f, "0~1");
  item("Soft contacts hardness", k::real, 1.0f, "0~1");
  item("Anchors hardness", k::real, 0.7f, "0~1");
  item("Cluster", k::check_box, false, "");
  item("Divide Number", k::integer, 1, "");
  item("Cluster falctor/Soft vs rigid hardness", k::real, 0.1f, "0~1");
  item("Cluster falctor/Soft vs kinetic hardness", k::real, 1.0f, "0~1");
  item("Cluster falctor/Soft vs soft hardness", k::real, 0.5f, "0~1");
  item("Cluster falctor/Soft vs rigid impulse split", k::real, 0.5f, "0~1");
  item("Cluster falctor/Soft vs kinetic impulse split", k::real, 0.5f, "0~1");
  item("Cluster falctor/Soft vs soft impulse split", k::real, 0.5f, "0~1");
  item("viterations", k::integer, 1, "");
  item("piterations", k::integer, 4, "");
  item("diterations", k::integer, 0, "");
  item("Renew Vertices", k::check_box, true, "");
  EXPECT_EQ(i, d.items.size());
  EXPECT_EQ(d.items[0].choices, (std::vector<std::string>{"Pole", "Post", "None"}));
  EXPECT_EQ(d.items[4].choices.size(), 16u);
  EXPECT_EQ(d.items[5].row, d.items[12].row);   // boxes 0..7 on one row
  EXPECT_NE(d.items[12].row, d.items[13].row);  // 8..F on the next
  EXPECT_EQ(d.items[39].row, d.items[40].row);  // "Cluster" beside "Divide Number"
  // A new record has no "Renew Vertices".
  softbody_datas fresh;
  ASSERT_TRUE(softbody_dialog::ask_settings(f.s.sdk(), f.mesh.sdk(), fresh, 0, false, f.bodies).confirmed);
  EXPECT_EQ(f.last().items.size(), i - 1);
}

TEST(softbody_dialog, reading_back_fills_the_record_and_names_the_anchor_body) {
  dialog_fixture f;
  f.s.script().push(host::dialog_answer::ok()
                        .set("Anchor RigidBody", "Post")
                        .set("SoftBody Name", std::string("Sail"))
                        .set("Mass", 3.0)
                        .set("Group Index", "A")
                        .set("Mask/0", true)
                        .set("Mask/F", true)
                        .set("Cluster", true)
                        .set("Divide Number", 4)
                        .set("Cluster falctor/Soft vs soft impulse split", 0.75)
                        .set("piterations", 9)
                        .set("Renew Vertices", true));
  softbody_datas r;
  r.type = 2;
  const softbody_dialog::settings_result got =
      softbody_dialog::ask_settings(f.s.sdk(), f.mesh.sdk(), r, 0, true, f.bodies);
  ASSERT_TRUE(got.confirmed);
  EXPECT_EQ(got.anchor_body, &f.post.sdk());
  EXPECT_TRUE(got.renew_vertices);
  EXPECT_EQ(r.type, 0);
  EXPECT_EQ(r.name, "Sail");
  EXPECT_EQ(r.mass, 3.0f);
  EXPECT_EQ(r.group_index, 10);
  EXPECT_EQ(r.group, 1 << 10);
  EXPECT_EQ(r.mask, 0x8001u);
  EXPECT_TRUE(r.use_clusters);
  EXPECT_EQ(r.cluster_count, 4);
  EXPECT_EQ(r.kSS_SPLT_CL, 0.75f);
  EXPECT_EQ(r.piterations, 9);
  f.s.script().push(host::dialog_answer::ok().set("Anchor RigidBody", "None"));
  EXPECT_EQ(softbody_dialog::ask_settings(f.s.sdk(), f.mesh.sdk(), r, 0, true, f.bodies).anchor_body, nullptr);
}

TEST(softbody_dialog, cancel_says_terminated_and_leaves_the_record) {
  dialog_fixture f;
  f.s.script().push_cancel();
  softbody_datas r;
  r.name = "Kept";
  EXPECT_FALSE(softbody_dialog::ask_settings(f.s.sdk(), f.mesh.sdk(), r, 0, true, f.bodies).confirmed);
  EXPECT_EQ(r.name, "Kept");
  EXPECT_EQ(f.s.messages(), std::vector<std::string>{"Terminated"});
}

TEST(softbody_dialog, the_anchor_entry_shown_first_follows_the_record_or_the_active_shape) {
  struct anchor_case {
    const char* what;
    bool existing;
    int group;   // -1: no group; 0: null body; 1: Pole; 2: Post
    int active;  // 0: none; 1: Pole; 2: Post; 3: the mesh
    int shown;
  };
  const anchor_case cases[] = {
      {"existing, first group on Post", true, 2, 1, 1}, {"existing, first group pinned", true, 0, 2, 2},  // "None"
      {"existing, no group", true, -1, 2, 0},           {"new, Post active", false, -1, 2, 1},
      {"new, the mesh active", false, -1, 3, 0},        {"new, nothing active", false, -1, 0, 0},
  };
  for (const anchor_case& c : cases) {
    dialog_fixture f;
    host::shape_node* active[] = {nullptr, &f.pole, &f.post, &f.mesh};
    f.s.scene().set_active_shapes(c.active ? std::vector<host::shape_node*>{active[c.active]}
                                           : std::vector<host::shape_node*>{});
    softbody_datas r;
    if (c.group >= 0) r.anchors.push_back({c.group ? &active[c.group]->sdk() : nullptr, {0}});
    ASSERT_TRUE(softbody_dialog::ask_settings(f.s.sdk(), f.mesh.sdk(), r, 0, c.existing, f.bodies).confirmed);
    EXPECT_EQ(f.last().items[0].shown_value, host::dialog_value(c.shown)) << c.what;
  }
}

TEST(softbody_dialog, the_chooser_has_a_target_list_unless_one_record_uses_every_vertex) {
  dialog_fixture f;
  softbody_properties p = properties_of(f.mesh);
  p.datas.resize(1);
  p.datas[0].node_vertices.resize(9);
  f.s.script().push(host::dialog_answer::ok().set("Selection", "Remove"));
  softbody_dialog::choice c = softbody_dialog::choose(f.s.sdk(), p);
  EXPECT_EQ(c.what, softbody_dialog::action::remove);
  EXPECT_EQ(f.last().items.size(), 1u);
  EXPECT_EQ(f.last().items[0].choices, (std::vector<std::string>{"Edit", "Remove"}));
  EXPECT_EQ(f.last().items[0].shown_value, host::dialog_value(0));
  EXPECT_EQ(f.last().owner, physplug_modify_uuid);

  p.datas[0].node_vertices.resize(4);  // a part of the mesh only
  p.datas.emplace_back();              // no name: listed as "*"
  p.datas[0].name = "Left";
  f.s.script().push(host::dialog_answer::ok().set("Target", "*"));
  c = softbody_dialog::choose(f.s.sdk(), p);
  EXPECT_EQ(c.what, softbody_dialog::action::edit);  // shown first: Edit
  EXPECT_EQ(c.target, 1);
  EXPECT_EQ(f.last().items[0].choices, (std::vector<std::string>{"New", "Edit", "Remove"}));
  EXPECT_EQ(f.last().items[1].choices, (std::vector<std::string>{"Left", "*"}));
  f.s.script().push_cancel();
  EXPECT_EQ(softbody_dialog::choose(f.s.sdk(), p).what, softbody_dialog::action::cancel);
}

namespace {

bool japanese(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

// In Japanese every title, label, group and entry the soft body dialogs look up is shown in
// Japanese; the mask boxes "0" to "F" and shape names are not looked up. So are the messages
// the Japanese table lists.
TEST(softbody_dialog, every_label_and_message_has_a_japanese_text) {
  properties_scene s("ja");
  host::part_shape& pole = s.part("Pole");
  host::polygon_mesh_shape& mesh = add_grid(s, "Flag", 3, 3, 100.0f);
  softbody_datas record;
  ASSERT_TRUE(softbody_dialog::ask_settings(s.sdk(), mesh.sdk(), record, 0, true, {&pole.sdk()}).confirmed);
  const host::dialog_record& settings = s.script().shown().back();
  EXPECT_TRUE(japanese(settings.title)) << settings.title;
  const std::string mask = texts::get_text(s.sdk(), "Mask");
  for (const host::dialog_item_record& item : settings.items) {
    for (const std::string& group : item.groups) EXPECT_TRUE(japanese(group)) << group;
    const bool mask_box = !item.groups.empty() && item.groups.back() == mask;
    if (!mask_box) {
      EXPECT_TRUE(japanese(item.label)) << item.path();
    }
  }
  EXPECT_EQ(settings.items[0].choices, (std::vector<std::string>{"Pole", texts::get_text(s.sdk(), "None")}));
  EXPECT_TRUE(japanese(settings.items[0].choices.back()));

  softbody_properties p = properties_of(mesh);
  p.datas.resize(2);
  p.datas[0].name = "Left";
  (void)softbody_dialog::choose(s.sdk(), p);
  const host::dialog_record& chooser = s.script().shown().back();
  EXPECT_TRUE(japanese(chooser.title));
  ASSERT_EQ(chooser.items.size(), 2u);
  EXPECT_TRUE(japanese(chooser.items[0].label));
  for (const std::string& entry : chooser.items[0].choices) EXPECT_TRUE(japanese(entry)) << entry;
  EXPECT_TRUE(japanese(chooser.items[1].label));

  // "No faces polygon mesh" is not in the product's Japanese table and stays English.
  for (const char* id : {"Terminated", "No faces selected", "Use all meshes", "Create Projection Mesh:%s of [%s]",
                         "Remove Projection Mesh:%s of [%s]", "SoftBody", "Renew inner parts"})
    EXPECT_TRUE(japanese(texts::get_text(s.sdk(), id))) << id;
}
