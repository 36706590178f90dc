#include "host/cli/glb_buffer.hpp"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace host {
namespace {

constexpr int float_type = 5126;
constexpr int unsigned_short_type = 5123;
constexpr int unsigned_int_type = 5125;

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

const char* type_name(int components) {
  switch (components) {
    case 1:
      return "SCALAR";
    case 3:
      return "VEC3";
    case 4:
      return "VEC4";
  }
  throw std::logic_error("glb_buffer: no accessor type with " + std::to_string(components) + " components");
}

}  // namespace

int glb_buffer::add_view(const void* data, std::size_t size, int target) {
  const std::size_t offset = bytes_.size();
  bytes_.resize(offset + size);
  if (size) std::memcpy(bytes_.data() + offset, data, size);
  while (bytes_.size() % 4) bytes_.push_back(0);
  nlohmann::json view = {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", size}};
  if (target) view["target"] = target;
  views_.push_back(view);
  return static_cast<int>(views_.size()) - 1;
}

int glb_buffer::add_floats(const std::vector<float>& values, int components, bool bounds, int target) {
  const std::size_t count = values.size() / static_cast<std::size_t>(components);
  nlohmann::json a = {{"bufferView", add_view(values.data(), values.size() * sizeof(float), target)},
                      {"componentType", float_type},
                      {"count", count},
                      {"type", type_name(components)}};
  if (bounds) {
    std::vector<float> lo(components, std::numeric_limits<float>::max());
    std::vector<float> hi(components, std::numeric_limits<float>::lowest());
    for (std::size_t i = 0; i < values.size(); ++i) {
      const std::size_t c = i % static_cast<std::size_t>(components);
      lo[c] = std::min(lo[c], values[i]);
      hi[c] = std::max(hi[c], values[i]);
    }
    // Stored as the doubles the floats are, so the validator finds them equal to the data.
    a["min"] = std::vector<double>(lo.begin(), lo.end());
    a["max"] = std::vector<double>(hi.begin(), hi.end());
  }
  accessors_.push_back(a);
  return static_cast<int>(accessors_.size()) - 1;
}

int glb_buffer::add_indices(const std::vector<std::uint16_t>& indices) {
  const int view = add_view(indices.data(), indices.size() * sizeof(std::uint16_t), element_array_buffer);
  accessors_.push_back(
      {{"bufferView", view}, {"componentType", unsigned_short_type}, {"count", indices.size()}, {"type", "SCALAR"}});
  return static_cast<int>(accessors_.size()) - 1;
}

int glb_buffer::add_indices(const std::vector<std::uint32_t>& indices, std::size_t vertices) {
  if (vertices <= 0xFFFF) return add_indices(std::vector<std::uint16_t>(indices.begin(), indices.end()));
  const int view = add_view(indices.data(), indices.size() * sizeof(std::uint32_t), element_array_buffer);
  accessors_.push_back(
      {{"bufferView", view}, {"componentType", unsigned_int_type}, {"count", indices.size()}, {"type", "SCALAR"}});
  return static_cast<int>(accessors_.size()) - 1;
}

int glb_buffer::add_zeros(std::size_t count, int components, bool bounds) {
  nlohmann::json a = {{"componentType", float_type}, {"count", count}, {"type", type_name(components)}};
  if (bounds) a["min"] = a["max"] = std::vector<double>(static_cast<std::size_t>(components), 0.0);
  accessors_.push_back(a);
  return static_cast<int>(accessors_.size()) - 1;
}

int glb_buffer::add_sparse(std::size_t count, const std::vector<std::uint32_t>& indices,
                           const std::vector<float>& values) {
  if (indices.size() != values.size() || indices.empty())
    throw std::logic_error("glb_buffer: a sparse accessor needs as many values as indices, at least one");
  const int index_view = add_view(indices.data(), indices.size() * sizeof(std::uint32_t));
  const int value_view = add_view(values.data(), values.size() * sizeof(float));
  accessors_.push_back({{"componentType", float_type},
                        {"count", count},
                        {"type", "SCALAR"},
                        {"sparse",
                         {{"count", indices.size()},
                          {"indices", {{"bufferView", index_view}, {"componentType", unsigned_int_type}}},
                          {"values", {{"bufferView", value_view}}}}}});
  return static_cast<int>(accessors_.size()) - 1;
}

std::vector<std::uint8_t> glb_buffer::file(nlohmann::json document) const {
  std::vector<std::uint8_t> out;
  write(std::move(document), [&](const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), p, p + size);
  });
  return out;
}

void glb_buffer::write(nlohmann::json document, const std::function<void(const void*, std::size_t)>& out) const {
  if (!bytes_.empty()) {
    document["buffers"] = nlohmann::json::array({{{"byteLength", bytes_.size()}}});
    document["bufferViews"] = views_;
    document["accessors"] = accessors_;
  } else if (!accessors_.empty()) {
    document["accessors"] = accessors_;  // accessors of zeros only
  }
  std::string json = document.dump();
  while (json.size() % 4) json += ' ';
  const std::size_t total = 12 + 8 + json.size() + (bytes_.empty() ? 0 : 8 + bytes_.size());
  // The container counts its length in 32 bits.
  if (total > 0xFFFFFFFFu) throw std::length_error("the glTF binary would exceed 4 GiB");
  std::vector<std::uint8_t> head;
  put_u32(head, 0x46546C67);  // "glTF"
  put_u32(head, 2);
  put_u32(head, static_cast<std::uint32_t>(total));
  put_u32(head, static_cast<std::uint32_t>(json.size()));
  put_u32(head, 0x4E4F534A);  // "JSON"
  out(head.data(), head.size());
  out(json.data(), json.size());
  if (!bytes_.empty()) {
    head.clear();
    put_u32(head, static_cast<std::uint32_t>(bytes_.size()));
    put_u32(head, 0x004E4942);  // "BIN\0"
    out(head.data(), head.size());
    out(bytes_.data(), bytes_.size());
  }
}

}  // namespace host
