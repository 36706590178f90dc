#include "host/io/temporary_names.hpp"

#include <cstring>

namespace host::temporary_names {
namespace {

constexpr std::size_t max_name_bytes = 255;  // NAME_MAX of every file system we write to
constexpr const char* marker = ".tmp-";

#ifdef _WIN32
constexpr const char* separators = "/\\";
#else
constexpr const char* separators = "/";
#endif

// `name` cut to at most `bytes` bytes, never inside a UTF-8 sequence.
std::string shortened(const std::string& name, std::size_t bytes) {
  if (name.size() <= bytes) return name;
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return name.substr(0, end);
}

bool all_digits(const std::string& text) {
  if (text.empty() || text.size() > 18) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::pair<std::string, std::string> split(const std::string& path) {
  const auto slash = path.find_last_of(separators);
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::string directory_of(const std::string& path) {
  const std::string dir = split(path).first;
  if (dir.empty()) return ".";
  return dir.size() == 1 ? dir : dir.substr(0, dir.size() - 1);
}

std::string name(const std::string& path, long pid, unsigned n) {
  const auto [dir, target] = split(path);
  const std::string suffix = marker + std::to_string(pid) + "-" + std::to_string(n);
  return dir + shortened(target, max_name_bytes - suffix.size()) + suffix;
}

long temporary_pid(const std::string& entry, const std::string& target_name) {
  const auto at = entry.rfind(marker);
  if (at == std::string::npos) return -1;
  const std::string stem = entry.substr(0, at), rest = entry.substr(at + std::strlen(marker));
  const auto dash = rest.find('-');
  if (dash == std::string::npos || !all_digits(rest.substr(0, dash)) || !all_digits(rest.substr(dash + 1))) return -1;
  const bool whole = stem == target_name;
  const bool cut = stem.size() < target_name.size() && target_name.compare(0, stem.size(), stem) == 0 &&
                   entry.size() + 3 >= max_name_bytes;  // shortened to fill the limit (3: a UTF-8 back-off)
  if (!whole && !cut) return -1;
  return std::stol(rest.substr(0, dash));
}

}  // namespace host::temporary_names
