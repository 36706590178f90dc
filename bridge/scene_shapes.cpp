#include "bridge/scene_shapes.hpp"

#include "properties/shape_roles.hpp"

namespace bridge {

bool hangs_under_joint(sxsdk::shape_class& shape) {
  sxsdk::shape_class* dad = shape.get_dad();
  return dad && is_bullet_constraints_joint(*dad);
}

void show_error(sxsdk::scene_interface* scene, const char* text) {
  if (scene && text) scene->show_error(text);
}

}  // namespace bridge
