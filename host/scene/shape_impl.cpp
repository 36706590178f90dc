#include "host/scene/shape_impl.hpp"

#include <algorithm>

#include "host/scene/attribute_stream.hpp"
#include "host/scene/scene.hpp"
#include "host/scene/scene_handles.hpp"
#include "sdk/skin_class.hpp"

namespace host {

void throw_wrong_kind(const shape_node& shape, const char* what) {
  throw std::logic_error("shape \"" + shape.path() + "\" is not " + what);
}

namespace {

// Every skin of the headless host: no binds, so callers use the shapes' own matrices.
class unbound_skin final : public sxsdk::skin_class {
 public:
  int get_number_of_binds() const override { return 0; }
  sxsdk::mat4 get_skin_world_matrix() const override { return sxsdk::mat4(); }
};

// Streams, links and the tree operations make no sense on an end marker or a removed shape.
void require_live(const shape_node& s, const char* what) {
  if (s.type() == sxsdk::shape_type::sentinel) throw std::logic_error(std::string("a sentinel cannot ") + what);
  if (s.removed()) throw std::logic_error("shape \"" + s.name() + "\" was removed and cannot " + what);
}

}  // namespace

namespace shape_calls {

sxsdk::scene_interface* get_scene(shape_node& s) {
  s.owner().AddRef();
  return &s.owner();
}

sxsdk::stream_interface* get_attribute_stream(shape_node& s, const sx::uuid_class& uuid) {
  auto data = s.find_stream(uuid);
  if (!data) return nullptr;
  auto* stream = new attribute_stream(std::move(data), s.owner());
  stream->AddRef();
  return stream;
}

sxsdk::stream_interface* create_attribute_stream(shape_node& s, const sx::uuid_class& uuid) {
  require_live(s, "hold streams");
  auto* stream = new attribute_stream(s.open_stream(uuid), s.owner());
  stream->AddRef();
  return stream;
}

void add_link(shape_node& s, const sx::uuid_class& uuid, sxsdk::shape_class& target) {
  require_live(s, "hold links");
  shape_node& t = shape_node::of(target);
  require_live(t, "be linked to");
  if (&t.owner() != &s.owner()) throw std::invalid_argument("link to a shape of another scene");
  s.link_to(uuid, t);
}

int get_links(shape_node& s, const sx::uuid_class& uuid, sxsdk::shape_class** out) {
  int count = 0;
  for (const shape_node::link& l : s.links()) {
    if (l.uuid != uuid) continue;
    if (out) out[count] = &l.target->sdk();
    ++count;
  }
  return count;
}

bool remove_link(shape_node& s, const sx::uuid_class& uuid, sxsdk::shape_class& target) {
  const shape_node* t = shape_node::of(&target);
  return t && s.unlink(uuid, *t);
}

sxsdk::update_token_interface* begin_update(shape_node&) {
  auto* token = new update_token();
  token->AddRef();
  return token;
}

sxsdk::skin_class& no_skin() {
  static unbound_skin skin;
  return skin;
}

void set_active(shape_node& s) {
  require_live(s, "be made active");
  s.owner().set_active_shapes({&s});
}

void make_current(shape_node& s) {
  require_live(s, "be made current");
  s.owner().set_current_shape(s);
}

void remove(shape_node& s) {
  require_live(s, "be removed");
  s.owner().remove_shape(s);
}

}  // namespace shape_calls
}  // namespace host
