// input_file on Windows: the same contract as the POSIX version (input_file.cpp); the file is
// read in binary mode, so its bytes arrive as they are stored (no newline translation).
#include "host/io/input_file.hpp"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace host {
namespace {

std::string system_error(const std::string& what) { return what + ": " + std::strerror(errno); }

std::string too_large(unsigned long long size, std::size_t limit) {
  return "is " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) + " bytes this program reads";
}

struct descriptor {
  int fd;
  ~descriptor() {
    if (fd >= 0) ::_close(fd);
  }
};

}  // namespace

const char* input_file::kind_of(unsigned mode) {
  if (S_ISREG(mode)) return "a regular file";
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISCHR(mode)) return "a character device";
  return "no regular file";
}

std::string input_file::read(const std::string& path, std::size_t limit) {
  struct _stat64 info;
  if (::_stat64(path.c_str(), &info) != 0) throw input_file_error(system_error("cannot open"));
  if (!S_ISREG(info.st_mode))
    throw input_file_error(std::string("is ") + kind_of(info.st_mode) + ", not a file to read");
  if (static_cast<unsigned long long>(info.st_size) > limit) throw input_file_error(too_large(info.st_size, limit));
  const descriptor file{::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT)};
  if (file.fd < 0) throw input_file_error(system_error("cannot open"));
  std::string text;
  text.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const int n = ::_read(file.fd, buffer, sizeof buffer);
    if (n < 0) throw input_file_error(system_error("cannot read"));
    if (n == 0) return text;
    text.append(buffer, std::size_t(n));
    if (text.size() > limit) throw input_file_error(too_large(text.size(), limit) + " (it grew while being read)");
  }
}

}  // namespace host
