#pragma once
// Interface identifiers: the host names each kind of plug-in interface by a GUID.
#include <cstdint>

namespace sxsdk {

struct IID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};

/// Two identifiers are equal when every field is equal.
inline bool operator==(const IID& a, const IID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}
inline bool operator!=(const IID& a, const IID& b) { return !(a == b); }
using GUID = IID;

// The four kinds of plug-in interface this plug-in offers.
inline constexpr IID creator_iid = {0x50E47D60, 0x8922, 0x11D1, {0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26}};
inline constexpr IID attribute_iid = {0x50E47D67, 0x8922, 0x11D1, {0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26}};
inline constexpr IID browser_iid = {0x50E47D72, 0x8922, 0x11D1, {0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26}};
inline constexpr IID figure_iid = {0x50E47D71, 0x8922, 0x11D1, {0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26}};

}  // namespace sxsdk
