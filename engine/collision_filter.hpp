#pragma once
// The collision filter convention shared by rigid and soft bodies: group number n is the bit
// 1 << n, and a record's mask lists the groups the body does NOT collide with.

#include <cstdint>

namespace collision_filter {

/// Bullet's group from a record's 16-bit group bit. The bit is widened without sign: group
/// number 15 (stored as -32768) would otherwise set all upper bits and overlap the upper bits
/// of every complemented mask, so no mask could exclude it.
inline int group(std::int16_t group_bit) { return int(std::uint16_t(group_bit)); }

/// Bullet's mask: the groups the body collides with.
inline int mask(std::uint32_t excluded) { return int(~excluded); }

}  // namespace collision_filter
