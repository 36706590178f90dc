#include "debugview/png_file.hpp"

#include <array>
#include <fstream>

namespace png_file {
namespace {

std::uint32_t crc32(const std::string& bytes, std::size_t from) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i) c = table[(c ^ std::uint8_t(bytes[i])) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void put32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += char((v >> shift) & 0xFF);
}

// Length, type, data and the CRC of type and data.
void chunk(std::string& out, const char* type, const std::string& data) {
  put32(out, std::uint32_t(data.size()));
  const std::size_t start = out.size();
  out += type;
  out += data;
  put32(out, crc32(out, start));
}

// A zlib stream of stored blocks (at most 65535 bytes each) with its Adler-32 sum.
std::string stored_zlib(const std::string& raw) {
  std::string z = "\x78\x01";
  std::size_t at = 0;
  do {
    const std::size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    z += char(at + n == raw.size() ? 1 : 0);  // last block flag, block type 0 (stored)
    z += char(n & 0xFF);
    z += char(n >> 8);
    z += char(~n & 0xFF);
    z += char((~n >> 8) & 0xFF);
    z.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (char c : raw) {
    a = (a + std::uint8_t(c)) % 65521;
    b = (b + a) % 65521;
  }
  put32(z, (b << 16) | a);
  return z;
}

}  // namespace

std::string encode(int width, int height, const std::vector<std::uint8_t>& rgb) {
  std::string out = "\x89PNG\r\n\x1a\n";
  std::string header;
  put32(header, std::uint32_t(width));
  put32(header, std::uint32_t(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace
  chunk(out, "IHDR", header);
  const std::size_t row = std::size_t(width) * 3;
  std::string raw;
  raw.reserve((row + 1) * std::size_t(height));
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // filter type none
    raw.append(reinterpret_cast<const char*>(rgb.data()) + row * std::size_t(y), row);
  }
  chunk(out, "IDAT", stored_zlib(raw));
  chunk(out, "IEND", "");
  return out;
}

bool write(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
  const std::string bytes = encode(width, height, rgb);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), std::streamsize(bytes.size()));
  file.close();
  return bool(file);
}

}  // namespace png_file
