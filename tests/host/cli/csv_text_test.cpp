// The pieces of the CSV traces: fields quoted only where a comma, quote or line break would
// break the row, numbers that read back as the same float.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

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
  EXPECT_EQ(host::csv_text::number(-0.0), "-0");
  EXPECT_EQ(host::csv_text::number(1234567890.0), "1.23456789e+09");
  EXPECT_EQ(host::csv_text::number(1e-5), "1e-05");
  EXPECT_EQ(host::csv_text::number(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(host::csv_text::number(-std::numeric_limits<double>::infinity()), "-inf");
  EXPECT_EQ(host::csv_text::number(std::numeric_limits<double>::quiet_NaN()), "nan");
  for (float v : {0.1f, 1.0f / 3.0f, -123456.789f, 1e-30f, 3.4e38f})
    EXPECT_EQ(std::strtof(host::csv_text::number(v).c_str(), nullptr), v) << v;
}

TEST(csv_text, a_number_has_the_characters_printf_gives_it) {
  // Float values over the whole range the traces print, in both signs.
  for (int e = -140; e <= 120; e += 3)
    for (float m : {1.0f, 1.2345678f, 3.1415927f, 7.77777777f, 9.99999905f}) {
      const double v = double(std::ldexp(m, e));
      for (double x : {v, -v}) {
        char want[32];
        std::snprintf(want, sizeof want, "%.9g", x);
        EXPECT_EQ(host::csv_text::number(x), want);
      }
    }
}

}  // namespace
