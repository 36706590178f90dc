#include "properties/role_hooks.hpp"

// Placeholders until constraint joints and soft bodies exist: the shapes are left as they are.
namespace role_hooks {

bool renew_softbody(sxsdk::shape_class&) { return false; }

bool renew_constraints_joint(sxsdk::shape_class&) { return false; }

bool reset_constraints_joint(sxsdk::shape_class&) { return false; }

}  // namespace role_hooks
