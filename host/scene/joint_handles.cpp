#include "host/scene/joint_handles.hpp"

#include <stdexcept>
#include <string>

namespace host {
namespace {

int checked_axis(int axis) {
  if (axis < 0 || axis > 2) throw std::out_of_range("bone joint axis " + std::to_string(axis) + " (0, 1 or 2)");
  return axis;
}

}  // namespace

sx::vec<float, 2> bone_joint_handle::get_limit(int axis) { return s_->limits[checked_axis(axis)]; }

void bone_joint_handle::set_limit(int axis, const sx::vec<float, 2>& range) { s_->limits[checked_axis(axis)] = range; }

}  // namespace host
