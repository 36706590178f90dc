#pragma once
// Writes an RGB picture as a PNG file (8 bits per channel, no interlace), its pixel data in
// stored (uncompressed) deflate blocks: no compression library is needed, and any PNG reader
// takes it. A 640 × 640 frame is about 1.2 MB.
#include <cstdint>
#include <string>
#include <vector>

namespace png_file {

/// The PNG bytes of a `width` × `height` picture whose rows run from the top down, three bytes
/// (red, green, blue) per pixel; `rgb` holds width × height × 3 bytes.
std::string encode(int width, int height, const std::vector<std::uint8_t>& rgb);

/// Writes encode()'s bytes to `path`; false when the file cannot be written whole.
bool write(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace png_file
