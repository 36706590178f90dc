#include "rich_scene.hpp"

namespace host_test {
namespace {

using host::shape_node;

template <typename T>
bool same(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Bit-for-bit equality of two lists of plain floats (memcmp must not see a null pointer).
template <typename T>
bool same_list(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

sxsdk::mat4 odd_matrix(float seed) {
  sxsdk::mat4 m = sxsdk::mat4::rotate_y(seed) * sxsdk::mat4::translate(seed * 10, -0.0f, 1e-38f);
  m.m[0][3] = awkward[0];
  return m;
}

void build_parts(host::scene& s) {
  host::part_shape& world = s.add_part(s.root(), "World");
  world.set_transformation(odd_matrix(0.7f));
  world.set_axis_matrix(sxsdk::mat4::scale(2, 3, 4));
  world.visible = 0;
  world.render_flag = false;
  world.selected = true;
  world.put_stream(our_uuid, "world settings", {1, 0, 0, 0, 0x80, 0x3f});
  world.put_stream(foreign_uuid, "", {0, 255, 7, 0x3d, 0xfe});

  host::part_shape& ball = s.add_part(world, "Ball", sxsdk::part_type::ball_joint);
  ball.joint().position = {awkward[0], awkward[1], awkward[2]};
  ball.joint().offset = {1, 2, 3};
  ball.joint().rotation = {0.5f, -0.5f, 0.5f, -0.5f};
  host::part_shape& bone = s.add_part(ball, "Bone", sxsdk::part_type::bone_joint);
  bone.joint().bone_matrix = odd_matrix(-1.3f);
  bone.joint().limits[1] = {-0.25f, 0.75f};
  bone.joint().limit_enabled = true;
  bone.joint().position = {0, 100, 0};
  int type = sxsdk::part_type::rotator_joint;
  for (const char* name : {"Rotator", "Slider", "Scale", "Uniscale"}) {
    host::part_shape& j = s.add_part(world, name, type++);
    j.joint().center = {awkward[3], 5, 6};
    j.joint().axis = {0, 0, awkward[4]};
    j.joint().value = awkward[5] + type;
    j.joint().min = awkward[6];
    j.joint().max = 1e30f;
  }
  host::part_shape& cam = s.add_part(s.root(), "Camera", sxsdk::part_type::camera_joint);
  cam.camera()->eye = {1, 2, 3};
  cam.camera()->target = {awkward[8], awkward[9], awkward[7]};
  cam.camera()->focal_length = 35;
  s.add_part(s.root(), "Path", sxsdk::part_type::path_joint);
  s.add_part(s.root(), "Local axis", sxsdk::part_type::local_axis_part);
}

void build_shapes(host::scene& s) {
  shape_node& world = *s.find("root/World");
  auto& mesh = s.add_polygon_mesh(world, "Cloth");
  mesh.set_vertices({{0, 0, 0}, {awkward[0], 0, 0}, {0, awkward[1], 0}, {1, 1, awkward[2]}});
  mesh.set_faces({{0, 1, 2}, {1, 3, 2}, {0, 1, 3, 2}});
  mesh.select_vertices({3, 0, 2});
  mesh.select_faces({2, 0});
  auto& box = s.add_line(world, "Box", {{-1, -1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, -1, -1}}, true);
  box.set_sweep({0, 2, 0});
  auto& capsule = s.add_line(s.root(), "Capsule", {}, false);
  capsule.set_points(
      std::vector<host::line_shape::point>{{{0, -1, 0}, {0.1f, -1, 0}, {0, -1.1f, 0}, {0, 0, 0.3f}, {awkward[4], 0, 0}},
                                           {{1, 0, 0}, {1, 0, 0}, {1, 0.5f, 0}, {1, 0, 0}, {1, 0, 0}}});
  capsule.set_revolution_axis({0, -1, 0}, {0, 1, awkward[0]});
  auto& sphere = s.add_sphere(world, "Sphere", {1, 2, 3}, {50, 60, 70});
  sphere.link_to(link_uuid, mesh);
  sphere.link_to(link_uuid, world);
  sphere.link_to(foreign_uuid, s.root());
  auto& disk = s.add_disk(world, "Cylinder", {0, -5, 0}, 25);
  disk.set_matrix(sxsdk::mat4(25, 0, 0, 0, 0, 0, 25, 0, 0, 1, 0, 0, 0, 0, 0, 1));
  disk.set_sweep({0, 0, awkward[3]});
  s.add_light(s.root(), "Lamp", {awkward[5], 1000, awkward[10]});
  s.root().rename("Scene root");
}

void build_state(host::scene& s) {
  auto& mesh = dynamic_cast<host::polygon_mesh_shape&>(*s.find("Scene root/World/Cloth"));
  s.set_current_shape(*s.find("Scene root/World"));
  s.set_active_shapes({s.find("Scene root/World/Sphere"), &mesh});
  s.begin_mesh_edit(mesh, sxsdk::selection_mode::vertices);
  s.scene_camera().eye = {awkward[0], 2, 3};
  s.scene_camera().focal_length = 24;
  s.select_camera(dynamic_cast<host::part_shape*>(s.find("Scene root/Camera")));
  s.animation() = {60, true, -5, 240};
  auto& world = dynamic_cast<host::part_shape&>(*s.find("Scene root/World"));
  s.keys().set_part_key(world, {0, {0, 0, 0}, {}, {1, 1, 1}});
  s.keys().set_part_key(world, {awkward[7], {1, awkward[0], 3}, {0.5f, 0.5f, 0.5f, 0.5f}, {2, 2, awkward[1]}});
  auto& ball = dynamic_cast<host::part_shape&>(*s.find("Scene root/World/Ball"));
  s.keys().set_joint_key(ball, {-2.5f, {0, 1, 0, 0}, {0, awkward[2], 0}, 0});
  auto& rotator = dynamic_cast<host::part_shape&>(*s.find("Scene root/World/Rotator"));
  s.keys().set_joint_key(rotator, {10, {}, {}, 90});
  s.keys().set_joint_key(rotator, {20, {}, {}, awkward[0]});
}

void expect_same_part(const host::part_shape& a, const host::part_shape& b) {
  EXPECT_EQ(a.get_part_type(), b.get_part_type());
  EXPECT_TRUE(same(a.own_transformation(), b.own_transformation()));
  EXPECT_TRUE(same(a.get_axis_matrix(), b.get_axis_matrix()));
  const host::joint_state &x = a.joint(), &y = b.joint();
  EXPECT_TRUE(same(x.position, y.position) && same(x.offset, y.offset) && same(x.rotation, y.rotation));
  EXPECT_TRUE(same(x.bone_matrix, y.bone_matrix) && same(x.limits, y.limits));
  EXPECT_EQ(x.limit_enabled, y.limit_enabled);
  EXPECT_TRUE(same(x.center, y.center) && same(x.axis, y.axis));
  EXPECT_TRUE(same(x.value, y.value) && same(x.min, y.min) && same(x.max, y.max));
  EXPECT_TRUE(same(a.camera()->eye, b.camera()->eye) && same(a.camera()->target, b.camera()->target));
  EXPECT_TRUE(same(a.camera()->focal_length, b.camera()->focal_length));
}

void expect_same_geometry(shape_node& a, shape_node& b) {
  if (auto* p = dynamic_cast<host::part_shape*>(&a)) return expect_same_part(*p, dynamic_cast<host::part_shape&>(b));
  if (auto* m = dynamic_cast<host::polygon_mesh_shape*>(&a)) {
    auto& n = dynamic_cast<host::polygon_mesh_shape&>(b);
    const auto va = m->vertex_positions(), vb = n.vertex_positions();
    EXPECT_TRUE(same_list(va, vb));
    EXPECT_EQ(m->face_indices(), n.face_indices());
    EXPECT_EQ(m->selected_vertices(), n.selected_vertices());
    EXPECT_EQ(m->selected_faces(), n.selected_faces());
    return;
  }
  if (auto* l = dynamic_cast<host::line_shape*>(&a)) {
    auto& k = dynamic_cast<host::line_shape&>(b);
    const auto pa = l->points(), pb = k.points();
    EXPECT_TRUE(same_list(pa, pb));
    EXPECT_EQ(l->is_closed(), k.is_closed());
    EXPECT_TRUE(same(l->get_sweep(), k.get_sweep()));
    vec3 a0, a1, b0, b1;
    EXPECT_EQ(l->get_revolution_axis(a0, a1), k.get_revolution_axis(b0, b1));
    EXPECT_TRUE(same(a0, b0) && same(a1, b1));
    return;
  }
  if (auto* s = dynamic_cast<host::sphere_shape*>(&a)) {
    auto& t = dynamic_cast<host::sphere_shape&>(b);
    EXPECT_TRUE(same(s->get_center(), t.get_center()) && same(s->get_radius_vector(), t.get_radius_vector()));
    return;
  }
  if (auto* d = dynamic_cast<host::disk_shape*>(&a)) {
    auto& e = dynamic_cast<host::disk_shape&>(b);
    EXPECT_TRUE(same(d->get_center(), e.get_center()) && same(d->get_radius(), e.get_radius()));
    EXPECT_TRUE(same(d->get_matrix(), e.get_matrix()) && same(d->get_sweep(), e.get_sweep()));
    return;
  }
  if (auto* l = dynamic_cast<host::light_shape*>(&a)) {
    EXPECT_TRUE(same(l->get_position(), dynamic_cast<host::light_shape&>(b).get_position()));
  }
}

void expect_same_node(shape_node& a, shape_node& b) {
  SCOPED_TRACE("shape " + a.path());
  ASSERT_EQ(a.type(), b.type());
  EXPECT_EQ(a.name(), b.name());
  EXPECT_EQ(a.dad() ? a.dad()->index() : -1, b.dad() ? b.dad()->index() : -1);
  EXPECT_EQ(a.visible, b.visible);
  EXPECT_EQ(a.render_flag, b.render_flag);
  EXPECT_EQ(a.selected, b.selected);
  ASSERT_EQ(a.streams().size(), b.streams().size());
  for (std::size_t i = 0; i < a.streams().size(); ++i) {
    EXPECT_EQ(a.streams()[i]->uuid, b.streams()[i]->uuid);
    EXPECT_EQ(a.streams()[i]->label, b.streams()[i]->label);
    EXPECT_EQ(a.streams()[i]->bytes, b.streams()[i]->bytes);
  }
  ASSERT_EQ(a.links().size(), b.links().size());
  for (std::size_t i = 0; i < a.links().size(); ++i) {
    EXPECT_EQ(a.links()[i].uuid, b.links()[i].uuid);
    EXPECT_EQ(a.links()[i].target->index(), b.links()[i].target->index());
  }
  expect_same_geometry(a, b);
}

std::vector<int> indices(const std::vector<shape_node*>& shapes) {
  std::vector<int> out;
  for (const shape_node* s : shapes) out.push_back(s->index());
  return out;
}

template <typename Key>
void expect_same_keys(const std::vector<Key>& a, const std::vector<Key>& b) {
  EXPECT_TRUE(same_list(a, b));
}

void expect_same_state(host::scene& a, host::scene& b) {
  EXPECT_EQ(a.current_shape().index(), b.current_shape().index());
  EXPECT_EQ(indices(a.active_shapes()), indices(b.active_shapes()));
  EXPECT_EQ(a.edited_mesh() ? a.edited_mesh()->index() : -1, b.edited_mesh() ? b.edited_mesh()->index() : -1);
  EXPECT_EQ(a.get_selection_mode(), b.get_selection_mode());
  EXPECT_TRUE(same(a.scene_camera().eye, b.scene_camera().eye) &&
              same(a.scene_camera().target, b.scene_camera().target));
  EXPECT_TRUE(same(a.scene_camera().focal_length, b.scene_camera().focal_length));
  EXPECT_EQ(a.get_camera_selection(), b.get_camera_selection());
  EXPECT_EQ(a.animation().frame_rate, b.animation().frame_rate);
  EXPECT_EQ(a.animation().playback_option, b.animation().playback_option);
  EXPECT_EQ(a.animation().start_frame, b.animation().start_frame);
  EXPECT_EQ(a.animation().end_frame, b.animation().end_frame);
  const auto ka = a.keys().keyed_parts(), kb = b.keys().keyed_parts();
  ASSERT_EQ(ka.size(), kb.size());
  for (std::size_t i = 0; i < ka.size(); ++i) {
    EXPECT_EQ(ka[i]->index(), kb[i]->index());
    expect_same_keys(a.keys().find(*ka[i])->part_keys, b.keys().find(*kb[i])->part_keys);
    expect_same_keys(a.keys().find(*ka[i])->joint_keys, b.keys().find(*kb[i])->joint_keys);
  }
}

}  // namespace

void build_rich_scene(host::scene& s) {
  build_parts(s);
  build_shapes(s);
  build_state(s);
}

void expect_same_scene(host::scene& a, host::scene& b) {
  const auto& sa = a.shapes_in_order();
  const auto& sb = b.shapes_in_order();
  ASSERT_EQ(sa.size(), sb.size());
  for (std::size_t i = 0; i < sa.size(); ++i) expect_same_node(*sa[i], *sb[i]);
  expect_same_state(a, b);
}

}  // namespace host_test
