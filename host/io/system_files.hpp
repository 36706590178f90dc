#pragma once
// host::system_files: the few calls into the operating system that reading and writing files
// needs, one thin version per platform (system_files_posix.cpp, system_files_windows.cpp).
// Everything above them (input_file, atomic_file) is the same on every platform. Calls that
// fail return -1 or false with errno set, like the C library's.
#include <cstddef>
#include <string>
#include <vector>

namespace host::system_files {

enum class file_kind { regular, directory, link, other };

struct file_status {
  file_kind kind = file_kind::other;
  const char* kind_text = "";  ///< for messages: "a regular file", "a directory", "a FIFO", ...
  unsigned long long size = 0;
};

/// What is at `path`; a symbolic link is followed unless `follow_link` is false.
bool look(const std::string& path, file_status& out, bool follow_link = true);
/// What the open file `fd` is.
bool look(int fd, file_status& out);
/// "a regular file", "a directory", "a FIFO", ... for a stat mode (st_mode).
const char* kind_of(unsigned mode);
/// True when `path` ends in a separator, so it can only name a directory.
bool names_directory(const std::string& path);
/// Whether this process may create files in the directory `dir`.
bool may_create_in(const std::string& dir);
/// The names in directory `dir` ("." and ".." included); empty when it cannot be listed.
std::vector<std::string> names_in(const std::string& dir);

/// Opens a file for reading without waiting (a FIFO or terminal never blocks the open).
int open_to_read(const std::string& path);
/// Creates `path`, which must not exist yet (errno EEXIST when it does), for writing.
int create_new(const std::string& path);
/// Gives the new file `fd` the permission bits of `path`, when `path` exists.
void copy_permissions(const std::string& path, int fd);
/// Reads or writes at most `size` bytes; an interrupted call is repeated.
long read(int fd, char* data, std::size_t size);
long write(int fd, const char* data, std::size_t size);
/// Flushes the file's bytes to the disk.
bool sync(int fd);
bool close(int fd);
bool remove(const std::string& path);
/// Moves `from` over `to` in one step (an existing `to` is replaced); "" or why it failed.
std::string replace(const std::string& from, const std::string& to);
/// Makes a rename in `dir` durable where the platform needs it; failures are not reported.
void sync_directory(const std::string& dir);

long process_id();
/// True only when process `pid` certainly runs no more (one we may not ask about may run).
bool process_gone(long pid);

}  // namespace host::system_files
