#pragma once
// host::polygon_mesh_shape: vertices (millimetres, the mesh's local coordinates), faces as
// loops of vertex indices, and the element selection the host's mesh editing keeps.
#include <vector>

#include "host/scene/shape_impl.hpp"
#include "sdk/polygon_mesh_class.hpp"

namespace host {

class polygon_mesh_shape final : public shape_impl<sxsdk::polygon_mesh_class> {
 public:
  using vec3 = sx::vec<float, 3>;
  polygon_mesh_shape(scene& owner, std::string name) : shape_impl(owner, std::move(name)) {}

  int type() const override { return sxsdk::shape_type::polygon_mesh; }
  sxsdk::polygon_mesh_class& get_polygon_mesh() override { return *this; }

  // --- host side ---
  /// Replaces every vertex (their selection is cleared).
  void set_vertices(const std::vector<vec3>& positions);
  std::vector<vec3> vertex_positions() const;
  /// Replaces every face; throws std::out_of_range when a face names a missing vertex.
  void set_faces(const std::vector<std::vector<int>>& faces);
  std::vector<std::vector<int>> face_indices() const;
  /// Selected vertices in the host's order (the order given); throws std::out_of_range for a
  /// missing vertex.
  void select_vertices(const std::vector<int>& indices);
  const std::vector<int>& selected_vertices() const { return selected_vertices_; }
  /// Selected faces (kept in increasing order); throws std::out_of_range for a missing face.
  void select_faces(std::vector<int> indices);
  const std::vector<int>& selected_faces() const { return selected_faces_; }

  // --- SDK ---
  int get_number_of_vertices() const override { return static_cast<int>(vertices_.size()); }
  /// Throws std::out_of_range for a missing vertex. Kept to the index check and the look-up:
  /// playback writes every cloth and projection vertex through here after every step.
  sxsdk::vertex_class& vertex(int index) override {
    if (index < 0 || static_cast<std::size_t>(index) >= vertices_.size())
      throw_missing("vertex", index, vertices_.size());
    return vertices_[static_cast<std::size_t>(index)];
  }
  int get_number_of_faces() const override { return static_cast<int>(faces_.size()); }
  sxsdk::face_class& face(int index) override;
  /// The selected vertex count while this mesh is the one being edited, else 0.
  int get_number_of_active_vertices() const override;
  /// The selected faces while this mesh is the one being edited, else none.
  std::vector<int> get_active_faces() const override;

  int number_of_points() const override { return get_number_of_vertices(); }
  void transform_points(const sxsdk::mat4& m) override;

 private:
  class mesh_vertex final : public sxsdk::vertex_class {
   public:
    explicit mesh_vertex(const vec3& p) : p_(p) {}
    vec3 get_position() const override { return p_; }
    void set_position(const vec3& p) override { p_ = p; }
    sxsdk::skin_class& get_skin() override;

   private:
    vec3 p_;
  };
  class mesh_face final : public sxsdk::face_class {
   public:
    explicit mesh_face(std::vector<int> v) : v_(std::move(v)) {}
    int get_number_of_vertices() const override { return static_cast<int>(v_.size()); }
    std::vector<int> get_vertex_indices() const override { return v_; }

   private:
    std::vector<int> v_;
  };
  bool is_edited() const;
  /// Throws std::out_of_range "WHAT INDEX of COUNT" for an index outside 0..count-1.
  static void check_index(int index, std::size_t count, const char* what);
  /// The throw of check_index, out of line so that the checks stay small.
  [[noreturn]] static void throw_missing(const char* what, int index, std::size_t count);

  std::vector<mesh_vertex> vertices_;
  std::vector<mesh_face> faces_;
  std::vector<int> selected_vertices_;
  std::vector<int> selected_faces_;
};

}  // namespace host
