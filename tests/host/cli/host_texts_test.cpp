#include "host/cli/host_texts.hpp"

#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/cli/cli_error.hpp"

namespace {

using host::host_text;

std::vector<host_text> every_text() {
  std::vector<host_text> all;
  for (std::size_t i = 0; i < host::host_text_count; ++i) all.push_back(static_cast<host_text>(i));
  return all;
}

// The printf-style placeholders of a text ("%s", "%i", "%2$s"), each reduced to its letter.
std::multiset<char> placeholders(const std::string& text) {
  std::multiset<char> found;
  const std::regex placeholder("%(?:[0-9]+\\$)?([si])");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it)
    found.insert(it->str(1)[0]);
  return found;
}

TEST(host_texts, english_needs_no_entries_and_prints_the_identifiers) {
  const host::host_texts english("en");
  EXPECT_TRUE(english.table().entries().empty());
  for (const host_text id : every_text()) EXPECT_EQ(english(id), host::english(id));
  EXPECT_EQ(english.format(host_text::bodies_many, 2, 1), "2 rigid bodies (1 moving)");
  EXPECT_EQ(english(host_text::bodies_one).rfind("1 rigid body (", 0), 0u);
}

// Japanese has an entry for every text the host prints and for nothing else, and each keeps its
// placeholders, so every value gets filled and none is lost.
TEST(host_texts, japanese_translates_every_text_keeping_its_placeholders) {
  const host::host_texts japanese("ja");
  std::set<std::string> ids, used;
  for (const auto& e : japanese.table().entries()) EXPECT_TRUE(ids.insert(e.id).second) << "twice: " << e.id;
  for (const host_text id : every_text()) {
    const std::string english = host::english(id);
    used.insert(english);
    const std::string* value = japanese.table().find(english);
    ASSERT_NE(value, nullptr) << "no Japanese for \"" << english << "\"";
    EXPECT_NE(*value, english);
    EXPECT_EQ(placeholders(*value), placeholders(english)) << english << " -> " << *value;
  }
  EXPECT_EQ(ids, used);
}

TEST(host_texts, filled_texts_hold_every_value_in_both_languages) {
  for (const char* language : {"en", "ja"}) {
    const host::host_texts texts(language);
    EXPECT_EQ(texts.format(host_text::played, "s.json", 120, 60, "x").find('%'), std::string::npos) << language;
    const std::string line = texts.format(host_text::stopped_early, "scene.json", 17);
    EXPECT_NE(line.find("scene.json"), std::string::npos) << line;
    EXPECT_NE(line.find("17"), std::string::npos) << line;
  }
}

TEST(host_texts, an_unknown_language_is_refused_naming_it) {
  for (const char* language : {"fr", "../en"}) {
    try {
      host::host_texts texts(language);
      ADD_FAILURE() << language << " was accepted";
    } catch (const host::cli_error& e) {
      EXPECT_NE(std::string(e.what()).find(language), std::string::npos) << e.what();
    }
  }
}

}  // namespace
