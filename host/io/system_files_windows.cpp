// Files on Windows: opened in binary mode (no newline translation: bytes are read and written as
// they are stored), flushed with _commit, and moved over an existing target with MoveFileEx,
// since rename() refuses one. Windows has no symbolic-link check, permission bits or directory
// flush to speak of here; those calls do nothing.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <filesystem>

#include "host/io/system_files.hpp"

namespace host::system_files {
namespace {

bool status_of(const struct _stat64& info, file_status& out) {
  out.kind = S_ISREG(info.st_mode)   ? file_kind::regular
             : S_ISDIR(info.st_mode) ? file_kind::directory
                                     : file_kind::other;
  out.kind_text = kind_of(info.st_mode);
  out.size = static_cast<unsigned long long>(info.st_size);
  return true;
}

}  // namespace

bool look(const std::string& path, file_status& out, bool) {
  struct _stat64 info;
  return ::_stat64(path.c_str(), &info) == 0 && status_of(info, out);
}

bool look(int fd, file_status& out) {
  struct _stat64 info;
  return ::_fstat64(fd, &info) == 0 && status_of(info, out);
}

const char* kind_of(unsigned mode) {
  if (S_ISREG(mode)) return "a regular file";
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISCHR(mode)) return "a character device";
  return "no regular file";
}

bool names_directory(const std::string& path) { return !path.empty() && (path.back() == '/' || path.back() == '\\'); }

bool may_create_in(const std::string&) { return true; }

std::vector<std::string> names_in(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator listing(dir, error);
  if (error) return names;
  for (const std::filesystem::directory_entry& entry : listing) names.push_back(entry.path().filename().string());
  return names;
}

int open_to_read(const std::string& path) { return ::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT); }

int create_new(const std::string& path) {
  return ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

void copy_permissions(const std::string&, int) {}

long read(int fd, char* data, std::size_t size) {
  return ::_read(fd, data, size > (1u << 30) ? (1u << 30) : unsigned(size));
}

long write(int fd, const char* data, std::size_t size) {
  return ::_write(fd, data, size > (1u << 30) ? (1u << 30) : unsigned(size));
}

bool sync(int fd) { return ::_commit(fd) == 0; }

bool close(int fd) { return ::_close(fd) == 0; }

bool remove(const std::string& path) { return ::_unlink(path.c_str()) == 0; }

std::string replace(const std::string& from, const std::string& to) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return "";
  return "error " + std::to_string(::GetLastError());
}

void sync_directory(const std::string&) {}

long process_id() { return long(::_getpid()); }

bool process_gone(long pid) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
  if (!process) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool running = !::GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
  ::CloseHandle(process);
  return !running;
}

}  // namespace host::system_files
