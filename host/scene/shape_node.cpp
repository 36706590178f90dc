#include "host/scene/shape_node.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "host/scene/scene.hpp"

namespace host {

shape_node::shape_node(scene& owner, std::string name) : scene_(&owner), name_(std::move(name)) {}

shape_node::~shape_node() = default;

shape_node& shape_node::of(sxsdk::shape_class& shape) {
  auto* node = dynamic_cast<shape_node*>(&shape);
  if (!node) throw std::invalid_argument("shape of another host implementation");
  return *node;
}

const shape_node* shape_node::of(const sxsdk::shape_class* shape) {
  return shape ? dynamic_cast<const shape_node*>(shape) : nullptr;
}

int shape_node::index() const {
  if (removed_ || type() == sxsdk::shape_type::sentinel) return -1;
  return scene_->index_of(*this);
}

std::vector<shape_node*> shape_node::sons() const {
  std::vector<shape_node*> out;
  out.reserve(sons_.size());
  for (const auto& s : sons_) out.push_back(s.get());
  return out;
}

shape_node& shape_node::first_son_or_sentinel() { return sons_.empty() ? son_sentinel() : *sons_.front(); }

shape_node& shape_node::next_or_sentinel() {
  if (!dad_) return list_sentinel();
  auto next = std::next(self_);
  return next == dad_->sons_.end() ? dad_->son_sentinel() : **next;
}

shape_node& shape_node::list_sentinel() {
  if (dad_) return dad_->son_sentinel();
  // The root and the top of a removed subtree stand in a list of their own.
  return scene_->top_sentinel_->son_sentinel();
}

shape_node& shape_node::son_sentinel() {
  if (!son_sentinel_) son_sentinel_ = std::make_unique<sentinel_shape>(*scene_, this);
  return *son_sentinel_;
}

std::string shape_node::path() const {
  std::string p = name_;
  for (const shape_node* d = dad_; d; d = d->dad_) p = d->name_ + "/" + p;
  return p;
}

sxsdk::mat4 shape_node::placement() const { return dad_ ? dad_->inner_frame() : sxsdk::mat4(); }

sxsdk::mat4 shape_node::inner_frame() const {
  // Row vectors: the own transformation acts first, then the frames of the dads outwards.
  sxsdk::mat4 m = own_transformation();
  for (const shape_node* d = dad_; d; d = d->dad_) m = m * d->own_transformation();
  return m;
}

const sxsdk::mat4& shape_node::inner_frame_inverse() const {
  // Compared as bytes, not with ==, which takes -0 for 0 and never matches a NaN: the inverse
  // is a function of the frame's bits, so equal bits give the inverse made afresh, bit for bit.
  const sxsdk::mat4 frame = inner_frame();
  if (!kept_ || std::memcmp(&frame, &kept_frame_, sizeof frame) != 0) {
    kept_frame_ = frame;
    kept_inverse_ = frame.inv();
    kept_ = true;
  }
  return kept_inverse_;
}

const sxsdk::mat4& shape_node::placement_inverse() const {
  static const sxsdk::mat4 identity_inverse = sxsdk::mat4().inv();
  return dad_ ? dad_->inner_frame_inverse() : identity_inverse;
}

sxsdk::mat4 shape_node::world_to_local() const { return local_to_world().inv(); }

std::shared_ptr<stream_data> shape_node::find_stream(const sx::uuid_class& uuid) const {
  for (const auto& s : streams_)
    if (s->uuid == uuid) return s;
  return nullptr;
}

std::shared_ptr<stream_data> shape_node::open_stream(const sx::uuid_class& uuid) {
  if (auto s = find_stream(uuid)) return s;
  streams_.push_back(std::make_shared<stream_data>(stream_data{uuid, "", {}}));
  return streams_.back();
}

std::shared_ptr<stream_data> shape_node::put_stream(const sx::uuid_class& uuid, const std::string& label,
                                                    std::vector<std::uint8_t> bytes) {
  auto s = open_stream(uuid);
  s->label = label;
  s->bytes = std::move(bytes);
  return s;
}

bool shape_node::erase_stream(const sx::uuid_class& uuid) {
  auto it = std::find_if(streams_.begin(), streams_.end(), [&](const auto& s) { return s->uuid == uuid; });
  if (it == streams_.end()) return false;
  streams_.erase(it);
  return true;
}

void shape_node::link_to(const sx::uuid_class& uuid, shape_node& target) { links_.push_back(link{uuid, &target}); }

std::vector<shape_node*> shape_node::links_of(const sx::uuid_class& uuid) const {
  std::vector<shape_node*> out;
  for (const link& l : links_)
    if (l.uuid == uuid) out.push_back(l.target);
  return out;
}

bool shape_node::unlink(const sx::uuid_class& uuid, const shape_node& target) {
  auto it =
      std::find_if(links_.begin(), links_.end(), [&](const link& l) { return l.uuid == uuid && l.target == &target; });
  if (it == links_.end()) return false;
  links_.erase(it);
  return true;
}

void shape_node::drop_links_to_removed() {
  links_.erase(std::remove_if(links_.begin(), links_.end(), [](const link& l) { return l.target->removed_; }),
               links_.end());
}

}  // namespace host
