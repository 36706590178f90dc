#include "host/cli/cli_arguments.hpp"

#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/cli/cli_error.hpp"
#include "host/cli/help_text.hpp"
#include "host/cli/host_texts.hpp"

namespace {

host::cli_arguments parse(std::vector<std::string> words) {
  words.insert(words.begin(), "physplug-host");
  std::vector<const char*> argv;
  for (const auto& w : words) argv.push_back(w.c_str());
  return host::cli_arguments::parse(static_cast<int>(argv.size()), argv.data());
}

// The options a help text names ("--frames", "--lang", ...).
std::set<std::string> options_in(const std::string& help) {
  std::set<std::string> found;
  const std::regex option("--[a-z]+(-[a-z]+)*");
  for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
    found.insert(it->str());
  return found;
}

TEST(cli_arguments, every_way_of_asking_for_help) {
  struct help_case {
    std::vector<std::string> words;
    std::string topic, lang;
  };
  const std::vector<help_case> cases = {
      {{"help"}, "", "en"},
      {{"--help"}, "", "en"},
      {{"-h"}, "", "en"},
      {{"help", "play"}, "play", "en"},
      {{"help", "help"}, "", "en"},
      {{"help", "--lang", "ja", "edit"}, "edit", "ja"},
      {{"play", "--help"}, "play", "en"},
      {{"play", "scene.json", "--frames", "3", "-h"}, "play", "en"},
      {{"edit", "--help", "--lang", "ja"}, "edit", "ja"},
      {{"info", "--lang", "ja", "--help"}, "info", "ja"},
      {{"info", "--help", "--bogus"}, "info", "en"},  // help is given before anything is checked
      {{"check", "scene.json", "--json", "-h"}, "check", "en"},
  };
  for (const auto& c : cases) {
    const auto a = parse(c.words);
    EXPECT_EQ(a.command, "help") << c.words[0];
    EXPECT_EQ(a.topic, c.topic) << c.words[0] << " " << c.words.size();
    EXPECT_EQ(a.lang, c.lang) << c.words[0] << " " << c.words.size();
  }
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"help", "dance"}, {"help", "--lang", "fr"}, {"play", "--help", "--lang"}})
    EXPECT_THROW(parse(bad), host::cli_error) << bad[1];
}

// The help of each command names exactly the options its parser takes: every option any help
// names is tried on every command, and is refused as unknown where that command's help lacks it.
TEST(cli_arguments, each_commands_help_names_exactly_the_options_it_takes) {
  const host::host_texts english("en");
  const std::vector<std::string> commands = {"play", "edit", "info", "check"};
  std::set<std::string> every = {"--verbose", "--output"};  // and two that no command takes
  for (const auto& c : commands)
    for (const auto& o : options_in(host::help_text::render(c, english))) every.insert(o);
  ASSERT_GE(every.size(), 12u);
  for (const auto& command : commands) {
    const std::set<std::string> documented = options_in(host::help_text::render(command, english));
    EXPECT_TRUE(documented.count("--help")) << command;
    for (const auto& option : every) {
      if (option == "--help") continue;  // asks for help instead of running
      std::vector<std::string> words = {command, "scene.json"};
      if (command == "edit") words.insert(words.end(), {"--script", "ops.json", "--save", "out.json"});
      words.push_back(option);
      if (option == "--frames" || option == "--fps") words.push_back("30");
      if (option == "--lang") words.push_back("ja");
      const bool takes_value = option != "--render" && option != "--no-check" && option != "--json";
      if (takes_value && words.back() == option) words.push_back("value");
      bool taken = true;
      try {
        parse(words);
      } catch (const host::cli_error& e) {
        taken = std::string(e.what()).find("unknown option") == std::string::npos;
        EXPECT_TRUE(taken || !documented.count(option)) << command << " " << option << ": " << e.what();
      }
      EXPECT_EQ(taken, documented.count(option) == 1) << command << " " << option;
    }
  }
}

TEST(cli_arguments, the_whole_help_describes_every_command_and_one_command_only_itself) {
  const host::host_texts english("en");
  const std::string all = host::help_text::render("", english);
  for (const char* c : {"play SCENE", "edit SCENE", "info SCENE", "check SCENE", "help [COMMAND]"})
    EXPECT_NE(all.find(std::string("physplug-host ") + c), std::string::npos) << c;
  const std::string play = host::help_text::render("play", english);
  EXPECT_NE(play.find("physplug-host play SCENE"), std::string::npos);
  EXPECT_EQ(play.find("physplug-host edit"), std::string::npos);
  // Every option line carries a description.
  const std::regex bare_option("\n +--[a-z]+( [A-Za-z.|]+)? *\n");
  EXPECT_FALSE(std::regex_search(all, bare_option)) << all;
}

}  // namespace
