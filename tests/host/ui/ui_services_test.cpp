#include "host/ui/ui_services.hpp"

#include <gtest/gtest.h>

#include "host/ui/dialog.hpp"
#include "sdk/host_ref.hpp"

namespace {

TEST(ui_services, host_object_is_shared_and_counted) {
  host::ui_services services("ja");
  sxsdk::host_ref<sxsdk::host_interface> a(services.get_host());
  sxsdk::host_ref<sxsdk::host_interface> b(services.get_host());
  EXPECT_EQ(a.get(), b.get());
  EXPECT_EQ(a->reference_count(), 3u);  // ours, a's and b's
  EXPECT_EQ(a->get_text("Gravity"), "\u91cd\u529b");
  services.app().set_flag(2052, true);
  EXPECT_TRUE(b->query_flag(2052));
}

TEST(ui_services, dialogs_are_answered_by_the_shared_script_and_carry_their_owner) {
  host::ui_services services;
  const sx::uuid_class owner("AFC29716-3C03-418A-9C7F-7541631DB70C");
  services.script().push_cancel();
  sxsdk::host_ref<sxsdk::dialog_interface> d(services.create_dialog(&owner));
  EXPECT_EQ(d->reference_count(), 1u);
  d->set_title("Setting Bullet SoftBody");
  d->append_selection("Selection/Edit/Remove");
  EXPECT_FALSE(d->ask());
  sxsdk::host_ref<sxsdk::dialog_interface> plain(services.create_dialog(nullptr));
  EXPECT_TRUE(plain->ask());
  const auto& shown = services.script().shown();
  ASSERT_EQ(shown.size(), 2u);
  ASSERT_TRUE(shown[0].owner.has_value());
  EXPECT_EQ(*shown[0].owner, owner);
  EXPECT_FALSE(shown[1].owner.has_value());
}

// The plug-in localises its labels before appending them; a script answers with the labels and
// entries the user would see.
TEST(ui_services, japanese_dialogs_are_answered_by_their_shown_labels) {
  host::ui_services services("ja");
  sxsdk::host_ref<sxsdk::host_interface> app(services.get_host());
  services.script().push(host::dialog_answer::ok()
                             .set(app->get_text("Mass"), 4.0)
                             .set(app->get_text("Primitive") + "/" + "\u30bf\u30a4\u30d7", "\u7403"));  // タイプ, 球
  sxsdk::host_ref<sxsdk::dialog_interface> d(services.create_dialog(nullptr));
  d->set_title(app->get_text("Setting Bullet RigidBody").c_str());
  d->append_selection(app->get_text("Type/Move/Kimanetic/Static").c_str());
  const int mass = d->append_float(app->get_text("Mass").c_str());
  d->begin_group(app->get_text("Primitive").c_str());
  const int type = d->append_selection(app->get_text("Type/Box/Sphere/Capsule/Cylinder/Cone").c_str());
  d->end_group();
  ASSERT_TRUE(d->ask());
  EXPECT_EQ(d->get_float(mass), 4.0f);
  EXPECT_EQ(d->get_int(type), 1);
  EXPECT_EQ(services.script().shown().at(0).items.at(0).choices.size(), 3u);
}

}  // namespace
