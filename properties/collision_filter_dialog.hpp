#pragma once
// The collision filter items of the rigid and soft body settings dialogs: "Group Index", a
// selection of the groups 0 to F, then the "Mask" group of sixteen check boxes 0 to F in two
// rows of eight (a checked box: no collision with that group).
#include <cstdint>

namespace sxsdk {
class dialog_interface;
class scene_interface;
}  // namespace sxsdk

namespace collision_filter_dialog {

struct items {
  int group_index = -1;
  int mask[16] = {};
};

/// Appends the items; labels localised through `scene`.
items append(sxsdk::scene_interface& scene, sxsdk::dialog_interface& d);

/// Shows group `group_index` (default `default_group`) and the bits of `mask` (default off).
void show(sxsdk::dialog_interface& d, const items& it, int default_group, int group_index, std::uint32_t mask);

/// Reads the answer back: a group from 0 to 15 replaces `group_index`; `group` becomes
/// 1 << group_index (group 15 widens to -32768), `mask` the checked boxes.
void read(sxsdk::dialog_interface& d, const items& it, std::uint8_t& group_index, std::int16_t& group,
          std::uint32_t& mask);

}  // namespace collision_filter_dialog
