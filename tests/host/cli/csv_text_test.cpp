// The pieces of the CSV traces: fields quoted only where a comma, quote or line break would
// break the row, numbers that read back as the same float.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/cli/csv_text.hpp"

namespace {

TEST(csv_text, a_field_is_quoted_only_where_it_must_be) {
  const std::pair<std::string, std::string> cases[] = {
      {"root/Bullet World/Ball", "root/Bullet World/Ball"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {"semi;colon 'single'", "semi;colon 'single'"},
  };
  for (const auto& [text, written] : cases) EXPECT_EQ(host::csv_text::field(text), written) << text;
}

TEST(csv_text, a_number_reads_back_as_the_same_float) {
  EXPECT_EQ(host::csv_text::number(0.0), "0");
  EXPECT_EQ(host::csv_text::number(-1500.0), "-1500");
  EXPECT_EQ(host::csv_text::number(0.1f), "0.100000001");
  for (float v : {0.1f, 1.0f / 3.0f, -123456.789f, 1e-30f, 3.4e38f})
    EXPECT_EQ(std::strtof(host::csv_text::number(v).c_str(), nullptr), v) << v;
}

}  // namespace
