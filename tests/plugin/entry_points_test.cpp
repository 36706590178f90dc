// The seven entry points of the loaded library, answered as the host asks them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/loaded_plugin.hpp"
#include "sdk/host_interface.hpp"

namespace {

using plugin_test::loaded_plugin;

const loaded_plugin& lib() { return loaded_plugin::shared(); }

constexpr sxsdk::IID unknown_iid = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};

/// A host application object that answers every text with a marker, to see the lookup happen.
class marking_host : public sxsdk::host_interface {
 public:
  std::string get_text(const char* id) override { return std::string("<") + id + ">"; }
  bool query_flag(int) override { return false; }
};

TEST(entry_points, has_interface_counts_components_per_kind) {
  EXPECT_EQ(lib().has_interface(sxsdk::creator_iid, nullptr), 2);
  EXPECT_EQ(lib().has_interface(sxsdk::attribute_iid, nullptr), 1);
  EXPECT_EQ(lib().has_interface(sxsdk::browser_iid, nullptr), 1);
  EXPECT_EQ(lib().has_interface(sxsdk::figure_iid, nullptr), 1);
  EXPECT_EQ(lib().has_interface(unknown_iid, nullptr), 0);
}

TEST(entry_points, creator_index_1_is_the_rigid_creator_0_the_world_creator_2_nothing) {
  auto world = lib().create<sxsdk::creator_interface>(sxsdk::creator_iid, 0);
  auto rigid = lib().create<sxsdk::creator_interface>(sxsdk::creator_iid, 1);
  ASSERT_TRUE(world);
  ASSERT_TRUE(rigid);
  // Both creators report the world UUID from their own get_uuid; the entry point tells them apart.
  EXPECT_EQ(world->get_uuid().to_string(), "AFC29716-3C03-418A-9C7F-7541631DB70C");
  EXPECT_EQ(rigid->get_uuid().to_string(), "AFC29716-3C03-418A-9C7F-7541631DB70C");

  void* out = reinterpret_cast<void*>(0x1);
  EXPECT_NE(lib().create_interface(sxsdk::creator_iid, 2, &out, nullptr, nullptr), 0);
  EXPECT_EQ(out, nullptr);
  out = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(lib().create_interface(unknown_iid, 0, &out, nullptr, nullptr), 0);
  EXPECT_EQ(out, nullptr);
}

TEST(entry_points, create_interface_hands_out_one_reference) {
  void* out = nullptr;
  ASSERT_EQ(lib().create_interface(sxsdk::attribute_iid, 0, &out, nullptr, nullptr), 1);
  auto* component = static_cast<sxsdk::attribute_interface*>(out);
  EXPECT_EQ(component->AddRef(), 2u);
  EXPECT_EQ(component->Release(), 1u);
  EXPECT_EQ(component->Release(), 0u);  // deleted here; ASan reports a second delete
}

struct uuid_case {
  sxsdk::IID kind;
  int index;
  const char* text;
};

TEST(entry_points, get_uuid_names_every_component_and_zero_for_the_rest) {
  const uuid_case cases[] = {
      {sxsdk::creator_iid, 0, "AFC29716-3C03-418A-9C7F-7541631DB70C"},
      {sxsdk::creator_iid, 1, "042BC3E0-CEB3-4DD4-90EB-83E782D795E0"},
      {sxsdk::attribute_iid, 0, "10A768C2-6DBB-43DE-9E3C-E17217E3CA47"},
      {sxsdk::browser_iid, 0, "DB12F8B8-0146-40C1-9F9A-F2D32EE224FE"},
      {sxsdk::figure_iid, 0, "7A9CA1E2-5604-42CB-B656-B810B8A3E65E"},
      {sxsdk::creator_iid, 2, "00000000-0000-0000-0000-000000000000"},
      {sxsdk::attribute_iid, 1, "00000000-0000-0000-0000-000000000000"},
      {unknown_iid, 0, "00000000-0000-0000-0000-000000000000"},
  };
  for (const uuid_case& c : cases) {
    sx::uuid_class uuid(1, 2, 3, 4);
    lib().get_uuid(c.kind, c.index, &uuid);
    EXPECT_EQ(uuid.to_string(), c.text) << "index " << c.index;
  }
}

TEST(entry_points, components_report_their_own_uuid) {
  auto modify = lib().create<sxsdk::attribute_interface>(sxsdk::attribute_iid, 0);
  auto browser = lib().create<sxsdk::browser_interface>(sxsdk::browser_iid, 0);
  auto figure = lib().create<sxsdk::figure_interface>(sxsdk::figure_iid, 0);
  EXPECT_EQ(modify->get_uuid().to_string(), "10A768C2-6DBB-43DE-9E3C-E17217E3CA47");
  EXPECT_EQ(browser->get_uuid().to_string(), "DB12F8B8-0146-40C1-9F9A-F2D32EE224FE");
  EXPECT_EQ(figure->get_uuid().to_string(), "7A9CA1E2-5604-42CB-B656-B810B8A3E65E");
  for (sxsdk::plugin_interface* c :
       {static_cast<sxsdk::plugin_interface*>(modify.get()), static_cast<sxsdk::plugin_interface*>(browser.get()),
        static_cast<sxsdk::plugin_interface*>(figure.get())})
    EXPECT_EQ(c->get_sorvel_version(), 463042);
}

TEST(entry_points, names_go_through_the_host_text_lookup) {
  marking_host host;
  EXPECT_STREQ(lib().get_name(sxsdk::creator_iid, 0, &host), "<World>");
  EXPECT_STREQ(lib().get_name(sxsdk::creator_iid, 1, &host), "<Primitive/Rigid>");
  EXPECT_STREQ(lib().get_name(sxsdk::attribute_iid, 0, &host), "<Bullet Modify>");
  EXPECT_STREQ(lib().get_name(sxsdk::browser_iid, 0, &host), "<Bullet Modify>");
  EXPECT_STREQ(lib().get_name(sxsdk::figure_iid, 0, &host), "<Bullet Modify>");
  EXPECT_EQ(lib().get_name(sxsdk::creator_iid, 2, &host), nullptr);
  EXPECT_EQ(lib().get_name(unknown_iid, 0, &host), nullptr);
  EXPECT_STREQ(lib().get_name(sxsdk::creator_iid, 0, nullptr), "World");
}

TEST(entry_points, group_residency_and_info) {
  EXPECT_STREQ(lib().get_group_name(nullptr), "Bullet");
  EXPECT_TRUE(lib().is_resident(nullptr));

  // Build the record by bytes: an 8-byte field the host owns, then four 32-bit integers.
  unsigned char record[8 + 4 * 4];
  std::memset(record, 0xAB, sizeof record);
  lib().get_info(reinterpret_cast<sxsdk::plugin_info_record*>(record), nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(record[i], 0xAB) << "host byte " << i;
  std::int32_t numbers[4];
  std::memcpy(numbers, record + 8, sizeof numbers);
  EXPECT_EQ(numbers[0], 1);
  EXPECT_EQ(numbers[1], 1);
  EXPECT_EQ(numbers[2], 0);
  EXPECT_EQ(numbers[3], 5);
}

TEST(entry_points, attribute_accepts_every_shape_and_components_are_undoable) {
  auto modify = lib().create<sxsdk::attribute_interface>(sxsdk::attribute_iid, 0);
  auto world = lib().create<sxsdk::creator_interface>(sxsdk::creator_iid, 0);
  auto rigid = lib().create<sxsdk::creator_interface>(sxsdk::creator_iid, 1);
  bool accept = false;
  modify->accepts_shape(accept);
  EXPECT_TRUE(accept);
  EXPECT_TRUE(modify->undoable());
  EXPECT_TRUE(world->undoable());
  EXPECT_TRUE(rigid->undoable());
}

}  // namespace
