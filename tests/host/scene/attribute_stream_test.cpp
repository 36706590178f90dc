#include "host/scene/attribute_stream.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "host/scene/scene_fixture.hpp"

namespace {

using host_test::scene_fixture;
using host_test::vec3;
using bytes = std::vector<std::uint8_t>;

const sx::uuid_class stream_uuid("AFC29716-3C03-418A-9C7F-7541631DB70C");
// The plug-in's fixed 16-byte identifier 00 00 00 00 d9 11 b8 53 0a 00 ff bc b2 ce ba 95.
const sx::uuid_class plain_id(0x00000000, 0x53b811d9, 0xbcff000a, 0x95bacEb2);

sxsdk::host_ref<sxsdk::stream_interface> create(host::shape_node& shape, const sx::uuid_class& uuid = stream_uuid) {
  return sxsdk::host_ref<sxsdk::stream_interface>(
      shape.sdk().create_attribute_stream(uuid, plain_id, plain_id, plain_id));
}

sxsdk::host_ref<sxsdk::stream_interface> open(host::shape_node& shape, const sx::uuid_class& uuid = stream_uuid) {
  return sxsdk::host_ref<sxsdk::stream_interface>(shape.sdk().get_attribute_stream(uuid));
}

struct stream_test : ::testing::Test, scene_fixture {};

TEST_F(stream_test, every_type_is_written_in_the_documented_little_endian_layout) {
  auto& part = this->part("root/Body");
  auto& target = this->part("root/Target");  // index 2
  {
    auto s = create(part);
    s->write_int(-2);
    s->write_float(1.0f);
    s->write_char('A');
    s->write_vec3({2.0f, -1.0f, 0.5f});
    s->write_string("ab");
    s->write_shape(&target.sdk());
    s->write_shape(nullptr);
  }
  const bytes expected = {
      0xFE, 0xFF, 0xFF, 0xFF,                          // int32 -2
      0x00, 0x00, 0x80, 0x3F,                          // float 1.0
      0x41,                                            // 'A'
      0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x80, 0xBF,  // 2.0, -1.0
      0x00, 0x00, 0x00, 0x3F,                          // 0.5
      0x02, 0x00, 0x00, 0x00, 'a',  'b',               // string: length, bytes
      0x02, 0x00, 0x00, 0x00,                          // shape index 2
      0xFF, 0xFF, 0xFF, 0xFF,                          // no shape
  };
  EXPECT_EQ(part.find_stream(stream_uuid)->bytes, expected);

  auto s = open(part);
  ASSERT_TRUE(s);
  s->set_pointer(0);
  EXPECT_EQ(s->read_int(), -2);
  EXPECT_EQ(s->read_float(), 1.0f);
  EXPECT_EQ(s->read_char(), 'A');
  EXPECT_EQ(s->read_vec3(), vec3(2.0f, -1.0f, 0.5f));
  EXPECT_EQ(s->read_string(), "ab");
  EXPECT_EQ(s->read_shape(), &target.sdk());
  EXPECT_EQ(s->read_shape(), nullptr);
  EXPECT_EQ(s->get_pointer(), s->get_size());
}

TEST_F(stream_test, extreme_values_survive_a_round_trip) {
  auto& part = this->part("root/Body");
  const std::string binary("\0\xff text", 7);
  {
    auto s = create(part);
    s->write_int(INT32_MIN);
    s->write_int(INT32_MAX);
    s->write_float(-0.0f);
    s->write_float(3.4e38f);
    s->write_char('\xff');
    s->write_string("");
    s->write_string(binary);
  }
  auto s = open(part);
  EXPECT_EQ(s->read_int(), INT32_MIN);
  EXPECT_EQ(s->read_int(), INT32_MAX);
  const float z = s->read_float();
  EXPECT_TRUE(z == 0.0f && std::signbit(z));
  EXPECT_EQ(s->read_float(), 3.4e38f);
  EXPECT_EQ(s->read_char(), '\xff');
  EXPECT_EQ(s->read_string(), "");
  EXPECT_EQ(s->read_string(), binary);
}

// Each case: the bytes of a stream, reads that succeed first, then the read that must fail.
struct past_end_case {
  const char* name;
  bytes data;
  int good_reads;  // leading read_char calls that must succeed
  std::function<void(sxsdk::stream_interface&)> read;
};

TEST_F(stream_test, a_read_past_the_end_throws_and_leaves_the_position) {
  const std::vector<past_end_case> cases = {
      {"int from 3 bytes", {1, 2, 3}, 0, [](auto& s) { s.read_int(); }},
      {"float at the end", {1, 2, 3, 4}, 4, [](auto& s) { s.read_float(); }},
      {"char of an empty stream", {}, 0, [](auto& s) { s.read_char(); }},
      {"vec3 from 11 bytes", bytes(11, 0), 0, [](auto& s) { s.read_vec3(); }},
      {"vec3 after one byte of 12", bytes(12, 0), 1, [](auto& s) { s.read_vec3(); }},
      {"string longer than the rest", {5, 0, 0, 0, 'a', 'b'}, 0, [](auto& s) { s.read_string(); }},
      {"string of negative length", {0xff, 0xff, 0xff, 0xff, 'a'}, 0, [](auto& s) { s.read_string(); }},
      {"string without its length", {1, 0}, 0, [](auto& s) { s.read_string(); }},
      {"shape from 2 bytes", {0, 0}, 0, [](auto& s) { s.read_shape(); }},
  };
  auto& part = this->part("root/Body");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    part.put_stream(stream_uuid, "", c.data);
    auto s = open(part);
    for (int i = 0; i < c.good_reads; ++i) s->read_char();
    const int before = s->get_pointer();
    EXPECT_THROW(c.read(*s), std::out_of_range);
    EXPECT_EQ(s->get_pointer(), before);
    EXPECT_EQ(part.find_stream(stream_uuid)->bytes, c.data);
  }
}

TEST_F(stream_test, set_pointer_accepts_the_end_and_refuses_beyond_it) {
  auto& part = this->part("root/Body");
  part.put_stream(stream_uuid, "", bytes(8, 0));
  auto s = open(part);
  s->set_pointer(8);
  EXPECT_EQ(s->get_pointer(), 8);
  EXPECT_THROW(s->set_pointer(9), std::out_of_range);
  EXPECT_THROW(s->set_pointer(-1), std::out_of_range);
  EXPECT_EQ(s->get_pointer(), 8);
}

TEST_F(stream_test, create_reopens_an_existing_stream_keeping_bytes_and_label) {
  auto& part = this->part("root/Body");
  {
    auto s = create(part);
    s->set_label("Primitive");
    s->write_int(7);
  }
  auto s = create(part);
  EXPECT_EQ(s->get_size(), 4);
  EXPECT_EQ(s->get_label(), "Primitive");
  EXPECT_EQ(s->read_int(), 7);
  EXPECT_EQ(part.streams().size(), 1u);
}

TEST_F(stream_test, writing_in_the_middle_overwrites_and_at_the_end_appends) {
  auto& part = this->part("root/Body");
  auto s = create(part);
  s->write_int(1);
  s->write_int(2);
  s->set_pointer(2);
  s->write_int(-1);  // bytes 2..5: overwrites half of each and grows nothing
  EXPECT_EQ(s->get_size(), 8);
  EXPECT_EQ(part.find_stream(stream_uuid)->bytes, (bytes{1, 0, 0xff, 0xff, 0xff, 0xff, 0, 0}));
  s->set_pointer(6);
  s->write_int(3);  // two bytes overwritten, two appended
  EXPECT_EQ(s->get_size(), 10);
  s->set_size(4);
  EXPECT_EQ(s->get_size(), 4);
  EXPECT_LE(s->get_pointer(), 4);
  EXPECT_THROW(s->set_size(5), std::out_of_range);
  s->set_pointer(0);
  EXPECT_EQ(s->read_int(), static_cast<std::int32_t>(0xffff0001u));
}

TEST_F(stream_test, a_handle_outlives_its_shape_and_its_stream) {
  auto& part = this->part("root/Body");
  auto s = create(part);
  s->write_int(5);
  EXPECT_TRUE(part.sdk().delete_attribute_stream(stream_uuid));
  EXPECT_FALSE(part.sdk().delete_attribute_stream(stream_uuid));
  EXPECT_FALSE(open(part));
  part.sdk().remove();
  s->write_int(6);
  s->set_pointer(0);
  EXPECT_EQ(s->read_int(), 5);
  EXPECT_EQ(s->read_int(), 6);
}

TEST_F(stream_test, shape_references_follow_index_numbers) {
  auto& a = this->part("root/A");
  auto& b = this->part("root/B");
  part("root/C");
  {
    auto s = create(a);
    s->write_shape(&b.sdk());  // index 2
    s->write_int(99);          // no such shape
    s->set_pointer(4);
    EXPECT_EQ(s->read_shape(), nullptr);
  }
  // A shape written from another scene has no index here.
  scene_fixture other;
  auto& stranger = other.part("root/X");
  auto s = create(a);
  s->set_pointer(0);
  s->write_shape(&stranger.sdk());
  s->set_pointer(0);
  EXPECT_EQ(s->read_int(), -1);
}

TEST_F(stream_test, streams_are_kept_in_creation_order_with_their_labels) {
  auto& part = this->part("root/Body");
  const sx::uuid_class second("10A768C2-6DBB-43DE-9E3C-E17217E3CA47");
  create(part, second)->set_label("2");
  create(part, stream_uuid)->set_label("1");
  part.put_stream(second, "two", {9});
  ASSERT_EQ(part.streams().size(), 2u);
  EXPECT_EQ(part.streams()[0]->uuid, second);
  EXPECT_EQ(part.streams()[0]->label, "two");
  EXPECT_EQ(part.streams()[0]->bytes, bytes{9});
  EXPECT_EQ(part.streams()[1]->label, "1");
}

TEST_F(stream_test, the_stream_knows_its_scene) {
  auto& part = this->part("root/Body");
  auto s = create(part);
  sxsdk::host_ref<sxsdk::scene_interface> sc(s->get_scene());
  EXPECT_EQ(sc.get(), scene.get());
}

}  // namespace
