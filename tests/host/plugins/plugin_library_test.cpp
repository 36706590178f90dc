// Opening plug-in libraries: the seven entry points, and what a library that cannot be used
// says about itself.
#include <gtest/gtest.h>

#include <string>

#include "host/plugins/plugin_library.hpp"
#include "sdk/iid.hpp"

namespace {

const std::string standin_dir = PHYSPLUG_STANDIN_DIR;

std::string load_error(const std::string& path) {
  try {
    host::plugin_library library(path);
  } catch (const host::plugin_load_error& e) {
    return e.what();
  }
  return "";
}

TEST(plugin_library, a_complete_library_offers_its_seven_entry_points) {
  host::plugin_library library(standin_dir + "/libstandin_ik.so");
  EXPECT_EQ(library.path(), standin_dir + "/libstandin_ik.so");
  EXPECT_EQ(library.has_interface(sxsdk::attribute_iid, nullptr), 1);
  EXPECT_EQ(library.has_interface(sxsdk::creator_iid, nullptr), 0);
  EXPECT_STREQ(library.get_group_name(nullptr), "standin");
  EXPECT_NE(library.create_interface, nullptr);
  EXPECT_NE(library.get_name, nullptr);
  EXPECT_NE(library.get_uuid, nullptr);
  EXPECT_NE(library.is_resident, nullptr);
  EXPECT_NE(library.get_info, nullptr);
}

TEST(plugin_library, errors_name_the_path_and_every_missing_entry_point) {
  const std::string incomplete = standin_dir + "/libstandin_incomplete.so";
  const std::string missing_file = standin_dir + "/libno_such_plugin.so";
  struct {
    std::string path;
    std::vector<std::string> named;
    std::vector<std::string> not_named;
  } cases[] = {
      {incomplete, {incomplete, "\"get_info\""}, {"create_interface", "is_resident"}},
      {missing_file, {missing_file}, {}},
      // A library that is no plug-in at all lacks all seven.
      {"libm.so.6",
       {"libm.so.6", "create_interface", "has_interface", "get_name", "get_uuid", "get_group_name", "is_resident",
        "get_info"},
       {}},
  };
  for (const auto& c : cases) {
    const std::string error = load_error(c.path);
    ASSERT_FALSE(error.empty()) << c.path << " loaded";
    for (const std::string& word : c.named) EXPECT_NE(error.find(word), std::string::npos) << error;
    for (const std::string& word : c.not_named) EXPECT_EQ(error.find(word), std::string::npos) << error;
  }
}

}  // namespace
