#pragma once
// An attribute stream: a byte buffer stored on a shape under a UUID, saved with the scene.
// Encoding: little-endian 32-bit integers and floats, 8-bit chars, vectors as three floats,
// strings as a 32-bit byte count followed by the bytes, shape references as the 32-bit index
// number of the shape (-1 for none).
// Every read past the end of the buffer throws (std::out_of_range) and leaves the position.
#include <cstdint>
#include <string>

#include "sdk/unknown_interface.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class scene_interface;
class shape_class;

class stream_interface : public unknown_interface {
 public:
  /// Moves the read/write position to a byte offset; beyond the end throws.
  virtual void set_pointer(int position) = 0;
  virtual int get_pointer() = 0;
  /// Number of bytes held.
  virtual int get_size() = 0;
  /// Cuts the buffer to a size (no larger than the current one).
  virtual void set_size(int size) = 0;

  virtual std::int32_t read_int() = 0;
  virtual float read_float() = 0;
  virtual char read_char() = 0;
  virtual sx::vec<float, 3> read_vec3() = 0;
  virtual std::string read_string() = 0;
  /// Reads a shape reference of this stream's scene; null for none or an unknown index.
  virtual shape_class* read_shape() = 0;

  virtual void write_int(std::int32_t value) = 0;
  virtual void write_float(float value) = 0;
  virtual void write_char(char value) = 0;
  virtual void write_vec3(const sx::vec<float, 3>& value) = 0;
  virtual void write_string(const std::string& value) = 0;
  /// Writes a reference to a shape of this stream's scene (null writes "none").
  virtual void write_shape(const shape_class* shape) = 0;

  /// The label the host shows for the stream.
  virtual void set_label(const char* label) = 0;
  virtual std::string get_label() = 0;
  /// The scene the stream's shape belongs to (a new reference).
  virtual scene_interface* get_scene() = 0;
};

}  // namespace sxsdk
