#pragma once
// host::glb_buffer: the binary chunk of a glTF binary file, filled view by view. Every buffer
// view starts on a 4-byte boundary (so every accessor's component type is aligned whatever it
// is), and the chunk is padded to a multiple of 4 as the container requires.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include <nlohmann/json.hpp>

namespace host {

class glb_buffer {
 public:
  /// glTF buffer view targets.
  static constexpr int array_buffer = 34962;
  static constexpr int element_array_buffer = 34963;

  /// Appends the bytes as a new buffer view (target 0: none) and returns its index.
  int add_view(const void* data, std::size_t size, int target = 0);
  /// A float accessor (VEC3, VEC4 or SCALAR by `components`) over a new view; min and max
  /// are written when `bounds` is true (positions and animation inputs must have them).
  int add_floats(const std::vector<float>& values, int components, bool bounds, int target = 0);
  /// An unsigned short SCALAR accessor (triangle indices) over a new view.
  int add_indices(const std::vector<std::uint16_t>& indices);
  /// Triangle indices of a mesh of `vertices` vertices: unsigned short while every index fits
  /// below 65535 (the primitive restart value), else unsigned int.
  int add_indices(const std::vector<std::uint32_t>& indices, std::size_t vertices);
  /// A float accessor of `count` zero elements that takes no bytes (no buffer view); with
  /// `bounds`, min and max are zeros.
  int add_zeros(std::size_t count, int components, bool bounds);
  /// A SCALAR float accessor of `count` elements, zero but at the strictly increasing
  /// `indices`, which hold `values` (a sparse accessor: only those take bytes).
  int add_sparse(std::size_t count, const std::vector<std::uint32_t>& indices, const std::vector<float>& values);
  /// Room for `size` more bytes, so that a large file is not copied while it grows.
  void reserve(std::size_t size) { bytes_.reserve(bytes_.size() + size); }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  const nlohmann::json& views() const { return views_; }
  const nlohmann::json& accessors() const { return accessors_; }

  /// The whole .glb file: header, the JSON chunk (`document`, to which the buffer, views and
  /// accessors are added when there are any) and the binary chunk. Throws std::length_error
  /// when the file would pass the container's 4 GiB limit.
  std::vector<std::uint8_t> file(nlohmann::json document) const;
  /// The same file handed to `out` piece by piece (no copy of the binary chunk is made).
  void write(nlohmann::json document, const std::function<void(const void*, std::size_t)>& out) const;

 private:
  std::vector<std::uint8_t> bytes_;
  nlohmann::json views_ = nlohmann::json::array();
  nlohmann::json accessors_ = nlohmann::json::array();
};

}  // namespace host
