#pragma once
// A fresh directory for one test, removed at the end, and small file helpers.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace host_test {

struct temp_dir {
  std::filesystem::path path;
  temp_dir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "physplug_test-XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~temp_dir() { std::filesystem::remove_all(path); }
  temp_dir(const temp_dir&) = delete;
  temp_dir& operator=(const temp_dir&) = delete;
  /// The names in the directory, sorted.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(path)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  std::string operator/(const std::string& name) const { return (path / name).string(); }
};

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void write_file(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace host_test
