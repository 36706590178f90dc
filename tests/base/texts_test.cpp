// texts: localised lookups through the scene's host, formatted messages, unlocalised errors.
#include <gtest/gtest.h>

#include "base/texts.hpp"
#include "host/scene/scene.hpp"
#include "host/ui/ui_services.hpp"

TEST(texts, messages_are_localised_and_filled) {
  host::ui_services ui("ja");
  sxsdk::host_ref<host::scene> scene = host::scene::create(&ui);
  texts::show_message(*scene, "Terminated");
  texts::show_message_format(*scene, "Create Projection Mesh:%s of [%s]", "Cloth", "Mesh");
  texts::show_message(*scene, "an id the table lacks");
  texts::show_error(*scene, "bad primitive shape");
  const std::vector<std::string> shown = scene->messages().texts(host::message_window::kind::message);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "中止しました");
  EXPECT_NE(shown[1].find("Cloth"), std::string::npos);
  EXPECT_LT(shown[1].find("Cloth"), shown[1].find("Mesh"));
  EXPECT_EQ(shown[1].find('%'), std::string::npos);
  EXPECT_EQ(shown[2], "an id the table lacks");
  EXPECT_EQ(scene->messages().texts(host::message_window::kind::error),
            std::vector<std::string>{"bad primitive shape"});
}

TEST(texts, format_fills_s_and_i_and_survives_a_wrong_count) {
  EXPECT_EQ(texts::format("Bullet world[%s] create ERROR", std::string("World")), "Bullet world[World] create ERROR");
  EXPECT_EQ(texts::format("point %i of %s", 7, "Line"), "point 7 of Line");
  EXPECT_EQ(texts::format("%s and %s", "one"), "one and ");
  EXPECT_EQ(texts::format("%s", "one", "two"), "one");
  EXPECT_EQ(texts::format("100% broken %", 1), "100% broken %");
}

TEST(texts, a_scene_without_a_host_gives_the_id_back) {
  sxsdk::host_ref<host::scene> scene = host::scene::create();
  EXPECT_EQ(texts::get_text(*scene, "RigidBody"), "RigidBody");
}
