// The plug-in's folders form floors: each includes only itself and the floors below it, so no
// two folders include each other. Bullet's dynamics stay in engine/, and nothing on the plug-in
// side sees the headless host.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Top to bottom. A folder may include its own headers and those of any floor below it.
const std::vector<std::string> floors = {"plugin",     "editing",  "bridge", "joints", "softbody",
                                         "properties", "geometry", "base",   "engine", "debugview"};
// Below every floor and usable by all but the engine: the host SDK as the plug-in sees it.
const std::vector<std::string> sdk_folders = {"sdk", "sx"};

struct include_line {
  std::string file;
  int line;
  std::string target;  // as written between the quotes or angle brackets
  bool angled;
};

std::vector<include_line> includes_of(const fs::path& file, const std::string& shown) {
  static const std::regex include_re(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<include_line> out;
  std::ifstream in(file);
  std::string text;
  for (int n = 1; std::getline(in, text); ++n) {
    std::smatch m;
    if (std::regex_search(text, m, include_re)) out.push_back({shown, n, m[2].str(), m[1].str() == "<"});
  }
  return out;
}

std::vector<include_line> includes_in(const std::string& folder) {
  std::vector<include_line> out;
  const fs::path root = fs::path(PHYSPLUG_SOURCE_DIR) / folder;
  if (!fs::exists(root)) return out;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".cpp" && ext != ".hpp" && ext != ".h") continue;
    const std::string shown = fs::relative(entry.path(), PHYSPLUG_SOURCE_DIR).string();
    for (include_line& i : includes_of(entry.path(), shown)) out.push_back(i);
  }
  return out;
}

std::string first_folder(const std::string& path) { return path.substr(0, path.find('/')); }

int floor_of(const std::string& folder) {
  for (std::size_t i = 0; i < floors.size(); ++i)
    if (floors[i] == folder) return static_cast<int>(i);
  return -1;
}

bool is_bullet_dynamics(const include_line& i) {
  // LinearMath (vectors, transforms) is the one part of Bullet the scene side may use.
  static const std::regex bullet_re(R"(^(btBullet|BulletCollision/|BulletDynamics/|BulletSoftBody/))");
  return i.angled && std::regex_search(i.target, bullet_re);
}

std::string where(const include_line& i) { return i.file + ":" + std::to_string(i.line) + " includes " + i.target; }

}  // namespace

TEST(include_rules, every_folder_includes_only_itself_and_the_floors_below) {
  for (const std::string& folder : floors) {
    const int own = floor_of(folder);
    for (const include_line& i : includes_in(folder)) {
      if (i.angled) continue;
      const std::string target = first_folder(i.target);
      if (target == folder) continue;
      const bool sdk = target == "sdk" || target == "sx";
      if (sdk) {
        EXPECT_NE(folder, "engine") << where(i) << ": the engine sees shapes only as opaque keys";
        continue;
      }
      const int other = floor_of(target);
      EXPECT_GT(other, own) << where(i) << ": " << folder << "/ may include only the floors below it";
    }
  }
}

TEST(include_rules, bullet_dynamics_only_in_the_engine) {
  std::vector<std::string> folders = floors;
  folders.insert(folders.end(), sdk_folders.begin(), sdk_folders.end());
  for (const std::string& folder : folders) {
    if (folder == "engine") continue;
    for (const include_line& i : includes_in(folder)) EXPECT_FALSE(is_bullet_dynamics(i)) << where(i);
  }
}

TEST(include_rules, the_debug_view_knows_no_bullet) {
  // It is handed plain line lists; not even Bullet's vectors cross into it.
  for (const include_line& i : includes_in("debugview")) {
    EXPECT_FALSE(i.angled && i.target.rfind("LinearMath/", 0) == 0) << where(i);
    EXPECT_FALSE(is_bullet_dynamics(i)) << where(i);
  }
}

TEST(include_rules, the_plugin_side_never_sees_the_headless_host) {
  std::vector<std::string> folders = floors;
  folders.insert(folders.end(), sdk_folders.begin(), sdk_folders.end());
  for (const std::string& folder : folders)
    for (const include_line& i : includes_in(folder))
      EXPECT_FALSE(!i.angled && first_folder(i.target) == "host") << where(i);
}

TEST(include_rules, the_rules_see_the_code) {
  // A moved tree or a broken pattern would make the checks above pass on nothing.
  std::map<std::string, std::size_t> seen;
  for (const std::string& folder : floors) seen[folder] = includes_in(folder).size();
  for (const char* folder : {"plugin", "bridge", "properties", "base", "engine", "debugview"})
    EXPECT_GT(seen[folder], 0u) << folder;
  const std::vector<include_line> engine = includes_in("engine");
  EXPECT_TRUE(std::any_of(engine.begin(), engine.end(), is_bullet_dynamics));
}
