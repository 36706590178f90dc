// glb_buffer: triangle indices take unsigned shorts only while every vertex number stays below
// 65535 (the primitive restart value), accessors of zeros take no bytes, and a sparse accessor
// stores only its entries; every view stays aligned to 4 bytes.
#include "host/cli/glb_buffer.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(glb_buffer, index_width_follows_the_vertex_count) {
  struct index_case {
    std::size_t vertices;
    int component_type;
    std::size_t bytes;  // three indices, padded to 4
  };
  const index_case cases[] = {{3, 5123, 8}, {65535, 5123, 8}, {65536, 5125, 12}, {200000, 5125, 12}};
  for (const index_case& c : cases) {
    host::glb_buffer b;
    const std::uint32_t last = static_cast<std::uint32_t>(c.vertices - 1);
    const int a = b.add_indices(std::vector<std::uint32_t>{0, 1, last}, c.vertices);
    EXPECT_EQ(b.accessors()[a]["componentType"], c.component_type) << c.vertices;
    EXPECT_EQ(b.accessors()[a]["count"], 3) << c.vertices;
    ASSERT_EQ(b.bytes().size(), c.bytes) << c.vertices;
    if (c.component_type == 5125) {
      std::uint32_t stored = 0;
      std::memcpy(&stored, b.bytes().data() + 8, 4);
      EXPECT_EQ(stored, last);
    } else {
      EXPECT_EQ(b.bytes()[4] | b.bytes()[5] << 8, int(last));
    }
  }
}

TEST(glb_buffer, zeros_take_no_bytes_and_sparse_stores_only_its_entries) {
  host::glb_buffer b;
  const int zeros = b.add_zeros(4096, 3, true);
  EXPECT_TRUE(b.bytes().empty());
  EXPECT_FALSE(b.accessors()[zeros].contains("bufferView"));
  EXPECT_EQ(b.accessors()[zeros]["min"], (std::vector<double>{0, 0, 0}));
  const int sparse = b.add_sparse(9, {0, 4, 8}, {1.0f, 1.0f, 1.0f});
  const auto& s = b.accessors()[sparse];
  EXPECT_FALSE(s.contains("bufferView"));
  EXPECT_EQ(s["count"], 9);
  EXPECT_EQ(s["sparse"]["count"], 3);
  EXPECT_EQ(s["sparse"]["indices"]["componentType"], 5125);
  ASSERT_EQ(b.bytes().size(), 24u);  // three indices, three floats
  const std::uint8_t expected[] = {0, 0, 0,    0,    4, 0, 0,    0,    8, 0, 0,    0,
                                   0, 0, 0x80, 0x3f, 0, 0, 0x80, 0x3f, 0, 0, 0x80, 0x3f};
  EXPECT_EQ(std::memcmp(b.bytes().data(), expected, sizeof expected), 0);
  EXPECT_THROW(b.add_sparse(9, {}, {}), std::logic_error);
}

TEST(glb_buffer, the_file_written_in_pieces_is_the_file) {
  host::glb_buffer b;
  b.add_floats({1, 2, 3}, 3, true);
  const nlohmann::json doc = {{"asset", {{"version", "2.0"}}}};
  std::vector<std::uint8_t> pieces;
  b.write(doc, [&](const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    pieces.insert(pieces.end(), p, p + size);
  });
  const std::vector<std::uint8_t> whole = b.file(doc);
  EXPECT_EQ(pieces, whole);
  std::uint32_t length = 0;
  std::memcpy(&length, whole.data() + 8, 4);
  EXPECT_EQ(length, whole.size());
}

}  // namespace
