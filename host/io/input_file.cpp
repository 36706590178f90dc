#include "host/io/input_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace host {
namespace {

std::string system_error(const std::string& what) { return what + ": " + std::strerror(errno); }

std::string too_large(unsigned long long size, std::size_t limit) {
  return "is " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) + " bytes this program reads";
}

// Closes the descriptor on every path out of read().
struct descriptor {
  int fd;
  ~descriptor() { ::close(fd); }
};

}  // namespace

const char* input_file::kind_of(unsigned mode) {
  if (S_ISREG(mode)) return "a regular file";
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "no regular file";
}

std::string input_file::read(const std::string& path, std::size_t limit) {
  // Looked at before opening: opening a FIFO waits for a writer, and opening a device may
  // already do something. O_NONBLOCK still guards against a swap between the two looks.
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) throw input_file_error(system_error("cannot open"));
  if (!S_ISREG(info.st_mode))
    throw input_file_error(std::string("is ") + kind_of(info.st_mode) + ", not a file to read");
  const descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
  if (file.fd < 0) throw input_file_error(system_error("cannot open"));
  if (::fstat(file.fd, &info) != 0) throw input_file_error(system_error("cannot read"));
  if (!S_ISREG(info.st_mode))
    throw input_file_error(std::string("is ") + kind_of(info.st_mode) + ", not a file to read");
  if (static_cast<unsigned long long>(info.st_size) > limit) throw input_file_error(too_large(info.st_size, limit));
  std::string text;
  text.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw input_file_error(system_error("cannot read"));
    if (n == 0) return text;
    text.append(buffer, std::size_t(n));
    if (text.size() > limit) throw input_file_error(too_large(text.size(), limit) + " (it grew while being read)");
  }
}

}  // namespace host
