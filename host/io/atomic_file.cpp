#include "host/io/atomic_file.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/io/input_file.hpp"
#include "host/io/temporary_names.hpp"

namespace host {
namespace {

constexpr std::size_t buffer_bytes = 1 << 16;

std::string system_error(const std::string& what) { return what + ": " + std::strerror(errno); }

using temporary_names::directory_of;
using temporary_names::split;
using temporary_names::temporary_pid;

// Writes all of `data`; false with errno set.
bool write_all(int fd, const char* data, std::size_t size) {
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;  // a write that makes no progress would otherwise loop for ever
      return false;
    }
    done += std::size_t(n);
  }
  return true;
}

// Makes the rename itself durable; the file is already whole on disk, so a failure here only
// risks the old name surviving a power cut and is not reported.
void sync_directory(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string atomic_file::temporary_name(const std::string& path, long pid, unsigned n) {
  return temporary_names::name(path, pid, n);
}

void atomic_file::check_target(const std::string& path) {
  if (path.empty()) throw atomic_file_error("no file name given");
  if (path.back() == '/') throw atomic_file_error("names a directory, not a file");
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0) {
    // A symbolic link is replaced by the new file, as any save replaces a name.
    if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
      throw atomic_file_error(std::string("is ") + input_file::kind_of(info.st_mode) +
                              ": only a regular file or a new name is written");
  } else if (errno != ENOENT) {
    throw atomic_file_error(system_error("cannot be written"));
  }
  const std::string dir = directory_of(path);
  if (::stat(dir.c_str(), &info) != 0) throw atomic_file_error(system_error("cannot create a file in " + dir));
  if (!S_ISDIR(info.st_mode)) throw atomic_file_error("cannot create a file in " + dir + ": it is no directory");
  if (::access(dir.c_str(), W_OK | X_OK) != 0) throw atomic_file_error(system_error("cannot create a file in " + dir));
}

int atomic_file::remove_stale_temporaries(const std::string& path) {
  const std::string name = split(path).second, dir = directory_of(path), prefix = split(path).first;
  DIR* listing = ::opendir(dir.c_str());
  if (!listing) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    const long pid = temporary_pid(entry->d_name, name);
    // Only a process that is certainly gone: a live one (or one we may not signal) may still
    // be writing its temporary.
    if (pid <= 0 || pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    if (::unlink((prefix + entry->d_name).c_str()) == 0) ++removed;
  }
  ::closedir(listing);
  return removed;
}

atomic_file::atomic_file(std::string path) : path_(std::move(path)) {
  check_target(path_);
  remove_stale_temporaries(path_);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = temporary_name(path_, ::getpid(), ++counter);
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) throw atomic_file_error(system_error("cannot create " + temporary_));
  }
  if (fd_ < 0) throw atomic_file_error("cannot create a temporary file next to it");
  struct stat old;
  if (::stat(path_.c_str(), &old) == 0) ::fchmod(fd_, old.st_mode & 07777);
  buffer_.reserve(buffer_bytes);
}

atomic_file::~atomic_file() { discard(); }

void atomic_file::discard() {
  if (fd_ >= 0) ::close(fd_);
  if (fd_ >= 0) ::unlink(temporary_.c_str());
  fd_ = -1;
}

void atomic_file::write(const char* data, std::size_t size) {
  if (fd_ < 0) throw atomic_file_error("is already written");
  buffer_.append(data, size);
  if (buffer_.size() >= buffer_bytes) flush_buffer();
}

void atomic_file::flush_buffer() {
  if (!write_all(fd_, buffer_.data(), buffer_.size())) {
    const std::string failure = system_error("cannot write " + temporary_);
    discard();
    throw atomic_file_error(failure);
  }
  buffer_.clear();
}

void atomic_file::commit() {
  if (fd_ < 0) throw atomic_file_error("is already written");
  flush_buffer();
  const bool synced = ::fsync(fd_) == 0;
  const int sync_errno = errno;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!synced || !closed) {
    if (!synced) errno = sync_errno;
    const std::string failure = system_error("cannot write " + temporary_);
    ::unlink(temporary_.c_str());
    throw atomic_file_error(failure);
  }
  if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
    const std::string failure = system_error("cannot replace it with " + temporary_);
    ::unlink(temporary_.c_str());
    throw atomic_file_error(failure);
  }
  sync_directory(directory_of(path_));
}

}  // namespace host
