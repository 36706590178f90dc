#pragma once
// host::input_file: the whole of a file a user named (a scene, an edit script), read only when
// it is a regular file of bounded size. A FIFO would block the program for ever in open or
// read, a device such as /dev/zero would fill the memory, a directory has no text: each is
// refused with a message that says which it is, before anything is read.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace host {

/// Why a file could not be read, as a sentence fragment without the path ("is a directory",
/// "cannot open: No such file or directory"); the caller names the file.
class input_file_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class input_file {
 public:
  /// The bytes of the regular file at `path` (a symbolic link to one is followed). Throws
  /// input_file_error when it cannot be opened or read, is no regular file, or holds more than
  /// `limit` bytes (checked before reading and again while reading, should it grow).
  static std::string read(const std::string& path, std::size_t limit);
};

}  // namespace host
