#include "properties/collision_filter_dialog.hpp"

#include <string>

#include "base/texts.hpp"
#include "sdk/dialog_interface.hpp"
#include "sdk/scene_interface.hpp"

namespace collision_filter_dialog {
namespace {

constexpr const char* digits[16] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"};

}  // namespace

items append(sxsdk::scene_interface& scene, sxsdk::dialog_interface& d) {
  items it;
  std::string groups = texts::get_text(scene, "Group Index");
  for (const char* digit : digits) groups += std::string("/") + digit;
  it.group_index = d.append_selection(groups.c_str());
  d.begin_group(texts::get_text(scene, "Mask").c_str());
  for (int row = 0; row < 2; ++row) {
    d.begin_row();
    for (int bit = row * 8; bit < row * 8 + 8; ++bit) it.mask[bit] = d.append_bool(digits[bit]);
    d.end_row();
  }
  d.end_group();
  return it;
}

void show(sxsdk::dialog_interface& d, const items& it, int default_group, int group_index, std::uint32_t mask) {
  d.set_default_int(it.group_index, default_group);
  d.set_int(it.group_index, group_index);
  for (int bit = 0; bit < 16; ++bit) {
    d.set_default_bool(it.mask[bit], false);
    d.set_bool(it.mask[bit], ((mask >> bit) & 1u) != 0);
  }
}

void read(sxsdk::dialog_interface& d, const items& it, std::uint8_t& group_index, std::int16_t& group,
          std::uint32_t& mask) {
  const int index = d.get_int(it.group_index);
  if (index >= 0 && index <= 15) group_index = static_cast<std::uint8_t>(index);
  group = static_cast<std::int16_t>(static_cast<std::uint16_t>(1u << group_index));
  mask = 0;
  for (int bit = 0; bit < 16; ++bit)
    if (d.get_bool(it.mask[bit])) mask |= 1u << bit;
}

}  // namespace collision_filter_dialog
