#include <gtest/gtest.h>

#include <vector>

#include "host/scene/scene_fixture.hpp"

namespace {

using host_test::scene_fixture;

const sx::uuid_class figure_uuid("7A9CA1E2-5604-42CB-B656-B810B8A3E65E");
const sx::uuid_class modify_uuid("10A768C2-6DBB-43DE-9E3C-E17217E3CA47");

// The plug-in's way of reading links: count first, then an array of that size.
std::vector<sxsdk::shape_class*> linked(host::shape_node& s, const sx::uuid_class& uuid) {
  std::vector<sxsdk::shape_class*> out(static_cast<std::size_t>(s.sdk().get_links(uuid)));
  if (!out.empty()) s.sdk().get_links(uuid, out.data());
  return out;
}

struct shape_links : ::testing::Test, scene_fixture {};

TEST_F(shape_links, links_come_back_in_the_order_added_per_uuid) {
  auto& joint = part("root/J", sxsdk::part_type::ball_joint);
  auto& b = part("root/B");
  auto& a = part("root/A");
  joint.add_link(modify_uuid, b.sdk());
  joint.add_link(figure_uuid, a.sdk());
  joint.add_link(modify_uuid, a.sdk());
  joint.add_link(modify_uuid, b.sdk());  // the same target twice is two links
  EXPECT_EQ(linked(joint, modify_uuid), (std::vector<sxsdk::shape_class*>{&b.sdk(), &a.sdk(), &b.sdk()}));
  EXPECT_EQ(linked(joint, figure_uuid), (std::vector<sxsdk::shape_class*>{&a.sdk()}));
  EXPECT_EQ(joint.get_links(sx::uuid_class()), 0);
}

TEST_F(shape_links, remove_link_takes_the_first_match_only) {
  auto& s = mesh("root/S");
  auto& p = mesh("root/P");
  auto& q = mesh("root/Q");
  s.add_link(figure_uuid, p.sdk());
  s.add_link(figure_uuid, q.sdk());
  s.add_link(figure_uuid, p.sdk());
  EXPECT_TRUE(s.remove_link(figure_uuid, p.sdk()));
  EXPECT_EQ(linked(s, figure_uuid), (std::vector<sxsdk::shape_class*>{&q.sdk(), &p.sdk()}));
  EXPECT_FALSE(s.remove_link(modify_uuid, q.sdk()));
  // Clearing the way the plug-in does: take them all, remove each.
  for (sxsdk::shape_class* t : linked(s, figure_uuid)) EXPECT_TRUE(s.remove_link(figure_uuid, *t));
  EXPECT_EQ(s.get_links(figure_uuid), 0);
}

TEST_F(shape_links, removing_a_shape_drops_every_link_into_its_subtree) {
  auto& keeper = mesh("root/Keeper");
  auto& group = part("root/Group");
  auto& inside = mesh("root/Group/Inside");
  auto& other = mesh("root/Other");
  keeper.add_link(figure_uuid, inside.sdk());
  keeper.add_link(figure_uuid, other.sdk());
  keeper.add_link(modify_uuid, group.sdk());
  other.add_link(modify_uuid, inside.sdk());
  group.remove();
  EXPECT_EQ(linked(keeper, figure_uuid), (std::vector<sxsdk::shape_class*>{&other.sdk()}));
  EXPECT_EQ(keeper.get_links(modify_uuid), 0);
  EXPECT_EQ(other.get_links(modify_uuid), 0);
  EXPECT_EQ(keeper.links().size(), 1u);
}

TEST_F(shape_links, a_sentinel_or_a_removed_shape_cannot_be_linked) {
  auto& s = mesh("root/S");
  auto& gone = mesh("root/Gone");
  gone.remove();
  EXPECT_THROW(s.add_link(figure_uuid, gone.sdk()), std::logic_error);
  EXPECT_THROW(s.add_link(figure_uuid, s.get_sentinel()), std::logic_error);
  EXPECT_EQ(s.get_links(figure_uuid), 0);
}

}  // namespace
