#pragma once
// A shape of the scene tree. Shapes belong to the scene: they are handed out by reference,
// carry no reference count, and stay valid until removed from the scene.
//
// Tree: every list of sons ends with a sentinel shape (type 0). get_son() gives the first son,
// or the sentinel of an empty list; get_bro() gives the next brother, or the sentinel after the
// last one; get_sentinel() gives the sentinel that ends the list this shape stands in (a
// sentinel gives itself). Walk the sons with sxsdk::sons(shape).
//
// Matrices use row vectors (p' = p x M, translation in row 3), millimetres.
#include <string>

#include "sdk/mat4.hpp"
#include "sdk/shape_types.hpp"
#include "sdk/unknown_interface.hpp"
#include "sx/core/uuid.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class scene_interface;
class stream_interface;
class skin_class;
class update_token_interface;
class part_class;
class polygon_mesh_class;
class line_class;
class control_point_class;
class sphere_class;
class disk_class;
class light_class;
class ball_joint_interface;
class joint_interface;
class joint_motion_interface;

class shape_class {
 public:
  // --- identity and tree ---
  /// Shape type code (sxsdk::shape_type).
  virtual int get_type() const = 0;
  virtual std::string get_name() const = 0;
  virtual void set_name(const char* name) = 0;
  /// Index number: position in the depth-first order of the whole tree (root 0), sentinels
  /// not counted. Changes when shapes are inserted or removed before this one.
  virtual int get_index() const = 0;
  virtual bool has_son() const = 0;
  virtual shape_class& get_son() = 0;
  virtual shape_class& get_bro() = 0;
  virtual shape_class& get_sentinel() = 0;
  /// The dad, or null for the root.
  virtual shape_class* get_dad() = 0;
  /// The scene (a new reference).
  virtual scene_interface* get_scene() = 0;

  // --- typed views; each throws std::logic_error when the shape is not of that kind ---
  virtual part_class& get_part() = 0;
  virtual polygon_mesh_class& get_polygon_mesh() = 0;
  virtual line_class& get_line() = 0;
  virtual sphere_class& get_sphere() = 0;
  virtual disk_class& get_disk() = 0;
  virtual light_class& get_light() = 0;

  // --- joint tests (parts of the matching part type) and joint interfaces (new references) ---
  virtual bool is_ball_joint() const = 0;
  virtual bool is_rotator_joint() const = 0;
  virtual bool is_slider_joint() const = 0;
  virtual bool is_scale_joint() const = 0;
  virtual bool is_uniscale_joint() const = 0;
  /// Throws when the shape is no ball joint.
  virtual ball_joint_interface* get_ball_joint() = 0;
  /// Rotator, slider, scale or uniform scale joint; throws otherwise.
  virtual joint_interface* get_joint() = 0;
  /// The animated state of a joint part; throws when the shape is no joint.
  virtual joint_motion_interface* get_joint_motion() = 0;

  // --- transformations ---
  /// The shape's own transformation (identity for shapes other than parts).
  virtual mat4 get_transformation() const = 0;
  /// Maps this shape's local coordinates to world coordinates (own transformation included).
  virtual mat4 get_local_to_world_matrix() const = 0;
  virtual mat4 get_world_to_local_matrix() const = 0;
  /// Applies m after the shape's own transformation: a part's transformation T becomes T x m;
  /// the points of any other shape become p x m.
  virtual void apply_transformation(const mat4& m) = 0;
  /// Moves the shape by m given in its own local coordinates: a part's transformation T becomes
  /// m x T; the points of any other shape become p x m.
  virtual void transform(const mat4& m) = 0;

  // --- geometry ---
  /// Points of the shape: vertices of a mesh, control points of a line, the total of all lines
  /// and meshes below a part; 0 for other kinds.
  virtual int get_number_of_points() const = 0;
  /// Control point of a line (same as get_line().control_point(i)); throws for other kinds.
  virtual control_point_class& control_point(int index) = 0;
  /// Sweep vector of a swept line or disk, millimetres; zero when not swept.
  virtual sx::vec<float, 3> get_sweep() const = 0;
  virtual void set_sweep(const sx::vec<float, 3>& sweep) = 0;
  /// Turns a line into a body of revolution about the axis through two points.
  virtual void set_revolution_axis(const sx::vec<float, 3>& p0, const sx::vec<float, 3>& p1) = 0;
  /// Opens an edit bracket on the geometry (a new reference; end() it, then release it).
  virtual update_token_interface* begin_update() = 0;
  /// The shape's own skin.
  virtual skin_class& get_skin() = 0;

  // --- state ---
  /// Visibility flags; 0 is hidden.
  virtual int get_visible() const = 0;
  virtual void set_visible(int flags) = 0;
  virtual void set_render_flag(bool on) = 0;
  virtual bool get_render_flag() const = 0;
  virtual bool get_selected() const = 0;
  virtual void set_selected(bool on) = 0;
  /// Makes the shape the active one (selection of one).
  virtual void set_active() = 0;
  /// Makes the shape current: new shapes are created as its last sons (a part) or as its
  /// next brothers (any other shape).
  virtual void make_current() = 0;
  /// Removes the shape (and its sons) from the scene; the reference dies with it.
  virtual void remove() = 0;

  // --- attribute streams, keyed by UUID (each stream a new reference; null when none) ---
  virtual stream_interface* get_attribute_stream(const sx::uuid_class& uuid) = 0;
  /// Creates the stream, or reopens it (keeping its bytes). The three identifiers name the
  /// stream's flavour for the host; a plain attribute stream is made for any value.
  virtual stream_interface* create_attribute_stream(const sx::uuid_class& uuid, const sx::uuid_class& id0,
                                                    const sx::uuid_class& id1, const sx::uuid_class& id2) = 0;
  /// True when a stream was deleted.
  virtual bool delete_attribute_stream(const sx::uuid_class& uuid) = 0;

  // --- links to other shapes, keyed by UUID, in the order they were added ---
  virtual void add_link(const sx::uuid_class& uuid, shape_class& target) = 0;
  /// Number of links under the UUID; when `out` is given, fills it with that many shapes.
  virtual int get_links(const sx::uuid_class& uuid, shape_class** out = nullptr) = 0;
  /// Removes the first link to target under the UUID; true when one was removed.
  virtual bool remove_link(const sx::uuid_class& uuid, shape_class& target) = 0;

 protected:
  ~shape_class() = default;
};

/// The sons of a shape, in order: `for (sxsdk::shape_class& s : sxsdk::sons(part)) ...`
class sons {
 public:
  explicit sons(shape_class& dad) : first_(dad.has_son() ? &dad.get_son() : nullptr) {}
  class iterator {
   public:
    explicit iterator(shape_class* s) : s_(s) {}
    shape_class& operator*() const { return *s_; }
    iterator& operator++() {
      shape_class& next = s_->get_bro();
      s_ = (&next == &s_->get_sentinel()) ? nullptr : &next;
      return *this;
    }
    bool operator!=(const iterator& o) const { return s_ != o.s_; }

   private:
    shape_class* s_;
  };
  iterator begin() const { return iterator(first_); }
  iterator end() const { return iterator(nullptr); }

 private:
  shape_class* first_;
};

}  // namespace sxsdk
