#include "host/io/atomic_file.hpp"

#include <cerrno>
#include <cstring>

#include "host/io/system_files.hpp"
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
    const long n = system_files::write(fd, data + done, size - done);
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;  // a write that makes no progress would otherwise loop for ever
      return false;
    }
    done += std::size_t(n);
  }
  return true;
}

}  // namespace

std::string atomic_file::temporary_name(const std::string& path, long pid, unsigned n) {
  return temporary_names::name(path, pid, n);
}

void atomic_file::check_target(const std::string& path) {
  if (path.empty()) throw atomic_file_error("no file name given");
  if (system_files::names_directory(path)) throw atomic_file_error("names a directory, not a file");
  system_files::file_status info;
  if (system_files::look(path, info, /*follow_link=*/false)) {
    // A symbolic link is replaced by the new file, as any save replaces a name.
    if (info.kind != system_files::file_kind::regular && info.kind != system_files::file_kind::link)
      throw atomic_file_error(std::string("is ") + info.kind_text + ": only a regular file or a new name is written");
  } else if (errno != ENOENT) {
    throw atomic_file_error(system_error("cannot be written"));
  }
  const std::string dir = directory_of(path);
  if (!system_files::look(dir, info)) throw atomic_file_error(system_error("cannot create a file in " + dir));
  if (info.kind != system_files::file_kind::directory)
    throw atomic_file_error("cannot create a file in " + dir + ": it is no directory");
  if (!system_files::may_create_in(dir)) throw atomic_file_error(system_error("cannot create a file in " + dir));
}

int atomic_file::remove_stale_temporaries(const std::string& path) {
  const auto [prefix, name] = split(path);
  int removed = 0;
  for (const std::string& entry : system_files::names_in(directory_of(path))) {
    const long pid = temporary_pid(entry, name);
    // Only a process that is certainly gone: a live one (or one we may not ask about) may still
    // be writing its temporary.
    if (pid <= 0 || pid == system_files::process_id() || !system_files::process_gone(pid)) continue;
    if (system_files::remove(prefix + entry)) ++removed;
  }
  return removed;
}

atomic_file::atomic_file(std::string path) : path_(std::move(path)) {
  check_target(path_);
  remove_stale_temporaries(path_);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = temporary_name(path_, system_files::process_id(), ++counter);
    fd_ = system_files::create_new(temporary_);
    if (fd_ < 0 && errno != EEXIST) throw atomic_file_error(system_error("cannot create " + temporary_));
  }
  if (fd_ < 0) throw atomic_file_error("cannot create a temporary file next to it");
  system_files::copy_permissions(path_, fd_);
  buffer_.reserve(buffer_bytes);
}

atomic_file::~atomic_file() { discard(); }

void atomic_file::discard() {
  if (fd_ >= 0) system_files::close(fd_);
  if (fd_ >= 0) system_files::remove(temporary_);
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
  const bool synced = system_files::sync(fd_);
  const int sync_errno = errno;
  const bool closed = system_files::close(fd_);
  fd_ = -1;
  if (!synced || !closed) {
    if (!synced) errno = sync_errno;
    const std::string failure = system_error("cannot write " + temporary_);
    system_files::remove(temporary_);
    throw atomic_file_error(failure);
  }
  const std::string why = system_files::replace(temporary_, path_);
  if (!why.empty()) {
    system_files::remove(temporary_);
    throw atomic_file_error("cannot replace it with " + temporary_ + ": " + why);
  }
  system_files::sync_directory(directory_of(path_));
}

}  // namespace host
