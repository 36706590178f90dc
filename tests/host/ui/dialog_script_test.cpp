#include "host/ui/dialog_script.hpp"

#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "host/ui/dialog.hpp"
#include "sdk/host_ref.hpp"

namespace {

using host::dialog_answer;
using host::dialog_outcome;
using host::vec3;

// A rigid-body-like dialog: two items labelled "Type", one of them inside a group, as the
// editor for a new body shows them.
sxsdk::host_ref<host::dialog> body_dialog(host::dialog_script& script) {
  auto* d = new host::dialog(&script);
  d->AddRef();
  d->set_title("Body");
  d->append_selection("Type/Move/Kinematic/Static");  // 0
  d->append_float("Mass");                            // 1
  d->append_vec3("Velocity", "m/s");                  // 2
  d->begin_group("Primitive");
  d->append_selection("Type/Box/Sphere/Capsule");  // 3
  d->append_bool("Visible");                       // 4
  d->append_string("Name");                        // 5
  d->append_int("Count");                          // 6
  d->end_group();
  d->set_int(0, 0);
  d->set_float(1, 1.0f);
  d->set_vec3(2, vec3(0, 0, 0));
  d->set_int(3, 1);
  d->set_bool(4, true);
  d->set_string(5, "body");
  d->set_int(6, 3);
  return sxsdk::host_ref<host::dialog>(d);
}

std::string rejection(host::dialog_script& script, dialog_answer answer) {
  script.push(std::move(answer));
  auto d = body_dialog(script);
  try {
    d->ask();
  } catch (const host::dialog_script_error& e) {
    // A rejected answer leaves every value as shown.
    EXPECT_EQ(d->get_float(1), 1.0f);
    EXPECT_EQ(d->get_int(3), 1);
    EXPECT_EQ(script.shown().back().outcome, dialog_outcome::rejected);
    EXPECT_EQ(script.shown().back().error, e.what());
    EXPECT_EQ(script.errors().back(), e.what());
    return e.what();
  }
  ADD_FAILURE() << "the answer was not rejected";
  return "";
}

TEST(dialog_script, no_answer_queued_confirms_the_shown_values) {
  host::dialog_script script;
  auto d = body_dialog(script);
  EXPECT_TRUE(d->ask());
  EXPECT_EQ(d->get_int(0), 0);
  EXPECT_EQ(d->get_float(1), 1.0f);
  EXPECT_EQ(d->get_int(3), 1);
  EXPECT_TRUE(d->get_bool(4));
  EXPECT_EQ(d->get_string(5), "body");
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Body");
  EXPECT_EQ(script.shown()[0].outcome, dialog_outcome::confirmed);
}

TEST(dialog_script, cancel_answers_false_and_keeps_the_shown_values) {
  host::dialog_script script;
  script.push(dialog_answer::cancel());
  auto d = body_dialog(script);
  EXPECT_FALSE(d->ask());
  EXPECT_EQ(d->get_float(1), 1.0f);
  EXPECT_EQ(script.shown().at(0).outcome, dialog_outcome::cancelled);
  EXPECT_EQ(script.pending(), 0u);
}

TEST(dialog_script, ok_by_label) {
  host::dialog_script script;
  script.push(dialog_answer::ok()
                  .set("Mass", 2.5)
                  .set("Velocity", vec3(1, 2, 3))
                  .set("Visible", false)
                  .set("Name", "crate")
                  .set("Count", 7)
                  .set("Type", "Static")             // the item whose whole path is "Type"
                  .set("Primitive/Type", "Capsule")  // the one in the group
  );
  auto d = body_dialog(script);
  ASSERT_TRUE(d->ask());
  EXPECT_EQ(d->get_float(1), 2.5f);
  EXPECT_EQ(d->get_vec3(2), vec3(1, 2, 3));
  EXPECT_FALSE(d->get_bool(4));
  EXPECT_EQ(d->get_string(5), "crate");
  EXPECT_EQ(d->get_int(6), 7);
  EXPECT_EQ(d->get_int(0), 2);
  EXPECT_EQ(d->get_int(3), 2);
  // The record keeps both what was shown and what was answered.
  EXPECT_EQ(script.shown()[0].items[1].shown_value, host::dialog_value(1.0f));
  EXPECT_EQ(script.shown()[0].items[1].value, host::dialog_value(2.5f));
}

TEST(dialog_script, ok_by_position) {
  host::dialog_script script;
  script.push(dialog_answer::ok().set(1, 4).set(3, 0).set(4, false).set(1, 5.0f));
  auto d = body_dialog(script);
  ASSERT_TRUE(d->ask());
  EXPECT_EQ(d->get_float(1), 5.0f);  // the later setting wins; an int fits a float item
  EXPECT_EQ(d->get_int(3), 0);
  EXPECT_FALSE(d->get_bool(4));
  EXPECT_EQ(d->get_string(5), "body");
}

TEST(dialog_script, answers_are_used_in_order_one_per_ask) {
  host::dialog_script script;
  script.push(dialog_answer::ok().set("Mass", 2));
  script.push_cancel();
  auto first = body_dialog(script);
  auto second = body_dialog(script);
  EXPECT_TRUE(first->ask());
  EXPECT_FALSE(second->ask());
  EXPECT_TRUE(second->ask());  // queue empty: OK with the shown values
  EXPECT_EQ(first->get_float(1), 2.0f);
  ASSERT_EQ(script.shown().size(), 3u);
  EXPECT_EQ(script.shown()[1].outcome, dialog_outcome::cancelled);
  EXPECT_EQ(script.shown()[2].outcome, dialog_outcome::confirmed);
}

TEST(dialog_script, answers_that_do_not_fit_are_rejected_with_title_and_item) {
  struct bad_case {
    dialog_answer answer;
    const char* complaint;
  };
  const std::vector<bad_case> cases = {
      {dialog_answer::ok().set("Weight", 1.0), "no item labelled \"Weight\""},
      {dialog_answer::ok().set(7, 1), "no item number 7 (it has 7 items)"},
      {dialog_answer::ok().set(-1, 1), "no item number -1"},
      {dialog_answer::ok().set("Mass", "heavy"), "item 1 \"Mass\" (float) cannot take the string value \"heavy\""},
      {dialog_answer::ok().set("Visible", 1), "item 4 \"Primitive/Visible\" (check_box) cannot take the int value 1"},
      {dialog_answer::ok().set("Velocity", 1.0), "item 2 \"Velocity\" (vec3) cannot take the float value 1"},
      {dialog_answer::ok().set("Count", 1.5), "item 6 \"Primitive/Count\" (int) cannot take the float value 1.5"},
      {dialog_answer::ok().set("Primitive/Type", "Cone"), "item 3 \"Primitive/Type\" has no entry \"Cone\""},
      {dialog_answer::ok().set(0, 3), "item 0 \"Type\" has no entry number 3 (it has 3)"},
      {dialog_answer::ok().set(0, -1), "has no entry number -1"},
      {dialog_answer::ok().set(0, true), "(selection) cannot take the bool value true"},
      // A good value before a bad one must not be kept either.
      {dialog_answer::ok().set("Mass", 9.0).set("Typo", 1), "no item labelled \"Typo\""},
  };
  for (const auto& c : cases) {
    host::dialog_script script;
    const std::string message = rejection(script, c.answer);
    EXPECT_NE(message.find("dialog \"Body\""), std::string::npos) << message;
    EXPECT_NE(message.find(c.complaint), std::string::npos) << message;
  }
}

// An unknown label is refused with every item named as a script can name it: by its label, by
// its group path where labels repeat, by number where even paths repeat. Each name given is
// then tried as an answer and must change that item and no other.
TEST(dialog_script, an_unknown_label_lists_every_item_by_a_name_that_works) {
  host::dialog_script script;
  const std::string message = rejection(script, dialog_answer::ok().set("Weight", 1.0));
  const std::string listed = R"("Type", "Mass", "Velocity", "Primitive/Type", "Visible", "Name", "Count")";
  EXPECT_NE(message.find("no item labelled \"Weight\"; its items: " + listed), std::string::npos) << message;

  const std::vector<std::pair<std::string, host::dialog_value>> answers = {
      {"Type", 2},           {"Mass", 4.0f},     {"Velocity", vec3(0, 1, 0)},
      {"Primitive/Type", 0}, {"Visible", false}, {"Name", std::string("crate")},
      {"Count", 9}};
  for (std::size_t n = 0; n < answers.size(); ++n) {
    host::dialog_script fresh;
    fresh.push(dialog_answer::ok().set(answers[n].first, answers[n].second));
    auto d = body_dialog(fresh);
    ASSERT_TRUE(d->ask()) << answers[n].first;
    const auto& items = fresh.shown().back().items;
    for (std::size_t i = 0; i < items.size(); ++i)
      EXPECT_EQ(items[i].value != items[i].shown_value, i == n) << answers[n].first << " changed item " << i;
  }

  // Two items with the same label in the same group: only their numbers tell them apart.
  host::dialog_script twins;
  auto* d = new host::dialog(&twins);
  sxsdk::host_ref<host::dialog> held(d);
  d->AddRef();
  d->set_title("Twins");
  d->append_float("Size");
  d->begin_group("Joint");
  d->append_float("Limit");
  d->append_float("Limit");
  d->end_group();
  twins.push(dialog_answer::ok().set("Limits", 1));
  EXPECT_THROW(d->ask(), host::dialog_script_error);
  EXPECT_NE(twins.errors().back().find(R"(its items: "Size", "#1", "#2")"), std::string::npos) << twins.errors().back();
}

TEST(dialog_script, ambiguous_labels_are_rejected_listing_the_paths) {
  host::dialog_script script;
  auto* d = new host::dialog(&script);
  sxsdk::host_ref<host::dialog> held(d);
  d->AddRef();
  d->set_title("Chain");
  d->begin_group("Joint");
  d->append_selection("Type/6Dof/ConeTwist");
  d->end_group();
  d->begin_group("Body");
  d->append_selection("Type/Box/Capsule");
  d->end_group();
  script.push(dialog_answer::ok().set("Type", 1));
  try {
    d->ask();
    FAIL() << "an ambiguous label was accepted";
  } catch (const host::dialog_script_error& e) {
    EXPECT_NE(std::string(e.what()).find("the label \"Type\" is ambiguous; name one of \"Joint/Type\", \"Body/Type\""),
              std::string::npos)
        << e.what();
  }
  script.push(dialog_answer::ok().set("Body/Type", "Capsule"));
  ASSERT_TRUE(d->ask());
  EXPECT_EQ(script.shown().back().error, "");
  EXPECT_EQ(script.errors().size(), 1u);
  EXPECT_EQ(d->get_int(0), 0);
  EXPECT_EQ(d->get_int(1), 1);
}

TEST(dialog_script, answers_read_from_json) {
  host::dialog_script script;
  script.push(dialog_answer::from_json(nlohmann::json::parse(
      R"({"Mass": 3, "Velocity": [0, 1.5, 0], "#4": false, "Primitive/Type": "Box", "Name": "n"})")));
  script.push(dialog_answer::from_json("cancel"));
  script.push(dialog_answer::from_json("ok"));
  auto d = body_dialog(script);
  ASSERT_TRUE(d->ask());
  EXPECT_EQ(d->get_float(1), 3.0f);
  EXPECT_EQ(d->get_vec3(2), vec3(0, 1.5f, 0));
  EXPECT_FALSE(d->get_bool(4));
  EXPECT_EQ(d->get_int(3), 0);
  EXPECT_EQ(d->get_string(5), "n");
  EXPECT_FALSE(d->ask());
  EXPECT_TRUE(d->ask());
  for (const char* bad : {R"("maybe")", "3", R"({"Mass": null})", R"({"Velocity": [1, 2]})", R"({"Count": 3000000000})",
                          // Beyond the float range a dialog float would become an infinity.
                          R"({"Mass": 1e39})", R"({"Mass": -3.5e38})", R"({"Velocity": [0, 1e300, 0]})"})
    EXPECT_THROW(dialog_answer::from_json(nlohmann::json::parse(bad)), std::invalid_argument) << bad;
}

}  // namespace
