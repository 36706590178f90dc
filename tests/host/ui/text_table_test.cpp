#include "host/ui/text_table.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// A folder of its own per test, removed afterwards.
class scratch_dir {
 public:
  scratch_dir()
      : path_(fs::temp_directory_path() /
              ("physplug_text_table_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(path_);
    fs::create_directories(path_ / "strings");
  }
  ~scratch_dir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  fs::path write(const std::string& language, const std::string& content) const {
    const fs::path file = path_ / "strings" / (language + ".xml");
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

 private:
  fs::path path_;
};

// The ids the plug-in looks up in Japanese, in the order they are listed for the product; "No
// targets" is listed twice (two texts for two situations), and the four descriptive ids close
// the list.
const std::vector<std::string> japanese_ids = {"World",
                                               "Primitive/Rigid",
                                               "Primitive",
                                               "Bullet Modify",
                                               "RigidBody",
                                               "Setting Bullet World",
                                               "Setting Bullet RigidBody",
                                               "Setting Bullet Constraints Joint",
                                               "Gravity",
                                               "Hight",
                                               "Air Density",
                                               "Boundary",
                                               "Minimum",
                                               "Maximum",
                                               "Terminated",
                                               "Type/Box/Sphere/Capsule/Cylinder/Cone",
                                               "Type/Box/Sphere/Capsule/Cylinder",
                                               "Type/Move/Kimanetic/Static",
                                               "Visible",
                                               "Margin",
                                               "X/Rudius",
                                               "Y/Hight",
                                               "Mass",
                                               "Friction",
                                               "Restitution",
                                               "LinerDamping",
                                               "AngularDamping",
                                               "Group Index",
                                               "Mask",
                                               "Layer Number",
                                               "Exit sequence mode!",
                                               "Active",
                                               "Hold",
                                               "Target/Constraints/Rigid",
                                               "Direction/Y/X/Z",
                                               "Enter Modify Mode",
                                               "Verocity",
                                               "Primitive Properties",
                                               "Constraints",
                                               "SoftBody",
                                               "Cluster",
                                               "Divide Number",
                                               "Randomize",
                                               "Velocities correction factor",
                                               "Damping coefficient",
                                               "Drag coefficient",
                                               "Lift coefficient",
                                               "Pressure coefficient",
                                               "Volume conversation coefficient",
                                               "Dynamic friction coefficient",
                                               "Pose matching coefficient",
                                               "Rigid contacts hardness",
                                               "Kinetic contacts hardness",
                                               "Soft contacts hardness",
                                               "Anchors hardness",
                                               "Cluster falctor",
                                               "Soft vs rigid hardness",
                                               "Soft vs kinetic hardness",
                                               "Soft vs soft hardness",
                                               "Soft vs rigid impulse split",
                                               "Soft vs kinetic impulse split",
                                               "Soft vs soft impulse split",
                                               "No targets",
                                               "No targets",
                                               "Constraints Joint Properties",
                                               "Rotation Upper Factor",
                                               "Rotation Lower Factor",
                                               "Spring Rotation Factor",
                                               "Spring Translation Factor",
                                               "Damping Rotation Factor",
                                               "Damping Translation Factor",
                                               "Degree",
                                               "Rigidbody properties",
                                               "No RigidBody",
                                               "Modify Bullet Joint",
                                               "Delete Constraints",
                                               "Rigid0",
                                               "Rigid1",
                                               "Select Face Selection Mode",
                                               "Setting Bullet SoftBody",
                                               "Selection/New/Edit/Remove",
                                               "Selection/Edit/Remove",
                                               "Target",
                                               "Anchor RigidBody",
                                               "None",
                                               "Simulation Cycle",
                                               "Bad animation mode. Repaired",
                                               "SoftBody Name",
                                               "Renew Vertices",
                                               "Scale Factor",
                                               "Velocity",
                                               "Crashed Bullet.Check datas.",
                                               "No faces selected",
                                               "viterations",
                                               "piterations",
                                               "diterations",
                                               "Matrix has scale. repairs",
                                               "Repair Element's Transformation",
                                               "Repaired Matrix under",
                                               "No repaired matrix",
                                               "Use all meshes",
                                               "Type/6Dof/6DofSpring/ConeTwist",
                                               "Cone Softness",
                                               "Cone BiasFactor",
                                               "Cone Relaxation",
                                               "Wind Velocity",
                                               "Bending Constration Distance",
                                               "kLST",
                                               "kAST",
                                               "kVST",
                                               "No Bullet World",
                                               "Start rendering without Make bullet worlds",
                                               "Start direct rendering at non 0 sequence",
                                               "Bullet primitive can't be modified.Undo it",
                                               "Create Projection Mesh:%s of [%s]",
                                               "Remove Projection Mesh:%s of [%s]",
                                               "Renew inner parts",
                                               "product_name",
                                               "author",
                                               "company",
                                               "comments"};

std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

std::size_t count_of(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (auto at = s.find(what); at != std::string::npos; at = s.find(what, at + what.size())) ++n;
  return n;
}

std::string error_of(const fs::path& file) {
  try {
    host::text_table::load(file);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

TEST(text_table, japanese_table_holds_exactly_the_listed_ids) {
  ASSERT_EQ(japanese_ids.size(), 121u);
  const auto table = host::text_table::load_language("ja");
  std::vector<std::string> ids;
  for (const auto& e : table.entries()) ids.push_back(e.id);
  EXPECT_EQ(sorted(ids), sorted(japanese_ids));
}

TEST(text_table, japanese_no_targets_has_two_entries_and_lookup_takes_the_first) {
  const auto table = host::text_table::load_language("ja");
  std::vector<std::string> values;
  for (const auto& e : table.entries())
    if (e.id == "No targets") values.push_back(e.value);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_NE(values[0], values[1]);
  EXPECT_EQ(table.lookup("No targets"), values[0]);
}

TEST(text_table, japanese_lookup_gives_japanese_and_unknown_ids_unchanged) {
  const auto table = host::text_table::load_language("ja");
  EXPECT_EQ(table.lookup("Gravity"), "\u91cd\u529b");  // 重力
  EXPECT_EQ(table.lookup("Bad Layer number"), "Bad Layer number");
  EXPECT_EQ(table.lookup(""), "");
  EXPECT_EQ(table.find("Bad Layer number"), nullptr);
}

// The plug-in reads back selections by entry number and fills %s texts in order, so a
// translation must keep the entries and the placeholders of its id.
TEST(text_table, japanese_values_keep_choices_and_placeholders) {
  const auto table = host::text_table::load_language("ja");
  for (const auto& e : table.entries()) {
    EXPECT_FALSE(e.value.empty()) << e.id;
    EXPECT_EQ(count_of(e.value, "/"), count_of(e.id, "/")) << e.id << " -> " << e.value;
    EXPECT_EQ(count_of(e.value, "%s"), count_of(e.id, "%s")) << e.id << " -> " << e.value;
    EXPECT_EQ(count_of(e.value, "%"), count_of(e.id, "%")) << e.id << " -> " << e.value;
  }
}

TEST(text_table, english_table_has_the_descriptive_ids_only) {
  const auto table = host::text_table::load_language("en");
  std::vector<std::string> ids;
  for (const auto& e : table.entries()) ids.push_back(e.id);
  EXPECT_EQ(sorted(ids), sorted({"product_name", "author", "company", "comments"}));
  EXPECT_EQ(table.lookup("product_name"), "physplug");
  EXPECT_EQ(table.lookup("Gravity"), "Gravity");
}

TEST(text_table, character_references_and_repeated_ids) {
  scratch_dir dir;
  dir.write("xx",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- a comment -->\n<strings lang=\"xx\">\n"
            "  <!-- inside -->\n"
            "  <string id=\"Rate &#37;i\" value=\"&#37;i &#37; done\"/>\n"
            "  <string id=\"twice\" value=\"first\"/>\n"
            "  <string id=\"twice\" value=\"second\"/>\n"
            "  <string id=\"quote\" value=\"a &quot;b&quot; &amp; c &lt;d&gt;\"/>\n"
            "</strings>\n");
  const auto table = host::text_table::load_language("xx", dir.path());
  EXPECT_EQ(table.lookup("Rate %i"), "%i % done");
  EXPECT_EQ(table.lookup("twice"), "first");
  EXPECT_EQ(table.lookup("quote"), "a \"b\" & c <d>");
  EXPECT_EQ(table.entries().size(), 4u);
}

TEST(text_table, bad_files_are_errors_naming_the_file) {
  struct bad_case {
    const char* content;
    const char* complaint;
  };
  const std::vector<bad_case> cases = {
      {"", "no root element"},
      {"<?xml version=\"1.0\"?>\n<!-- only a comment -->\n", "no root element"},
      {"<strings><string id=\"a\" value=\"b\"/>", "not well-formed XML"},
      {"<strings><string id=\"a\" value=\"b\"></strings>", "not well-formed XML"},
      {"<texts><string id=\"a\" value=\"b\"/></texts>", "root element is not <strings>"},
      {"<strings><string value=\"b\"/></strings>", "<string> number 1 has no id attribute"},
      {"<strings><string id=\"a\" value=\"b\"/><string id=\"c\"/></strings>",
       "<string> number 2 has no value attribute"},
      {"<strings><text id=\"a\" value=\"b\"/></strings>", "unexpected element <text>"},
  };
  scratch_dir dir;
  for (const auto& c : cases) {
    const fs::path file = dir.write("bad", c.content);
    const std::string message = error_of(file);
    EXPECT_NE(message.find(file.string()), std::string::npos) << c.content << ": " << message;
    EXPECT_NE(message.find(c.complaint), std::string::npos) << c.content << ": " << message;
  }
}

TEST(text_table, missing_file_is_an_error_naming_it) {
  scratch_dir dir;
  const fs::path file = dir.path() / "strings" / "fr.xml";
  try {
    host::text_table::load_language("fr", dir.path());
    FAIL() << "no error for a missing table";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("cannot open"), std::string::npos) << e.what();
  }
}

TEST(text_table, language_names_cannot_leave_the_strings_folder) {
  for (const char* language : {"", "../ja", "ja/../../en", "/etc/passwd", "ja.xml", "j a"})
    EXPECT_THROW(host::text_table::load_language(language), std::invalid_argument) << language;
}

TEST(text_table, empty_table_gives_every_id_back) {
  const host::text_table table;
  EXPECT_EQ(table.lookup("Gravity"), "Gravity");
  EXPECT_TRUE(table.entries().empty());
}

}  // namespace
