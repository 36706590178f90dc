// The UUID table: the words each identifier is parsed into, and the plain-stream identifier's
// bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "base/uuid_table.hpp"

namespace {

struct uuid_case {
  const char* name;
  const sx::uuid_class& uuid;
  std::uint32_t w0, w1, w2, w3;
};

}  // namespace

TEST(uuid_table, every_identifier_holds_the_words_of_its_text) {
  const uuid_case cases[] = {
      {"physplug_uuid", physplug_uuid, 0xAFC29716, 0x3C03418A, 0x9C7F7541, 0x631DB70C},
      {"physplug_rigid_uuid", physplug_rigid_uuid, 0x042BC3E0, 0xCEB34DD4, 0x90EB83E7, 0x82D795E0},
      {"physplug_modify_uuid", physplug_modify_uuid, 0x10A768C2, 0x6DBB43DE, 0x9E3CE172, 0x17E3CA47},
      {"physplug_browser_uuid", physplug_browser_uuid, 0xDB12F8B8, 0x014640C1, 0x9F9AF2D3, 0x2EE224FE},
      {"physplug_figure_uuid", physplug_figure_uuid, 0x7A9CA1E2, 0x560442CB, 0xB656B810, 0xB8A3E65E},
      {"alternative_bone_joint_uuid", alternative_bone_joint_uuid, 0xD1B5FB93, 0xF8074FE8, 0xA1EC3421, 0xADB6684C},
      {"alternative_bone_mode_window_uuid", alternative_bone_mode_window_uuid, 0xB0D14FCF, 0x73D24522, 0x8DCA3A00,
       0xFE8F84FB},
      // A lower-case digit counts as its upper-case twin.
      {"follow_joint_uuid", follow_joint_uuid, 0x99754D12, 0x67C2425A, 0x85008758, 0x36A2462D},
      {"ik_uuid", ik_uuid, 0xDE9BEF50, 0x7E5A4B60, 0x954D6244, 0x15F8E6C5},
      // Three digits in the fourth group: read by fixed positions, the hyphen counts as 0.
      {"ik_root_uuid", ik_root_uuid, 0x08863152, 0x04064FA8, 0x5B309AAD, 0xEBECD670},
      {"multilead_joint_uuid", multilead_joint_uuid, 0x5B8BD312, 0x7B1441E7, 0xB9EAF161, 0xAFD7EEB3},
      {"multilead_joint_creator_uuid", multilead_joint_creator_uuid, 0x28EED691, 0x67D24EEF, 0x8C76A5BC, 0x61C912F5},
      {"surrogate_dad_joint_uuid", surrogate_dad_joint_uuid, 0xB314670E, 0x79A34B03, 0x8D4FE6F0, 0xE8ED6E76},
      {"surrogate_son_joint_uuid", surrogate_son_joint_uuid, 0xF1F8DBF4, 0xCF2E4337, 0x82D4DC09, 0xDA31E5D7},
      {"aimconstraints_uuid", aimconstraints_uuid, 0x50030030, 0x53B811D9, 0xBCFF000A, 0x95BACEB2},
      {"elements_preference_uuid", elements_preference_uuid, 0x50030010, 0x53B811D9, 0xBCFF000A, 0x95BACEB2},
  };
  for (const uuid_case& c : cases) {
    EXPECT_EQ(c.uuid.word[0], c.w0) << c.name;
    EXPECT_EQ(c.uuid.word[1], c.w1) << c.name;
    EXPECT_EQ(c.uuid.word[2], c.w2) << c.name;
    EXPECT_EQ(c.uuid.word[3], c.w3) << c.name;
  }
}

TEST(uuid_table, the_plain_stream_identifier_has_its_sixteen_bytes_in_order) {
  const unsigned char expected[16] = {0x00, 0x00, 0x00, 0x00, 0xd9, 0x11, 0xb8, 0x53,
                                      0x0a, 0x00, 0xff, 0xbc, 0xb2, 0xce, 0xba, 0x95};
  unsigned char got[16];
  for (int w = 0; w < 4; ++w)
    for (int b = 0; b < 4; ++b) got[4 * w + b] = static_cast<unsigned char>(property_stream_id.word[w] >> (8 * b));
  EXPECT_EQ(std::memcmp(got, expected, 16), 0);
}
