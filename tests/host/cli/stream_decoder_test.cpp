// stream_decoder: bytes laid out here from the stream format tables (little-endian int32 and
// float32, one byte for the group index), decoded back; every truncation is refused.
#include "host/cli/stream_decoder.hpp"

#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

namespace {

struct writer {
  std::vector<std::uint8_t> b;
  writer& i32(std::int32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(std::uint8_t(std::uint32_t(v) >> (8 * k)));
    return *this;
  }
  writer& f32(float f) {
    std::int32_t v;
    std::memcpy(&v, &f, 4);
    return i32(v);
  }
  writer& byte(std::uint8_t v) {
    b.push_back(v);
    return *this;
  }
};

std::vector<std::uint8_t> world_bytes() {
  writer w;
  w.i32(0).i32(2).f32(3.5f).f32(-0.25f).f32(1.5f).f32(120);
  w.f32(-1).f32(-2).f32(-3).f32(4).f32(5).f32(6).i32(7).f32(0.5f);
  return w.b;
}

std::vector<std::uint8_t> rigid_v1_bytes() {
  writer w;
  w.i32(1).i32(1).byte(15).i32(0x8001).f32(2).f32(0.25f).f32(0.75f).f32(0.125f).f32(0.0625f);
  w.f32(1).f32(2).f32(3);                                             // velocity
  w.f32(0).f32(1).f32(0).f32(-1).f32(0).f32(0).f32(0).f32(0).f32(1);  // basis rows
  w.f32(0.5f).f32(1.5f).f32(-2);                                      // origin
  return w.b;
}

TEST(stream_decoder, world_fields_in_table_order) {
  const auto bytes = world_bytes();
  ASSERT_EQ(bytes.size(), 56u);
  const host::world_settings w = host::stream_decoder::world(bytes);
  EXPECT_TRUE(w.valid);
  EXPECT_FALSE(w.active);  // flags 2: only the debug view bit
  EXPECT_TRUE(w.view_debug);
  EXPECT_EQ(w.gravity, 3.5f);
  EXPECT_EQ(w.height, -0.25f);
  EXPECT_EQ(w.air_density, 1.5f);
  EXPECT_EQ(w.simulation_cycle, 120.0f);
  EXPECT_EQ(w.boundary_min, (std::array<float, 3>{-1, -2, -3}));
  EXPECT_EQ(w.boundary_max, (std::array<float, 3>{4, 5, 6}));
  EXPECT_EQ(w.reserved, 7);
  EXPECT_EQ(w.scale_factor, 0.5f);
}

TEST(stream_decoder, rigid_version_1_fields_in_table_order) {
  const auto bytes = rigid_v1_bytes();
  ASSERT_EQ(bytes.size(), 93u);
  const host::rigid_settings r = host::stream_decoder::rigid(bytes);
  EXPECT_TRUE(r.valid);
  EXPECT_EQ(r.type, 1);
  EXPECT_EQ(r.group_index, 15);
  EXPECT_EQ(r.mask, 0x8001u);
  EXPECT_EQ(r.mass, 2.0f);
  EXPECT_EQ(r.friction, 0.25f);
  EXPECT_EQ(r.restitution, 0.75f);
  EXPECT_EQ(r.linear_damping, 0.125f);
  EXPECT_EQ(r.angular_damping, 0.0625f);
  EXPECT_EQ(r.velocity, (std::array<float, 3>{1, 2, 3}));
  EXPECT_EQ(r.basis[0], (std::array<float, 3>{0, 1, 0}));
  EXPECT_EQ(r.basis[1], (std::array<float, 3>{-1, 0, 0}));
  EXPECT_EQ(r.origin, (std::array<float, 3>{0.5f, 1.5f, -2}));
}

TEST(stream_decoder, rigid_version_0_turns_its_quaternion_into_the_basis) {
  // A quarter turn about +Z (w, x, y, z) = (cos 45, 0, 0, sin 45): the basis (column vectors)
  // takes +X to +Y, so row 0 is (0, -1, 0) and row 1 is (1, 0, 0).
  const float h = std::sqrt(0.5f);
  writer w;
  w.i32(0).i32(0).byte(1).i32(0).f32(1).f32(0.5f).f32(0).f32(0).f32(0).f32(0).f32(0).f32(0);
  w.f32(h).f32(0).f32(0).f32(h).f32(1).f32(2).f32(3);
  ASSERT_EQ(w.b.size(), 73u);
  const host::rigid_settings r = host::stream_decoder::rigid(w.b);
  EXPECT_TRUE(r.valid);
  const float expected[3][3] = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(r.basis[i][j], expected[i][j], 1e-6) << i << "," << j;
  EXPECT_EQ(r.origin, (std::array<float, 3>{1, 2, 3}));
}

TEST(stream_decoder, primitive_keeps_the_low_two_bits_of_its_flags_as_direction) {
  writer w;
  w.i32(0).f32(0.02f).i32(6);
  const host::primitive_settings p = host::stream_decoder::primitive(w.b);
  EXPECT_TRUE(p.valid);
  EXPECT_EQ(p.margin, 0.02f);
  EXPECT_EQ(p.direction, 2);
}

// A world stream cut short: the fields it does not reach keep their defaults, as the plug-in
// keeps them; a world cut before its flags is still active (it is simulated).
TEST(stream_decoder, a_cut_world_keeps_the_defaults_past_its_end) {
  struct row {
    std::size_t size;
    bool active;
    float gravity, height;
  };
  const host::world_settings defaults;
  for (const row r : {row{0, true, defaults.gravity, defaults.height}, row{4, true, defaults.gravity, defaults.height},
                      row{7, true, defaults.gravity, defaults.height}, row{8, false, defaults.gravity, defaults.height},
                      row{12, false, 3.5f, defaults.height}, row{16, false, 3.5f, -0.25f}}) {
    auto bytes = world_bytes();
    bytes.resize(r.size);
    const host::world_settings w = host::stream_decoder::world(bytes);
    EXPECT_FALSE(w.valid) << r.size;
    EXPECT_EQ(w.active, r.active) << r.size;
    EXPECT_EQ(w.gravity, r.gravity) << r.size;
    EXPECT_EQ(w.height, r.height) << r.size;
    EXPECT_EQ(w.scale_factor, defaults.scale_factor) << r.size;
  }
}

TEST(stream_decoder, every_truncation_is_refused) {
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    bool (*valid)(const std::vector<std::uint8_t>&);
  } cases[] = {
      {"world", world_bytes(), [](const std::vector<std::uint8_t>& b) { return host::stream_decoder::world(b).valid; }},
      {"rigid", rigid_v1_bytes(),
       [](const std::vector<std::uint8_t>& b) { return host::stream_decoder::rigid(b).valid; }},
      {"primitive",
       {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0},
       [](const std::vector<std::uint8_t>& b) { return host::stream_decoder::primitive(b).valid; }},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.valid(c.bytes)) << c.name;
    for (std::size_t n = 0; n < c.bytes.size(); ++n)
      EXPECT_FALSE(c.valid(std::vector<std::uint8_t>(c.bytes.begin(), c.bytes.begin() + long(n))))
          << c.name << " cut to " << n;
  }
}

}  // namespace

// A joint stream: version 2, flags with the type in bits 2-3, then 96 bytes of eight vectors.
TEST(stream_decoder, joint_type_from_the_flags_and_whole_only_at_104_bytes) {
  struct row {
    std::size_t size;
    bool header, valid;
  };
  for (const row r : {row{104, true, true}, row{103, true, false}, row{105, true, false}, row{8, true, false},
                      row{7, false, false}}) {
    writer w;
    w.i32(2).i32(2 << 2 | 1);
    w.b.resize(r.size < 8 ? r.size : 8);
    w.b.resize(r.size, 0);
    const host::joint_settings j = host::stream_decoder::joint(w.b);
    EXPECT_EQ(j.header, r.header) << r.size;
    EXPECT_EQ(j.valid, r.valid) << r.size;
    if (r.header) {
      EXPECT_EQ(j.type, 2) << r.size;
    }
  }
}

// Versions 0 and 1 of a joint stream: the vectors (six in version 0, eight in 1), then as many
// body index numbers as the flags' low bits say (0 none, 1 Rigid1, 2 or 3 Rigid1 then Rigid0).
TEST(stream_decoder, old_joint_streams_end_with_their_bodies_index_numbers) {
  struct row {
    int version, count;     // the flags' low bits
    std::vector<int> refs;  // written after the vectors
    std::size_t extra;      // bytes left off or added at the end
    bool cut;               // true: left off
    bool valid;
    int rigid0, rigid1;
  };
  const row rows[] = {
      {1, 0, {}, 0, false, true, -1, -1},   {1, 1, {7}, 0, false, true, -1, 7},   {1, 2, {7, 3}, 0, false, true, 3, 7},
      {1, 3, {7, 3}, 0, false, true, 3, 7}, {0, 2, {5, 2}, 0, false, true, 2, 5}, {1, 2, {7, 3}, 1, true, false, -1, 7},
      {1, 1, {7}, 4, false, false, -1, 7},  {0, 1, {4}, 4, true, false, -1, -1},
  };
  for (const row& r : rows) {
    writer w;
    w.i32(r.version).i32(r.count | (1 << 2));
    for (int k = 0; k < (r.version == 0 ? 18 : 24); ++k) w.f32(0);
    for (int ref : r.refs) w.i32(ref);
    w.b.resize(r.cut ? w.b.size() - r.extra : w.b.size() + r.extra, 0);
    const host::joint_settings j = host::stream_decoder::joint(w.b);
    const std::string what = "version " + std::to_string(r.version) + ", count " + std::to_string(r.count) + ", size " +
                             std::to_string(w.b.size());
    EXPECT_TRUE(j.header) << what;
    EXPECT_EQ(j.type, 1) << what;
    EXPECT_EQ(j.valid, r.valid) << what;
    EXPECT_EQ(j.rigid0, r.rigid0) << what;
    EXPECT_EQ(j.rigid1, r.rigid1) << what;
  }
}
