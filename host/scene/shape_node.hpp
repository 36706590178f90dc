#pragma once
// host::shape_node: what every shape of the headless scene shares, whatever its kind: its place
// in the tree, name, flags, attribute streams and links. The SDK face of a shape is added by
// host::shape_impl<Base>; each kind (part, polygon mesh, line, ...) derives from that.
//
// Tree: a shape owns its sons (in order) and the sentinel that ends their list. Shapes are
// never deleted while their scene lives: a removed subtree is detached and parked by the
// scene, so a stale pointer held by a plug-in never points at freed memory or at a new shape.
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "host/scene/stream_data.hpp"
#include "sdk/mat4.hpp"
#include "sdk/shape_class.hpp"
#include "sx/core/uuid.hpp"

namespace host {

class scene;

class shape_node {
 public:
  /// A link stored on a shape: target shape under a UUID, kept in the order added.
  struct link {
    sx::uuid_class uuid;
    shape_node* target;
  };

  explicit shape_node(scene& owner, std::string name);
  virtual ~shape_node();
  shape_node(const shape_node&) = delete;
  shape_node& operator=(const shape_node&) = delete;

  /// The SDK face of this shape.
  virtual sxsdk::shape_class& sdk() = 0;
  const sxsdk::shape_class& sdk() const { return const_cast<shape_node*>(this)->sdk(); }
  /// Shape type code (sxsdk::shape_type).
  virtual int type() const = 0;
  /// The shape behind an SDK reference; throws std::invalid_argument for a shape of another
  /// implementation.
  static shape_node& of(sxsdk::shape_class& shape);
  static const shape_node* of(const sxsdk::shape_class* shape);

  // --- identity and tree ---
  const std::string& name() const { return name_; }
  void rename(std::string name) { name_ = std::move(name); }
  scene& owner() const { return *scene_; }
  /// Index number (depth-first from the root, sentinels not counted); -1 for a sentinel or a
  /// removed shape. Amortised O(1): the scene caches the order and rebuilds it after a change.
  int index() const;
  /// Null for the root, a removed subtree's top, and the top sentinel.
  shape_node* dad() const { return dad_; }
  bool removed() const { return removed_; }
  /// Sons in order (sentinels not included).
  std::vector<shape_node*> sons() const;
  bool has_sons() const { return !sons_.empty(); }
  shape_node& first_son_or_sentinel();
  /// The next brother, or the sentinel that ends this shape's list.
  shape_node& next_or_sentinel();
  /// The sentinel that ends the list this shape stands in.
  virtual shape_node& list_sentinel();
  /// The sentinel that ends this shape's own list of sons (made on first use).
  virtual shape_node& son_sentinel();
  /// The path of names from the root, joined by '/' ("root/World/Ball").
  std::string path() const;

  // --- transformations (row vectors, millimetres) ---
  /// The shape's own transformation: identity except for parts.
  virtual sxsdk::mat4 own_transformation() const { return sxsdk::mat4(); }
  /// Where this shape's sons (and its own points) live: own transformation x placement.
  sxsdk::mat4 inner_frame() const;
  /// Where this shape itself is placed: its dad's inner frame (identity for the root).
  sxsdk::mat4 placement() const;
  /// inner_frame().inv(), kept from the last call while the inner frame stays the same bit for
  /// bit: the frame is made afresh on every call (one product per level above) and compared
  /// with the one the kept inverse was made of, so any move of this shape or of a dad, however
  /// it was made (transformation, apply, joint state through a handle, removal), makes it anew.
  const sxsdk::mat4& inner_frame_inverse() const;
  /// placement().inv(): the dad's kept inverse, shared by all its sons.
  const sxsdk::mat4& placement_inverse() const;
  /// What get_local_to_world_matrix answers (see docs/host-operations.md): the inner frame,
  /// except for joint parts, whose points are given in their placement.
  virtual sxsdk::mat4 local_to_world() const { return inner_frame(); }
  /// What get_world_to_local_matrix answers: the inverse of the placement for parts (so that
  /// H x world_to_local is the transformation that puts a part at world matrix H), the inverse
  /// of local_to_world for every other shape.
  virtual sxsdk::mat4 world_to_local() const;
  /// apply_transformation (after) and transform (before) of a shape without its own
  /// transformation: every point becomes p x m (parts override both).
  virtual void apply_after(const sxsdk::mat4& m) { transform_points(m); }
  virtual void apply_before(const sxsdk::mat4& m) { transform_points(m); }
  /// Moves the shape's own points by m (vectors by its upper 3x3); none by default.
  virtual void transform_points(const sxsdk::mat4&) {}
  /// Points as shape.get_number_of_points counts them.
  virtual int number_of_points() const { return 0; }

  // --- flags ---
  int visible = 1;  ///< visibility flags; 0 hidden
  bool render_flag = true;
  bool selected = false;

  // --- attribute streams: at most one per UUID, kept in creation order ---
  const std::vector<std::shared_ptr<stream_data>>& streams() const { return streams_; }
  /// The stream under uuid, or null. Scans only this shape's own streams.
  std::shared_ptr<stream_data> find_stream(const sx::uuid_class& uuid) const;
  /// The stream under uuid, created empty (label "") at the end of the order when missing.
  std::shared_ptr<stream_data> open_stream(const sx::uuid_class& uuid);
  /// Creates or replaces the stream under uuid with these bytes and label (scene files).
  std::shared_ptr<stream_data> put_stream(const sx::uuid_class& uuid, const std::string& label,
                                          std::vector<std::uint8_t> bytes);
  /// True when a stream was there (open handles keep the detached buffer).
  bool erase_stream(const sx::uuid_class& uuid);

  // --- links ---
  const std::vector<link>& links() const { return links_; }
  void link_to(const sx::uuid_class& uuid, shape_node& target);
  /// The targets under uuid, in the order added.
  std::vector<shape_node*> links_of(const sx::uuid_class& uuid) const;
  /// Removes the first link to target under uuid; true when one was removed.
  bool unlink(const sx::uuid_class& uuid, const shape_node& target);
  /// Drops every link whose target is a removed shape.
  void drop_links_to_removed();

 private:
  friend class scene;
  using son_list = std::list<std::unique_ptr<shape_node>>;

  scene* scene_;
  std::string name_;
  shape_node* dad_ = nullptr;
  son_list::iterator self_;  // position in dad_->sons_ (valid while dad_ is set)
  son_list sons_;
  std::unique_ptr<shape_node> son_sentinel_;
  bool removed_ = false;
  mutable int index_ = -1;  // cached by the scene
  // The inverse of the inner frame last asked for (see inner_frame_inverse).
  mutable bool kept_ = false;
  mutable sxsdk::mat4 kept_frame_;
  mutable sxsdk::mat4 kept_inverse_;
  std::vector<std::shared_ptr<stream_data>> streams_;
  std::vector<link> links_;
};

}  // namespace host
