#include "host/ui/application.hpp"

#include <stdexcept>

#include <gtest/gtest.h>

#include "sdk/host_ref.hpp"

namespace {

host::application* adopt(host::application* app) {
  app->AddRef();
  return app;
}

TEST(application, get_text_follows_the_language) {
  sxsdk::host_ref<host::application> app(adopt(new host::application("ja")));
  EXPECT_EQ(app->get_text("Mass"), "\u8cea\u91cf");  // 質量
  EXPECT_EQ(app->get_text("Bad Layer number"), "Bad Layer number");
  app->set_language("en");
  EXPECT_EQ(app->language(), "en");
  EXPECT_EQ(app->get_text("Mass"), "Mass");
  EXPECT_EQ(app->get_text(nullptr), "");
}

TEST(application, failed_language_switch_keeps_the_current_table) {
  sxsdk::host_ref<host::application> app(adopt(new host::application("ja")));
  EXPECT_THROW(app->set_language("zz"), std::runtime_error);
  EXPECT_EQ(app->language(), "ja");
  EXPECT_EQ(app->get_text("Mass"), "\u8cea\u91cf");
}

TEST(application, unknown_language_fails_at_construction) { EXPECT_THROW(host::application("zz"), std::runtime_error); }

TEST(application, flags_default_to_false_and_can_be_set) {
  sxsdk::host_ref<host::application> app(adopt(new host::application()));
  EXPECT_FALSE(app->query_flag(2052));
  app->set_flag(2052, true);
  EXPECT_TRUE(app->query_flag(2052));
  EXPECT_FALSE(app->query_flag(2053));
  app->set_flag(2052, false);
  EXPECT_FALSE(app->query_flag(2052));
}

}  // namespace
