// The scene's state other than the tree: active shapes, mesh editing, the sequence, the camera,
// animation settings, other plug-ins, messages.
#include <gtest/gtest.h>

#include <vector>

#include "host/scene/scene_fixture.hpp"
#include "host/scene/scene_handles.hpp"
#include "sdk/sxsdk.hpp"

namespace {

using host_test::scene_fixture;
using host_test::vec3;

struct scene_state : ::testing::Test, scene_fixture {};

TEST_F(scene_state, set_active_makes_exactly_that_shape_active) {
  auto& a = part("root/A");
  auto& b = part("root/B");
  EXPECT_EQ(&scene->get_active_shape(), &scene->get_root());
  EXPECT_EQ(scene->get_number_of_active_shapes(), 0);
  scene->set_active_shapes({&a, &b});
  EXPECT_EQ(&scene->get_active_shape_at(1), &b.sdk());
  b.set_active();
  EXPECT_EQ(scene->get_number_of_active_shapes(), 1);
  EXPECT_EQ(&scene->get_active_shape(), &b.sdk());
  EXPECT_THROW(scene->get_active_shape_at(1), std::out_of_range);
}

TEST_F(scene_state, selected_vertices_and_faces_show_only_while_their_mesh_is_edited) {
  auto& m = mesh("root/M", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
  m.set_faces({{0, 1, 2}, {1, 3, 2}});
  m.select_vertices({3, 0});
  m.select_faces({1});
  EXPECT_FALSE(scene->is_mesh_edit_mode());
  EXPECT_EQ(m.get_number_of_active_vertices(), 0);
  EXPECT_TRUE(scene->get_active_vertices().empty());
  EXPECT_TRUE(m.get_active_faces().empty());
  scene->begin_mesh_edit(m, sxsdk::selection_mode::vertices);
  EXPECT_TRUE(scene->is_mesh_edit_mode());
  EXPECT_EQ(scene->get_selection_mode(), sxsdk::selection_mode::vertices);
  EXPECT_EQ(m.get_number_of_active_vertices(), 2);
  EXPECT_EQ(scene->get_active_vertices(), (std::vector<int>{3, 0}));  // the host's order
  EXPECT_EQ(m.get_active_faces(), std::vector<int>{1});
  scene->end_mesh_edit_mode();
  EXPECT_FALSE(scene->is_mesh_edit_mode());
  EXPECT_EQ(m.get_number_of_active_vertices(), 0);
  EXPECT_THROW(m.select_vertices({4}), std::out_of_range);
  EXPECT_THROW(m.set_faces({{0, 9}}), std::out_of_range);
}

TEST_F(scene_state, the_element_selection_service_reports_a_meshs_selection) {
  auto& m = mesh("root/M", std::vector<vec3>(5));
  m.select_vertices({4, 2});
  sxsdk::host_ref<sxsdk::element_selection_interface> sel(scene->get_element_selection_interface(sx::uuid_class()));
  ASSERT_TRUE(sel);
  EXPECT_EQ(sel->get_selected_vertices(m.sdk()), (std::vector<int>{4, 2}));
  EXPECT_THROW(sel->get_selected_vertices(scene->get_root()), std::logic_error);
}

TEST_F(scene_state, the_sequence_mode_handler_hears_every_change_once) {
  std::vector<bool> heard;
  scene->set_sequence_mode_handler([&](bool on) { heard.push_back(on); });
  scene->set_sequence_mode(true);
  scene->set_sequence_mode(true);
  scene->set_sequence_mode(false);
  EXPECT_EQ(heard, (std::vector<bool>{true, false}));
  scene->set_sequence_value(12.5f);
  EXPECT_EQ(scene->get_sequence_value(), 12.5f);
  EXPECT_FALSE(scene->is_rendering());
  scene->set_rendering(true);
  EXPECT_TRUE(scene->is_rendering());
}

TEST_F(scene_state, animation_settings_start_at_30_frames_without_playback_option) {
  sxsdk::host_ref<sxsdk::animation_settings_interface> a(scene->get_animation_settings());
  EXPECT_EQ(a->get_frame_rate(), 30);
  EXPECT_FALSE(a->get_playback_option());
  a->set_frame_rate(60);
  a->set_playback_option(true);
  EXPECT_EQ(scene->animation().frame_rate, 60);
  EXPECT_TRUE(scene->animation().playback_option);
  EXPECT_EQ(scene->animation().end_frame, 60);
  EXPECT_THROW(a->set_frame_rate(0), std::invalid_argument);
}

TEST_F(scene_state, a_camera_joint_can_be_selected_and_restored) {
  part("root/A");
  auto& cam = part("root/Cam", sxsdk::part_type::camera_joint);
  cam.camera()->eye = {1, 2, 3};
  EXPECT_EQ(scene->get_camera_selection(), -1);
  sxsdk::host_ref<sxsdk::camera_interface> scene_cam(scene->get_camera());
  EXPECT_EQ(scene_cam->get_eye(), scene->scene_camera().eye);
  cam.select_camera_joint();
  EXPECT_EQ(scene->get_camera_selection(), 2);
  sxsdk::host_ref<sxsdk::camera_interface> joint_cam(scene->get_camera());
  EXPECT_EQ(joint_cam->get_eye(), vec3(1, 2, 3));
  joint_cam->set_target({0, 0, 9});
  EXPECT_EQ(cam.camera()->target, vec3(0, 0, 9));
  scene->set_camera_selection(-1);
  EXPECT_EQ(scene->get_camera_selection(), -1);
  EXPECT_THROW(scene->set_camera_selection(1), std::invalid_argument);
  scene->set_camera_selection(2);
  cam.remove();
  EXPECT_EQ(scene->get_camera_selection(), -1);
}

TEST_F(scene_state, bone_joints_are_found_by_the_scene) {
  auto& bone = part("root/Bone", sxsdk::part_type::bone_joint);
  auto& ball = part("root/Ball", sxsdk::part_type::ball_joint);
  EXPECT_TRUE(scene->is_bone_joint(bone.sdk()));
  EXPECT_FALSE(scene->is_bone_joint(ball.sdk()));
  EXPECT_THROW(scene->get_bone_joint(ball.sdk()), std::logic_error);
  sxsdk::host_ref<sxsdk::bone_joint_interface> j(scene->get_bone_joint(bone.sdk()));
  j->set_limit(2, {-0.5f, 0.25f});
  j->set_limit_enabled(true);
  EXPECT_EQ(bone.joint().limits[2], (sx::vec<float, 2>(-0.5f, 0.25f)));
  EXPECT_TRUE(bone.joint().limit_enabled);
  EXPECT_THROW(j->get_limit(3), std::out_of_range);
  // The motion interface and the bone interface share one state.
  sxsdk::host_ref<sxsdk::joint_motion_interface> motion(bone.get_joint_motion());
  motion->set_offset({1, 2, 3});
  EXPECT_EQ(j->get_offset(), vec3(1, 2, 3));
}

struct counted_component : sxsdk::attribute_interface {
  static inline int alive = 0;
  counted_component() { ++alive; }
  ~counted_component() override { --alive; }
};

TEST_F(scene_state, registered_plugin_interfaces_are_handed_out_with_a_reference) {
  const sx::uuid_class id("10A768C2-6DBB-43DE-9E3C-E17217E3CA47");
  EXPECT_EQ(scene->get_plugin_interface(id), nullptr);
  {
    sxsdk::host_ref<counted_component> mine(new counted_component);
    mine->AddRef();
    scene->register_plugin_interface(id, mine.get());
  }
  EXPECT_EQ(counted_component::alive, 1);  // the scene holds it
  sxsdk::host_ref<sxsdk::plugin_interface> got(scene->get_plugin_interface(id));
  ASSERT_TRUE(got);
  EXPECT_EQ(got->reference_count(), 2u);
  scene->clear_plugin_interfaces();
  EXPECT_EQ(counted_component::alive, 1);  // still held by `got`
  got.reset();
  EXPECT_EQ(counted_component::alive, 0);
}

TEST_F(scene_state, messages_and_errors_are_kept_in_order) {
  scene->message("one");
  scene->show_error("two");
  scene->message("three");
  const auto& lines = scene->messages().lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].what, host::message_window::kind::error);
  EXPECT_EQ(lines[1].text, "two");
  EXPECT_EQ(scene->messages().texts(host::message_window::kind::message), (std::vector<std::string>{"one", "three"}));
}

TEST_F(scene_state, without_services_there_is_no_host_object_and_no_dialog) {
  EXPECT_EQ(scene->get_host(), nullptr);
  EXPECT_EQ(scene->create_dialog(), nullptr);
  EXPECT_EQ(scene->get_version(), 463042);
}

TEST_F(scene_state, a_shape_hands_out_its_scene_with_a_reference) {
  auto& a = part("root/A");
  const auto before = scene->reference_count();
  sxsdk::host_ref<sxsdk::scene_interface> s(a.get_scene());
  EXPECT_EQ(s.get(), scene.get());
  EXPECT_EQ(scene->reference_count(), before + 1);
}

}  // namespace
