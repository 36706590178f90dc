#pragma once
// host::atomic_file: an output file that appears whole or not at all. The bytes go to a
// temporary file next to the target (same directory, so the final rename cannot cross file
// systems), which is flushed to disk and renamed over the target only at commit(); any failure
// before, or an object destroyed without commit(), removes the temporary and leaves the old
// target as it was. A full disk, a kill or a crash therefore never leaves half a file under the
// target's name.
//
// Temporaries are named "<target>.tmp-<pid>-<n>" (the target's name shortened when the whole
// would exceed the file system's 255-byte limit on a name). One left behind by a process that
// no longer runs (kill -9, power cut) is removed the next time the same target is written.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace host {

/// Why an output file could not be written, as a sentence fragment without the target's path
/// ("cannot create /d/x.tmp-12-1: Permission denied"); the caller names the target.
class atomic_file_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class atomic_file {
 public:
  /// Throws atomic_file_error when `path` cannot be written: it is empty, names something that
  /// is neither a regular file nor a symbolic link (a directory, a device node, a FIFO: those
  /// are never replaced), or its directory does not exist or is not writable. Creates nothing.
  static void check_target(const std::string& path);

  /// Checks the target, removes stale temporaries of it and creates a new temporary; throws
  /// atomic_file_error. An existing target's permission bits are given to the new file.
  explicit atomic_file(std::string path);
  /// Removes the temporary unless committed.
  ~atomic_file();
  atomic_file(const atomic_file&) = delete;
  atomic_file& operator=(const atomic_file&) = delete;

  /// Appends bytes (buffered); throws atomic_file_error when the disk refuses them.
  void write(const char* data, std::size_t size);
  void write(const std::string& text) { write(text.data(), text.size()); }

  /// Writes what is buffered, flushes it to disk, renames the temporary over the target and
  /// flushes the directory. Throws atomic_file_error (the target then is untouched).
  void commit();

  const std::string& path() const { return path_; }
  const std::string& temporary() const { return temporary_; }

  /// The temporary's name for the target `path`, process `pid` and counter `n`.
  static std::string temporary_name(const std::string& path, long pid, unsigned n);
  /// Removes temporaries of `path` whose process is gone; returns how many were removed.
  static int remove_stale_temporaries(const std::string& path);

 private:
  void flush_buffer();
  void discard();

  std::string path_;
  std::string temporary_;
  std::string buffer_;
  int fd_ = -1;
};

}  // namespace host
