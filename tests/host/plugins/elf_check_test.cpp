// A plug-in library is looked at before the loader maps it: a copy cut short anywhere is refused
// with what is missing, instead of the loader dying of SIGBUS on the pages past the file's end.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "../io/temp_dir.hpp"
#include "host/plugins/elf_check.hpp"
#include "host/plugins/plugin_library.hpp"

namespace {

using host::elf_check;
using host_test::temp_dir;

TEST(elf_check, a_library_cut_anywhere_or_no_library_at_all_is_refused_and_says_why) {
  const std::string whole = host_test::read_file(PHYSPLUG_PLUGIN_PATH);
  ASSERT_GT(whole.size(), 100000u);
  temp_dir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  const struct {
    const char* what;
    std::string bytes;  // the file's content (unused for the FIFO and the folder)
    std::string name;
    std::string problem;
  } cases[] = {
      {"cut after 20000 bytes", whole.substr(0, 20000), "cut.so", "is cut short: its segments need "},
      {"cut inside the program headers", whole.substr(0, 100), "headers.so", "is cut short: its program headers need"},
      {"only the ELF header", whole.substr(0, 64), "header.so", "is cut short: its program headers need"},
      {"one byte short", whole.substr(0, whole.size() - 1), "last.so", "is cut short: its section headers need"},
      {"empty", "", "empty.so", "is no library: it does not start with an ELF header"},
      {"text", "not a library\n", "text.so", "is no library"},
      {"FIFO", "", "fifo", "is a FIFO, not a library"},
      {"folder", "", ".", "is a directory, not a library"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir / c.name;
    if (c.name.find(".so") != std::string::npos) host_test::write_file(path, c.bytes);
    const std::string problem = elf_check::problem(path);
    EXPECT_EQ(problem.rfind(c.problem, 0), 0u) << problem;
    try {
      host::plugin_library library(path);
      ADD_FAILURE() << "loaded";
    } catch (const host::plugin_load_error& e) {
      EXPECT_EQ(std::string(e.what()), "cannot load plug-in \"" + path + "\": " + problem);
    }
  }
  EXPECT_EQ(elf_check::problem(PHYSPLUG_PLUGIN_PATH), "");
}

}  // namespace
