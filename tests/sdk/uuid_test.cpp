#include "sx/core/uuid.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>

namespace {

struct parse_case {
  const char* text;
  uint32_t words[4];
};

// Words worked out by hand from the text: AAAAAAAA-BBBB-CCCC-DDDD-EEEEFFFFFFFF gives
// AAAAAAAA, BBBBCCCC, DDDDEEEE, FFFFFFFF.
const parse_case parse_cases[] = {
    {"AFC29716-3C03-418A-9C7F-7541631DB70C", {0xAFC29716, 0x3C03418A, 0x9C7F7541, 0x631DB70C}},
    {"afc29716-3c03-418a-9c7f-7541631db70c", {0xAFC29716, 0x3C03418A, 0x9C7F7541, 0x631DB70C}},
    {"50030030-53B8-11D9-BCFF-000A95BACEB2", {0x50030030, 0x53B811D9, 0xBCFF000A, 0x95BACEB2}},
    {"99754D12-67C2-425a-8500-875836A2462D", {0x99754D12, 0x67C2425A, 0x85008758, 0x36A2462D}},
    // Three digits in the fourth group: positions stay fixed, so the hyphen lands in word 2 as a
    // 0 digit, the next character is skipped and the terminating zero ends word 3.
    {"08863152-0406-4FA8-5B3-B9AADEBECD67", {0x08863152, 0x04064FA8, 0x5B309AAD, 0xEBECD670}},
    // Non-digits never fail, they count as 0.
    {"GHIJKLMN-xyz!-4FA8-5B3g-B9AADEBECD67", {0, 0x00004FA8, 0x5B30B9AA, 0xDEBECD67}},
    {"", {0, 0, 0, 0}},
};

TEST(uuid_class, set_reads_fixed_positions) {
  for (const parse_case& c : parse_cases) {
    const sx::uuid_class u(c.text);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(u.word[i], c.words[i]) << c.text << " word " << i;
  }
}

TEST(uuid_class, short_text_reads_nothing_past_its_end) {
  const parse_case cases[] = {
      {"AFC2", {0xAFC20000, 0, 0, 0}},
      {"AFC29716-3C", {0xAFC29716, 0x3C000000, 0, 0}},
      {"08863152-0406-4FA8-5B3-B9AADEBECD6", {0x08863152, 0x04064FA8, 0x5B309AAD, 0xEBECD600}},
  };
  for (const parse_case& c : cases) {
    // Exactly sized heap copy, so that the address sanitizer sees any read past the zero.
    const std::size_t n = std::strlen(c.text) + 1;
    std::unique_ptr<char[]> copy(new char[n]);
    std::memcpy(copy.get(), c.text, n);
    sx::uuid_class u;
    u.set(copy.get());
    EXPECT_EQ(u, sx::uuid_class(c.words[0], c.words[1], c.words[2], c.words[3])) << c.text;
  }
}

TEST(uuid_class, null_text_gives_zero) {
  sx::uuid_class u(1, 2, 3, 4);
  u.set(nullptr);
  EXPECT_TRUE(u.is_null());
  EXPECT_EQ(u, sx::uuid_class());
}

TEST(uuid_class, to_string_is_upper_case_and_round_trips) {
  for (const parse_case& c : parse_cases) {
    if (std::strlen(c.text) != 36 || c.words[0] == 0) continue;
    std::string upper = c.text;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const sx::uuid_class u(c.text);
    EXPECT_EQ(u.to_string(), upper);
    EXPECT_EQ(sx::uuid_class(u.to_string().c_str()), u);
  }
  EXPECT_EQ(sx::uuid_class("08863152-0406-4FA8-5B3-B9AADEBECD67").to_string(), "08863152-0406-4FA8-5B30-9AADEBECD670");
  EXPECT_EQ(sx::uuid_class().to_string(), "00000000-0000-0000-0000-000000000000");
}

TEST(uuid_class, equality_order_and_hash_see_every_word) {
  const sx::uuid_class base(0x50030030, 0x53B811D9, 0xBCFF000A, 0x95BACEB2);
  std::set<sx::uuid_class> ordered{base};
  std::unordered_set<sx::uuid_class> hashed{base};
  for (int i = 0; i < 4; ++i) {
    sx::uuid_class other = base;
    other.word[i] ^= 0x10u;
    EXPECT_NE(other, base) << i;
    EXPECT_FALSE(other == base) << i;
    EXPECT_NE(other < base, base < other) << i;
    ordered.insert(other);
    hashed.insert(other);
  }
  EXPECT_EQ(ordered.size(), 5u);
  EXPECT_EQ(hashed.size(), 5u);
  EXPECT_TRUE(sx::uuid_class(0, 0, 0, 1) < sx::uuid_class(0, 0, 1, 0));
  EXPECT_TRUE(sx::uuid_class(0, 9, 9, 9) < sx::uuid_class(1, 0, 0, 0));
  EXPECT_EQ(std::hash<sx::uuid_class>{}(base), std::hash<sx::uuid_class>{}(sx::uuid_class(base)));
}

}  // namespace
