// Reading a file a user named: only regular files, and only up to a size limit, each refusal
// saying what the path is. A FIFO without a writer would block open() for ever: the test
// would hang (and time out) rather than fail.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <filesystem>

#include "host/io/input_file.hpp"
#include "temp_dir.hpp"

namespace {

using host::input_file;
using host_test::temp_dir;

TEST(input_file, reads_a_regular_file_and_a_link_to_one_whole) {
  temp_dir dir;
  const std::string text("line one\n\0binary\xff", 18);
  host_test::write_file(dir / "a.json", text);
  std::filesystem::create_symlink(dir / "a.json", dir / "link.json");
  EXPECT_EQ(input_file::read(dir / "a.json", text.size()), text);
  EXPECT_EQ(input_file::read(dir / "link.json", 1 << 20), text);
}

TEST(input_file, refuses_what_is_no_regular_file_or_too_large_at_once) {
  temp_dir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);  // no writer: open alone would wait for ever
  std::filesystem::create_directory(dir / "folder");
  host_test::write_file(dir / "five", "12345");
  // A sparse file of 1 GiB: its size is refused before a byte of it is read.
  host_test::write_file(dir / "huge", "");
  ASSERT_EQ(::truncate((dir / "huge").c_str(), off_t(1) << 30), 0);
  const struct {
    std::string path;
    std::size_t limit;
    std::string problem;
  } cases[] = {
      {dir / "fifo", 1 << 20, "is a FIFO, not a file to read"},
      {dir / "folder", 1 << 20, "is a directory, not a file to read"},
      {"/dev/zero", 1 << 20, "is a character device, not a file to read"},
      {dir / "five", 4, "is 5 bytes, more than the 4 bytes this program reads"},
      {dir / "huge", 1 << 20, "is 1073741824 bytes, more than the 1048576 bytes"},
      {dir / "missing", 1 << 20, "cannot open: No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      input_file::read(c.path, c.limit);
      ADD_FAILURE() << "read";
    } catch (const host::input_file_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.problem, 0), 0u) << e.what();
    }
  }
}

}  // namespace
