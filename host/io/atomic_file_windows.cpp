// atomic_file on Windows: the same contract as the POSIX version (atomic_file.cpp), with the
// file written in binary mode (no newline translation: outputs are byte-exact), flushed with
// _commit and moved over the target with MoveFileEx, since rename() refuses an existing target.
#include "host/io/atomic_file.hpp"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "host/io/input_file.hpp"
#include "host/io/temporary_names.hpp"

namespace host {
namespace {

constexpr std::size_t buffer_bytes = 1 << 16;
namespace fs = std::filesystem;

std::string system_error(const std::string& what) { return what + ": " + std::strerror(errno); }

bool write_all(int fd, const char* data, std::size_t size) {
  for (std::size_t done = 0; done < size;) {
    const unsigned chunk = size - done > (1u << 30) ? (1u << 30) : unsigned(size - done);
    const int n = ::_write(fd, data + done, chunk);
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += std::size_t(n);
  }
  return true;
}

// True unless the process is certainly gone: one we may not open may still be writing.
bool process_may_run(long pid) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
  if (!process) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool running = !::GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
  ::CloseHandle(process);
  return running;
}

}  // namespace

std::string atomic_file::temporary_name(const std::string& path, long pid, unsigned n) {
  return temporary_names::name(path, pid, n);
}

void atomic_file::check_target(const std::string& path) {
  if (path.empty()) throw atomic_file_error("no file name given");
  if (path.back() == '/' || path.back() == '\\') throw atomic_file_error("names a directory, not a file");
  struct _stat64 info;
  if (::_stat64(path.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode))
      throw atomic_file_error(std::string("is ") + input_file::kind_of(info.st_mode) +
                              ": only a regular file or a new name is written");
  } else if (errno != ENOENT) {
    throw atomic_file_error(system_error("cannot be written"));
  }
  const std::string dir = temporary_names::directory_of(path);
  if (::_stat64(dir.c_str(), &info) != 0) throw atomic_file_error(system_error("cannot create a file in " + dir));
  if (!S_ISDIR(info.st_mode)) throw atomic_file_error("cannot create a file in " + dir + ": it is no directory");
}

int atomic_file::remove_stale_temporaries(const std::string& path) {
  const auto [prefix, name] = temporary_names::split(path);
  std::error_code error;
  fs::directory_iterator listing(temporary_names::directory_of(path), error);
  if (error) return 0;
  int removed = 0;
  for (const fs::directory_entry& entry : listing) {
    const std::string entry_name = entry.path().filename().string();
    const long pid = temporary_names::temporary_pid(entry_name, name);
    if (pid <= 0 || pid == ::_getpid() || process_may_run(pid)) continue;
    if (::_unlink((prefix + entry_name).c_str()) == 0) ++removed;
  }
  return removed;
}

atomic_file::atomic_file(std::string path) : path_(std::move(path)) {
  check_target(path_);
  remove_stale_temporaries(path_);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = temporary_name(path_, ::_getpid(), ++counter);
    fd_ = ::_open(temporary_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd_ < 0 && errno != EEXIST) throw atomic_file_error(system_error("cannot create " + temporary_));
  }
  if (fd_ < 0) throw atomic_file_error("cannot create a temporary file next to it");
  buffer_.reserve(buffer_bytes);
}

atomic_file::~atomic_file() { discard(); }

void atomic_file::discard() {
  if (fd_ >= 0) ::_close(fd_);
  if (fd_ >= 0) ::_unlink(temporary_.c_str());
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
  const bool synced = ::_commit(fd_) == 0;
  const int sync_errno = errno;
  const bool closed = ::_close(fd_) == 0;
  fd_ = -1;
  if (!synced || !closed) {
    if (!synced) errno = sync_errno;
    const std::string failure = system_error("cannot write " + temporary_);
    ::_unlink(temporary_.c_str());
    throw atomic_file_error(failure);
  }
  if (!::MoveFileExA(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const std::string failure =
        "cannot replace it with " + temporary_ + " (error " + std::to_string(::GetLastError()) + ")";
    ::_unlink(temporary_.c_str());
    throw atomic_file_error(failure);
  }
}

}  // namespace host
