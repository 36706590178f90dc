#include "host/ui/dialog.hpp"

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sdk/host_ref.hpp"

namespace {

using host::dialog_item_kind;
using host::vec3;

sxsdk::host_ref<host::dialog> make_dialog(host::dialog_script& script) {
  auto* d = new host::dialog(&script);
  d->AddRef();
  return sxsdk::host_ref<host::dialog>(d);
}

// A dialog laid out like a world editor: a group with vectors and a row of two check boxes.
void build_world_like(host::dialog& d) {
  d.set_title("World settings");
  d.append_bool("Active");            // 0
  d.append_float("Gravity", "m/tt");  // 1
  d.begin_group("Boundary");
  d.append_vec3("Minimum", "m");  // 2
  d.begin_group("Inner");
  d.append_selection("Type/Box/Sphere/Capsule");  // 3
  d.end_group();
  d.end_group();
  d.begin_row();
  d.append_bool("0");  // 4
  d.append_bool("1");  // 5
  d.end_row();
  d.append_int("Count");  // 6
  d.begin_row();
  d.append_string("Name");  // 7
  d.end_row();
}

TEST(dialog, records_kinds_labels_choices_units_groups_and_rows) {
  host::dialog_script script;
  auto d = make_dialog(script);
  build_world_like(*d);
  const auto& items = d->record().items;
  ASSERT_EQ(items.size(), 8u);
  struct expected {
    dialog_item_kind kind;
    const char* label;
    const char* unit;
    std::vector<std::string> groups;
    int row;
  };
  const std::vector<expected> table = {
      {dialog_item_kind::check_box, "Active", "", {}, -1},
      {dialog_item_kind::real, "Gravity", "m/tt", {}, -1},
      {dialog_item_kind::vector, "Minimum", "m", {"Boundary"}, -1},
      {dialog_item_kind::selection, "Type", "", {"Boundary", "Inner"}, -1},
      {dialog_item_kind::check_box, "0", "", {}, 0},
      {dialog_item_kind::check_box, "1", "", {}, 0},
      {dialog_item_kind::integer, "Count", "", {}, -1},
      {dialog_item_kind::text, "Name", "", {}, 1},
  };
  for (std::size_t n = 0; n < table.size(); ++n) {
    EXPECT_EQ(items[n].kind, table[n].kind) << n;
    EXPECT_EQ(items[n].label, table[n].label) << n;
    EXPECT_EQ(items[n].unit, table[n].unit) << n;
    EXPECT_EQ(items[n].groups, table[n].groups) << n;
    EXPECT_EQ(items[n].row, table[n].row) << n;
  }
  EXPECT_EQ(items[3].choices, (std::vector<std::string>{"Box", "Sphere", "Capsule"}));
  EXPECT_EQ(items[3].path(), "Boundary/Inner/Type");
  EXPECT_TRUE(items[0].choices.empty());
}

TEST(dialog, selection_choices_split_at_every_slash_and_may_be_empty) {
  host::dialog_script script;
  auto d = make_dialog(script);
  d->append_selection("Group Index/0/1//F");
  d->append_selection("Lonely");
  EXPECT_EQ(d->record().items[0].label, "Group Index");
  EXPECT_EQ(d->record().items[0].choices, (std::vector<std::string>{"0", "1", "", "F"}));
  EXPECT_TRUE(d->record().items[1].choices.empty());
}

TEST(dialog, append_returns_item_numbers_that_skip_groups_and_rows) {
  host::dialog_script script;
  auto d = make_dialog(script);
  EXPECT_EQ(d->append_bool("a"), 0);
  d->begin_group("g");
  d->begin_row();
  EXPECT_EQ(d->append_int("b"), 1);
  d->end_row();
  d->end_group();
  EXPECT_EQ(d->append_vec3("c"), 2);
}

TEST(dialog, defaults_and_shown_values_are_kept_apart) {
  host::dialog_script script;
  auto d = make_dialog(script);
  build_world_like(*d);
  d->set_default_float(1, 9.8f);
  d->set_float(1, 3.5f);
  d->set_default_vec3(2, vec3(-1000, -1000, -1000));
  d->set_default_int(3, 1);
  d->set_default_bool(0, true);
  d->set_bool(0, false);
  ASSERT_TRUE(d->ask());
  const auto& rec = script.shown().at(0);
  EXPECT_EQ(rec.items[1].default_value, host::dialog_value(9.8f));
  EXPECT_EQ(rec.items[1].shown_value, host::dialog_value(3.5f));
  EXPECT_EQ(d->get_float(1), 3.5f);
  // Items never given a shown value show their default, else the zero of their kind.
  EXPECT_EQ(rec.items[2].shown_value, host::dialog_value(vec3(-1000, -1000, -1000)));
  EXPECT_EQ(d->get_int(3), 1);
  EXPECT_FALSE(d->get_bool(0));
  EXPECT_EQ(d->get_int(6), 0);
  EXPECT_EQ(d->get_string(7), "");
  EXPECT_TRUE(rec.items[6].default_value.empty());
}

TEST(dialog, misuse_by_the_caller_throws_naming_the_dialog) {
  host::dialog_script script;
  auto d = make_dialog(script);
  build_world_like(*d);
  const auto message_of = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const std::logic_error& e) {
      return e.what();
    }
    return "";
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {message_of([&] { d->set_int(8, 1); }), "no item number 8"},
      {message_of([&] { d->get_bool(-1); }), "no item number -1"},
      {message_of([&] { d->set_float(0, 1.0f); }), "item 0 \"Active\" (check_box) is not read or written as float"},
      {message_of([&] { d->get_float(6); }), "item 6 \"Count\" (int) is not read or written as float"},
      {message_of([&] { d->get_bool(3); }), "item 3 \"Type\" (selection) is not read or written as bool"},
      {message_of([&] { d->end_group(); }), "end_group without an open group"},
      {message_of([&] { d->end_row(); }), "end_row without an open row"},
  };
  for (const auto& [message, expected] : cases) {
    EXPECT_NE(message.find("dialog \"World settings\""), std::string::npos) << message;
    EXPECT_NE(message.find(expected), std::string::npos) << message;
  }
  EXPECT_NO_THROW(d->get_int(3));  // a selection reads as its entry number
}

TEST(dialog, a_null_script_is_refused) { EXPECT_THROW(host::dialog(nullptr), std::invalid_argument); }

TEST(dialog, null_texts_count_as_empty) {
  host::dialog_script script;
  auto d = make_dialog(script);
  d->set_title(nullptr);
  d->append_float(nullptr, nullptr);
  d->append_selection(nullptr);
  EXPECT_EQ(d->record().items[0].label, "");
  EXPECT_EQ(d->record().items[0].unit, "");
  EXPECT_TRUE(d->record().items[1].choices.empty());
}

}  // namespace
