#include "host/io/scene_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <nlohmann/json.hpp>

#include "host/io/canonical_json.hpp"
#include "host/io/json_document.hpp"
#include "host/io/scene_file_reader.hpp"
#include "host/io/scene_file_writer.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace {

std::string system_error(const std::string& what) { return what + ": " + std::strerror(errno); }

// "[json.exception.parse_error.101] parse error at line 3, column 5: syntax error ..." becomes
// place "line 3, column 5" and the rest as the problem.
scene_file_error malformed(const std::string& file, const nlohmann::json::parse_error& e) {
  std::string text = e.what();
  const std::string marker = " at line ";
  const auto at = text.find(marker);
  const auto colon = at == std::string::npos ? std::string::npos : text.find(": ", at);
  if (colon == std::string::npos) return scene_file_error(file, "", "malformed JSON: " + text);
  return scene_file_error(file, text.substr(at + 4, colon - at - 4), "malformed JSON: " + text.substr(colon + 2));
}

// A new empty file next to `path`, with the permission bits of the file it will replace (if
// any); its descriptor, and its name in `temporary`.
int create_temporary(const std::string& path, std::string& temporary) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) throw scene_file_error(path, "", system_error("cannot create " + temporary));
    struct stat old;
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    return fd;
  }
  throw scene_file_error(path, "", "cannot create a temporary file next to it");
}

// Writes all of `text` and flushes it to disk; false with errno set.
bool write_all(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;  // a write that makes no progress would otherwise loop for ever
      return false;
    }
    done += std::size_t(n);
  }
  return ::fsync(fd) == 0;
}

// Writes all of `text` to a new file next to `path`; the temporary file's name, or throws
// (and the temporary file is gone).
std::string write_temporary(const std::string& path, const std::string& text) {
  std::string temporary;
  const int fd = create_temporary(path, temporary);
  const bool written = write_all(fd, text);
  std::string failure = written ? "" : system_error("cannot write " + temporary);
  if (::close(fd) != 0 && written) failure = system_error("cannot write " + temporary);
  if (failure.empty()) return temporary;
  ::unlink(temporary.c_str());
  throw scene_file_error(path, "", failure);
}

// The whole file; a directory or an unreadable file fails here rather than looking empty.
std::string read_all(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw scene_file_error(path, "", system_error("cannot open"));
  std::string text;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const std::string failure = system_error("cannot read");
      ::close(fd);
      throw scene_file_error(path, "", failure);
    }
    if (n == 0) break;
    text.append(buffer, std::size_t(n));
  }
  ::close(fd);
  return text;
}

// Makes the rename itself durable; the file is already whole on disk, so a failure here only
// risks the old name surviving a power cut and is not reported.
void sync_directory_of(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

sxsdk::host_ref<scene> scene_file::load(const std::string& path, scene_services* services) {
  return parse(read_all(path), path, services);
}

sxsdk::host_ref<scene> scene_file::parse(const std::string& text, const std::string& file_name,
                                         scene_services* services) {
  nlohmann::json document;
  try {
    document = json_document::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    throw malformed(file_name, e);
  } catch (const json_path_error& e) {
    throw scene_file_error(file_name, e.path.empty() ? "/" : e.path, e.problem);
  } catch (const nlohmann::json::exception& e) {
    throw scene_file_error(file_name, "", std::string("malformed JSON: ") + e.what());
  }
  try {
    return scene_file_reader::build(document, services);
  } catch (const json_path_error& e) {
    throw scene_file_error(file_name, e.path.empty() ? "/" : e.path, e.problem);
  } catch (const std::exception& e) {
    // The reader checks every value before the scene model sees it; should the model still
    // refuse one, the caller gets the same kind of message.
    throw scene_file_error(file_name, "", std::string("cannot build the scene: ") + e.what());
  }
}

std::string scene_file::format(scene& s, const std::string& file_name) {
  try {
    return canonical_json::dump(scene_file_writer::document(s));
  } catch (const json_path_error& e) {
    throw scene_file_error(file_name, e.path, e.problem);
  }
}

void scene_file::save(scene& s, const std::string& path) {
  const std::string text = format(s, path);  // before touching any file
  const std::string temporary = write_temporary(path, text);
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string failure = system_error("cannot replace it with " + temporary);
    ::unlink(temporary.c_str());
    throw scene_file_error(path, "", failure);
  }
  sync_directory_of(path);
}

}  // namespace host
