// base64: the test vectors of RFC 4648 both ways, and the texts strict decoding refuses.
#include <gtest/gtest.h>

#include "host/io/base64.hpp"

namespace {

using host::base64;

std::vector<std::uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(base64, the_rfc_4648_vectors_encode_and_decode) {
  const std::pair<const char*, const char*> vectors[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"foob", "Zm9vYg=="},
                                                         {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
  for (const auto& [plain, text] : vectors) {
    EXPECT_EQ(base64::encode(bytes(plain)), text);
    std::vector<std::uint8_t> out;
    base64::error failure;
    ASSERT_TRUE(base64::decode(text, out, failure)) << text << ": " << failure.problem;
    EXPECT_EQ(out, bytes(plain));
  }
}

TEST(base64, every_byte_value_survives) {
  std::vector<std::uint8_t> all;
  for (int i = 0; i < 256; ++i) all.push_back(std::uint8_t(i * 7 + 3));
  for (std::size_t n = 0; n <= 5; ++n) {
    const std::vector<std::uint8_t> part(all.begin() + n, all.end());
    std::vector<std::uint8_t> out;
    base64::error failure;
    ASSERT_TRUE(base64::decode(base64::encode(part), out, failure));
    EXPECT_EQ(out, part);
  }
}

TEST(base64, texts_that_are_not_strict_base64_are_refused_with_their_position) {
  const struct {
    const char* text;
    std::size_t position;
    const char* problem;
  } cases[] = {
      {"Zg=", 3, "not a multiple of 4"},      {"Zm9v\n", 5, "not a multiple of 4"},
      {"Zm*v", 2, "'*' is not a base64"},     {"Zm9v Zg=", 4, "' ' is not a base64"},
      {"=Zg=", 0, "'=' is not a base64"},     {"Z===", 1, "'=' is not a base64"},
      {"Zh==", 1, "bits set after its last"}, {"Zm9=", 2, "bits set after its last"},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> out;
    base64::error failure;
    EXPECT_FALSE(base64::decode(c.text, out, failure)) << c.text;
    EXPECT_EQ(failure.position, c.position) << c.text;
    EXPECT_NE(failure.problem.find(c.problem), std::string::npos) << c.text << ": " << failure.problem;
  }
}

}  // namespace
