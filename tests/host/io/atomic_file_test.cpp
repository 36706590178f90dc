// Output files that appear whole or not at all: the target changes only at commit, temporaries
// left by a killed process are removed by the next write of the same target, long names fit,
// and only regular files (or new names) are ever replaced.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>

#include "host/io/atomic_file.hpp"
#include "temp_dir.hpp"

namespace {

using host::atomic_file;
using host_test::read_file;
using host_test::temp_dir;
using host_test::write_file;

// The id of a process that has certainly ended (a child, reaped).
pid_t finished_process() {
  const pid_t child = ::fork();
  if (child == 0) std::_Exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

void save(const std::string& path, const std::string& text) {
  atomic_file file(path);
  file.write(text);
  file.commit();
}

TEST(atomic_file, the_target_changes_only_at_commit) {
  temp_dir dir;
  write_file(dir / "t.csv", "old");
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "row " + std::to_string(i) + "\n";  // several buffers
  {
    atomic_file abandoned(dir / "t.csv");
    abandoned.write(text);
    EXPECT_EQ(read_file(dir / "t.csv"), "old");
  }
  EXPECT_EQ(dir.names(), std::vector<std::string>{"t.csv"});
  atomic_file file(dir / "t.csv");
  for (std::size_t at = 0; at < text.size(); at += 1000) file.write(text.substr(at, 1000));
  EXPECT_EQ(read_file(dir / "t.csv"), "old");
  file.commit();
  EXPECT_EQ(read_file(dir / "t.csv"), text);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"t.csv"});
}

TEST(atomic_file, a_write_killed_midway_leaves_the_old_file_and_the_next_write_removes_its_temporary) {
  temp_dir dir;
  const std::string target = dir / "scene.json";
  write_file(target, "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    atomic_file file(target);
    file.write(std::string(1 << 20, 'x'));
    ::raise(SIGKILL);  // kill -9 in the middle of a save
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(read_file(target), "old");
  ASSERT_EQ(dir.names().size(), 2u) << "the killed save left no temporary to clean";
  save(target, "new");
  EXPECT_EQ(read_file(target), "new");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"scene.json"});
}

TEST(atomic_file, only_temporaries_of_the_same_target_whose_process_is_gone_are_removed) {
  temp_dir dir;
  const std::string dead = std::to_string(finished_process());
  const struct {
    std::string name;
    bool removed;
  } cases[] = {
      {"scene.json.tmp-" + dead + "-1", true},
      {"scene.json.tmp-" + dead + "-17", true},
      {"scene.json.tmp-1-1", false},  // process 1 runs as long as the system does
      {"other.json.tmp-" + dead + "-1", false},
      {"xscene.json.tmp-" + dead + "-1", false},
      {"scene.json.tmp-" + dead + "-x", false},
      {"scene.json.tmp-" + dead, false},
      {"scene.json.bak", false},
  };
  std::set<std::string> expected = {"scene.json"};
  for (const auto& c : cases) {
    write_file(dir / c.name, "left over");
    if (!c.removed) expected.insert(c.name);
  }
  save(dir / "scene.json", "{}");
  const auto names = dir.names();
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
}

TEST(atomic_file, names_up_to_the_file_system_limit_are_written_and_their_temporaries_fit_it) {
  temp_dir dir;
  const long dead = finished_process();
  std::string japanese;
  for (int i = 0; i < 85; ++i) japanese += "\xe5\xa0\xb4";  // 85 three-byte characters: 255 bytes
  for (const std::string& name : {std::string(250, 'a'), std::string(255, 'b'), japanese}) {
    SCOPED_TRACE(name.size());
    const std::string target = dir / name;
    const std::string temporary = atomic_file::temporary_name(target, dead, 4000000000u);
    const std::string temporary_name = std::filesystem::path(temporary).filename().string();
    EXPECT_LE(temporary_name.size(), 255u);
    EXPECT_EQ(temporary.rfind(dir / "", 0), 0u);
    write_file(temporary, "left by a killed save");
    save(target, name);
    EXPECT_EQ(read_file(target), name);
  }
  const auto names = dir.names();
  EXPECT_EQ(names.size(), 3u) << "a temporary was left or a name was not written";
}

TEST(atomic_file, anything_but_a_regular_file_or_a_new_name_is_refused_before_anything_is_created) {
  temp_dir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "folder");
  // A device node of our own (a second /dev/null), never the system's: should the refusal ever
  // break, a test run as root would replace the real one. Without the right to make one (not
  // root), /dev/null is only looked at, by check_target.
  const bool own_device = ::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  struct case_row {
    std::string path;
    std::string problem;
  };
  std::vector<case_row> cases = {
      {"", "no file name given"},
      {dir / "fifo", "is a FIFO"},
      {dir / "folder", "is a directory"},
      {dir / "folder/", "names a directory"},
      {dir / "missing/scene.json", "cannot create a file in " + (dir / "missing") + ": No such file"},
  };
  if (own_device)
    cases.push_back({dir / "null", "is a character device: only a regular file or a new name is written"});
  const auto before = dir.names();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      save(c.path, "text");
      ADD_FAILURE() << "written";
    } catch (const host::atomic_file_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.problem, 0), 0u) << e.what();
    }
    EXPECT_THROW(atomic_file::check_target(c.path), host::atomic_file_error);
  }
  EXPECT_EQ(dir.names(), before);
  try {
    atomic_file::check_target("/dev/null");
    ADD_FAILURE() << "/dev/null would be replaced";
  } catch (const host::atomic_file_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("is a character device", 0), 0u) << e.what();
  }
}

}  // namespace
