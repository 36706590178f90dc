#include "host/io/input_file.hpp"

#include <cerrno>
#include <cstring>

#include "host/io/system_files.hpp"

namespace host {
namespace {

std::string system_error(const std::string& what) { return what + ": " + std::strerror(errno); }

std::string too_large(unsigned long long size, std::size_t limit) {
  return "is " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) + " bytes this program reads";
}

// Closes the descriptor on every path out of read().
struct descriptor {
  int fd;
  ~descriptor() {
    if (fd >= 0) system_files::close(fd);
  }
};

}  // namespace

std::string input_file::read(const std::string& path, std::size_t limit) {
  // Looked at before opening: opening a FIFO waits for a writer, and opening a device may
  // already do something. The open never waits either, and the open file is looked at again,
  // in case the name was swapped between the two looks.
  system_files::file_status info;
  if (!system_files::look(path, info)) throw input_file_error(system_error("cannot open"));
  if (info.kind != system_files::file_kind::regular)
    throw input_file_error(std::string("is ") + info.kind_text + ", not a file to read");
  const descriptor file{system_files::open_to_read(path)};
  if (file.fd < 0) throw input_file_error(system_error("cannot open"));
  if (!system_files::look(file.fd, info)) throw input_file_error(system_error("cannot read"));
  if (info.kind != system_files::file_kind::regular)
    throw input_file_error(std::string("is ") + info.kind_text + ", not a file to read");
  if (info.size > limit) throw input_file_error(too_large(info.size, limit));
  std::string text;
  text.reserve(static_cast<std::size_t>(info.size));
  char buffer[1 << 16];
  for (;;) {
    const long n = system_files::read(file.fd, buffer, sizeof buffer);
    if (n < 0) throw input_file_error(system_error("cannot read"));
    if (n == 0) return text;
    text.append(buffer, std::size_t(n));
    if (text.size() > limit) throw input_file_error(too_large(text.size(), limit) + " (it grew while being read)");
  }
}

}  // namespace host
