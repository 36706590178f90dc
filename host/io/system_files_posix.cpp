#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/io/system_files.hpp"

namespace host::system_files {
namespace {

bool status_of(const struct stat& info, file_status& out) {
  out.kind = S_ISREG(info.st_mode)   ? file_kind::regular
             : S_ISDIR(info.st_mode) ? file_kind::directory
             : S_ISLNK(info.st_mode) ? file_kind::link
                                     : file_kind::other;
  out.kind_text = kind_of(info.st_mode);
  out.size = static_cast<unsigned long long>(info.st_size);
  return true;
}

}  // namespace

bool look(const std::string& path, file_status& out, bool follow_link) {
  struct stat info;
  const int result = follow_link ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
  return result == 0 && status_of(info, out);
}

bool look(int fd, file_status& out) {
  struct stat info;
  return ::fstat(fd, &info) == 0 && status_of(info, out);
}

const char* kind_of(unsigned mode) {
  if (S_ISREG(mode)) return "a regular file";
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "no regular file";
}

bool names_directory(const std::string& path) { return !path.empty() && path.back() == '/'; }

bool may_create_in(const std::string& dir) { return ::access(dir.c_str(), W_OK | X_OK) == 0; }

std::vector<std::string> names_in(const std::string& dir) {
  std::vector<std::string> names;
  DIR* listing = ::opendir(dir.c_str());
  if (!listing) return names;
  while (const dirent* entry = ::readdir(listing)) names.emplace_back(entry->d_name);
  ::closedir(listing);
  return names;
}

int open_to_read(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY); }

int create_new(const std::string& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }

void copy_permissions(const std::string& path, int fd) {
  struct stat old;
  if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
}

long read(int fd, char* data, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, data, size);
    if (n >= 0 || errno != EINTR) return long(n);
  }
}

long write(int fd, const char* data, std::size_t size) {
  for (;;) {
    const ssize_t n = ::write(fd, data, size);
    if (n >= 0 || errno != EINTR) return long(n);
  }
}

bool sync(int fd) { return ::fsync(fd) == 0; }

bool close(int fd) { return ::close(fd) == 0; }

bool remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::string replace(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? "" : std::strerror(errno);
}

void sync_directory(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

long process_id() { return long(::getpid()); }

bool process_gone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

}  // namespace host::system_files
