// The plug-ins of a scene: loading the stand-in libraries, finding components by UUID, routing
// scene events, invoking components, and surviving whatever a plug-in throws.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "host/player/player.hpp"
#include "host/plugins/plugin_host.hpp"
#include "host/plugins/recording_attribute.hpp"
#include "host/scene/scene_fixture.hpp"
#include "sdk/sxsdk.hpp"

namespace {

using host_test::recording_attribute;
using log_lines = std::vector<std::string>;

const std::string standin_dir = PHYSPLUG_STANDIN_DIR;
std::string standin(const std::string& name) { return standin_dir + "/libstandin_" + name + ".so"; }

// The other plug-ins' UUIDs as the physics plug-in knows them (aim constraints by its words).
struct other_plugin {
  const char* name;
  sx::uuid_class uuid;
};
const other_plugin other_plugins[] = {
    {"aim", sx::uuid_class(0x50030030, 0x53B811D9, 0xBCFF000A, 0x95BACEB2)},
    {"follow", sx::uuid_class("99754D12-67C2-425a-8500-875836A2462D")},
    {"ik", sx::uuid_class("DE9BEF50-7E5A-4B60-954D-624415F8E6C5")},
    {"multilead", sx::uuid_class("5B8BD312-7B14-41E7-B9EA-F161AFD7EEB3")},
    {"surrogate", sx::uuid_class("B314670E-79A3-4B03-8D4F-E6F0E8ED6E76")},
};

std::vector<std::string> errors(host::scene& s) { return s.messages().texts(host::message_window::kind::error); }

struct plugin_host : ::testing::Test, host_test::scene_fixture {
  std::unique_ptr<host::plugin_host> plugins = std::make_unique<host::plugin_host>(*scene);
  log_lines log;

  recording_attribute& recorder(const std::string& name, sx::uuid_class uuid = {}) {
    auto* r = new recording_attribute(name, log);
    r->AddRef();
    plugins->add(sxsdk::attribute_iid, r, uuid, name);
    return *r;
  }
};

TEST_F(plugin_host, each_stand_in_answers_get_plugin_interface_with_a_reference_the_caller_releases) {
  for (const other_plugin& p : other_plugins) ASSERT_TRUE(plugins->load(standin(p.name))) << p.name;
  EXPECT_TRUE(errors(*scene).empty());
  ASSERT_EQ(plugins->components().size(), 5u);
  for (const other_plugin& p : other_plugins) {
    const host::plugin_host::component* c = plugins->find(p.uuid);
    ASSERT_NE(c, nullptr) << p.name;
    EXPECT_EQ(c->name, std::string("standin ") + p.name);
    EXPECT_EQ(c->object->get_uuid(), p.uuid) << "the component's own UUID";
    const unsigned long held = c->object->reference_count();
    sxsdk::plugin_interface* found = scene->get_plugin_interface(p.uuid);
    ASSERT_EQ(found, c->object.get()) << p.name;
    EXPECT_EQ(found->reference_count(), held + 1);
    found->Release();
    EXPECT_EQ(c->object->reference_count(), held);
  }
}

TEST_F(plugin_host, a_stand_in_writes_each_current_joint_value_changed_call_to_the_message_window) {
  ASSERT_TRUE(plugins->load(standin("follow")));
  auto& part = this->part("root/Joint", sxsdk::part_type::ball_joint);
  sxsdk::part_class* parts[] = {&part};
  scene->set_sequence_value(3);
  sxsdk::host_ref<sxsdk::plugin_interface> other(scene->get_plugin_interface(other_plugins[1].uuid));
  bool flag = false;
  static_cast<sxsdk::attribute_interface*>(other.get())->current_joint_value_changed(flag, scene.get(), 1, parts);
  EXPECT_EQ(scene->messages().texts(host::message_window::kind::message),
            log_lines{"standin follow: current_joint_value_changed 3 1"});
}

TEST_F(plugin_host, a_library_that_cannot_be_loaded_is_one_error_line_and_registers_nothing) {
  EXPECT_FALSE(plugins->load(standin("incomplete")));
  EXPECT_FALSE(plugins->load(standin_dir + "/libnot_there.so"));
  const auto lines = errors(*scene);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(standin("incomplete")), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("get_info"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("libnot_there.so"), std::string::npos) << lines[1];
  EXPECT_TRUE(plugins->components().empty());
  EXPECT_EQ(scene->get_plugin_interface(sx::uuid_class("00000000-0000-0000-0000-0000000000A1")), nullptr);
}

// A component whose handlers throw what it is told to.
class thrower : public sxsdk::attribute_interface {
 public:
  explicit thrower(int what) : what_(what) {}
  void sequence_changed(bool&, float, sxsdk::scene_interface*, int, sxsdk::part_class* const*, void*) override {
    fail();
  }
  bool ask_shape(sxsdk::shape_class&, void*) override {
    fail();
    return true;
  }

 private:
  void fail() {
    if (what_ == 0) throw std::runtime_error("boom");
    if (what_ == 1) throw "boom";
    throw 7;
  }
  int what_;
};

TEST_F(plugin_host, whatever_a_component_throws_becomes_an_error_line_and_the_others_still_hear_the_event) {
  const char* expected[] = {"plug-in \"thrower 0\": sequence_changed failed: boom",
                            "plug-in \"thrower 1\": sequence_changed failed: boom",
                            "plug-in \"thrower 2\": sequence_changed failed: an unknown exception"};
  for (int what = 0; what < 3; ++what) {
    auto* t = new thrower(what);
    t->AddRef();
    plugins->add(sxsdk::attribute_iid, t, {}, "thrower " + std::to_string(what));
  }
  recorder("after");
  plugins->sequence_changed(5);
  EXPECT_EQ(errors(*scene), (log_lines(std::begin(expected), std::end(expected))));
  EXPECT_EQ(log, log_lines{"after changed 5 rendering=0 value=0 parts=0"});
  EXPECT_FALSE(plugins->ask_shape(*plugins->components()[1], scene->root()));
}

TEST_F(plugin_host, a_c_string_thrown_inside_a_loaded_library_is_caught_by_the_host) {
  ASSERT_TRUE(plugins->load(standin("ik")));
  EXPECT_FALSE(plugins->ask_shape(*plugins->components()[0], scene->root()));
  EXPECT_EQ(errors(*scene), log_lines{"plug-in \"standin ik\": ask_shape failed: the stand-in offers no editing"});
}

TEST_F(plugin_host, every_scene_event_reaches_every_attribute_component_in_the_order_they_were_added) {
  recorder("A");
  recorder("B");
  auto& one = part("root/One");
  auto& two = part("root/Two");
  plugins->idle_task();
  plugins->active_scene_changed();
  plugins->scene_opened();
  plugins->active_shapes_changed({&one}, {&two, &one});
  plugins->shapes_moved({&two}, sxsdk::mat4::translate(25, 0, 0));
  plugins->shapes_modified({&one, &two});
  plugins->browser_updated();
  plugins->set_sequence_mode(true);
  plugins->set_sequence_mode(true);  // no change: nothing to hear
  plugins->sequence_changed(1, {&one});
  plugins->set_sequence_mode(false);
  const log_lines events = {"idle",
                            "active scene",
                            "opened",
                            "active 1 -> 2 Two",
                            "moved 1 Two dx=25",
                            "modified 2",
                            "browser",
                            "mode on value=0",
                            "changed 1 rendering=0 value=0 parts=1",
                            "mode off value=0"};
  log_lines expected;
  for (const std::string& e : events) expected.insert(expected.end(), {"A " + e, "B " + e});
  EXPECT_EQ(log, expected);
}

TEST_F(plugin_host, a_mode_switched_back_and_forth_forever_is_given_up_with_an_error_line) {
  recorder("flipper").action = [](const std::string& event, sxsdk::scene_interface* s) {
    if (event == "sequence_mode_changed") s->set_sequence_mode(!s->is_sequence_mode());
  };
  plugins->set_sequence_mode(true);
  EXPECT_EQ(log.size(), 16u);
  ASSERT_EQ(errors(*scene).size(), 1u);
  EXPECT_NE(errors(*scene)[0].find("keeps changing"), std::string::npos);
}

// A creator making one part, and a browser and a figure answering as told.
struct maker : sxsdk::creator_interface {
  bool create(sxsdk::scene_interface* s, void*) override {
    s->create_part("Made");
    return true;
  }
};
struct browser : sxsdk::browser_interface {
  bool do_browser(sxsdk::scene_interface*, void*) override { return true; }
};
struct figure : sxsdk::figure_interface {
  bool do_figure(sxsdk::scene_interface*, void*) override { return true; }
};
template <typename T>
T* adoptable() {
  T* t = new T();
  t->AddRef();
  return t;
}

TEST_F(plugin_host, creators_attributes_browsers_and_figures_are_invoked_only_as_their_kind) {
  auto& c = plugins->add(sxsdk::creator_iid, adoptable<maker>(), {}, "maker");
  auto& b = plugins->add(sxsdk::browser_iid, adoptable<browser>(), {}, "browser");
  auto& f = plugins->add(sxsdk::figure_iid, adoptable<figure>(), {}, "figure");
  recorder("attr");
  const auto& a = *plugins->components().back();
  EXPECT_TRUE(plugins->create(c));
  EXPECT_NE(scene->find("root/Made"), nullptr);
  EXPECT_TRUE(plugins->ask_shape(a, *scene->find("root/Made")));
  EXPECT_EQ(log, log_lines{"attr ask Made"});
  EXPECT_TRUE(plugins->do_browser(b));
  EXPECT_TRUE(plugins->do_figure(f));
  EXPECT_FALSE(plugins->create(a));
  EXPECT_FALSE(plugins->do_browser(f));
  EXPECT_FALSE(plugins->do_figure(b));
  EXPECT_FALSE(plugins->ask_shape(c, scene->root()));
  EXPECT_EQ(log.size(), 1u) << "events go to attribute components only";
}

TEST_F(plugin_host, a_taken_uuid_stays_with_its_first_component) {
  ASSERT_TRUE(plugins->load(standin("aim")));
  ASSERT_TRUE(plugins->load(standin("aim")));
  ASSERT_EQ(plugins->components().size(), 2u);
  sxsdk::host_ref<sxsdk::plugin_interface> found(scene->get_plugin_interface(other_plugins[0].uuid));
  EXPECT_EQ(found.get(), plugins->components()[0]->object.get());
  ASSERT_EQ(errors(*scene).size(), 1u);
  EXPECT_NE(errors(*scene)[0].find("already taken"), std::string::npos);
}

TEST_F(plugin_host, gone_it_leaves_no_component_registered_and_no_hook_behind) {
  for (const other_plugin& p : other_plugins) ASSERT_TRUE(plugins->load(standin(p.name)));
  recorder("rec", sx::uuid_class("11111111-2222-3333-4444-555555555555"));
  plugins.reset();  // releases the components, then closes the libraries
  for (const other_plugin& p : other_plugins) EXPECT_EQ(scene->get_plugin_interface(p.uuid), nullptr) << p.name;
  EXPECT_EQ(scene->get_plugin_interface(sx::uuid_class("11111111-2222-3333-4444-555555555555")), nullptr);
  scene->set_sequence_mode(true);
  EXPECT_TRUE(log.empty());
}

#ifdef PHYSPLUG_PLUGIN_PATH
// The physics plug-in finds a joint of another plug-in in the scene, looks that plug-in up by
// UUID and tells it of every step before it simulates.
TEST_F(plugin_host, the_physics_plugin_tells_the_follow_joint_stand_in_of_every_step) {
  ASSERT_TRUE(plugins->load(PHYSPLUG_PLUGIN_PATH)) << errors(*scene)[0];
  ASSERT_TRUE(plugins->load(standin("follow")));
  const sx::uuid_class follow = other_plugins[1].uuid;
  auto& leader = part("root/Leader");
  auto& follower = part("root/Follower");
  follower.put_stream(follow, "follow", {0, 0, 0, 0});
  follower.link_to(follow, leader);
  plugins->active_scene_changed();
  for (int i = 0; i < 3; ++i) plugins->idle_task();
  host::player player(*plugins);
  player.play(0, 3);
  log_lines calls;
  for (const std::string& line : scene->messages().texts(host::message_window::kind::message))
    if (line.rfind("standin ", 0) == 0) calls.push_back(line);
  EXPECT_EQ(calls, (log_lines{"standin follow: current_joint_value_changed 1 0",
                              "standin follow: current_joint_value_changed 2 0",
                              "standin follow: current_joint_value_changed 3 0"}));
}
#endif

}  // namespace
