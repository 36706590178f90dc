// Text from files printed on a terminal line: every control character written out, all other
// text (UTF-8 included) as it is.
#include <gtest/gtest.h>

#include "host/cli/printable.hpp"

namespace {

TEST(printable, control_characters_are_written_out_and_everything_else_kept) {
  const std::pair<std::string, std::string> cases[] = {
      {"root/Bullet World/Ball", "root/Bullet World/Ball"},
      {"a\nb\rc\td", "a\\nb\\rc\\td"},
      {"\x1b[31mred\x1b[0m", "\\x1B[31mred\\x1B[0m"},
      {std::string("nul\0end", 7), "nul\\x00end"},
      {"del\x7f", "del\\x7F"},
      {"csi\xc2\x9b"
       "2J",
       "csi\\u009B2J"},                                    // C1 control in UTF-8
      {"\xc2\xa0nbsp \xc3\xa9", "\xc2\xa0nbsp \xc3\xa9"},  // printable UTF-8 kept
      {"\xe5\xa0\xb4\xe9\x9d\xa2", "\xe5\xa0\xb4\xe9\x9d\xa2"},
      {"cut \xc2", "cut \xc2"},  // a lone lead byte at the end is left alone
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(host::printable(text), shown) << shown;
}

}  // namespace
