// Scene files: round trips of every kind and piece of state (values bit for bit, text byte for
// byte), streams of other plug-ins kept, the documented example, and saves that lose nothing.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "host/io/canonical_json.hpp"
#include "host/io/scene_file.hpp"
#include "rich_scene.hpp"

namespace {

namespace fs = std::filesystem;
using host::scene_file;
using host_test::same_bits;

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A fresh directory for one test, removed at the end.
struct temp_dir {
  fs::path path;
  temp_dir() {
    std::string pattern = (fs::temp_directory_path() / "scene_file_test-XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~temp_dir() { fs::remove_all(path); }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(path)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

sxsdk::host_ref<host::scene> rich_scene() {
  auto s = host::scene::create();
  host_test::build_rich_scene(*s);
  return s;
}

TEST(scene_file, a_scene_of_every_kind_and_state_comes_back_whole_and_saves_to_the_same_bytes) {
  auto built = rich_scene();
  const std::string text = scene_file::format(*built);
  auto loaded = scene_file::parse(text, "rich.json");
  host_test::expect_same_scene(*built, *loaded);
  EXPECT_EQ(scene_file::format(*loaded), text);
}

TEST(scene_file, the_text_is_canonical_sorted_keys_two_space_indent_and_a_final_newline) {
  auto s = host::scene::create();
  s->add_sphere(s->root(), "Ball", {1, 2, 3}, {0.5f, 0.5f, 0.5f});
  const std::string expected =
      "{\n"
      "  \"format\": \"physplug-scene\",\n"
      "  \"shapes\": [\n"
      "    {\n"
      "      \"kind\": \"part\",\n"
      "      \"name\": \"root\"\n"
      "    },\n"
      "    {\n"
      "      \"center\": [1, 2, 3],\n"
      "      \"dad\": 0,\n"
      "      \"kind\": \"sphere\",\n"
      "      \"name\": \"Ball\",\n"
      "      \"radius\": [0.5, 0.5, 0.5]\n"
      "    }\n"
      "  ],\n"
      "  \"version\": 1\n"
      "}\n";
  EXPECT_EQ(scene_file::format(*s), expected);
}

TEST(scene_file, floats_come_back_bit_for_bit) {
  // The awkward values through a whole scene, then a large sample of bit patterns through the
  // number text alone (parsed back the way the reader parses: as a double, then narrowed).
  for (float f : host_test::awkward) {
    auto s = host::scene::create();
    s->add_light(s->root(), "L", {f, -f, 1 / f});
    auto back = scene_file::parse(scene_file::format(*s), "f.json");
    const auto p = dynamic_cast<host::light_shape&>(*back->node_at(1)).get_position();
    EXPECT_TRUE(same_bits(p.x, f) && same_bits(p.y, -f) && same_bits(p.z, 1 / f)) << f;
  }
  // The one positive float (bits 0x15AE43FD) whose shortest text, "7.038531e-26", read as a
  // double and narrowed, lands on its neighbour (found by trying every float once).
  const std::uint32_t double_rounded = 0x15AE43FD;
  for (const std::uint32_t bits : {double_rounded, double_rounded | 0x80000000u}) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    const std::string text = host::canonical_json::float_text(f);
    EXPECT_TRUE(same_bits(static_cast<float>(nlohmann::json::parse(text).get<double>()), f)) << text;
  }
  std::mt19937 random(7);
  for (int i = 0; i < 200000; ++i) {
    const std::uint32_t bits = random();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    if (!std::isfinite(f)) continue;
    const std::string text = host::canonical_json::float_text(f);
    const float back = static_cast<float>(nlohmann::json::parse(text).get<double>());
    ASSERT_TRUE(same_bits(back, f)) << text;
  }
}

TEST(scene_file, the_documented_example_loads_and_saves_to_the_same_bytes) {
  const fs::path path = fs::path(PHYSPLUG_SOURCE_DIR) / "tests/fixtures/scene-format-example.json";
  auto s = scene_file::load(path.string());
  host::shape_node* world = s->find("root/World");
  ASSERT_NE(world, nullptr);
  EXPECT_EQ(world->streams().size(), 1u);
  host::shape_node* ball = s->find("root/World/Ball/Sphere");
  ASSERT_NE(ball, nullptr);
  EXPECT_EQ(ball->type(), sxsdk::shape_type::sphere);
  EXPECT_EQ(scene_file::format(*s), read_file(path));
}

TEST(scene_file, the_format_document_shows_the_example_file_as_it_is) {
  const std::string doc = read_file(fs::path(PHYSPLUG_SOURCE_DIR) / "docs/scene-format.md");
  const std::string example = read_file(fs::path(PHYSPLUG_SOURCE_DIR) / "tests/fixtures/scene-format-example.json");
  EXPECT_NE(doc.find("```json\n" + example + "```"), std::string::npos);
}

TEST(scene_file, streams_of_other_plugins_are_kept_byte_for_byte) {
  std::vector<std::uint8_t> every_byte;
  for (int b = 0; b < 256; ++b) every_byte.push_back(std::uint8_t(255 - b));
  auto s = host::scene::create();
  auto& part = s->add_part(s->root(), "P");
  part.put_stream(host_test::foreign_uuid, "their label \xe6\x97\xa5", every_byte);
  part.put_stream(sx::uuid_class("00000000-0000-0000-0000-000000000001"), "", {});
  part.put_stream(host_test::our_uuid, "", {42});
  const std::string text = scene_file::format(*s);
  auto back = scene_file::parse(text, "streams.json");
  const auto& streams = back->node_at(1)->streams();
  ASSERT_EQ(streams.size(), 3u);
  EXPECT_EQ(streams[0]->uuid, host_test::foreign_uuid);
  EXPECT_EQ(streams[0]->label, "their label \xe6\x97\xa5");
  EXPECT_EQ(streams[0]->bytes, every_byte);
  EXPECT_TRUE(streams[1]->bytes.empty());
  EXPECT_EQ(streams[2]->bytes, std::vector<std::uint8_t>{42});
  EXPECT_EQ(scene_file::format(*back), text);
}

TEST(scene_file, save_then_load_from_disk_gives_the_scene_back) {
  temp_dir dir;
  auto built = rich_scene();
  const std::string path = (dir.path / "rich.json").string();
  scene_file::save(*built, path);
  auto loaded = scene_file::load(path);
  host_test::expect_same_scene(*built, *loaded);
  scene_file::save(*loaded, path);
  EXPECT_EQ(read_file(path), scene_file::format(*built));
  EXPECT_EQ(dir.names(), std::vector<std::string>{"rich.json"});  // no temporary left behind
}

TEST(scene_file, a_save_replaces_the_file_and_keeps_its_permissions) {
  temp_dir dir;
  const fs::path path = dir.path / "scene.json";
  write_file(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  auto s = host::scene::create();
  scene_file::save(*s, path.string());
  EXPECT_EQ(read_file(path), scene_file::format(*s));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(scene_file, saving_into_a_missing_directory_fails_with_the_file_named) {
  temp_dir dir;
  const std::string path = (dir.path / "missing/scene.json").string();
  auto s = host::scene::create();
  try {
    scene_file::save(*s, path);
    FAIL() << "saved into a missing directory";
  } catch (const host::scene_file_error& e) {
    EXPECT_EQ(e.file(), path);
    EXPECT_NE(std::string(e.what()).find(path + ": cannot create"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(dir.names().empty());
}

TEST(scene_file, a_save_that_cannot_replace_the_target_leaves_it_and_no_temporary) {
  // The target is a directory: the text is written in full, then the rename fails.
  temp_dir dir;
  const fs::path target = dir.path / "scene.json";
  fs::create_directory(target);
  write_file(target / "inside", "kept");
  auto s = rich_scene();
  EXPECT_THROW(scene_file::save(*s, target.string()), host::scene_file_error);
  EXPECT_EQ(read_file(target / "inside"), "kept");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"scene.json"});
}

TEST(scene_file, a_save_that_fails_midway_leaves_the_old_file) {
  // A child process limits the size of the files it may write, so the write of the new text
  // stops partway (EFBIG), as on a full disk.
  temp_dir dir;
  const fs::path path = dir.path / "scene.json";
  auto small = host::scene::create();
  scene_file::save(*small, path.string());
  const std::string old = read_file(path);
  auto big = rich_scene();
  ASSERT_GT(scene_file::format(*big).size(), 3 * old.size());
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{old.size() * 2, old.size() * 2};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      scene_file::save(*big, path.string());
    } catch (const host::scene_file_error& e) {
      std::_Exit(std::string(e.what()).find("cannot write") != std::string::npos ? 0 : 2);
    }
    std::_Exit(1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save did not fail; 2: the message did not say why";
  EXPECT_EQ(read_file(path), old);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"scene.json"});
}

TEST(scene_file, a_scene_that_cannot_be_written_fails_before_the_file_is_touched) {
  // Index numbers are the file's only references, so a link into another scene cannot be
  // written; JSON text must be UTF-8.
  auto other = host::scene::create();
  auto& stranger = other->add_part(other->root(), "Stranger");
  const struct {
    const char* what;
    std::function<void(host::scene&)> spoil;
    std::string place;
    std::string problem;
  } cases[] = {
      {"link into another scene", [&](host::scene& s) { s.node_at(1)->link_to(host_test::link_uuid, stranger); },
       "/shapes/1/links/0", "not in the scene"},
      {"name that is no UTF-8", [](host::scene& s) { s.node_at(1)->rename("bad \xff name"); }, "/shapes/1/name",
       "not valid UTF-8"},
      {"label that is no UTF-8", [](host::scene& s) { s.node_at(1)->put_stream(host_test::our_uuid, "\xc3", {}); },
       "/shapes/1/streams/0/label", "not valid UTF-8"},
      {"chain of parts deeper than a file may hold",
       [](host::scene& s) {
         host::shape_node* dad = s.node_at(1);
         for (int depth = 2; depth <= 1001; ++depth) dad = &s.add_part(*dad, "");
       },
       "/shapes/1001", "shapes nest deeper than 1000 levels"},
      {"more streams on a shape than a file may hold",
       [](host::scene& s) {
         for (unsigned i = 0; i < 1025; ++i) {
           char uuid[40];
           std::snprintf(uuid, sizeof uuid, "%08X-0000-0000-0000-000000000000", i);
           s.node_at(1)->put_stream(sx::uuid_class(uuid), "", {});
         }
       },
       "/shapes/1/streams", "1025 streams on one shape (at most 1024)"},
      // A file with these could never be loaded again: the scene would be lost.
      {"NaN in a transformation",
       [](host::scene& s) {
         sxsdk::mat4 m;
         m.m[3][1] = std::numeric_limits<float>::quiet_NaN();
         dynamic_cast<host::part_shape&>(*s.node_at(1)).set_transformation(m);
       },
       "/shapes/1/transformation/3/1", "nan cannot be saved: a number that places or shapes a part must be finite"},
      {"infinity in a key",
       [](host::scene& s) {
         host::part_key key;
         key.translation = {0, std::numeric_limits<float>::infinity(), 0};
         s.keys().set_part_key(dynamic_cast<host::part_shape&>(*s.node_at(1)), key);
       },
       "/keys/0/part_keys/0/translation/1", "inf cannot be saved"},
      {"NaN frame of a key",
       [](host::scene& s) {
         host::part_key key;
         key.frame = std::numeric_limits<float>::quiet_NaN();
         s.keys().set_part_key(dynamic_cast<host::part_shape&>(*s.node_at(1)), key);
       },
       "/keys/0/part_keys/0/frame", "nan cannot be saved"},
      {"infinity in a mesh",
       [](host::scene& s) {
         s.add_polygon_mesh(*s.node_at(1), "M").set_vertices({{0, -std::numeric_limits<float>::infinity(), 0}});
       },
       "/shapes/2/vertices/0/1", "-inf cannot be saved"},
  };
  temp_dir dir;
  const fs::path path = dir.path / "scene.json";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    write_file(path, "old text");
    auto s = host::scene::create();
    s->add_part(s->root(), "P");
    c.spoil(*s);
    try {
      scene_file::save(*s, path.string());
      ADD_FAILURE() << "saved";
    } catch (const host::scene_file_error& e) {
      EXPECT_EQ(e.place(), c.place);
      EXPECT_NE(e.problem().find(c.problem), std::string::npos) << e.what();
    }
    EXPECT_EQ(read_file(path), "old text");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"scene.json"});
  }
}

TEST(scene_file, keys_listed_out_of_frame_order_load_as_the_same_track) {
  // Metamorphic pair: one track written in frame order and backwards reads to the same scene.
  auto text = [](const std::string& keys) {
    return R"({"format": "physplug-scene", "version": 1, "shapes": [{"kind": "part", "name": "root"},
              {"kind": "part", "name": "P", "dad": 0}], "keys": [{"part": 1, "part_keys": [)" +
           keys + "]}]}";
  };
  const std::string forward = text(R"({"frame": -2.5}, {"frame": 0, "scale": [2, 2, 2]}, {"frame": 7})");
  const std::string backward = text(R"({"frame": 7}, {"frame": 0, "scale": [2, 2, 2]}, {"frame": -2.5})");
  const std::string saved = scene_file::format(*scene_file::parse(forward, "forward.json"));
  EXPECT_EQ(scene_file::format(*scene_file::parse(backward, "backward.json")), saved);
  EXPECT_LT(saved.find("-2.5"), saved.find("\"frame\": 7"));
}

TEST(scene_file, a_file_that_cannot_be_read_is_named_with_the_reason) {
  temp_dir dir;
  const std::string missing = (dir.path / "missing.json").string();
  const std::string directory = dir.path.string();
  const std::pair<std::string, std::string> cases[] = {{missing, missing + ": cannot open: No such file"},
                                                       {directory, directory + ": is a directory, not a file to read"}};
  for (const auto& [path, message] : cases) {
    try {
      scene_file::load(path);
      ADD_FAILURE() << "loaded " << path;
    } catch (const host::scene_file_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(message, 0), 0u) << e.what();
    }
  }
}

}  // namespace
